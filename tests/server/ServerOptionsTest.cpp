// The relay's command line: defaults, the rates, and values it refuses.

#include "server/ServerOptions.h"

#include "common/logging/VerboseLogging.h"
#include "server/RelayLog.h"

#include <gtest/gtest.h>

namespace tamber::server {
namespace {

std::optional<RelayLimits> parse(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    const ServerOptions options(parser);
    EXPECT_TRUE(parser.parse(QStringList{QStringLiteral("CorventServer")} + arguments))
        << parser.errorText().toStdString();
    return options.limits(error);
}

TEST(ServerOptions, EachRateAndBurstCanBeSetAndBadValuesAreNamed)
{
    QString error;
    const auto defaults = parse({}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->notes.perSecond, 1000);
    EXPECT_EQ(defaults->notes.burst, 500);
    EXPECT_EQ(defaults->chat.perSecond, 10);
    EXPECT_EQ(defaults->chat.burst, 20);
    EXPECT_EQ(defaults->names.perSecond, 2);

    const auto set = parse({"--note-rate", "2000", "--note-burst=50", "--chat-rate", "0.5",
                            "--chat-burst", "3", "--name-rate", "1", "--name-burst", "1"},
                           &error);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->notes.perSecond, 2000);
    EXPECT_EQ(set->notes.burst, 50);
    EXPECT_EQ(set->chat.perSecond, 0.5);
    EXPECT_EQ(set->chat.burst, 3);
    EXPECT_EQ(set->names.perSecond, 1);
    EXPECT_EQ(set->names.burst, 1);

    for (const QStringList& bad :
         {QStringList{"--note-rate", "0"}, QStringList{"--chat-rate", "fast"},
          QStringList{"--name-burst", "0.5"}, QStringList{"--note-rate", "inf"},
          QStringList{"--chat-burst", "-3"}}) {
        error.clear();
        EXPECT_FALSE(parse(bad, &error)) << bad.join(' ').toStdString();
        EXPECT_TRUE(error.contains(bad[0]) && error.contains(bad[1])) << error.toStdString();
    }
}

TEST(ServerOptions, ConnectionCapsAndTrustedProxiesCanBeSetAndBadValuesAreNamed)
{
    QString error;
    const auto defaults = parse({}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->connections.perAddress, 16);
    EXPECT_EQ(defaults->connections.total, 10000);
    EXPECT_TRUE(defaults->trustedProxies.isEmpty());

    const auto set = parse({"--max-per-address", "0", "--max-connections=50", "--trusted-proxy",
                            "127.0.0.1", "--trusted-proxy", "::1,10.0.0.2"},
                           &error);
    ASSERT_TRUE(set) << error.toStdString();
    EXPECT_EQ(set->connections.perAddress, 0);
    EXPECT_EQ(set->connections.total, 50);
    EXPECT_EQ(set->trustedProxies,
              (QList<QHostAddress>{QHostAddress("127.0.0.1"), QHostAddress("::1"),
                                   QHostAddress("10.0.0.2")}));

    for (const QStringList& bad :
         {QStringList{"--max-per-address", "-1"}, QStringList{"--max-connections", "0"},
          QStringList{"--max-connections", "many"}, QStringList{"--trusted-proxy", "nginx"}}) {
        error.clear();
        EXPECT_FALSE(parse(bad, &error)) << bad.join(' ').toStdString();
        EXPECT_TRUE(error.contains(bad[0]) && error.contains(bad[1])) << error.toStdString();
    }
}

// --verbose is read, and it turns on the debug messages of our categories only.
TEST(ServerOptions, VerboseTurnsOnTheRelayDebugMessages)
{
    QCommandLineParser quiet;
    const ServerOptions quietOptions(quiet);
    ASSERT_TRUE(quiet.parse({QStringLiteral("CorventServer")}));
    EXPECT_FALSE(quietOptions.verbose());
    EXPECT_FALSE(lcRelay().isDebugEnabled());
    EXPECT_TRUE(lcRelay().isInfoEnabled());

    QCommandLineParser parser;
    const ServerOptions options(parser);
    ASSERT_TRUE(parser.parse({QStringLiteral("CorventServer"), QStringLiteral("--verbose")}));
    EXPECT_TRUE(options.verbose());
    enableVerboseLogging();
    EXPECT_TRUE(lcRelay().isDebugEnabled());
    EXPECT_FALSE(QLoggingCategory("qt.network.ssl").isDebugEnabled());
}

TEST(ServerOptions, TheWebPortAndItsOriginsAreOptionalAndBadOnesNamed)
{
    const auto web = [](const QStringList& arguments, QString* error) {
        QCommandLineParser parser;
        const ServerOptions options(parser);
        EXPECT_TRUE(parser.parse(QStringList{QStringLiteral("CorventServer")} + arguments));
        return options.web(error);
    };
    QString error;
    ASSERT_TRUE(web({}, &error));
    EXPECT_EQ(web({}, &error)->port, 0);
    const auto set = web({"--web", "8080", "--web-origin", "https://piano.example.org",
                          "--web-origin=http://10.0.0.2:8080,*"},
                         &error);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->port, 8080);
    EXPECT_EQ(set->allowedOrigins,
              QStringList({"https://piano.example.org", "http://10.0.0.2:8080", "*"}));
    const auto proxied =
        web({"--web", "8080", "--web-origin", "none,https://piano.example.org"}, &error);
    ASSERT_TRUE(proxied);
    EXPECT_EQ(proxied->allowedOrigins, QStringList({"none", "https://piano.example.org"}));

    for (const QStringList& bad :
         {QStringList{"--web", "0"},
          {"--web", "65536"},
          {"--web", "9050"},
          {"--web", "http"},
          {"--web", "8080", "--web-origin", "piano.example.org"},
          {"--web", "8080", "--web-origin", "https://piano.example.org/path"},
          {"--web", "8080", "--web-origin", "ftp://piano.example.org"},
          {"--web-origin", "https://piano.example.org"}}) {
        error.clear();
        EXPECT_FALSE(web(bad, &error)) << bad.join(' ').toStdString();
        EXPECT_TRUE(error.startsWith(bad.size() > 2 || bad[0] == "--web-origin" ? "--web-origin"
                                                                                : "--web "))
            << error.toStdString();
    }
}

} // namespace
} // namespace tamber::server
