#include "ServerOptions.h"

#include "common/logging/VerboseLogging.h"
#include "common/protocol/Codec.h"
#include "server/RoomDirectory.h"
#include "server/net/Sockets.h"

#include <QCoreApplication>
#include <QUrl>
#include <cmath>

namespace tamber::server {

namespace {

constexpr auto kDescription = QT_TRANSLATE_NOOP(
    "ServerOptions",
    "Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or "
    "--port), in rooms of up to eight players each. A room is made when its first player joins "
    "it by name and goes once its last player leaves; a piano that names no room plays in the "
    "room \"main\", as every piano before rooms did. In a room, the chat command \"/join NAME\" "
    "moves "
    "a player to another room and \"/rooms\" lists the rooms.\n\n"
    "Window mode (the default) shows the Corvent Server window; the service listens once "
    "Start is pressed.\n"
    "Headless mode (--headless) needs no display: it listens at once, prints a room's "
    "eight-line user list to standard output each time it changes (headed by \"Room NAME:\" "
    "for rooms other than main), and stops on SIGTERM or SIGINT.\n\n"
    "With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a "
    "room's piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of "
    "rooms at /rooms.json. Players in a web browser take seats in the same rooms.\n\n"
    "A player who sends faster than the rates below is slowed down, not cut off: the server "
    "reads that player's connection later, so nothing is lost and the others notice nothing. "
    "A player whose program stops reading is disconnected once 1 MiB waits for it and it has "
    "taken nothing for five seconds.");

struct RateKind
{
    const char* name;
    const char* what;
    Rate RelayLimits::*field;
};

constexpr RateKind kRates[] = {
    // What a rate counts, as "How many %1 one player may send" names it.
    {"note", QT_TRANSLATE_NOOP("ServerOptions", "notes and instrument changes"),
     &RelayLimits::notes},
    {"chat", QT_TRANSLATE_NOOP("ServerOptions", "chat lines"), &RelayLimits::chat},
    {"name", QT_TRANSLATE_NOOP("ServerOptions", "\"/name\" commands"), &RelayLimits::names},
};

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

// A positive finite number at least `least`, or nullopt.
std::optional<double> parseValue(const QString& text, double least)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < least || value <= 0)
        return std::nullopt;
    return value;
}

// An origin as browsers send it: http or https, a host, perhaps a port, nothing more.
bool isOrigin(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty() && url.path().isEmpty() && !url.hasQuery() && !url.hasFragment() &&
           url.userInfo().isEmpty();
}

} // namespace

ServerOptions::ServerOptions(QCommandLineParser& parser)
    : m_parser(parser),
      m_headless(QStringLiteral("headless"),
                 QCoreApplication::translate(
                     "ServerOptions", "Run without a window: serve at once, print the user list to "
                                      "standard output, stop on SIGTERM or SIGINT.")),
      m_verbose(verboseOption()),
      m_port(QStringLiteral("port"),
             QCoreApplication::translate("ServerOptions",
                                         "Listen for pianos on this TCP port (default %1).")
                 .arg(protocol::kPort),
             QStringLiteral("port")),
      m_maxRooms(QStringLiteral("max-rooms"),
                 QCoreApplication::translate(
                     "ServerOptions", "How many rooms may be open at once; past it, a new room is "
                                      "refused (default %1).")
                     .arg(kDefaultMaxRooms),
                 QStringLiteral("count")),
      m_web(QStringLiteral("web"),
            QCoreApplication::translate(
                "ServerOptions",
                "Also serve the browser piano on this TCP port: the lobby at /, a "
                "room's piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is "
                "main's), the rooms at /rooms.json (default: no web port)."),
            QStringLiteral("port")),
      m_webOrigin(QStringLiteral("web-origin"),
                  QCoreApplication::translate(
                      "ServerOptions",
                      "Also let pages from this origin (as https://piano.example.org) "
                      "open the WebSocket; repeat for more, or * for any. The page's "
                      "own host always may, unless none is given too (a page served "
                      "only through a proxy)."),
                  QStringLiteral("origin")),
      m_maxPerAddress(
          QStringLiteral("max-per-address"),
          QCoreApplication::translate("ServerOptions",
                                      "How many connections one IP address may hold, on both "
                                      "ports together; more are told why and closed before they "
                                      "take a seat (default %1; 0: no limit).")
              .arg(net::ConnectionCaps().perAddress),
          QStringLiteral("count")),
      m_maxConnections(QStringLiteral("max-connections"),
                       QCoreApplication::translate(
                           "ServerOptions", "How many connections the server holds in all (default "
                                            "%1).")
                           .arg(net::ConnectionCaps().total),
                       QStringLiteral("count")),
      m_trustedProxy(
          QStringLiteral("trusted-proxy"),
          QCoreApplication::translate("ServerOptions",
                                      "A reverse proxy in front of the web port, by IP address "
                                      "(repeat for more): its connections count as, and are "
                                      "listed as, the address it forwards (X-Forwarded-For or "
                                      "Forwarded). Those headers from anyone else are ignored."),
          QStringLiteral("address"))
{
    parser.setApplicationDescription(QCoreApplication::translate("ServerOptions", kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(m_headless);
    parser.addOption(m_verbose);
    parser.addOption(m_port);
    parser.addOption(m_maxRooms);
    parser.addOption(m_web);
    parser.addOption(m_webOrigin);
    parser.addOption(m_maxPerAddress);
    parser.addOption(m_maxConnections);
    parser.addOption(m_trustedProxy);
    const RelayLimits defaults;
    for (const RateKind& kind : kRates) {
        const Rate fallback = defaults.*kind.field;
        const QString name = QString::fromLatin1(kind.name);
        const QString what = QCoreApplication::translate("ServerOptions", kind.what);
        RateOptions options{
            QCommandLineOption(name + QStringLiteral("-rate"),
                               QCoreApplication::translate(
                                   "ServerOptions", "How many %1 one player may send per second "
                                                    "(default %2).")
                                   .arg(what, number(fallback.perSecond)),
                               QStringLiteral("per-second")),
            QCommandLineOption(
                name + QStringLiteral("-burst"),
                QCoreApplication::translate("ServerOptions",
                                            "How many %1 one player may send at once, above "
                                            "the rate (default %2).")
                    .arg(what, number(fallback.burst)),
                QStringLiteral("count")),
            kind.field};
        parser.addOption(options.rate);
        parser.addOption(options.burst);
        m_rates.push_back(std::move(options));
    }
}

bool ServerOptions::headless() const
{
    return m_parser.isSet(m_headless);
}

bool ServerOptions::verbose() const
{
    return m_parser.isSet(m_verbose);
}

std::optional<RelayLimits> ServerOptions::limits(QString* error) const
{
    RelayLimits limits;
    const auto read = [&](const QCommandLineOption& option, double least, double& into) {
        if (!m_parser.isSet(option))
            return true;
        const QString text = m_parser.value(option);
        const auto value = parseValue(text, least);
        if (!value) {
            *error = QCoreApplication::translate("ServerOptions",
                                                 "--%1 wants a number of at least %2, not \"%3\"")
                         .arg(option.names().constFirst(), number(least), text);
            return false;
        }
        into = *value;
        return true;
    };
    for (const RateOptions& options : m_rates) {
        Rate& rate = limits.*options.field;
        if (!read(options.rate, 0.001, rate.perSecond) || !read(options.burst, 1, rate.burst))
            return std::nullopt;
    }
    const auto count = [&](const QCommandLineOption& option, int least, int& into) {
        if (!m_parser.isSet(option))
            return true;
        const QString text = m_parser.value(option);
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < least) {
            *error = QCoreApplication::translate(
                         "ServerOptions", "--%1 wants a whole number of at least %2, not \"%3\"")
                         .arg(option.names().constFirst())
                         .arg(least)
                         .arg(text);
            return false;
        }
        into = value;
        return true;
    };
    if (!count(m_maxPerAddress, 0, limits.connections.perAddress) ||
        !count(m_maxConnections, 1, limits.connections.total))
        return std::nullopt;
    for (const QString& value : m_parser.values(m_trustedProxy)) {
        for (const QString& entry : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            QHostAddress address;
            if (!address.setAddress(entry.trimmed())) {
                *error = QCoreApplication::translate(
                             "ServerOptions", "--trusted-proxy wants an IP address, not \"%1\"")
                             .arg(entry.trimmed());
                return std::nullopt;
            }
            limits.trustedProxies << net::plainAddress(address);
        }
    }
    return limits;
}

} // namespace tamber::server

