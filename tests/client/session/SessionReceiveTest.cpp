// HandleServerMessage and the reassembly of the server's byte stream, behind fakes.
#include "SessionFakes.h"

#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

constexpr uint32_t rgb(int r, int g, int b)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}

} // namespace

TEST(HandleServerMessage, OtherPlayersNotesSoundOnTheirChannelAndOwnEchoesAreIgnored)
{
    SessionRig rig;
    rig.joinAs(3, "User3");

    rig.transport.deliver(msg({"NoteOn", "60", "127", "3"}));
    rig.transport.deliver(msg({"NoteOff", "60", "3"}));
    EXPECT_TRUE(rig.output.sent.empty()) << "the echo of a local note";
    EXPECT_TRUE(rig.keys.lit.empty());

    rig.transport.deliver(msg({"NoteOn", "60", "127", "2"}));
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x92, 60, 127));
    EXPECT_EQ(rig.keys.lit.at(24), rgb(1, 255, 1)) << "in user 2's colour";
    rig.transport.deliver(msg({"NoteOff", "60", "2"}));
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x82, 60, 0));
    EXPECT_FALSE(rig.keys.lit.count(24));
    EXPECT_TRUE(rig.transport.sent.empty()) << "remote notes are not sent back";

    // A recording takes remote notes as well.
    rig.recorder.recording = true;
    rig.transport.deliver(msg({"NoteOn", "48", "90", "7"}));
    EXPECT_EQ(rig.recorder.events, std::vector<int32_t>{int32_t(makeShortMessage(0x97, 48, 90))});
}

TEST(HandleServerMessage, SetPatchIsAppliedOnTheSendersChannelTheOwnEchoIncluded)
{
    SessionRig rig;
    rig.joinAs(2, "User2");
    rig.transport.deliver(msg({"SetPatch", "2", "5"}));
    rig.transport.deliver(msg({"SetPatch", "6", "127"}));
    EXPECT_EQ(rig.output.sent, (std::vector<ShortMessage>{makeShortMessage(0xC2, 5, 0),
                                                          makeShortMessage(0xC6, 127, 0)}));
    EXPECT_TRUE(rig.transport.sent.empty());
}

TEST(HandleServerMessage, ChatLinesAndNamesAreWindows1252WithControlCharactersAsSpaces)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    rig.transport.deliver(msg({"ChatMsg", "User2: hello"}));
    rig.transport.deliver(msg({"ChatMsg", "User2: a\r\nUser1: forged\tline"}));
    rig.transport.deliver(msg({"ChatMsg", "Ren\xe9"
                                          ": \x85x\x7f"}));
    EXPECT_EQ(rig.view.transcript, (QStringList{"User2: hello", "User2: a  User1: forged line",
                                                QStringLiteral("Ren\u00e9: \u2026x ")}));

    rig.transport.deliver(msg({"UserName", "8", "Anna\nMaria"}));
    rig.transport.deliver(msg({"UserName", "1", ""})); // "/name " with nothing after it
    EXPECT_EQ(rig.view.users[7], QStringLiteral("Anna Maria"));
    EXPECT_EQ(rig.view.users[0], QString());
}

TEST(HandleServerMessage, APlayerWhoLeavesStopsSoundingAndTheirKeysGoDark)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    rig.transport.deliver(msg({"UserName", "4", "User4"}));
    rig.transport.deliver(msg({"NoteOn", "60", "100", "4"}));
    rig.transport.deliver(msg({"NoteOn", "64", "100", "5"}));
    rig.transport.deliver(msg({"UserName", "4", "-"}));
    EXPECT_EQ(rig.view.users[3], QStringLiteral("-"));
    EXPECT_FALSE(rig.engine.isSounding(4, 60));
    EXPECT_FALSE(rig.keys.lit.count(24));
    EXPECT_TRUE(rig.engine.isSounding(5, 64)) << "other players keep playing";
    EXPECT_TRUE(rig.keys.lit.count(28));
}

