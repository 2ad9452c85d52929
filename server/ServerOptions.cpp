#include "ServerOptions.h"

#include "common/logging/VerboseLogging.h"
#include "common/protocol/Codec.h"

#include <QUrl>
#include <cmath>

namespace tamber::server {

namespace {

constexpr auto kDescription =
    "Relays the notes, instruments and chat of up to eight Tamber Piano players on TCP port "
    "9050.\n\n"
    "Window mode (the default) shows the Corvent Server window; the service listens once "
    "Start is pressed.\n"
    "Headless mode (--headless) needs no display: it listens at once, prints the eight-line "
    "user list to standard output each time it changes, and stops on SIGTERM or SIGINT.\n\n"
    "With --web PORT it also serves the browser piano at http://HOST:PORT/: players in a web "
    "browser take the same eight seats.\n\n"
    "A player who sends faster than the rates below is slowed down, not cut off: the server "
    "reads that player's connection later, so nothing is lost and the others notice nothing. "
    "A player whose program stops reading is disconnected once 1 MiB waits for it and it has "
    "taken nothing for five seconds.";

struct RateKind
{
    const char* name;
    const char* what;
    Rate RelayLimits::*field;
};

constexpr RateKind kRates[] = {
    {"note", "notes and instrument changes", &RelayLimits::notes},
    {"chat", "chat lines", &RelayLimits::chat},
    {"name", "\"/name\" commands", &RelayLimits::names},
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
                 QStringLiteral("Run without a window: serve at once, print the user list to "
                                "standard output, stop on SIGTERM or SIGINT.")),
      m_verbose(verboseOption()),
      m_web(QStringLiteral("web"),
            QStringLiteral("Also serve the browser piano on this TCP port: the page at / and its "
                           "WebSocket at /ws (default: no web port)."),
            QStringLiteral("port")),
      m_webOrigin(QStringLiteral("web-origin"),
                  QStringLiteral("Also let pages from this origin (as https://piano.example.org) "
                                 "open the WebSocket; repeat for more, or * for any. The page's "
                                 "own host always may, unless none is given too (a page served "
                                 "only through a proxy)."),
                  QStringLiteral("origin"))
{
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(m_headless);
    parser.addOption(m_verbose);
    parser.addOption(m_web);
    parser.addOption(m_webOrigin);
    const RelayLimits defaults;
    for (const RateKind& kind : kRates) {
        const Rate fallback = defaults.*kind.field;
        const QString name = QString::fromLatin1(kind.name);
        const QString what = QString::fromLatin1(kind.what);
        RateOptions options{
            QCommandLineOption(name + QStringLiteral("-rate"),
                               QStringLiteral("How many %1 one player may send per second "
                                              "(default %2).")
                                   .arg(what, number(fallback.perSecond)),
                               QStringLiteral("per-second")),
            QCommandLineOption(name + QStringLiteral("-burst"),
                               QStringLiteral("How many %1 one player may send at once, above "
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
            *error = QStringLiteral("--%1 wants a number of at least %2, not \"%3\"")
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
    return limits;
}

} // namespace tamber::server

namespace tamber::server {

std::optional<WebSettings> ServerOptions::web(QString* error) const
{
    WebSettings web;
    if (m_parser.isSet(m_web)) {
        const QString text = m_parser.value(m_web);
        bool ok = false;
        const uint port = text.toUInt(&ok);
        if (!ok || port == 0 || port > 65535 || port == protocol::kPort) {
            *error = QStringLiteral("--web wants a port from 1 to 65535 other than %1, not \"%2\"")
                         .arg(protocol::kPort)
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
                *error = QStringLiteral("--web-origin wants an origin such as "
                                        "https://piano.example.org, * or none, not \"%1\"")
                             .arg(origin);
                return std::nullopt;
            }
            web.allowedOrigins << origin;
        }
    }
    if (web.port == 0 && m_parser.isSet(m_webOrigin)) {
        *error = QStringLiteral("--web-origin needs --web");
        return std::nullopt;
    }
    return web;
}

} // namespace tamber::server