namespace tamber::server {

std::optional<ListenSettings> ServerOptions::listen(QString* error) const
{
    ListenSettings listen{protocol::kPort, kDefaultMaxRooms};
    if (m_parser.isSet(m_port)) {
        const QString text = m_parser.value(m_port);
        bool ok = false;
        const uint port = text.toUInt(&ok);
        if (!ok || port == 0 || port > 65535) {
            *error = QCoreApplication::translate("ServerOptions",
                                                 "--port wants a port from 1 to 65535, not \"%1\"")
                         .arg(text);
            return std::nullopt;
        }
        listen.port = quint16(port);
    }
    if (m_parser.isSet(m_maxRooms)) {
        const QString text = m_parser.value(m_maxRooms);
        bool ok = false;
        const uint rooms = text.toUInt(&ok);
        if (!ok || rooms == 0 || rooms > 1000000) {
            *error =
                QCoreApplication::translate(
                    "ServerOptions", "--max-rooms wants a number from 1 to 1000000, not \"%1\"")
                    .arg(text);
            return std::nullopt;
        }
        listen.maxRooms = int(rooms);
    }
    return listen;
}

std::optional<WebSettings> ServerOptions::web(QString* error) const
{
    WebSettings web;
    if (m_parser.isSet(m_web)) {
        const QString text = m_parser.value(m_web);
        const auto listen = this->listen(error);
        if (!listen)
            return std::nullopt;
        bool ok = false;
        const uint port = text.toUInt(&ok);
        if (!ok || port == 0 || port > 65535 || port == listen->port) {
            *error =
                QCoreApplication::translate(
                    "ServerOptions", "--web wants a port from 1 to 65535 other than %1, not \"%2\"")
                    .arg(listen->port)
                    .arg(text);
            return std::nullopt;
        }
        web.port = quint16(port);
    }
    for (const QString& value : m_parser.values(m_webOrigin)) {
        for (const QString& entry : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString origin = entry.trimmed();
            if (origin != QLatin1String("*") && origin != QLatin1String("none") &&
                !isOrigin(origin)) {
                *error = QCoreApplication::translate(
                             "ServerOptions", "--web-origin wants an origin such as "
                                              "https://piano.example.org, * or none, not \"%1\"")
                             .arg(origin);
                return std::nullopt;
            }
            web.allowedOrigins << origin;
        }
    }
    if (web.port == 0 && m_parser.isSet(m_webOrigin)) {
        *error = QCoreApplication::translate("ServerOptions", "--web-origin needs --web");
        return std::nullopt;
    }
    return web;
}

} // namespace tamber::server
