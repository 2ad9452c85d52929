#pragma once

// The command line of the relay, shared by CorventServer and the window program it starts:
// --headless, the TCP and web ports, the number of rooms and the flood-control rates, each
// shown in --help with its default.

#include "server/FloodControl.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <optional>

namespace tamber::server {

struct ListenSettings
{
    quint16 port = 0;
    int maxRooms = 0;
};

struct WebSettings
{
    quint16 port = 0; // 0: no web port
    QStringList allowedOrigins;
};

class ServerOptions
{
public:
    // Sets the description and adds --help, --version, --headless, --web, --web-origin and
    // the rates.
    explicit ServerOptions(QCommandLineParser& parser);

    bool headless() const;
    // --verbose: the relay's debug messages too.
    bool verbose() const;
    // The limits the command line asks for (rates, connection caps, trusted proxies), or
    // nullopt with *error naming the bad value.
    std::optional<RelayLimits> limits(QString* error) const;
    // The TCP port and the number of rooms, or nullopt with *error naming the bad value.
    std::optional<ListenSettings> listen(QString* error) const;
    // The web port the command line asks for, or nullopt with *error naming the bad value.
    std::optional<WebSettings> web(QString* error) const;

private:
    struct RateOptions
    {
        QCommandLineOption rate;
        QCommandLineOption burst;
        Rate RelayLimits::*field;
    };

    QCommandLineParser& m_parser;
    QCommandLineOption m_headless;
    QCommandLineOption m_verbose;
    QCommandLineOption m_port;
    QCommandLineOption m_maxRooms;
    QCommandLineOption m_web;
    QCommandLineOption m_webOrigin;
    QCommandLineOption m_maxPerAddress;
    QCommandLineOption m_maxConnections;
    QCommandLineOption m_trustedProxy;
    std::vector<RateOptions> m_rates;
};

} // namespace tamber::server
