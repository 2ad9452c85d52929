// The relay logic behind a fake host: relay field orders, chat and "/name", limits, and
// departures, without sockets.

#include "server/RelayCore.h"
#include "tests/server/FakeSlotHost.h"

#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using Fields = QList<QByteArray>;
using protocol::buildMessage;

class RelayCoreTest : public ::testing::Test
{
protected:
    // Slots 1..count connected and greeted; the record starts empty.
    void joinAll(int count)
    {
        for (int n = 1; n <= count; ++n) {
            host.connected[n - 1] = true;
            core.accepted(n);
        }
        host.sent.clear();
        host.refreshes = 0;
    }
    void from(int n, const Fields& fields) { core.received(n, buildMessage(fields)); }
    // What every connected slot got; asserts they all got the same.
    QList<Fields> toAll(int count)
    {
        for (int n = 2; n <= count; ++n)
            EXPECT_EQ(host.to(n), host.to(1)) << "slot " << n;
        return host.to(1);
    }

    FakeSlotHost host;
    RelayCore core{host};
};

TEST_F(RelayCoreTest, RelaysNotesAndPatchesToEveryoneWithTheSenderIdInItsPlace)
{
    joinAll(3);
    from(3, {"NoteOn", "60", "127"});
    from(2, {"SetPatch", "5"});
    from(1, {"NoteOff", "60", "extra", "fields"});
    // Passed on as received: no check of numbers or range.
    from(3, {"NoteOn", "abc", "1000", "more"});
    EXPECT_EQ(toAll(3), (QList<Fields>{{"NoteOn", "60", "127", "3"},
                                       {"SetPatch", "2", "5"},
                                       {"NoteOff", "60", "1"},
                                       {"NoteOn", "abc", "1000", "3"}}));
}

TEST_F(RelayCoreTest, NotesOfOneReadReachEachClientInOneWriteAndChatKeepsItsPlace)
{
    joinAll(2);
    host.writes = {};
    core.received(2, buildMessage({"NoteOn", "60", "9"}) + buildMessage({"NoteOff", "60"}) +
                         buildMessage({"ChatMsg", "hi"}) + buildMessage({"SetPatch", "7"}) +
                         buildMessage({"NoteOn", "61", "9"}));
    EXPECT_EQ(toAll(2), (QList<Fields>{{"NoteOn", "60", "9", "2"},
                                       {"NoteOff", "60", "2"},
                                       {"ChatMsg", "User2: hi"},
                                       {"SetPatch", "2", "7"},
                                       {"NoteOn", "61", "9", "2"}}));
    // The notes before the chat line, the line, the notes after it.
    EXPECT_EQ(host.writes[0], 3);
    EXPECT_EQ(host.writes[1], 3);
}

TEST_F(RelayCoreTest, DropsMessagesThatAreEmptyTooLongUnknownOrShortOfFields)
{
    joinAll(2);
    core.received(1, "\x01");
    core.received(1, QByteArray("\0\x01", 2));
    core.received(1, "NoteOn\x01");
    from(1, {"NoteOn", "60"});
    from(1, {"NoteOff"});
    from(1, {"SetPatch"});
    from(1, {"ChatMsg"});
    from(1, {"UserName", "1", "Eve"});
    from(1, {"UserID", "Eve", "1"});
    from(1, {"noteon", "60", "127"});
    // 61 bytes before the SOH: over the limit, although a valid NoteOn.
    from(1, {"NoteOn", QByteArray(49, '1'), "127"});
    EXPECT_TRUE(host.sent.isEmpty());
    // Exactly 60 bytes is still a message; the next one is handled normally.
    from(1, {"NoteOn", QByteArray(48, '1'), "127"});
    from(1, {"NoteOff", "61"});
    EXPECT_EQ(toAll(2),
              (QList<Fields>{{"NoteOn", QByteArray(48, '1'), "127", "1"}, {"NoteOff", "61", "1"}}));
}

TEST_F(RelayCoreTest, ChatIsRelayedAsNameColonTextWithinFiftyCharacters)
{
    joinAll(2);
    from(2, {"ChatMsg", "hello"});
    from(1, {"ChatMsg", QByteArray(50, 'a')});
    from(1, {"ChatMsg", QByteArray(51, 'b')}); // framing allows it, the chat rule does not
    from(1, {"ChatMsg", QByteArray(52, 'c')}); // over the framing limit already
    from(1, {"ChatMsg", ""});
    from(1, {"ChatMsg", "caf\xe9 ol\xe9"}); // bytes beyond ASCII pass unchanged
    EXPECT_EQ(toAll(2), (QList<Fields>{{"ChatMsg", "User2: hello"},
                                       {"ChatMsg", "User1: " + QByteArray(50, 'a')},
                                       {"ChatMsg", "User1: caf\xe9 ol\xe9"}}));
}

