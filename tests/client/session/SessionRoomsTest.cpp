// Rooms and their owners as the session client sees them, behind fakes: asking for a room,
// "RoomInfo", moves, old servers of a single room, the owner's commands and "Farewell".
#include "SessionFakes.h"

#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

const QString kSingleRoom = QStringLiteral("This server has a single room.");

QByteArray greeting(int id, const QByteArray& welcome)
{
    const QByteArray n = QByteArray::number(id);
    return msg({"UserID", "User" + n, n}) + msg({"ChatMsg", welcome});
}

} // namespace

TEST(SessionRooms, ARoomIsAskedForInTheFirstMessageAndTheAddressIsKept)
{
    SessionRig rig;
    rig.input.answer = QStringLiteral(" piano.example.org:9051/Jazz ");
    rig.client.JoinSession();
    EXPECT_EQ(rig.transport.host, QStringLiteral("piano.example.org"));
    EXPECT_EQ(rig.transport.port, 9051);
    rig.transport.accept();
    EXPECT_EQ(rig.transport.sent, std::vector<QByteArray>{msg({"ChatMsg", "/join Jazz"})});
    rig.transport.deliver(greeting(1, "Welcome to Corvent! This is room Jazz.") +
                          msg({"RoomInfo", "Jazz", "1", "0"}));
    EXPECT_EQ(rig.view.room, (RoomView{"Jazz", 1, false, true}));
    rig.client.LeaveSession();
    EXPECT_EQ(rig.view.room, RoomView{}) << "leaving forgets the room";

    // The next prompt offers it first; without a room nothing goes out before the greeting.
    rig.input.answer = QStringLiteral("[::1]");
    rig.client.JoinSession();
    EXPECT_EQ(
        rig.input.prompts.last(),
        QStringLiteral("Please enter the host's IP address:|Corvent|piano.example.org:9051/Jazz"));
    EXPECT_EQ(rig.transport.host, QStringLiteral("::1"));
    rig.transport.sent.clear();
    rig.transport.accept();
    EXPECT_TRUE(rig.transport.sent.empty());
    rig.client.LeaveSession();
    rig.input.answer = std::nullopt;
    rig.client.JoinSession();
    EXPECT_EQ(rig.input.choices, (QStringList{"[::1]", "piano.example.org:9051/Jazz"}));
}

TEST(SessionRooms, AWrongAddressGetsABoxSayingWhatIsWrongAndIsOfferedAgain)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "Please enter the server's address, for example 192.168.1.20, "
             "piano.example.org:9051 or piano.example.org/jazz."},
        {"host:99999", "\"99999\" is not a port: a port is a number from 1 to 65535."},
        {"host:", "The port is missing after the colon: it is a number from 1 to 65535."},
        {"host/two words",
         "\"two words\" is not a room name. A room name is 1 to 24 letters, digits, - or _."},
        {"host/", "The room is missing after the slash. A room name is 1 to 24 letters, digits, "
                  "- or _."},
        {"::1", "\"::1\" is not an address. An IPv6 address goes in brackets, as in [::1] or "
                "[::1]:9051/jazz."},
        {"my host", "\"my host\" is not a host name or IP address."},
        {"/jazz", "The address has no host: write the server's name or IP address before the "
                  "port or the room, as in piano.example.org:9051/jazz."},
    };
    for (const auto& [typed, text] : cases) {
        SessionRig rig;
        rig.input.answer = QString::fromUtf8(typed);
        rig.client.JoinSession();
        ASSERT_EQ(rig.boxes.shown.size(), 1u) << typed;
        EXPECT_EQ(rig.boxes.shown[0], (ShownBox{text, "Corvent", MessageBoxes::Icon::Exclamation}));
        EXPECT_EQ(rig.transport.connects, 0);
        EXPECT_EQ(rig.client.phase(), SessionPhase::Offline);
        EXPECT_TRUE(rig.view.joinEnabled);
        EXPECT_TRUE(rig.settings.writes.isEmpty()) << "not kept among the recent addresses";
        rig.input.answer = std::nullopt;
        rig.client.JoinSession();
        // Offered again to be put right (nothing typed: as at first).
        const QString offered = *typed ? QString::fromUtf8(typed) : QStringLiteral("0");
        EXPECT_EQ(rig.input.prompts.last(),
                  QStringLiteral("Please enter the host's IP address:|Corvent|") + offered);
    }
}