TEST(HandleServerMessage, BadFieldsAndUnknownCommandsAreIgnored)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    const QStringList usersBefore = rig.view.users;
    const QList<QByteArray> bad = {
        msg({"NoteOn", "60", "127"}),
        msg({"NoteOn"}),
        msg({"NoteOn", "128", "127", "2"}),
        msg({"NoteOn", "60", "128", "2"}),
        msg({"NoteOn", "60", "127", "9"}),
        msg({"NoteOn", "60", "127", "0"}),
        msg({"NoteOn", "abc", "1000", "2"}),
        msg({"NoteOn", "-1", "127", "2"}),
        msg({"NoteOn", " 60", "127", "2"}),
        msg({"NoteOn", "60", "127", "99999999999"}),
        msg({"NoteOff", "60"}),
        msg({"NoteOff", "300", "2"}),
        msg({"NoteOff", "60", "x"}),
        msg({"SetPatch", "2"}),
        msg({"SetPatch", "2", "128"}),
        msg({"SetPatch", "9", "1"}),
        msg({"SetPatch", "", "1"}),
        msg({"UserName", "9", "Bob"}),
        msg({"UserName", "0", "Bob"}),
        msg({"UserName", "3"}),
        msg({"UserName", "+3", "Bob"}),
        msg({"ChatMsg"}),
        msg({"noteon", "60", "127", "2"}),
        msg({"Hello", "1"}),
        msg({""}),
        QByteArray("NoteOn\x01"),
        QByteArray("\x01\x01"),
        msg({"UserID", "User5", "9"}), // a move, but to no seat
    };
    for (const QByteArray& m : bad)
        rig.transport.deliver(m);
    EXPECT_TRUE(rig.output.sent.empty());
    EXPECT_TRUE(rig.keys.lit.empty());
    EXPECT_TRUE(rig.view.transcript.isEmpty());
    EXPECT_EQ(rig.view.users, usersBefore);
    EXPECT_EQ(rig.state.MyUserID(), 1);
    EXPECT_EQ(rig.client.phase(), SessionPhase::InSession);

    // The stream goes on normally after them.
    rig.transport.deliver(msg({"NoteOn", "60", "127", "2"}));
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x92, 60, 127));
}

TEST(HandleServerMessage, UserIdWithABadIdLeavesTheClientConnecting)
{
    SessionRig rig;
    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    rig.transport.accept();
    rig.transport.deliver(msg({"ChatMsg", "early"}) + msg({"NoteOn", "60", "1", "2"}) +
                          msg({"UserID", "User9", "9"}) + msg({"UserID", "User0", "0"}) +
                          msg({"UserID", "User"}));
    EXPECT_EQ(rig.client.phase(), SessionPhase::Connecting);
    EXPECT_EQ(rig.state.MyUserID(), 0);
    EXPECT_FALSE(rig.view.chatOpen);
    EXPECT_TRUE(rig.output.sent.empty()) << "no note before the own id is known";
}

TEST(SessionReceive, MessagesAreReassembledAcrossReadsAndHandledInOrder)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    const QByteArray stream = msg({"ChatMsg", "User2: one"}) + msg({"NoteOn", "61", "99", "2"}) +
                              QByteArray("\x01") + msg({"ChatMsg", "User2: two"});
    for (char byte : stream) {
        rig.transport.deliver(QByteArray(1, byte));
        if (byte == '\x01' && rig.view.transcript.isEmpty())
            ADD_FAILURE() << "the first line must be handled once its SOH arrives";
    }
    EXPECT_EQ(rig.view.transcript, (QStringList{"User2: one", "User2: two"}));
    EXPECT_EQ(rig.output.sent, std::vector<ShortMessage>{makeShortMessage(0x92, 61, 99)});
    EXPECT_EQ(rig.client.pendingBytes(), 0);

    rig.transport.deliver(msg({"ChatMsg", "a"}) + msg({"ChatMsg", "b"}) +
                          QByteArray("ChatMsg\0par", 11));
    EXPECT_EQ(rig.view.transcript.mid(2), (QStringList{"a", "b"}));
    rig.transport.deliver(QByteArray("tial\0\x01", 6));
    EXPECT_EQ(rig.view.transcript.last(), QStringLiteral("partial"));
}

TEST(SessionReceive, TextWithoutSohIsCappedAndItsTailIsNeverAMessage)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    QByteArray flood = "ChatMsg";
    flood += '\0';
    flood += QByteArray(SessionClient::kReceiveBufferCap + 10, 'x');
    rig.transport.deliver(flood);
    EXPECT_LE(rig.client.pendingBytes(), SessionClient::kReceiveBufferCap);
    rig.transport.deliver(QByteArray("tail"));
    // The end of the over-long message; its tail must not show as a chat line.
    rig.transport.deliver(QByteArray("\0\x01", 2) + msg({"ChatMsg", "next"}));
    EXPECT_EQ(rig.view.transcript, QStringList{QStringLiteral("next")});
}

