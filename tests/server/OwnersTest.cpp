// Room owners over loopback: kicked and banned players, desktop and browser, go with their
// reason and cannot come back while banned, while the others play on; a locked room refuses;
// a private room is missing from the lists; ownership passes on when the owner leaves.

#include "server/RelayServer.h"
#include "tests/server/RawWebSocket.h"
#include "tests/server/TestClient.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::RawWebSocket;
using testing::TestClient;
using testing::waitUntil;

QList<Fields> farewell(const QByteArray& reason)
{
    return {{"ChatMsg", reason}, {"Farewell", reason}};
}

class Owners : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.setWeb({0, QHostAddress::Any, {}, {dir.path(), {}}});
        ASSERT_TRUE(server.start(0, QHostAddress::Any)) << server.errorString().toStdString();
    }
    // A desktop piano that asks for the room first; its greeting is taken.
    std::unique_ptr<TestClient> join(const QByteArray& room, int present)
    {
        auto client = std::make_unique<TestClient>(server.port());
        client->send({"ChatMsg", "/join " + room});
        client->skipGreeting(present);
        return client;
    }
    // A browser on the room's page, from its own loopback address; read until greeted or closed.
    std::unique_ptr<RawWebSocket> browser(const QByteArray& room, const char* from)
    {
        RawWebSocket::Options options;
        options.path = "/r/" + room + "/ws";
        options.from = from;
        auto socket = std::make_unique<RawWebSocket>(server.webPort(), options);
        socket->readFor(300);
        return socket;
    }
    // The lines "/rooms" answers, asked by `client`.
    QList<Fields> roomsSeenBy(TestClient& client, int lines)
    {
        client.received.clear();
        client.send({"ChatMsg", "/rooms"});
        return client.take(lines);
    }

    QTemporaryDir dir;
    RelayServer server;
};

TEST_F(Owners, KickedAndBannedPlayersGoWithTheirReasonWhileTheOthersPlayOn)
{
    auto owner = join("jazz", 1);
    auto desk = join("jazz", 2);
    auto web = browser("jazz", "127.0.0.2");
    ASSERT_TRUE(web->messages().contains(Fields({"RoomInfo", "jazz", "1", "0"})));
    // Each arrival told the others who is here: 1 and 2, then 1, 2 and 3.
    ASSERT_TRUE(
        waitUntil([&] { return owner->received.size() >= 5 && desk->received.size() >= 3; }));
    owner->received.clear();
    desk->received.clear();

    owner->send({"ChatMsg", "/kick 2"});
    EXPECT_EQ(desk->take(2), farewell("You were sent out of room jazz by the owner."));
    EXPECT_TRUE(desk->waitClosed());
    EXPECT_EQ(owner->take(2), (QList<Fields>{{"UserName", "2", "-"},
                                             {"ChatMsg", "User2 was sent out by the owner."}}));

    owner->send({"ChatMsg", "/ban 3 5"});
    EXPECT_TRUE(web->readUntilClosed());
    const QList<Fields> atWeb = web->messages();
    EXPECT_EQ(atWeb.mid(atWeb.size() - 2),
              farewell("You were sent out of room jazz by the owner and may not return for 5 "
                       "minutes."));
    EXPECT_EQ(owner->take(2), (QList<Fields>{{"UserName", "3", "-"},
                                             {"ChatMsg", "User3 was sent out by the owner."}}));

    // The banned address may not return, on either port; the kicked one may.
    auto again = browser("jazz", "127.0.0.2");
    EXPECT_TRUE(again->readUntilClosed());
    EXPECT_EQ(again->messages(), farewell("You are banned from room jazz."));
    auto back = join("jazz", 2);
    back->send({"NoteOn", "60", "100"});
    EXPECT_TRUE(waitUntil([&] { return owner->received.size() >= 3; }));
    EXPECT_EQ(owner->take(3), (QList<Fields>{{"UserName", "1", "User1"},
                                             {"UserName", "2", "User2"},
                                             {"NoteOn", "60", "100", "2"}}));
    // "/unban" lets it in again.
    owner->send({"ChatMsg", "/unban"});
    EXPECT_EQ(owner->next(), (Fields{"ChatMsg", "The room's bans are lifted."}));
    auto forgiven = browser("jazz", "127.0.0.2");
    EXPECT_TRUE(forgiven->messages().contains(Fields({"UserID", "User3", "3"})));
}