TEST_F(RelayCoreTest, NameCommandRenamesAnnouncesAndIsNeverRelayed)
{
    joinAll(2);
    from(1, {"ChatMsg", "/name Anna"});
    EXPECT_EQ(core.user(1).Name, "Anna");
    EXPECT_EQ(host.refreshes, 1);
    from(2, {"ChatMsg", "/NAME Bob"});         // the command word ignores case, the name keeps it
    from(1, {"ChatMsg", "/name Anna Maria"});  // ten characters, space included
    from(2, {"ChatMsg", "/name Anna Maria!"}); // eleven: refused
    from(2, {"ChatMsg", "/name"});             // no rest: nothing
    from(2, {"ChatMsg", "/nick Bobby"});       // other commands: nothing
    from(2, {"ChatMsg", "/"});
    from(2, {"ChatMsg", "/name  two"}); // a blank at the start: refused
    from(1, {"ChatMsg", "hi"});
    from(2, {"ChatMsg", "/name "}); // an empty name: refused
    const QList<Fields> relayed{{"UserName", "1", "Anna"},
                                {"UserName", "2", "Bob"},
                                {"UserName", "1", "Anna Maria"},
                                {"ChatMsg", "Anna Maria: hi"}};
    EXPECT_EQ(host.to(1), relayed);
    // Each refusal is a line to the sender alone.
    EXPECT_EQ(host.to(2), (QList<Fields>{relayed[0],
                                         relayed[1],
                                         relayed[2],
                                         {"ChatMsg", "A name is at most 10 characters."},
                                         {"ChatMsg", "A name may not begin or end with a blank."},
                                         relayed[3],
                                         {"ChatMsg", "A name may not be empty."}}));
    EXPECT_EQ(core.user(2).Name, "Bob");
    EXPECT_EQ(host.refreshes, 3);
}

TEST_F(RelayCoreTest, NameCommandRefusesAnEmptySeatAnotherPresentUsersNameAndSeatDefaults)
{
    joinAll(4);
    from(1, {"ChatMsg", "/name Anna"});
    from(3, {"ChatMsg", "/name Caf\xe9"});
    host.sent.clear();
    host.refreshes = 0;
    for (const QByteArray& taken : {QByteArray("-"), QByteArray("anna"), QByteArray("ANNA"),
                                    QByteArray("user4"), QByteArray("CAF\xc9")}) {
        from(2, {"ChatMsg", "/name " + taken});
        EXPECT_EQ(core.user(2).Name, "User2") << taken.constData();
    }
    EXPECT_TRUE(host.to(1).isEmpty());
    EXPECT_EQ(host.to(2), (QList<Fields>{{"ChatMsg", "That name marks an empty seat."},
                                         {"ChatMsg", "That name is taken."},
                                         {"ChatMsg", "That name is taken."},
                                         {"ChatMsg", "That name is kept for its seat."},
                                         {"ChatMsg", "That name is taken."}}));
    EXPECT_EQ(host.refreshes, 0);

    host.sent.clear();
    from(1, {"ChatMsg", "/name ANNA"}); // one's own name in another case is fine
    from(2, {"ChatMsg", "/name --"});
    from(4, {"ChatMsg", "/name USER4"}); // and so is one's own seat's default
    host.connected[2] = false;           // a name is free again once its user has gone
    core.departed(3);
    from(2, {"ChatMsg", "/name cafe\xe9"});
    from(2, {"ChatMsg", "/name caf\xe9"});
    EXPECT_EQ(host.to(1), (QList<Fields>{{"UserName", "1", "ANNA"},
                                         {"UserName", "2", "--"},
                                         {"UserName", "4", "USER4"},
                                         {"UserName", "3", "-"},
                                         {"UserName", "2", "cafe\xe9"},
                                         {"UserName", "2", "caf\xe9"}}));
}

