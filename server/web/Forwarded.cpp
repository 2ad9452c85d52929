#include "Forwarded.h"

#include "server/net/Sockets.h"
#include "server/web/HttpHead.h"

namespace tamber::server {

namespace {

// Every comma-separated element of the named fields, in the order they came.
QList<QByteArray> elements(const HttpRequest& request, const QByteArray& lowerCaseName)
{
    QList<QByteArray> all;
    for (const auto& [name, value] : request.headers) {
        if (name == lowerCaseName) {
            for (const QByteArray& part : value.split(','))
                all << part.trimmed();
        }
    }
    return all;
}

// A node as Forwarded writes it (RFC 7239): perhaps quoted, IPv6 in brackets, perhaps a port.
QByteArray forwardedNode(const QByteArray& element)
{
    for (const QByteArray& pair : element.split(';')) {
        const QByteArray trimmed = pair.trimmed();
        if (!trimmed.toLower().startsWith("for="))
            continue;
        QByteArray node = trimmed.mid(4);
        if (node.size() >= 2 && node.startsWith('"') && node.endsWith('"'))
            node = node.mid(1, node.size() - 2);
        if (node.startsWith('[')) {
            const qsizetype close = node.indexOf(']');
            return close < 0 ? QByteArray() : node.mid(1, close - 1);
        }
        const qsizetype colon = node.indexOf(':');
        return colon < 0 ? node : node.left(colon);
    }
    return {};
}

std::optional<QHostAddress> parse(const QByteArray& text)
{
    QHostAddress address;
    if (text.isEmpty() || !address.setAddress(QString::fromLatin1(text)))
        return std::nullopt;
    return net::plainAddress(address);
}

std::optional<QHostAddress> rightmostUntrusted(const QList<QByteArray>& nodes,
                                               const QList<QHostAddress>& trusted)
{
    for (auto it = nodes.crbegin(); it != nodes.crend(); ++it) {
        const auto address = parse(*it);
        if (!address || !trusted.contains(*address))
            return address;
    }
    return std::nullopt;
}

} // namespace

std::optional<QHostAddress> forwardedClient(const HttpRequest& request,
                                            const QList<QHostAddress>& trusted)
{
    const QList<QByteArray> xff = elements(request, "x-forwarded-for");
    if (!xff.isEmpty())
        return rightmostUntrusted(xff, trusted);
    QList<QByteArray> nodes;
    for (const QByteArray& element : elements(request, "forwarded"))
        nodes << forwardedNode(element);
    return rightmostUntrusted(nodes, trusted);
}

} // namespace tamber::server