TEST_F(Owners, OnlyTheOwnerCommandsALockedRoomRefusesAndOwnershipPassesOn)
{
    auto owner = join("jazz", 1);
    auto other = join("jazz", 2);
    other->send({"ChatMsg", "/lock"});
    EXPECT_EQ(other->next(), (Fields{"ChatMsg", "Only the room's owner can do that."}));

    owner->received.clear();
    owner->send({"ChatMsg", "/lock"});
    EXPECT_TRUE(waitUntil([&] {
        return other->received.contains(Fields{"RoomInfo", "jazz", "1", "1"});
    }));
    TestClient late(server.port());
    late.send({"ChatMsg", "/join JAZZ"});
    EXPECT_EQ(late.take(2), farewell("Room jazz is locked."));
    EXPECT_TRUE(late.waitClosed());
    // A player elsewhere asking to move in stays where it is.
    auto elsewhere = join("blues", 1);
    elsewhere->send({"ChatMsg", "/join jazz"});
    EXPECT_EQ(elsewhere->next(), (Fields{"ChatMsg", "Room jazz is locked."}));

    // The owner goes: the player seated longest owns the room, and may unlock it.
    other->received.clear();
    owner->socket.disconnectFromHost();
    EXPECT_TRUE(waitUntil([&] {
        return other->received.contains(Fields{"RoomInfo", "jazz", "2", "1"});
    }));
    other->send({"ChatMsg", "/unlock"});
    EXPECT_TRUE(waitUntil([&] {
        return other->received.contains(Fields{"RoomInfo", "jazz", "2", "0"});
    }));
    elsewhere->received.clear();
    elsewhere->send({"ChatMsg", "/join jazz"});
    EXPECT_EQ(elsewhere->next(), (Fields{"UserID", "User1", "1"}));
}

TEST_F(Owners, APrivateRoomIsMissingFromTheListsButCanBeJoinedByName)
{
    auto owner = join("jazz", 1);
    auto blues = join("blues", 1);
    owner->send({"ChatMsg", "/private"});
    EXPECT_TRUE(waitUntil([&] { return owner->received.size() >= 1; }));
    EXPECT_EQ(roomsSeenBy(*blues, 1), (QList<Fields>{{"ChatMsg", "blues: 1 of 8 seats taken"}}));
    RawWebSocket lobby(server.webPort(), "127.0.0.1");
    lobby.send("GET /rooms.json HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_TRUE(lobby.readUntilClosed());
    EXPECT_TRUE(lobby.bytes.endsWith("\r\n\r\n[{\"name\":\"blues\",\"players\":1,\"seats\":8}]"))
        << lobby.bytes.constData();
    auto guest = join("jazz", 2); // by name, as ever

    owner->send({"ChatMsg", "/public"});
    EXPECT_TRUE(waitUntil([&] { return guest->received.size() >= 1; }));
    EXPECT_EQ(roomsSeenBy(*blues, 2), (QList<Fields>{{"ChatMsg", "blues: 1 of 8 seats taken"},
                                                     {"ChatMsg", "jazz: 2 of 8 seats taken"}}));
}

TEST_F(Owners, TheOperatorSendsAnyoneOutOfAnyRoomMainIncluded)
{
    TestClient plain(server.port()); // an old piano, in main
    plain.skipGreeting(1);
    auto owner = join("jazz", 1);
    auto other = join("jazz", 2);
    EXPECT_TRUE(server.kick("main", 1));
    EXPECT_EQ(plain.take(2), farewell("You were sent out of room main by the operator."));
    EXPECT_TRUE(plain.waitClosed());
    EXPECT_FALSE(server.kick("main", 1));

    // Its owner sent out, a room passes to the one seated longest.
    ASSERT_TRUE(waitUntil([&] { return owner->received.size() >= 2; })); // 2 arrived
    owner->received.clear();
    other->received.clear();
    EXPECT_TRUE(server.kick("JAZZ", 1));
    EXPECT_EQ(owner->take(2), farewell("You were sent out of room jazz by the operator."));
    EXPECT_TRUE(waitUntil([&] { return other->received.size() >= 3; }));
    EXPECT_EQ(other->received, (QList<Fields>{{"UserName", "1", "-"},
                                              {"RoomInfo", "jazz", "2", "0"},
                                              {"ChatMsg", "User1 was sent out by the operator."}}));
}

} // namespace
} // namespace tamber::server
