// Rooms without a network: names, the seating decision on a clock moved by hand (first message,
// "/join", time up, full room), moves between rooms, "/rooms" and the lobby's list.

#include "server/Doorway.h"
#include "tests/server/FakeConnection.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tamber::server {
namespace {

using Fields = QList<QByteArray>;
using std::chrono::milliseconds;

TEST(RoomNames, AreShortPlainWordsMatchedWithoutRegardToCase)
{
    const struct
    {
        QByteArray name;
        bool valid;
    } cases[] = {
        {"jazz", true},
        {"Jazz_Club-2", true},
        {"a", true},
        {"", false},
        {"123456789012345678901234", true},
        {"1234567890123456789012345", false},
        {"jazz club", false},
        {"caf\xe9", false},
        {"a/b", false},
        {"..", false},
        {QByteArray("x\0y", 3), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(protocol::isRoomName(c.name), c.valid) << c.name.toHex().constData();
    EXPECT_EQ(roomKey("JaZz-1"), "jazz-1");
    EXPECT_TRUE(isDefaultRoom("MAIN"));
    EXPECT_FALSE(isDefaultRoom("mains"));
}

TEST(RoomNames, TheFirstMessageAsksForARoomOnlyByJoin)
{
    const auto chat = [](const QByteArray& text) {
        return std::optional<QByteArray>(protocol::buildMessage({"ChatMsg", text}).chopped(1));
    };
    const struct
    {
        std::optional<QByteArray> first;
        QByteArray room;
        bool asked;
    } cases[] = {
        {std::nullopt, "main", false}, // an old piano: sent nothing
        {chat("/join jazz"), "jazz", true},
        {chat("/JOIN Jazz"), "Jazz", true},
        {chat("/join"), "", true}, // asked, for no valid name
        {chat("/join bad name"), "bad name", true},
        {chat("/joined jazz"), "main", false},
        {chat("hello"), "main", false},
        {chat("/rooms"), "main", false},
        {protocol::buildMessage({"NoteOn", "60", "1"}).chopped(1), "main", false},
        {QByteArray("junk"), "main", false},
    };
    for (const auto& c : cases) {
        const SeatRequest request = seatRequest(c.first);
        EXPECT_EQ(request.room, c.room) << c.first.value_or("(none)").constData();
        EXPECT_EQ(request.asked, c.asked) << c.first.value_or("(none)").constData();
    }
    EXPECT_EQ(commandRest("/Rooms", "rooms"), QByteArray());
    EXPECT_EQ(commandRest("/join x", "rooms"), std::nullopt);
}

class DoorwayTest : public ::testing::Test
{
protected:
    FakeConnection* connect()
    {
        m_fakes.push_back(std::make_unique<FakeConnection>());
        doorway.admit(m_fakes.back().get());
        return m_fakes.back().get();
    }
    // A player seated in `room`, greeting taken.
    FakeConnection* seated(const QByteArray& room)
    {
        FakeConnection* c = connect();
        c->send({"ChatMsg", "/join " + room});
        c->take();
        return c;
    }
    void pass(Duration d)
    {
        clock.advance(d);
        doorway.wake();
        for (RelayHub* room : {rooms.find("main"), rooms.find("jazz")}) {
            if (room)
                room->wake();
        }
    }
    QList<QByteArray> lines(FakeConnection* c)
    {
        QList<QByteArray> chat;
        for (const Fields& f : c->take())
            chat << f.join(' ');
        return chat;
    }

    // Connections outlive the rooms and the doorway that hold them, as real ones do.
    std::vector<std::unique_ptr<FakeConnection>> m_fakes;
    FakeClock clock;
    RelayLimits limits;
    RoomDirectory rooms{limits, clock, nullptr, nullptr, 3};
    Doorway doorway{rooms, clock, nullptr, limits.closeGrace};

    void SetUp() override { rooms.open(); }
};

TEST_F(DoorwayTest, AnOldPianoIsSeatedInMainOnceItsTimeIsUpAndNotBefore)
{
    FakeConnection* old = connect();
    pass(milliseconds(99));
    EXPECT_TRUE(old->got.isEmpty());
    pass(milliseconds(1));
    EXPECT_EQ(old->take(), (QList<Fields>{{"UserID", "User1", "1"},
                                          {"ChatMsg", "Welcome to Corvent!"},
                                          {"RoomInfo", "main", "0", "0"},
                                          {"UserName", "1", "User1"}}));
    EXPECT_EQ(doorway.waitingCount(), 0u);
}

TEST_F(DoorwayTest, AJoinFirstPicksTheRoomAndWhatFollowsItIsHandledThere)
{
    FakeConnection* player = connect();
    emit player->received(protocol::buildMessage({"ChatMsg", "/join Jazz"}) +
                          protocol::buildMessage({"ChatMsg", "hi"}) + "Note");
    EXPECT_EQ(player->take(), (QList<Fields>{{"UserID", "User1", "1"},
                                             {"ChatMsg", "Welcome to Corvent! This is room Jazz."},
                                             {"RoomInfo", "Jazz", "1", "0"},
                                             {"UserName", "1", "User1"},
                                             {"ChatMsg", "User1: hi"}}));
    // The rest of a message cut in two arrives later.
    emit player->received(QByteArray("Off\0"
                                     "60\0\x01",
                                     8));
    EXPECT_EQ(player->take(), (QList<Fields>{{"NoteOff", "60", "1"}}));
    ASSERT_NE(rooms.find("JAZZ"), nullptr);
    EXPECT_EQ(rooms.find("jazz")->room().name, "Jazz");
    EXPECT_EQ(rooms.find("main"), nullptr);
}

TEST_F(DoorwayTest, AnyOtherFirstMessageSeatsInMainAtOnceAndIsHandledThere)
{
    FakeConnection* listener = seated("main");
    FakeConnection* player = connect();
    player->send({"ChatMsg", "hello"});
    EXPECT_EQ(player->take().last(), (Fields{"ChatMsg", "User2: hello"}));
    EXPECT_EQ(listener->take().last(), (Fields{"ChatMsg", "User2: hello"}));
}

TEST_F(DoorwayTest, ARefusedJoinIsToldWhyThenBidFarewellAndClosed)
{
    for (int i = 0; i < 8; ++i)
        seated("jazz");
    const struct
    {
        QByteArray join;
        QByteArray line;
    } cases[] = {
        {"/join JAZZ", "Room jazz is full."},
        {"/join no way", "A room name is 1 to 24 letters, digits, - or _."},
        {"/join", "A room name is 1 to 24 letters, digits, - or _."},
    };
    for (const auto& c : cases) {
        FakeConnection* refused = connect();
        refused->send({"ChatMsg", c.join});
        EXPECT_EQ(refused->take(), (QList<Fields>{{"ChatMsg", c.line}, {"Farewell", c.line}}));
        EXPECT_TRUE(refused->closing);
        // One that never takes its last words is cut after the grace.
        pass(limits.closeGrace);
        EXPECT_TRUE(refused->aborted);
    }
}

TEST_F(DoorwayTest, PastTheMostRoomsANewRoomIsRefused)
{
    seated("a");
    seated("b");
    seated("c");
    FakeConnection* refused = connect();
    refused->send({"ChatMsg", "/join d"});
    EXPECT_EQ(refused->take().first(),
              (Fields{"ChatMsg", "The server has no room for another room."}));
    FakeConnection* joined = connect();
    joined->send({"ChatMsg", "/join B"});
    EXPECT_EQ(joined->take().at(1), (Fields{"ChatMsg", "Welcome to Corvent! This is room b."}));
}

TEST_F(DoorwayTest, TheNinthSilentPianoInAFullMainIsClosedWithoutAByte)
{
    for (int i = 0; i < 8; ++i)
        connect();
    pass(Doorway::kSeatDelay);
    FakeConnection* ninth = connect();
    pass(Doorway::kSeatDelay);
    EXPECT_TRUE(ninth->got.isEmpty());
    EXPECT_TRUE(ninth->aborted);
    // One that asks for main by name is told.
    FakeConnection* asking = connect();
    asking->send({"ChatMsg", "/join main"});
    EXPECT_EQ(asking->take().first(), (Fields{"ChatMsg", "Room main is full."}));
}

TEST_F(DoorwayTest, APianoGoneBeforeItsSeatLeavesNoTrace)
{
    FakeConnection* gone = connect();
    emit gone->closed();
    EXPECT_TRUE(gone->aborted);
    pass(Doorway::kSeatDelay);
    EXPECT_TRUE(gone->got.isEmpty());
    EXPECT_EQ(rooms.find("main"), nullptr);
}

TEST_F(DoorwayTest, AJoinMovesAPlayerWithWhatItSentAfterwardsAndTheOldRoomSeesItGo)
{
    FakeConnection* stays = seated("main");
    FakeConnection* mover = seated("main");
    FakeConnection* there = seated("jazz");
    stays->take();
    emit mover->received(protocol::buildMessage({"ChatMsg", "/join jazz"}) +
                         protocol::buildMessage({"NoteOn", "60", "90"}));
    EXPECT_EQ(stays->take(), (QList<Fields>{{"UserName", "2", "-"}}));
    EXPECT_EQ(mover->take(), (QList<Fields>{{"UserID", "User2", "2"},
                                            {"ChatMsg", "Welcome to Corvent! This is room jazz."},
                                            {"RoomInfo", "jazz", "1", "0"},
                                            {"UserName", "1", "User1"},
                                            {"UserName", "2", "User2"},
                                            {"NoteOn", "60", "90", "2"}}));
    EXPECT_EQ(there->take(), (QList<Fields>{{"UserName", "1", "User1"},
                                            {"UserName", "2", "User2"},
                                            {"NoteOn", "60", "90", "2"}}));

    // A full room, a bad name or the room one is in: told, and stays.
    for (int i = 0; i < 6; ++i)
        seated("jazz");
    stays->send({"ChatMsg", "/join jazz"});
    stays->send({"ChatMsg", "/join a b"});
    stays->send({"ChatMsg", "/join Main"});
    EXPECT_EQ(lines(stays),
              (QList<QByteArray>{"ChatMsg Room jazz is full.",
                                 "ChatMsg A room name is 1 to 24 letters, digits, - or _.",
                                 "ChatMsg You are in room main already."}));
    // The last to leave a room takes it away.
    stays->send({"ChatMsg", "/join other"});
    EXPECT_EQ(rooms.find("main"), nullptr);
    EXPECT_NE(rooms.find("other"), nullptr);
}

TEST_F(DoorwayTest, RoomsAreListedInNameOrderToTheAskerAlone)
{
    FakeConnection* asker = seated("zeta");
    FakeConnection* other = seated("Alpha");
    seated("alpha");
    seated("main");
    other->take();
    asker->send({"ChatMsg", "/rooms"});
    EXPECT_EQ(lines(asker), (QList<QByteArray>{"ChatMsg Alpha: 2 of 8 seats taken",
                                               "ChatMsg main: 1 of 8 seats taken",
                                               "ChatMsg zeta: 1 of 8 seats taken"}));
    EXPECT_TRUE(other->take().isEmpty());
    EXPECT_EQ(rooms.roomsJson(), "[{\"name\":\"Alpha\",\"players\":2,\"seats\":8},"
                                 "{\"name\":\"main\",\"players\":1,\"seats\":8},"
                                 "{\"name\":\"zeta\",\"players\":1,\"seats\":8}]");
}

TEST(RoomDirectoryTest, ARoomGoesWithItsLastPlayer)
{
    FakeConnection player;
    FakeClock clock;
    RoomDirectory rooms({}, clock, nullptr, nullptr);
    rooms.open();
    Arrival arrival;
    arrival.connection = &player;
    ASSERT_FALSE(rooms.seat(std::move(arrival), {"solo", true}));
    EXPECT_EQ(rooms.roomsJson(), "[{\"name\":\"solo\",\"players\":1,\"seats\":8}]");
    emit player.closed();
    EXPECT_EQ(rooms.roomsJson(), "[]");
    EXPECT_EQ(rooms.find("solo"), nullptr);
}

} // namespace
} // namespace tamber::server
