// Rooms on real sockets: TCP pianos that name a room or none, browsers at a room's address, and
// the lobby's list, all over loopback.

#include "server/RelayServer.h"
#include "tests/server/TestClient.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWebSocket>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tamber::server {
namespace {

using testing::Fields;
using testing::TestClient;
using testing::waitUntil;

class RoomsServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.setWeb({0, QHostAddress::LocalHost, {}, {dir.path(), {}}});
        ASSERT_TRUE(server.start(0, QHostAddress::LocalHost)) << server.errorString().toStdString();
    }

    // A new piano in `room`, its greeting taken: UserID, the welcome, RoomInfo and `present`
    // names (itself included).
    TestClient& join(const QByteArray& room, int present)
    {
        clients.push_back(std::make_unique<TestClient>(server.port()));
        TestClient& client = *clients.back();
        client.send({"ChatMsg", "/join " + room});
        const QList<Fields> greeting = client.take(3 + present);
        EXPECT_EQ(greeting.value(2).value(0), "RoomInfo") << room.constData();
        return client;
    }
    // What a page request of the web port answers, head and body.
    QByteArray fetch(const QByteArray& path)
    {
        QTcpSocket page;
        page.connectToHost(QHostAddress::LocalHost, server.webPort());
        page.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        QByteArray answer;
        waitUntil([&] {
            answer += page.readAll();
            return page.state() == QAbstractSocket::UnconnectedState;
        });
        return answer + page.readAll();
    }

    QTemporaryDir dir;
    RelayServer server;
    std::vector<std::unique_ptr<TestClient>> clients;
};

TEST_F(RoomsServerTest, TwoRoomsHearOnlyThemselvesAndNameTheirSeatsApart)
{
    TestClient& jazz1 = join("jazz", 1);
    TestClient& main1 = join("main", 1);
    TestClient& jazz2 = join("JAZZ", 2);
    EXPECT_EQ(jazz1.take(2).last(), (Fields{"UserName", "2", "User2"}));

    jazz2.send({"ChatMsg", "/name Ann"});
    main1.send({"ChatMsg", "/name Ann"}); // the same name in another room is no clash
    jazz2.send({"NoteOn", "60", "90"});
    main1.send({"NoteOn", "61", "91"});
    jazz2.send({"ChatMsg", "in jazz"});
    main1.send({"ChatMsg", "in main"});
    const QList<Fields> inJazz{
        {"UserName", "2", "Ann"}, {"NoteOn", "60", "90", "2"}, {"ChatMsg", "Ann: in jazz"}};
    const QList<Fields> inMain{
        {"UserName", "1", "Ann"}, {"NoteOn", "61", "91", "1"}, {"ChatMsg", "Ann: in main"}};
    EXPECT_EQ(jazz1.take(3), inJazz);
    EXPECT_EQ(jazz2.take(3), inJazz);
    EXPECT_EQ(main1.take(3), inMain);
    EXPECT_EQ(server.userName(2, "Jazz"), "Ann");
    EXPECT_EQ(server.slotLines("jazz").at(1), QStringLiteral("2. Ann: 127.0.0.1"));
}

TEST_F(RoomsServerTest, AMoveIsSeenLeavingHereAndArrivingThereWithWhatFollowedItInOrder)
{
    TestClient& staying = join("main", 1);
    TestClient& mover = join("main", 2);
    TestClient& there = join("blues", 1);
    staying.take(1);
    QByteArray burst = protocol::buildMessage({"ChatMsg", "/join Blues"});
    for (int i = 0; i < 100; ++i)
        burst += protocol::buildMessage({"NoteOn", QByteArray::number(i), "1"});
    mover.sendRaw(burst);

    EXPECT_EQ(staying.next(), (Fields{"UserName", "2", "-"}));
    const QList<Fields> greeting = mover.take(5);
    EXPECT_EQ(greeting.mid(0, 5),
              (QList<Fields>{{"UserID", "User2", "2"},
                             {"ChatMsg", "Welcome to Corvent! This is room blues."},
                             {"RoomInfo", "blues", "1", "0"},
                             {"UserName", "1", "User1"},
                             {"UserName", "2", "User2"}}));
    QList<Fields> notes = there.take(102).mid(2);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(notes.value(i), (Fields{"NoteOn", QByteArray::number(i), "1", "2"}));
    EXPECT_TRUE(waitUntil([&] { return server.rooms().size() == 2; }));
}

