#include "SessionAddress.h"

#include "common/protocol/Messages.h"

#include <QHostAddress>

namespace tamber {

namespace {

constexpr qsizetype kMaxHostName = 253; // the longest name DNS carries

bool isHostName(const QString& host)
{
    if (host.size() > kMaxHostName)
        return false;
    for (const QChar c : host) {
        // Letters and digits of any script: the resolver turns such names into their ASCII
        // form. No blank, colon, bracket, slash or '@' reaches it.
        const bool allowed = c.isLetterOrNumber() || c == u'.' || c == u'-' || c == u'_';
        if (!allowed)
            return false;
    }
    return true;
}

std::optional<uint16_t> parsePort(const QString& text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    int port = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        port = port * 10 + (c.unicode() - u'0');
    }
    if (port < 1 || port > 65535)
        return std::nullopt;
    return uint16_t(port);
}

} // namespace

std::variant<SessionAddress, AddressError> parseSessionAddress(const QString& typed,
                                                               uint16_t defaultPort)
{
    using Kind = AddressError::Kind;
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return AddressError{Kind::Empty, {}};

    SessionAddress address{{}, defaultPort, {}};
    // The room follows the first slash; neither host nor port holds one.
    const qsizetype slash = text.indexOf(u'/');
    const QString server = slash < 0 ? text : text.left(slash);

    QString portText;
    bool hasPort = false;
    if (server.startsWith(u'[')) {
        const qsizetype close = server.indexOf(u']');
        if (close < 0)
            return AddressError{Kind::BadIpv6, server};
        address.host = server.mid(1, close - 1);
        const QString rest = server.mid(close + 1);
        if (QHostAddress(address.host).protocol() != QAbstractSocket::IPv6Protocol)
            return AddressError{Kind::BadIpv6, server.left(close + 1)};
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':'))
                return AddressError{Kind::BadIpv6, server};
            portText = rest.mid(1);
            hasPort = true;
        }
    } else {
        const qsizetype colons = server.count(u':');
        if (colons > 1)
            return AddressError{Kind::BadIpv6, server};
        const qsizetype colon = server.indexOf(u':');
        address.host = colon < 0 ? server : server.left(colon);
        if (colon >= 0) {
            portText = server.mid(colon + 1);
            hasPort = true;
        }
        if (address.host.isEmpty())
            return AddressError{Kind::MissingHost, {}};
        if (!isHostName(address.host))
            return AddressError{Kind::BadHost, address.host};
    }

    if (hasPort) {
        const auto port = parsePort(portText);
        if (!port)
            return AddressError{Kind::BadPort, portText};
        address.port = *port;
    }

    if (slash >= 0) {
        address.room = text.mid(slash + 1);
        // Any character beyond ASCII becomes '?' or a byte above 0x7F, neither of which a room
        // name holds.
        if (!protocol::isRoomName(address.room.toLatin1()))
            return AddressError{Kind::BadRoom, address.room};
    }
    return address;
}

} // namespace tamber
