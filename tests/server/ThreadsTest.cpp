// Rooms on several threads, over loopback: a player moving between rooms on different threads
// keeps the order of everything it sent and was sent, the room lists count players on every
// thread, owners' and the operator's powers reach rooms on any thread, and every connection's
// place under the per-address limit is given back wherever it closes.

#include "server/RelayServer.h"
#include "tests/server/RawWebSocket.h"
#include "tests/server/TestClient.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

QList<Fields> farewell(const QByteArray& reason)
{
    return {{"ChatMsg", reason}, {"Farewell", reason}};
}

class Threads : public ::testing::Test
{
protected:
    void SetUp() override { start({}); }
    void start(const RelayLimits& limits)
    {
        server = std::make_unique<RelayServer>(limits, kDefaultMaxRooms, 3);
        server->setWeb({0, QHostAddress::LocalHost, {}, {dir.path(), {}}});
        ASSERT_TRUE(server->start(0, QHostAddress::LocalHost));
    }
    TestClient& join(const QByteArray& room, int present)
    {
        clients.push_back(std::make_unique<TestClient>(server->port()));
        TestClient& client = *clients.back();
        client.send({"ChatMsg", "/join " + room});
        client.skipGreeting(present);
        return client;
    }
    // The lists as the rooms last reported them, once they say `expected`.
    bool roomsAre(const QList<std::pair<QByteArray, int>>& expected)
    {
        return waitUntil([&] {
            QList<std::pair<QByteArray, int>> listed;
            for (const RoomListing& room : server->rooms())
                listed.append({room.name, room.players});
            return listed == expected;
        });
    }

    QTemporaryDir dir;
    std::unique_ptr<RelayServer> server;
    std::vector<std::unique_ptr<TestClient>> clients;
};

TEST_F(Threads, AMoveToAnotherThreadKeepsEveryMessageInOrderBothWays)
{
    TestClient& staying = join("main", 1);
    TestClient& mover = join("main", 2);
    TestClient& there = join("blues", 1);
    ASSERT_NE(server->threadOf("main"), server->threadOf("blues"));
    staying.take(1);

    // What main sends the mover up to its move reaches it before blues greets it; what it sends
    // behind its "/join", a message cut in two included, is blues's, in order.
    QByteArray notes;
    for (int i = 0; i < 200; ++i)
        notes += protocol::buildMessage({"NoteOn", QByteArray::number(i), "1"});
    staying.sendRaw(notes);
    QByteArray burst = protocol::buildMessage({"ChatMsg", "/join Blues"});
    for (int i = 0; i < 100; ++i)
        burst += protocol::buildMessage({"NoteOn", QByteArray::number(i), "2"});
    const QByteArray last = protocol::buildMessage({"NoteOff", "99"});
    mover.sendRaw(burst + last.left(4));
    ASSERT_TRUE(waitUntil([&] { return there.received.size() >= 2 + 100; }));
    mover.sendRaw(last.mid(4));

    const QList<Fields> atThere = there.take(2 + 101);
    EXPECT_EQ(atThere.mid(0, 2),
              (QList<Fields>{{"UserName", "1", "User1"}, {"UserName", "2", "User2"}}));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(atThere.value(2 + i), (Fields{"NoteOn", QByteArray::number(i), "2", "2"}));
    EXPECT_EQ(atThere.value(102), (Fields{"NoteOff", "99", "2"}));

    ASSERT_TRUE(waitUntil([&] { return mover.received.size() >= 5 + 101; }));
    const qsizetype greeted = mover.received.indexOf(Fields{"UserID", "User2", "2"});
    ASSERT_GE(greeted, 0);
    for (qsizetype i = 0; i < greeted; ++i)
        EXPECT_EQ(mover.received.value(i), (Fields{"NoteOn", QByteArray::number(i), "1", "1"}));
    EXPECT_EQ(mover.received.value(greeted + 1),
              (Fields{"ChatMsg", "Welcome to Corvent! This is room blues."}));
    EXPECT_EQ(mover.received.value(greeted + 5), (Fields{"NoteOn", "0", "2", "2"}));
    EXPECT_EQ(staying.received.count(Fields{"UserName", "2", "-"}), 1);
    EXPECT_TRUE(roomsAre({{"blues", 2}, {"main", 1}}));
}