// Names that a reader could not tell from another's, or that show what they are not.
TEST_F(RelayCoreTest, LookAlikeNamesAreRefusedWithALineToTheSenderAlone)
{
    joinAll(4);
    from(1, {"ChatMsg", "/name Anna"});
    from(3, {"ChatMsg", "/name Caf\xe9"});
    from(4, {"ChatMsg", "/name Bo Bo"});
    const char* const kept = "That name is kept for its seat.";
    const char* const taken = "That name is taken.";
    const char* const blank = "A name may not begin or end with a blank.";
    const char* const control = "A name may not hold control characters.";
    const char* const empty = "A name may not be empty.";
    const struct
    {
        QByteArray name;
        const char* refusal;
    } cases[] = {
        {"user5", kept}, // a free seat's default, claimed in advance
        {"User3", kept}, // a renamed player's
        {"USER8", kept},
        {"User\xad"
         "3",
         kept}, // a soft hyphen shows nothing
        {"An\xadna", taken},
        {"Anna\xa0", blank}, // a no-break space is a blank
        {"\xa0"
         "Anna",
         blank},
        {"Bob ", blank},
        {"\xad Bob", blank},
        {"Bo\xa0"
         "Bo",
         taken}, // the same to a reader
        {"Bo\tb", control},
        {"Bo\nb", control},
        {"Bob\x7f", control},
        {"\x1b[2J", control},
        {"\x81"
         "Bob",
         control}, // the five C1 codes Windows-1252 leaves undefined
        {"Bo\x8d"
         "b",
         control},
        {"\x8f"
         "B",
         control},
        {"\x90"
         "B",
         control},
        {"B\x9d", control},
        {"\xad", empty},
        {"\xad\xad", empty},
        {"CAF\xc9", taken},
        {"\x80uro\x92s", nullptr}, // Windows-1252's own characters are fine
        {"User9", nullptr},        // no seat's default
        {"User3-2", nullptr},
    };
    for (const auto& c : cases) {
        host.sent.clear();
        const QByteArray before = core.user(2).Name;
        from(2, {"ChatMsg", "/name " + c.name});
        if (!c.refusal) {
            EXPECT_EQ(host.to(1), (QList<Fields>{{"UserName", "2", c.name}}))
                << c.name.toHex().constData();
            continue;
        }
        EXPECT_EQ(core.user(2).Name, before) << c.name.toHex().constData();
        EXPECT_TRUE(host.to(1).isEmpty()) << c.name.toHex().constData();
        EXPECT_EQ(host.to(2), (QList<Fields>{{"ChatMsg", c.refusal}}))
            << c.name.toHex().constData();
    }
}

TEST_F(RelayCoreTest, NewClientGetsDefaultNameAndItsPredecessorsHalfMessageIsGone)
{
    joinAll(2);
    from(2, {"ChatMsg", "/name Zed"});
    core.received(2, "ChatMsg\0hal"); // the client goes mid-message
    host.connected[1] = false;
    core.departed(2);
    EXPECT_EQ(core.user(2).Name, "Zed"); // kept until the slot is taken again
    EXPECT_EQ(core.firstFreeSlot(), 2);

    host.sent.clear();
    host.connected[1] = true;
    core.accepted(2);
    EXPECT_EQ(core.user(2).Name, "User2");
    EXPECT_EQ(host.to(2), (QList<Fields>{{"UserID", "User2", "2"},
                                         {"ChatMsg", "Welcome to Corvent!"},
                                         {"RoomInfo", "main", "0", "0"},
                                         {"UserName", "1", "User1"},
                                         {"UserName", "2", "User2"}}));
    host.sent.clear();
    from(2, {"NoteOff", "60"});
    EXPECT_EQ(host.to(1), (QList<Fields>{{"NoteOff", "60", "2"}}));
}

TEST_F(RelayCoreTest, EveryDepartureIsAnnouncedToTheOthersThenTheSlotCloses)
{
    joinAll(3);
    host.connected[1] = false;
    core.departed(2);
    EXPECT_EQ(host.to(1), (QList<Fields>{{"UserName", "2", "-"}}));
    EXPECT_EQ(host.to(3), (QList<Fields>{{"UserName", "2", "-"}}));
    EXPECT_TRUE(host.to(2).isEmpty());
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_EQ(core.firstFreeSlot(), 2);
}

TEST_F(RelayCoreTest, ASlotOverItsOutputCapIsClosedAndAnnouncedAfterTheBroadcast)
{
    joinAll(3);
    host.overflowing = {2};
    from(1, {"NoteOn", "60", "127"});
    from(1, {"NoteOff", "60"});
    EXPECT_EQ(host.closed, (QList<std::pair<int, bool>>{{2, true}}));
    // Slot 3 still got the note of this broadcast, then the departure, then the next note.
    EXPECT_EQ(host.to(3),
              (QList<Fields>{
                  {"NoteOn", "60", "127", "1"}, {"UserName", "2", "-"}, {"NoteOff", "60", "1"}}));
    EXPECT_EQ(host.to(2), (QList<Fields>{{"NoteOn", "60", "127", "1"}}));

    // A sender that overflows on its own echo: the rest of its read is not handled.
    host.sent.clear();
    host.overflowing = {1};
    core.received(1, buildMessage({"NoteOn", "61", "1"}) + buildMessage({"NoteOn", "62", "1"}));
    EXPECT_EQ(host.to(3), (QList<Fields>{{"NoteOn", "61", "1", "1"}, {"UserName", "1", "-"}}));
}

} // namespace
} // namespace tamber::server
