// The rules of one room's order, without sockets: who may use the owner's commands, what
// each does, bans expiring on a clock moved by hand, ownership passing on.

#include "server/RoomRules.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using Outcome = RoomRules::Outcome;
using std::chrono::minutes;

const Time kStart{};

QByteArray nameOf(int seat)
{
    return "User" + QByteArray::number(seat);
}

// A room "Jazz" with players seated in 1, 2 and 3, in that order, from their own addresses.
class RoomRulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EXPECT_TRUE(rules.seated(1, "192.0.2.1"));
        EXPECT_FALSE(rules.seated(2, "192.0.2.2"));
        EXPECT_FALSE(rules.seated(3, "192.0.2.3"));
    }
    Outcome say(int sender, const QByteArray& text, Time now = kStart)
    {
        return rules.command(sender, text, now, nameOf);
    }

    RoomRules rules{"Jazz", true};
};

TEST_F(RoomRulesTest, TheFirstSeatedOwnsTheRoomAndOnlyTheOwnerMayCommand)
{
    EXPECT_EQ(rules.owner(), 1);
    for (const char* text : {"/kick 3", "/ban 3", "/unban", "/lock", "/unlock", "/owner 2",
                             "/private", "/public", "/KICK 1"}) {
        const Outcome outcome = say(2, text);
        EXPECT_EQ(outcome.toSender, QList<QByteArray>{"Only the room's owner can do that."})
            << text;
        EXPECT_FALSE(outcome.removal || outcome.infoChanged || outcome.listingChanged) << text;
        EXPECT_TRUE(outcome.toRoom.isEmpty()) << text;
    }
    EXPECT_FALSE(rules.isLocked());
    EXPECT_EQ(rules.owner(), 1);

    // The default room has no owner, so nobody may.
    RoomRules main("main", false);
    EXPECT_FALSE(main.seated(1, "192.0.2.1"));
    EXPECT_EQ(main.owner(), 0);
    EXPECT_EQ(main.command(1, "/lock", kStart, nameOf).toSender,
              QList<QByteArray>{"Only the room's owner can do that."});
}

TEST_F(RoomRulesTest, KickAndBanSendThePlayerOutWithTheirReason)
{
    Outcome kicked = say(1, "/kick 3");
    ASSERT_TRUE(kicked.removal);
    EXPECT_EQ(kicked.removal->seat, 3);
    EXPECT_EQ(kicked.removal->reason, "You were sent out of room Jazz by the owner.");
    EXPECT_EQ(kicked.removal->roomLine, "User3 was sent out by the owner.");
    EXPECT_FALSE(kicked.event.isEmpty());
    // A kick keeps nobody out.
    rules.left(3);
    EXPECT_FALSE(rules.joinRefusal("192.0.2.3", kStart));

    const Outcome banned = say(1, "/ban 2 5");
    ASSERT_TRUE(banned.removal);
    EXPECT_EQ(banned.removal->reason,
              "You were sent out of room Jazz by the owner and may not return for 5 minutes.");
    EXPECT_EQ(banned.removal->roomLine, "User2 was sent out by the owner.");
    rules.left(2);
    EXPECT_EQ(rules.joinRefusal("192.0.2.2", kStart + minutes(4)),
              "You are banned from room Jazz.");
    EXPECT_FALSE(rules.joinRefusal("192.0.2.9", kStart + minutes(4)));
    EXPECT_FALSE(rules.joinRefusal("192.0.2.2", kStart + minutes(5)));
}

TEST_F(RoomRulesTest, ABanLastsAnHourByDefaultAndUnbanLiftsEveryBan)
{
    ASSERT_TRUE(say(1, "/ban 2").removal);
    ASSERT_TRUE(say(1, "/ban 3 1440").removal);
    rules.left(2);
    rules.left(3);
    EXPECT_TRUE(rules.joinRefusal("192.0.2.2", kStart + minutes(59)));
    EXPECT_FALSE(rules.joinRefusal("192.0.2.2", kStart + minutes(60)));
    EXPECT_TRUE(rules.joinRefusal("192.0.2.3", kStart + minutes(1439)));
    EXPECT_EQ(say(1, "/unban").toSender, QList<QByteArray>{"The room's bans are lifted."});
    EXPECT_FALSE(rules.joinRefusal("192.0.2.3", kStart + minutes(61)));
}

