// The relay on real sockets: real QTcpSocket clients on 127.0.0.1 and an ephemeral port.

#include "server/RelayServer.h"
#include "tests/server/TestClient.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

class RelayServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.start(0, QHostAddress::LocalHost)); }

    TestClient& join()
    {
        clients.push_back(std::make_unique<TestClient>(server.port()));
        return *clients.back();
    }
    // Joins n clients and consumes every greeting they cause, so each starts with nothing.
    void joinAll(int n)
    {
        for (int i = 0; i < n; ++i) {
            join();
            for (int c = 0; c <= i; ++c)
                clients[c]->take(c == i ? 2 + i + 1 : i + 1);
        }
    }

    RelayServer server;
    std::vector<std::unique_ptr<TestClient>> clients;
};

TEST_F(RelayServerTest, GreetsNewClientThenTellsEveryoneWhoIsPresent)
{
    joinAll(2);
    TestClient& third = join();
    EXPECT_EQ(third.take(5), (QList<Fields>{{"UserID", "User3", "3"},
                                            {"ChatMsg", "Welcome to Corvent!"},
                                            {"UserName", "1", "User1"},
                                            {"UserName", "2", "User2"},
                                            {"UserName", "3", "User3"}}));
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(clients[c]->take(3), (QList<Fields>{{"UserName", "1", "User1"},
                                                      {"UserName", "2", "User2"},
                                                      {"UserName", "3", "User3"}}));
    }
    EXPECT_EQ(server.slotLines().at(2), "3. User3: 127.0.0.1");
    EXPECT_EQ(server.slotLines().at(3), "4. No User: 0.0.0.0");
}

TEST_F(RelayServerTest, GreetingBytesAreExact)
{
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, server.port());
    QByteArray bytes;
    waitUntil([&] {
        bytes += raw.readAll();
        return bytes.size() >= 62;
    });
    QByteArray expected("UserID\0User1\0"
                        "1\0\x01"
                        "ChatMsg\0Welcome to Corvent!\0\x01"
                        "UserName\0"
                        "1\0User1\0\x01",
                        13 + 3 + 29 + 1 + 17);
    EXPECT_EQ(bytes, expected);
}

TEST_F(RelayServerTest, FreedSlotsAreTakenLowestFirstAndDeparturesAnnounced)
{
    joinAll(3);
    clients[1]->socket.disconnectFromHost(); // an orderly close
    for (int c : {0, 2})
        EXPECT_EQ(clients[c]->next(), (Fields{"UserName", "2", "-"}));
    EXPECT_TRUE(waitUntil([&] { return server.slotLines().at(1) == "2. No User: 0.0.0.0"; }));

    TestClient& next = join();
    EXPECT_EQ(next.next(), (Fields{"UserID", "User2", "2"}));

    clients[2]->socket.abort(); // a reset is announced just the same
    for (int c : {0, 3}) {
        const QList<Fields> got = clients[c]->take(c == 0 ? 4 : 5);
        EXPECT_EQ(got.back(), (Fields{"UserName", "3", "-"}));
    }
}

TEST_F(RelayServerTest, NinthClientIsClosedAtOnceAndTheEightNoticeNothing)
{
    joinAll(8);
    const QStringList lines = server.slotLines();
    QTcpSocket ninth;
    QByteArray ninthGot;
    QObject::connect(&ninth, &QTcpSocket::readyRead, [&] { ninthGot += ninth.readAll(); });
    ninth.connectToHost(QHostAddress::LocalHost, server.port());
    EXPECT_TRUE(waitUntil([&] { return ninth.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(ninthGot.isEmpty());
    EXPECT_EQ(server.slotLines(), lines);

    // The next thing each of the eight sees is an ordinary relay.
    clients[7]->send({"NoteOff", "60"});
    for (auto& client : clients)
        EXPECT_EQ(client->next(), (Fields{"NoteOff", "60", "8"}));
}

TEST_F(RelayServerTest, WhatAClientSentJustBeforeLeavingIsStillRelayed)
{
    joinAll(2);
    clients[0]->send({"ChatMsg", "bye"});
    clients[0]->socket.disconnectFromHost();
    EXPECT_EQ(clients[1]->take(2),
              (QList<Fields>{{"ChatMsg", "User1: bye"}, {"UserName", "1", "-"}}));
}

TEST_F(RelayServerTest, StopClosesEveryClientSilentlyAndStartServesAgain)
{
    joinAll(3);
    QSignalSpy lists(&server, &RelayServer::listChanged);
    server.stop();
    EXPECT_FALSE(server.isRunning());
    for (auto& client : clients) {
        EXPECT_TRUE(client->waitClosed());
        EXPECT_TRUE(client->received.isEmpty()) << client->received.first().first().constData();
    }
    EXPECT_EQ(lists.size(), 8);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(server.slotLines().at(n - 1), QStringLiteral("%1. No User: 0.0.0.0").arg(n));

    clients.clear();
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
    TestClient& again = join();
    EXPECT_EQ(again.next(), (Fields{"UserID", "User1", "1"}));
}

TEST_F(RelayServerTest, PortInUseLeavesTheServerStoppedWithAReason)
{
    RelayServer second;
    EXPECT_FALSE(second.start(server.port(), QHostAddress::LocalHost));
    EXPECT_FALSE(second.isRunning());
    EXPECT_FALSE(second.errorString().isEmpty());
}

TEST_F(RelayServerTest, TextWithoutSohIsBoundedAndItsTailNeverHandled)
{
    joinAll(2);
    // A message split over two reads is handled once its SOH arrives.
    clients[0]->sendRaw(QByteArray("NoteOn\0"
                                   "6",
                                   8));
    waitUntil([] { return false; }, 20);
    // Far past the pending cap without an SOH; its tail carries what looks like a message.
    clients[0]->sendRaw(QByteArray(3 * kPendingCap, 'x'));
    waitUntil([] { return false; }, 20);
    clients[0]->sendRaw(QByteArray("\0"
                                   "1\0\x01",
                                   4) +
                        protocol::buildMessage({"NoteOff", "61"}));
    EXPECT_EQ(clients[1]->next(), (Fields{"NoteOff", "61", "1"}));
    EXPECT_TRUE(clients[1]->received.isEmpty());
}

TEST(RelayServerCaps, AClientThatDoesNotReadIsClosedAndAnnounced)
{
    // Well above what one read can queue for a client that does read.
    RelayLimits limits;
    limits.outputCap = 256 * 1024;
    limits.stallTimeout = std::chrono::milliseconds(500);
    limits.notes = {1e6, 1e5};
    RelayServer server(limits);
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
    QTcpSocket idle; // never reads what it is sent
    idle.setReadBufferSize(1);
    idle.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(idle.waitForConnected(5000));
    TestClient player(server.port());
    player.take(4);

    QByteArray burst;
    for (int i = 0; i < 2000; ++i)
        burst += protocol::buildMessage({"NoteOn", "60", "127"});
    const bool announced = waitUntil(
        [&] {
            if (player.socket.bytesToWrite() == 0)
                player.sendRaw(burst);
            for (const Fields& f : player.received) {
                if (f == Fields{"UserName", "1", "-"})
                    return true;
            }
            player.received.clear();
            return false;
        },
        30000);
    EXPECT_TRUE(announced);
    EXPECT_EQ(player.socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(server.slotLines().at(0), "1. No User: 0.0.0.0");
}

} // namespace
} // namespace tamber::server
