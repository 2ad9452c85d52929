// The session client's joining, leaving, error and sending behaviour, behind fakes.
#include "SessionFakes.h"

#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

const QString kConnectError = QStringLiteral("Tamber Piano could not connect to the server!");

void expectOffline(const SessionRig& rig)
{
    EXPECT_EQ(rig.client.phase(), SessionPhase::Offline);
    EXPECT_EQ(rig.state.MyUserID(), 0);
    EXPECT_TRUE(rig.state.MyUserName().isEmpty());
    EXPECT_TRUE(rig.view.joinEnabled);
    EXPECT_FALSE(rig.view.chatOpen);
    EXPECT_FALSE(rig.transport.connected);
}

} // namespace

TEST(SessionJoin, AsksForTheHostAndConnectsToPort9050WithTheMenuItemDisabled)
{
    SessionRig rig;
    rig.input.answer = std::nullopt; // Cancel
    rig.client.JoinSession();
    EXPECT_EQ(rig.input.prompts,
              QStringList{QStringLiteral("Please enter the host's IP address:|Corvent|0")});
    EXPECT_EQ(rig.transport.connects, 0);
    EXPECT_TRUE(rig.view.joinEnabled);
    EXPECT_EQ(rig.client.phase(), SessionPhase::Offline);

    rig.input.answer = QStringLiteral("192.168.1.20");
    rig.client.JoinSession();
    EXPECT_EQ(rig.transport.host, QStringLiteral("192.168.1.20"));
    EXPECT_EQ(rig.transport.port, 9050);
    EXPECT_FALSE(rig.view.joinEnabled);
    EXPECT_EQ(rig.client.phase(), SessionPhase::Connecting);
    EXPECT_EQ(rig.state.MyUserID(), 0);
    EXPECT_FALSE(rig.view.chatOpen) << "nothing shows before the server's UserID";

    rig.client.JoinSession();
    EXPECT_EQ(rig.input.prompts.size(), 2) << "no second join while connecting";
    EXPECT_EQ(rig.transport.connects, 1);
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(SessionJoin, UserIdOpensTheChatAndSendsTheSelectedInstrument)
{
    SessionRig rig;
    rig.state.setInstrument(40);
    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    rig.transport.accept();
    // "UserID", the welcome and the user list in one read.
    rig.transport.deliver(msg({"UserID", "User2", "2"}) + msg({"ChatMsg", "Welcome to Corvent!"}) +
                          msg({"UserName", "1", "User1"}) + msg({"UserName", "2", "User2"}));

    EXPECT_EQ(rig.client.phase(), SessionPhase::InSession);
    EXPECT_EQ(rig.state.MyUserID(), 2);
    EXPECT_EQ(rig.state.MyUserName(), QByteArray("User2"));
    EXPECT_FALSE(rig.view.joinEnabled);
    EXPECT_EQ(rig.view.chatsShown, 1);
    EXPECT_EQ(rig.view.transcript, QStringList{QStringLiteral("Welcome to Corvent!")});
    EXPECT_EQ(rig.view.users, (QStringList{"User1", "User2", "-", "-", "-", "-", "-", "-"}));
    // The own instrument goes to the server and sounds on the own channel.
    EXPECT_EQ(rig.transport.sentBytes(), msg({"SetPatch", "40"}));
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0xC2, 40, 0));
}

TEST(SessionJoin, NotesHeldWhileConnectingAreEndedWhenTheChannelChanges)
{
    SessionRig rig;
    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    rig.engine.StartNote(60, 127, 0, true); // a key held down while connecting
    rig.transport.accept();
    rig.transport.deliver(msg({"UserID", "User3", "3"}));
    EXPECT_FALSE(rig.engine.isSounding(0, 60));
    EXPECT_FALSE(rig.keys.lit.count(24));
    EXPECT_EQ(rig.transport.sentBytes(), msg({"SetPatch", "0"}))
        << "the note played before the session was never sent";
}

TEST(SessionSend, OnlyInASessionAndOnTheOwnChannel)
{
    SessionRig rig;
    rig.engine.StartNote(60, 127, 0, true);
    rig.engine.StopNote(60, 0, true);
    EXPECT_EQ(rig.output.sent.front(), makeShortMessage(0x90, 60, 127));

    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    rig.transport.accept(); // connected, but no UserID yet
    rig.engine.StartNote(62, 127, 0, true);
    rig.client.SendChatText(QStringLiteral("too early"));
    EXPECT_TRUE(rig.transport.sent.empty());

    rig.state.setInstrument(5);
    rig.transport.deliver(msg({"UserID", "User3", "3"}));
    rig.transport.sent.clear();
    rig.engine.StartNote(64, 100, uint8_t(rig.state.MyUserID()), true);
    rig.engine.StopNote(64, uint8_t(rig.state.MyUserID()), true);
    ASSERT_EQ(rig.transport.sent.size(), 3u) << "each message in one send";
    EXPECT_EQ(rig.transport.sent[0], QByteArray("SetPatch\0"
                                                "5\0\x01",
                                                12));
    EXPECT_EQ(rig.transport.sent[1], QByteArray("NoteOn\0"
                                                "64\0"
                                                "100\0\x01",
                                                15));
    EXPECT_EQ(rig.transport.sent[2], QByteArray("NoteOff\0"
                                                "64\0\x01",
                                                12));
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x83, 64, 0));

    rig.client.LeaveSession();
    rig.transport.sent.clear();
    rig.engine.StartNote(65, 127, 0, true);
    rig.client.SendChatText(QStringLiteral("gone"));
    EXPECT_TRUE(rig.transport.sent.empty());
}