TEST_F(RoomsServerTest, AFullRoomRefusesANewcomerWithFarewellAndAMoverStays)
{
    for (int i = 1; i <= 8; ++i)
        join("full", i);
    TestClient late(server.port());
    late.send({"ChatMsg", "/join FULL"});
    EXPECT_EQ(late.take(2), (QList<Fields>{{"ChatMsg", "Room full is full."},
                                           {"Farewell", "Room full is full."}}));
    EXPECT_TRUE(late.waitClosed());

    // A browser at the full room's address is told the same before its socket closes.
    QWebSocket browser(QStringLiteral("http://127.0.0.1:%1").arg(server.webPort()));
    protocol::MessageAssembler assembler{0};
    QList<Fields> got;
    bool closed = false;
    QObject::connect(&browser, &QWebSocket::binaryMessageReceived, [&](const QByteArray& b) {
        for (const QByteArray& m : assembler.feed(b))
            got.append(protocol::splitFields(m));
    });
    QObject::connect(&browser, &QWebSocket::disconnected, [&] { closed = true; });
    browser.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/r/Full/ws").arg(server.webPort())));
    ASSERT_TRUE(waitUntil([&] { return closed; }));
    EXPECT_EQ(got, (QList<Fields>{{"ChatMsg", "Room full is full."},
                                  {"Farewell", "Room full is full."}}));

    TestClient& mover = join("other", 1);
    mover.send({"ChatMsg", "/join full"});
    EXPECT_EQ(mover.next(), (Fields{"ChatMsg", "Room full is full."}));
    mover.send({"ChatMsg", "still here"});
    EXPECT_EQ(mover.next(), (Fields{"ChatMsg", "User1: still here"}));
}

TEST_F(RoomsServerTest, RoomsAreListedToTheAskerAndToTheLobby)
{
    TestClient& asker = join("zed", 1);
    join("Abc", 1);
    join("abc", 2);
    asker.send({"ChatMsg", "/rooms"});
    EXPECT_EQ(asker.take(2), (QList<Fields>{{"ChatMsg", "Abc: 2 of 8 seats taken"},
                                            {"ChatMsg", "zed: 1 of 8 seats taken"}}));
    const QByteArray answer = fetch("/rooms.json");
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 200 OK\r\n")) << answer.constData();
    EXPECT_TRUE(answer.contains("\r\nContent-Type: application/json\r\n"));
    EXPECT_TRUE(answer.contains("\r\nCache-Control: no-store\r\n"));
    EXPECT_TRUE(answer.endsWith("\r\n\r\n[{\"name\":\"Abc\",\"players\":2,\"seats\":8},"
                                "{\"name\":\"zed\",\"players\":1,\"seats\":8}]"))
        << answer.constData();
    const QByteArray redirect = fetch("/r/jazz");
    EXPECT_TRUE(redirect.startsWith("HTTP/1.1 308 Permanent Redirect\r\n")) << redirect.constData();
    EXPECT_TRUE(redirect.contains("\r\nLocation: /r/jazz/\r\n"));
    EXPECT_FALSE(redirect.contains("Not found"));
}

TEST_F(RoomsServerTest, ABrowserAtARoomsAddressPlaysWithThePianosThere)
{
    TestClient& piano = join("jazz", 1);
    QWebSocket browser(QStringLiteral("http://127.0.0.1:%1").arg(server.webPort()));
    protocol::MessageAssembler assembler{0};
    QList<Fields> got;
    QObject::connect(&browser, &QWebSocket::binaryMessageReceived, [&](const QByteArray& b) {
        for (const QByteArray& m : assembler.feed(b))
            got.append(protocol::splitFields(m));
    });
    browser.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/r/jazz/ws").arg(server.webPort())));
    ASSERT_TRUE(waitUntil([&] { return got.size() >= 5; }));
    EXPECT_EQ(got.value(1), (Fields{"ChatMsg", "Welcome to Corvent! This is room jazz."}));
    EXPECT_EQ(piano.take(2).last(), (Fields{"UserName", "2", "User2"}));
    browser.sendBinaryMessage(protocol::buildMessage({"NoteOn", "64", "80"}));
    EXPECT_EQ(piano.next(), (Fields{"NoteOn", "64", "80", "2"}));
}

TEST_F(RoomsServerTest, AnOldPianoIsGreetedInMainWithoutSendingAByte)
{
    QElapsedTimer since;
    since.start();
    TestClient old(server.port());
    // The bound only catches a relay that waits for a first message for good.
    EXPECT_EQ(old.next(), (Fields{"UserID", "User1", "1"}));
    EXPECT_LT(since.elapsed(), 3000);
    EXPECT_EQ(old.take(3), (QList<Fields>{{"ChatMsg", "Welcome to Corvent!"},
                                          {"RoomInfo", "main", "0", "0"},
                                          {"UserName", "1", "User1"}}));
}

} // namespace
} // namespace tamber::server