TEST_F(RoomRulesTest, BadArgumentsGetTheUsageAndTouchNobody)
{
    const QByteArray kickUsage = "Usage: /kick N (a seat from 1 to 8).";
    const QByteArray banUsage = "Usage: /ban N [minutes] (a seat from 1 to 8, 1 to 1440 minutes).";
    const QByteArray ownerUsage = "Usage: /owner N (a seat from 1 to 8).";
    const std::pair<const char*, QByteArray> cases[] = {
        {"/kick", kickUsage},
        {"/kick 0", kickUsage},
        {"/kick 9", kickUsage},
        {"/kick +3", kickUsage},
        {"/kick 3 3", kickUsage},
        {"/kick x", kickUsage},
        {"/ban 3 0", banUsage},
        {"/ban 3 1441", banUsage},
        {"/ban 3 -5", banUsage},
        {"/ban 3 5 5", banUsage},
        {"/owner", ownerUsage},
        {"/owner 12", ownerUsage},
        {"/kick 5", "Seat 5 is empty."},
        {"/ban 1", "You cannot send yourself out."},
        {"/owner 1", "You own this room already."},
    };
    for (const auto& [text, answer] : cases) {
        const Outcome outcome = say(1, text);
        EXPECT_EQ(outcome.toSender, QList<QByteArray>{answer}) << text;
        EXPECT_FALSE(outcome.removal || outcome.infoChanged) << text;
    }
    EXPECT_FALSE(rules.joinRefusal("192.0.2.3", kStart));
}

TEST_F(RoomRulesTest, LockRefusesJoinsAndChangesTheRoomInfoOnce)
{
    const Outcome locked = say(1, "/lock");
    EXPECT_TRUE(locked.infoChanged);
    EXPECT_TRUE(rules.isLocked());
    EXPECT_EQ(locked.toRoom.size(), 1);
    EXPECT_FALSE(say(1, "/lock").infoChanged);
    EXPECT_EQ(rules.joinRefusal("192.0.2.9", kStart), "Room Jazz is locked.");
    EXPECT_TRUE(say(1, "/unlock").infoChanged);
    EXPECT_FALSE(rules.joinRefusal("192.0.2.9", kStart));
}

TEST_F(RoomRulesTest, PrivateAndPublicChangeTheListingOnly)
{
    const Outcome hidden = say(1, "/private");
    EXPECT_TRUE(hidden.listingChanged);
    EXPECT_FALSE(hidden.infoChanged);
    EXPECT_TRUE(rules.isPrivate());
    EXPECT_FALSE(rules.joinRefusal("192.0.2.9", kStart));
    EXPECT_FALSE(say(1, "/private").listingChanged);
    EXPECT_TRUE(say(1, "/public").listingChanged);
    EXPECT_FALSE(rules.isPrivate());
}

TEST_F(RoomRulesTest, OwnershipIsHandedOnAndPassesToWhoeverIsSeatedLongest)
{
    const Outcome handed = say(1, "/owner 3");
    EXPECT_TRUE(handed.infoChanged);
    EXPECT_EQ(handed.toRoom, QList<QByteArray>{"User3 owns the room now."});
    EXPECT_EQ(rules.owner(), 3);
    EXPECT_EQ(say(1, "/kick 2").toSender, QList<QByteArray>{"Only the room's owner can do that."});

    // Seat 4 came last; seat 1 has sat longest.
    rules.seated(4, "192.0.2.4");
    QByteArray event;
    EXPECT_TRUE(rules.left(3, &event));
    EXPECT_EQ(rules.owner(), 1);
    EXPECT_FALSE(event.isEmpty());
    EXPECT_FALSE(rules.left(4));
    EXPECT_TRUE(rules.left(1));
    EXPECT_EQ(rules.owner(), 2);
    EXPECT_FALSE(rules.left(2)); // the room is empty: nobody to pass it to
    EXPECT_EQ(rules.owner(), 0);
}

TEST_F(RoomRulesTest, HelpListsWhatTheSenderMayUse)
{
    const QList<QByteArray> owners = say(1, "/help").toSender;
    const QList<QByteArray> others = say(2, "/help").toSender;
    const auto mentions = [](const QList<QByteArray>& lines, const char* command) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const QByteArray& line) { return line.startsWith(command); });
    };
    for (const char* command : {"/name", "/join", "/rooms", "/help"}) {
        EXPECT_TRUE(mentions(owners, command)) << command;
        EXPECT_TRUE(mentions(others, command)) << command;
    }
    for (const char* command : {"/kick", "/ban", "/unban", "/lock", "/owner", "/private"}) {
        EXPECT_TRUE(mentions(owners, command)) << command;
        EXPECT_FALSE(mentions(others, command)) << command;
    }
    EXPECT_TRUE(RoomRules::isCommand("/Help"));
    EXPECT_TRUE(RoomRules::isCommand("/kick 3"));
    EXPECT_FALSE(RoomRules::isCommand("/kicks 3"));
    EXPECT_FALSE(RoomRules::isCommand("/name Bob"));
    EXPECT_FALSE(RoomRules::isCommand("kick 3"));
}

TEST(RoomRules, TheOperatorSendsAnyoneOutOfAnyRoom)
{
    RoomRules main("main", false);
    main.seated(2, "192.0.2.2");
    const RoomRules::Outcome outcome = main.operatorKick(2, nameOf);
    ASSERT_TRUE(outcome.removal);
    EXPECT_EQ(outcome.removal->reason, "You were sent out of room main by the operator.");
    EXPECT_EQ(outcome.removal->roomLine, "User2 was sent out by the operator.");
    EXPECT_FALSE(outcome.event.isEmpty());
}

} // namespace
} // namespace tamber::server