TEST_F(Threads, TheListsCountPlayersOnEveryThread)
{
    TestClient& asker = join("a", 1);
    join("b", 1);
    join("b", 2);
    join("c", 1);
    join("c", 2);
    join("c", 3);
    TestClient& hidden = join("d", 1);
    hidden.send({"ChatMsg", "/private"});
    ASSERT_TRUE(roomsAre({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 1}}));
    EXPECT_EQ(hidden.next(), (Fields{"ChatMsg", "The room is private: it is not listed, but anyone "
                                                "who knows its name may join."}));
    QSet<int> threads;
    for (const char* room : {"a", "b", "c"})
        threads.insert(server->threadOf(room));
    EXPECT_EQ(threads.size(), 3);

    asker.send({"ChatMsg", "/rooms"});
    EXPECT_EQ(asker.take(3), (QList<Fields>{{"ChatMsg", "a: 1 of 8 seats taken"},
                                            {"ChatMsg", "b: 2 of 8 seats taken"},
                                            {"ChatMsg", "c: 3 of 8 seats taken"}}));
    QTcpSocket page;
    page.connectToHost(QHostAddress::LocalHost, server->webPort());
    page.write("GET /rooms.json HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray answer;
    waitUntil([&] {
        answer += page.readAll();
        return page.state() == QAbstractSocket::UnconnectedState;
    });
    EXPECT_TRUE(answer.endsWith("[{\"name\":\"a\",\"players\":1,\"seats\":8},"
                                "{\"name\":\"b\",\"players\":2,\"seats\":8},"
                                "{\"name\":\"c\",\"players\":3,\"seats\":8}]"))
        << answer.constData();

    // The asker moves from its thread to another; its room goes with it.
    asker.send({"ChatMsg", "/join c"});
    EXPECT_TRUE(roomsAre({{"b", 2}, {"c", 4}, {"d", 1}}));
    EXPECT_EQ(server->threadOf("a"), -1);
}

TEST_F(Threads, OwnersAndTheOperatorReachRoomsOnAnyThread)
{
    TestClient& owner = join("jazz", 1);
    TestClient& victim = join("jazz", 2);
    TestClient& elsewhere = join("blues", 1);
    ASSERT_NE(server->threadOf("jazz"), server->threadOf("blues"));
    ASSERT_TRUE(waitUntil([&] { return owner.received.size() >= 2; }));
    owner.received.clear();

    owner.send({"ChatMsg", "/ban 2 5"});
    EXPECT_EQ(victim.take(2), farewell("You were sent out of room jazz by the owner and may not "
                                       "return for 5 minutes."));
    EXPECT_TRUE(victim.waitClosed());
    // The ban holds the address: the player on the other thread, from the same one, stays.
    elsewhere.send({"ChatMsg", "/join jazz"});
    EXPECT_EQ(elsewhere.next(), (Fields{"ChatMsg", "You are banned from room jazz."}));
    owner.send({"ChatMsg", "/unban"});
    owner.send({"ChatMsg", "/lock"});
    ASSERT_TRUE(waitUntil([&] {
        return owner.received.contains(Fields{"RoomInfo", "jazz", "1", "1"});
    }));
    elsewhere.send({"ChatMsg", "/join jazz"});
    EXPECT_EQ(elsewhere.next(), (Fields{"ChatMsg", "Room jazz is locked."}));
    elsewhere.send({"ChatMsg", "still here"});
    EXPECT_EQ(elsewhere.next(), (Fields{"ChatMsg", "User1: still here"}));

    EXPECT_TRUE(server->kick("blues", 1));
    EXPECT_EQ(elsewhere.take(2), farewell("You were sent out of room blues by the operator."));
    EXPECT_TRUE(elsewhere.waitClosed());
}

TEST_F(Threads, ANinthBrowserInAFullMainIsAnsweredThenClosedWithoutAWord)
{
    for (int i = 1; i <= 8; ++i)
        join("main", i);
    testing::RawWebSocket ninth(server->webPort(), testing::RawWebSocket::Options{});
    EXPECT_TRUE(ninth.readUntilClosed());
    EXPECT_TRUE(ninth.bytes.startsWith("HTTP/1.1 101 ")) << ninth.bytes.constData();
    EXPECT_TRUE(ninth.messages().isEmpty());
    EXPECT_EQ(ninth.frames().value(0).opcode, 8); // the close
}

TEST_F(Threads, EveryConnectionsPlaceUnderTheAddressLimitComesBackWhereverItCloses)
{
    RelayLimits limits;
    limits.connections.perAddress = 3;
    start(limits);
    const QHostAddress local = QHostAddress::LocalHost;
    join("a", 1);
    TestClient& mover = join("b", 1);
    join("c", 1);
    // Moved to another thread, a connection still counts once.
    mover.send({"ChatMsg", "/join a"});
    EXPECT_EQ(mover.take(5).value(1), (Fields{"ChatMsg", "Welcome to Corvent! This is room a."}));
    EXPECT_EQ(server->connectionsFrom(local), 3);
    TestClient over(server->port());
    EXPECT_EQ(over.take(2), farewell("Too many connections from your address."));

    clients.clear();
    EXPECT_TRUE(waitUntil([&] { return server->connectionsFrom(local) == 0; }));
    for (int i = 1; i <= 3; ++i)
        join("a", i);
    EXPECT_EQ(server->connectionsFrom(local), 3);
}

} // namespace
} // namespace tamber::server