TEST(SessionSend, ChatTextIsOneWindows1252FieldAndAnEmptyLineSendsNothing)
{
    SessionRig rig;
    rig.joinAs(2, "User2");
    rig.client.SendChatText(QString());
    EXPECT_TRUE(rig.transport.sent.empty());
    rig.client.SendChatText(QStringLiteral("/name Anna"));
    rig.client.SendChatText(QStringLiteral("caf\u00e9 x") + QChar(1) + u'y' + QChar(0) + u'z');
    ASSERT_EQ(rig.transport.sent.size(), 2u);
    EXPECT_EQ(rig.transport.sent[0], msg({"ChatMsg", "/name Anna"}));
    EXPECT_EQ(rig.transport.sent[1], msg({"ChatMsg", "caf\xe9 x y z"}))
        << "NUL and SOH would cut the message apart";
    EXPECT_TRUE(rig.view.transcript.isEmpty()) << "shown only when the server relays it";
}

TEST(SessionLeave, ServerCloseReturnsToOfflineWithoutABoxAndSilencesTheSession)
{
    SessionRig rig;
    rig.joinAs(2, "User2");
    rig.transport.deliver(msg({"NoteOn", "60", "100", "5"}));
    rig.engine.StartNote(72, 127, 2, true); // own key held
    ASSERT_TRUE(rig.engine.isSounding(5, 60));

    rig.transport.serverCloses();
    expectOffline(rig);
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.view.chatsClosed, 1);
    EXPECT_FALSE(rig.engine.isSounding(5, 60));
    EXPECT_FALSE(rig.engine.isSounding(2, 72));
    EXPECT_TRUE(rig.keys.lit.empty());
    const auto& sent = rig.output.sent;
    EXPECT_NE(std::find(sent.begin(), sent.end(), makeShortMessage(0x85, 60, 0)), sent.end());
    EXPECT_NE(std::find(sent.begin(), sent.end(), makeShortMessage(0x82, 72, 0)), sent.end());
}

TEST(SessionLeave, ExitClosesTheConnectionAndANestedOrRepeatedLeaveIsHarmless)
{
    SessionRig rig;
    rig.joinAs(4, "User4");
    int nested = 0;
    rig.view.onClose = [&] {
        ++nested;
        rig.client.LeaveSession();
    };
    rig.client.LeaveSession();
    expectOffline(rig);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(rig.view.chatsClosed, 1);
    EXPECT_EQ(rig.transport.closes, 1);
    const auto offSent = rig.output.sent.size();

    rig.client.LeaveSession();
    expectOffline(rig);
    EXPECT_EQ(rig.transport.closes, 1);
    EXPECT_EQ(rig.output.sent.size(), offSent);

    // A new session starts with a fresh window.
    rig.joinAs(1, "User1");
    EXPECT_EQ(rig.view.chatsShown, 2);
    EXPECT_EQ(rig.view.users[0], QStringLiteral("User1"));
    EXPECT_TRUE(rig.view.transcript.isEmpty());
}

TEST(SessionErrors, EveryErrorShowsOneBoxThenLeaves)
{
    SessionRig rig;
    rig.joinAs(3, "User3");
    rig.engine.StartNote(60, 127, 3, true);
    bool silencedBeforeBox = false;
    int idDuringBox = -1;
    rig.boxes.onShow = [&] {
        silencedBeforeBox = !rig.engine.isSounding(3, 60);
        idDuringBox = rig.state.MyUserID();
    };
    rig.transport.fail();
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0], (ShownBox{kConnectError, "Error", MessageBoxes::Icon::Critical}));
    EXPECT_TRUE(silencedBeforeBox);
    EXPECT_EQ(idDuringBox, 3);
    expectOffline(rig);

    // A refused or unreachable connection takes the same path.
    rig.boxes.onShow = nullptr;
    rig.input.answer = QStringLiteral("10.255.255.1");
    rig.client.JoinSession();
    EXPECT_FALSE(rig.view.joinEnabled);
    rig.transport.fail();
    EXPECT_EQ(rig.boxes.shown.size(), 2u);
    expectOffline(rig);
}

TEST(SessionErrors, ANewSessionJoinedWhileTheBoxIsOpenIsNotEndedByIt)
{
    SessionRig rig;
    rig.joinAs(3, "User3");
    rig.transport.fail();
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    // The box is still open: the user leaves through the chat window and joins again.
    rig.client.LeaveSession();
    rig.joinAs(6, "User6");
    EXPECT_EQ(rig.client.phase(), SessionPhase::InSession);
    EXPECT_EQ(rig.state.MyUserID(), 6);
    EXPECT_TRUE(rig.view.chatOpen);
    EXPECT_TRUE(rig.transport.connected);
}

