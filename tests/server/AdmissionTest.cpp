// Connections over the caps, on loopback: one address may hold only so many, across both
// ports; the one over is told why and closed before it takes a seat. A trusted proxy's web
// connections count as, and are listed as, the address it forwards.

#include "common/protocol/Messages.h"
#include "server/RelayServer.h"
#include "tests/server/RawWebSocket.h"
#include "tests/server/TestClient.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::RawWebSocket;
using testing::TestClient;
using testing::waitUntil;

const Fields kAddressFull{"ChatMsg", "Too many connections from your address."};
const Fields kAddressFarewell{"Farewell", "Too many connections from your address."};

class Admission : public ::testing::Test
{
protected:
    void start(int perAddress, QList<QHostAddress> trusted = {})
    {
        RelayLimits limits;
        limits.connections.perAddress = perAddress;
        limits.trustedProxies = std::move(trusted);
        server = std::make_unique<RelayServer>(limits);
        server->setWeb({0, QHostAddress::Any, {}, {dir.path(), {}}});
        ASSERT_TRUE(server->start(0, QHostAddress::Any)) << server->errorString().toStdString();
    }
    // A browser from `from`, with more header lines; read until it closes or is greeted.
    std::unique_ptr<RawWebSocket> browser(const char* from, const QByteArray& headers = {})
    {
        RawWebSocket::Options options;
        options.from = from;
        options.headers = headers;
        auto socket = std::make_unique<RawWebSocket>(server->webPort(), options);
        socket->readFor(300);
        return socket;
    }

    QTemporaryDir dir;
    std::unique_ptr<RelayServer> server;
};

TEST_F(Admission, OneOverTheCapOfItsAddressIsToldWhyAndClosedBeforeTakingASeat)
{
    start(2);
    TestClient first(server->port());
    first.skipGreeting(1);
    auto web = browser("127.0.0.1"); // the same address on the other port
    ASSERT_TRUE(web->messages().contains(Fields({"UserID", "User2", "2"})));
    first.take(2); // UserName 1 and 2

    TestClient third(server->port());
    EXPECT_EQ(third.take(2), (QList<Fields>{kAddressFull, kAddressFarewell}));
    EXPECT_TRUE(third.waitClosed());
    auto webThird = browser("127.0.0.1");
    EXPECT_TRUE(webThird->readUntilClosed());
    EXPECT_EQ(webThird->messages(), (QList<Fields>{kAddressFull, kAddressFarewell}));
    // Nobody was seated, nobody was told.
    waitUntil([] { return false; }, 100);
    EXPECT_TRUE(first.received.isEmpty());
    EXPECT_EQ(server->slotLines().value(2), "3. No User: 0.0.0.0");

    // Another address is welcome, and a place given back is free again.
    auto other = browser("127.0.0.2");
    EXPECT_TRUE(other->messages().contains(Fields({"UserID", "User3", "3"})));
    web.reset();
    ASSERT_TRUE(waitUntil([&] { return server->slotLines().value(1) == "2. No User: 0.0.0.0"; }));
    TestClient again(server->port());
    EXPECT_EQ(again.next(), (Fields{"UserID", "User2", "2"}));
}

TEST_F(Admission, ATrustedProxysClientIsCountedAndListedByTheAddressItForwards)
{
    start(1, {QHostAddress("127.0.0.3")});
    // Through the proxy: two clients of their own, each counted as itself.
    auto a = browser("127.0.0.3", "X-Forwarded-For: 10.9.9.9, 198.51.100.7\r\n");
    auto b = browser("127.0.0.3", "Forwarded: for=\"[2001:db8::17]:4711\"\r\n");
    ASSERT_TRUE(a->messages().contains(Fields({"UserID", "User1", "1"})));
    ASSERT_TRUE(b->messages().contains(Fields({"UserID", "User2", "2"})));
    EXPECT_EQ(server->slotLines().value(0), "1. User1: 198.51.100.7");
    EXPECT_EQ(server->slotLines().value(1), "2. User2: 2001:db8::17");
    // A second one from the same forwarded address is over its cap.
    auto again = browser("127.0.0.3", "X-Forwarded-For: 198.51.100.7\r\n");
    EXPECT_TRUE(again->readUntilClosed());
    EXPECT_EQ(again->messages(), (QList<Fields>{kAddressFull, kAddressFarewell}));

    // Anyone else's headers are ignored: listed and counted as itself.
    auto direct = browser("127.0.0.4", "X-Forwarded-For: 198.51.100.9\r\n");
    ASSERT_TRUE(direct->messages().contains(Fields({"UserID", "User3", "3"})));
    EXPECT_EQ(server->slotLines().value(2), "3. User3: 127.0.0.4");
    auto forged = browser("127.0.0.4", "X-Forwarded-For: 198.51.100.10\r\n");
    EXPECT_TRUE(forged->readUntilClosed());
    EXPECT_EQ(forged->messages(), (QList<Fields>{kAddressFull, kAddressFarewell}));
}

TEST_F(Admission, APageLoadTakesNoPlayersPlaceUnderTheAddressLimit)
{
    start(1);
    QFile index(dir.filePath(QStringLiteral("index.html")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("<p>lobby</p>");
    index.close();
    TestClient player(server->port());
    player.skipGreeting(1);
    // The address holds its one connection, yet its browser still gets the page...
    RawWebSocket page(server->webPort(), "127.0.0.1");
    page.send("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_TRUE(page.readUntilClosed());
    EXPECT_TRUE(page.bytes.startsWith("HTTP/1.1 200 OK\r\n")) << page.bytes.constData();
    // ...and a second player from it is still refused.
    auto second = browser("127.0.0.1");
    EXPECT_TRUE(second->readUntilClosed());
    EXPECT_EQ(second->messages(), (QList<Fields>{kAddressFull, kAddressFarewell}));
}

} // namespace
} // namespace tamber::server