TEST(SessionReceive, TheBufferIsEmptiedAtJoin)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    rig.transport.deliver(QByteArray("ChatMsg\0unfinished", 18));
    rig.transport.serverCloses();
    rig.input.answer = QStringLiteral("host");
    rig.client.JoinSession();
    rig.transport.accept();
    rig.transport.deliver(msg({"UserID", "User2", "2"}) + msg({"ChatMsg", "Welcome to Corvent!"}));
    EXPECT_EQ(rig.state.MyUserID(), 2) << "the first message is not prefixed with old bytes";
    EXPECT_EQ(rig.view.transcript, QStringList{QStringLiteral("Welcome to Corvent!")});
}

TEST(SessionReceive, TheChatLinesOfOneReadReachTheWindowAsOneBatch)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    rig.transport.deliver(msg({"ChatMsg", "User2: a"}) + msg({"NoteOn", "60", "100", "2"}) +
                          msg({"ChatMsg", "User2: b"}) + msg({"UserName", "2", "Bob"}) +
                          msg({"ChatMsg", "Bob: c"}));
    rig.transport.deliver(msg({"ChatMsg", "Bob: d"}));
    rig.transport.deliver(msg({"NoteOff", "60", "2"}));
    EXPECT_EQ(rig.view.transcript, (QStringList{"User2: a", "User2: b", "Bob: c", "Bob: d"}));
    EXPECT_EQ(rig.view.batches, (std::vector<int>{3, 1})) << "no batch for a read without chat";
    EXPECT_EQ(rig.view.users[1], QStringLiteral("Bob"));
    EXPECT_FALSE(rig.engine.isSounding(2, 60));
}

TEST(SessionReceive, TheCapHoldsWithinOneReadToo)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    // Whole messages of exactly the cap and one byte over it, in a single read.
    const QByteArray head = QByteArray("ChatMsg", 7) + '\0';
    const QByteArray atCap = head + QByteArray(SessionClient::kReceiveBufferCap - 9, 'a') + '\0';
    const QByteArray overCap = head + QByteArray(SessionClient::kReceiveBufferCap - 8, 'b') + '\0';
    ASSERT_EQ(atCap.size(), SessionClient::kReceiveBufferCap);
    rig.transport.deliver(msg({"ChatMsg", "first"}) + overCap + '\x01' + atCap + '\x01' +
                          msg({"ChatMsg", "last"}) +
                          QByteArray(3 * SessionClient::kReceiveBufferCap, 'c'));
    ASSERT_EQ(rig.view.transcript.size(), 3);
    EXPECT_EQ(rig.view.transcript[0], QStringLiteral("first"));
    EXPECT_EQ(rig.view.transcript[1], QString(SessionClient::kReceiveBufferCap - 9, u'a'));
    EXPECT_EQ(rig.view.transcript[2], QStringLiteral("last"));
    EXPECT_LE(rig.client.pendingBytes(), SessionClient::kReceiveBufferCap);
}

TEST(HandleServerMessage, TextShowsAsWindows1252AndOnlyC0ControlsAndDelBecomeSpaces)
{
    SessionRig rig;
    rig.joinAs(1, "User1");
    rig.transport.deliver(msg({"ChatMsg", "A: \x80 \x92\x93\x94 \x96\x97 \x85 \x8a\x9f"}));
    rig.transport.deliver(msg({"ChatMsg", "B: \x81\x8d\x8f\x90\x9d|\xa0|\xff"}));
    rig.transport.deliver(msg({"ChatMsg", "C: a\tb\x1b[2Jc\x7f\x1f"}));
    rig.transport.deliver(msg({"UserName", "2", "\x93Ren\xe9\x94\x1b"}));
    EXPECT_EQ(rig.view.transcript,
              (QStringList{QStringLiteral("A: \u20ac \u2019\u201c\u201d \u2013\u2014 \u2026 "
                                          "\u0160\u0178"),
                           // Bytes without a Windows-1252 character keep their own code point.
                           QStringLiteral("B: \u0081\u008d\u008f\u0090\u009d|\u00a0|\u00ff"),
                           QStringLiteral("C: a b [2Jc  ")}));
    EXPECT_EQ(rig.view.users[1], QStringLiteral("\u201cRen\u00e9\u201d "));
}