TEST(SessionRooms, RoomInfoNamesTheRoomItsOwnerAndTheLock)
{
    SessionRig rig;
    rig.joinAs(2, "User2");
    rig.transport.deliver(msg({"RoomInfo", "jazz", "1", "0"}));
    EXPECT_EQ(rig.view.room, (RoomView{"jazz", 1, false, false}));
    rig.transport.deliver(msg({"RoomInfo", "jazz", "2", "1"}));
    EXPECT_EQ(rig.view.room, (RoomView{"jazz", 2, true, true}));
    // One out of range changes nothing.
    rig.transport.deliver(msg({"RoomInfo", "jazz", "9", "0"}) + msg({"RoomInfo", "x", "1", "y"}));
    EXPECT_EQ(rig.view.room, (RoomView{"jazz", 2, true, true}));
    rig.transport.deliver(msg({"RoomInfo", "main", "0", "0"}));
    EXPECT_EQ(rig.view.room, (RoomView{"main", 0, false, false}));
    EXPECT_TRUE(rig.view.transcript.isEmpty());
}

TEST(SessionRooms, TheOwnersCommandsAreChatLines)
{
    SessionRig rig;
    rig.joinAs(2, "User2");
    rig.client.SendOwnerAction(OwnerAction::Kick, 3);
    rig.client.SendOwnerAction(OwnerAction::BanForAnHour, 8);
    rig.client.SendOwnerAction(OwnerAction::MakeOwner, 1);
    rig.client.SendOwnerAction(OwnerAction::Kick, 0);
    rig.client.SendOwnerAction(OwnerAction::Kick, 9);
    rig.client.SendLock(true);
    rig.client.SendLock(false);
    EXPECT_EQ(rig.transport.sentBytes(),
              msg({"ChatMsg", "/kick 3"}) + msg({"ChatMsg", "/ban 8 60"}) +
                  msg({"ChatMsg", "/owner 1"}) + msg({"ChatMsg", "/lock"}) +
                  msg({"ChatMsg", "/unlock"}));
}

// A server that holds rooms follows its welcome line with "RoomInfo"; an old one goes on with
// the user list, having dropped the "/join" it did not know.
TEST(SessionRooms, AnOldServerAskedForARoomSaysItHasASingleRoom)
{
    struct Case
    {
        const char* address;
        QByteArray afterWelcome;
        bool singleRoomLine;
    };
    const Case cases[] = {
        {"host/jazz", msg({"UserName", "1", "User1"}), true},
        {"host/jazz", msg({"ChatMsg", "User1: hi"}), true},
        {"host/jazz", msg({"RoomInfo", "jazz", "1", "0"}), false},
        {"host", msg({"UserName", "1", "User1"}), false},
    };
    for (const Case& c : cases) {
        SessionRig rig;
        rig.input.answer = QString::fromLatin1(c.address);
        rig.client.JoinSession();
        rig.transport.accept();
        // The greeting may come in pieces.
        rig.transport.deliver(greeting(1, "Welcome to Corvent!"));
        rig.transport.deliver(c.afterWelcome + msg({"UserName", "1", "User1"}));
        EXPECT_EQ(rig.view.transcript.value(1) == kSingleRoom, c.singleRoomLine) << c.address;
        EXPECT_EQ(rig.view.transcript.count(kSingleRoom), c.singleRoomLine ? 1 : 0);
        EXPECT_TRUE(rig.boxes.shown.empty());
        EXPECT_EQ(rig.client.phase(), SessionPhase::InSession);
    }

    // There, a "/join" typed later would be dropped in silence: the piano says why instead.
    SessionRig rig;
    rig.joinAs(1, "User1");
    rig.transport.deliver(msg({"ChatMsg", "Welcome to Corvent!"}) +
                          msg({"UserName", "1", "User1"}));
    rig.client.SendChatText(QStringLiteral("/join blues"));
    EXPECT_TRUE(rig.transport.sent.empty());
    EXPECT_EQ(rig.view.transcript.last(), kSingleRoom);
}