TEST(SessionErrors, NothingArrivesFromTheFailedConnectionWhileTheBoxIsOpen)
{
    SessionRig rig;
    rig.joinAs(3, "User3");
    bool connectedDuringBox = true;
    rig.boxes.onShow = [&] {
        connectedDuringBox = rig.transport.connected;
        rig.engine.StartNote(60, 127, 3, true); // still playing meanwhile
    };
    rig.transport.fail();
    EXPECT_FALSE(connectedDuringBox);
    EXPECT_TRUE(rig.transport.sent.empty());
    EXPECT_FALSE(rig.engine.isSounding(3, 60)) << "ended when the session ended";
}

TEST(SessionJoin, AServerThatClosesBeforeTheGreetingMayBeFull)
{
    SessionRig rig;
    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    rig.transport.accept();
    bool offlineDuringBox = false;
    rig.boxes.onShow = [&] { offlineDuringBox = rig.client.phase() == SessionPhase::Offline; };
    rig.transport.serverCloses();
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0],
              (ShownBox{"The server closed the connection before a seat was free for you. The "
                        "session may be full; please try again later.",
                        "Corvent", MessageBoxes::Icon::Information}));
    EXPECT_TRUE(offlineDuringBox);
    expectOffline(rig);
    EXPECT_EQ(rig.view.chatsShown, 0);
}

TEST(SessionJoin, NoGreetingWithinTenSecondsEndsWithTheConnectError)
{
    SessionRig rig;
    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    // Armed as connecting starts: a host that never answers ends the same way.
    EXPECT_EQ(rig.transport.deadline, std::chrono::milliseconds(10'000));
    rig.transport.accept();
    rig.transport.deliver(msg({"ChatMsg", "no UserID from this server"}));
    rig.transport.passDeadline();
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0], (ShownBox{kConnectError, "Error", MessageBoxes::Icon::Critical}));
    expectOffline(rig);

    // A greeting in time disarms it.
    rig.joinAs(2, "User2");
    EXPECT_FALSE(rig.transport.deadline.has_value());
}

TEST(SessionSend, TypedChatTextGoesOutUnchangedAsWindows1252)
{
    SessionRig rig;
    rig.joinAs(2, "User2");
    rig.client.SendChatText(QStringLiteral("\u20ac\u2019\u201c\u201d\u2013\u2014 caf\u00e9 "
                                           "\u00a0\u00ff\u0081"));
    rig.client.SendChatText(QStringLiteral("a\tb\r\nc\x1b[2J\x7f\x1f"));
    // Characters outside Windows-1252 become one "?" each, a surrogate pair included.
    rig.client.SendChatText(QStringLiteral("\u3042\u0100 \U0001F3B9!"));
    ASSERT_EQ(rig.transport.sent.size(), 3u);
    EXPECT_EQ(rig.transport.sent[0],
              msg({"ChatMsg", "\x80\x92\x93\x94\x96\x97 caf\xe9 \xa0\xff\x81"}));
    EXPECT_EQ(rig.transport.sent[1], msg({"ChatMsg", "a\tb\r\nc\x1b[2J\x7f\x1f"}));
    EXPECT_EQ(rig.transport.sent[2], msg({"ChatMsg", "?? ?!"}));
}

// A key pressed while another window has the focus starts nothing, but its release still
// stops the key's note (the keyboard poller calls StopNote for it, sendToSession set); the
// same happens to a key held from before the session.
TEST(SessionSend, ANoteOffGoesOutOnlyForANoteThisPianoStartedInTheSession)
{
    SessionRig rig;
    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    rig.transport.accept();
    rig.engine.StartNote(48, 127, 0, true); // held while connecting
    rig.transport.deliver(msg({"UserID", "User3", "3"}));
    rig.transport.sent.clear();

    rig.engine.StopNote(48, 0, true);
    rig.engine.StopNote(48, 3, true);
    rig.engine.StopNote(60, 3, true); // typed in the chat window
    EXPECT_TRUE(rig.transport.sent.empty());

    rig.engine.StartNote(60, 127, 3, true);
    rig.engine.StopNote(60, 3, true);
    rig.engine.StopNote(60, 3, true); // a second release of the same note
    EXPECT_EQ(rig.transport.sentBytes(),
              msg({"SetPatch", "0"}) + msg({"NoteOn", "60", "127"}) + msg({"NoteOff", "60"}));

    // A note started in one session and released in the next was never started there.
    rig.transport.sent.clear();
    rig.engine.StartNote(62, 127, 3, true);
    rig.transport.serverCloses();
    rig.joinAs(4, "User4");
    rig.engine.StopNote(62, 4, true);
    rig.engine.StopNote(62, 3, true);
    EXPECT_TRUE(rig.transport.sent.empty());
}