TEST(SessionRooms, AMoveSilencesTheRoomLeftBehindAndStartsTheNewOnesList)
{
    SessionRig rig;
    rig.state.setInstrument(40);
    rig.joinAs(2, "User2");
    rig.transport.deliver(msg({"ChatMsg", "Welcome to Corvent!"}) +
                          msg({"RoomInfo", "main", "0", "0"}) + msg({"UserName", "5", "Eve"}) +
                          msg({"NoteOn", "60", "100", "5"}));
    rig.engine.StartNote(72, 127, 2, true); // own key held while moving
    ASSERT_TRUE(rig.engine.isSounding(5, 60));
    rig.transport.sent.clear();

    rig.transport.deliver(greeting(3, "Welcome to Corvent! This is room jazz."));
    EXPECT_FALSE(rig.engine.isSounding(5, 60));
    EXPECT_FALSE(rig.engine.isSounding(2, 72));
    EXPECT_TRUE(rig.keys.lit.empty());
    EXPECT_EQ(rig.state.MyUserID(), 3);
    EXPECT_EQ(rig.state.MyUserName(), QByteArray("User3"));
    EXPECT_EQ(rig.view.users, (QStringList{"-", "-", "User3", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(rig.view.room, RoomView{}) << "until the new room's RoomInfo";
    EXPECT_EQ(rig.view.chatsShown, 1) << "the same window";
    EXPECT_EQ(rig.view.transcript.last(), QStringLiteral("Welcome to Corvent! This is room jazz."));
    EXPECT_EQ(rig.transport.sentBytes(), msg({"SetPatch", "40"}))
        << "the instrument, to the new room";

    rig.transport.deliver(msg({"RoomInfo", "jazz", "3", "0"}));
    EXPECT_EQ(rig.view.room, (RoomView{"jazz", 3, false, true}));
    rig.engine.StopNote(72, 3, true); // the held key comes up
    EXPECT_EQ(rig.transport.sentBytes(), msg({"SetPatch", "40"}))
        << "the new room never heard the note";
}

TEST(SessionRooms, AFarewellEndsTheSessionWithItsReasonInABox)
{
    const QByteArray kicked = "You were sent out of room jazz by the owner.";
    struct Case
    {
        bool seated;
        bool closedByError; // a reset rather than an orderly close
    };
    for (const Case c :
         {Case{true, false}, Case{true, true}, Case{false, false}, Case{false, true}}) {
        SessionRig rig;
        if (c.seated) {
            rig.joinAs(2, "User2", QStringLiteral("host/jazz"));
        } else {
            // Refused before a seat, as a full or locked room is.
            rig.input.answer = QStringLiteral("host/jazz");
            rig.client.JoinSession();
            rig.transport.accept();
        }
        rig.transport.deliver(msg({"ChatMsg", kicked}) + msg({"Farewell", kicked}));
        EXPECT_TRUE(rig.boxes.shown.empty()) << "shown when the connection closes";
        if (c.closedByError)
            rig.transport.fail();
        else
            rig.transport.serverCloses();
        ASSERT_EQ(rig.boxes.shown.size(), 1u);
        EXPECT_EQ(rig.boxes.shown[0], (ShownBox{QString::fromLatin1(kicked), "Corvent",
                                                MessageBoxes::Icon::Information}));
        EXPECT_EQ(rig.client.phase(), SessionPhase::Offline);
        EXPECT_FALSE(rig.view.chatOpen);
        EXPECT_TRUE(rig.view.joinEnabled);
        EXPECT_EQ(rig.state.MyUserID(), 0);
    }

    // A farewell without a reason says nothing: the close is as any other.
    SessionRig rig;
    rig.joinAs(2, "User2");
    rig.transport.deliver(msg({"Farewell", " "}));
    rig.transport.serverCloses();
    EXPECT_TRUE(rig.boxes.shown.empty());

    // Nor does one survive into the next session.
    rig.joinAs(2, "User2");
    rig.transport.deliver(msg({"Farewell", "bye"}));
    rig.client.LeaveSession();
    rig.joinAs(3, "User3");
    rig.transport.serverCloses();
    EXPECT_TRUE(rig.boxes.shown.empty());
}
