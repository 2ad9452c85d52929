// The token bucket and the traffic classes of the flood control, on a clock moved by hand.

#include "server/FloodControl.h"
#include "tests/server/FakeConnection.h"

#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using std::chrono::milliseconds;

int takeAll(TokenBucket& bucket, Time now)
{
    int taken = 0;
    while (bucket.take(now))
        ++taken;
    return taken;
}

TEST(TokenBucket, StartsFullRefillsAtItsRateAndSavesUpNoMoreThanTheBurst)
{
    FakeClock clock;
    TokenBucket bucket(1000, 500, clock.now());
    EXPECT_EQ(takeAll(bucket, clock.now()), 500);
    EXPECT_EQ(bucket.untilNext(clock.now()), milliseconds(1));

    clock.advance(milliseconds(250));
    EXPECT_EQ(bucket.untilNext(clock.now()), Duration::zero());
    EXPECT_EQ(takeAll(bucket, clock.now()), 250);

    clock.advance(std::chrono::seconds(10)); // a long pause saves up only the burst
    EXPECT_EQ(takeAll(bucket, clock.now()), 500);
}

TEST(TokenBucket, WakingAfterUntilNextAlwaysFindsTheToken)
{
    FakeClock clock;
    for (const double rate : {3.0, 7.0, 10.0, 333.0, 1000.0}) {
        TokenBucket bucket(rate, 1, clock.now());
        ASSERT_TRUE(bucket.take(clock.now()));
        for (int i = 0; i < 50; ++i) {
            ASSERT_FALSE(bucket.take(clock.now())) << rate;
            clock.advance(bucket.untilNext(clock.now()));
            ASSERT_TRUE(bucket.take(clock.now())) << rate << " step " << i;
        }
    }
}

TEST(TokenBucket, ATimeBeforeTheLastOneTakesNothingExtra)
{
    FakeClock clock;
    TokenBucket bucket(10, 1, clock.now());
    EXPECT_TRUE(bucket.take(clock.now()));
    EXPECT_FALSE(bucket.take(clock.now() - std::chrono::seconds(5)));
    EXPECT_EQ(bucket.untilNext(clock.now()), milliseconds(100));
}

TEST(FloodControl, EachMessageDrawsOnItsOwnBucket)
{
    using protocol::ChatRequest;
    const struct
    {
        std::optional<protocol::ClientMessage> message;
        Traffic traffic;
    } cases[] = {
        {protocol::NoteOnRequest{"60", "127"}, Traffic::Notes},
        {protocol::NoteOffRequest{"60"}, Traffic::Notes},
        {protocol::SetPatchRequest{"5"}, Traffic::Notes},
        {std::nullopt, Traffic::Notes}, // dropped unread, but reading it still costs
        {ChatRequest{"hello"}, Traffic::Chat},
        {ChatRequest{"/nick Bob"}, Traffic::Chat},
        {ChatRequest{"/name"}, Traffic::Chat},
        {ChatRequest{"/name Anna"}, Traffic::Names},
        {ChatRequest{"/NAME Anna Maria Elisabeth"}, Traffic::Names},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classify(c.message), c.traffic);

    FakeClock clock;
    RelayLimits limits;
    limits.chat = {10, 2};
    FloodGate gate(limits, clock.now());
    EXPECT_TRUE(gate.take(Traffic::Chat, clock.now()));
    EXPECT_TRUE(gate.take(Traffic::Chat, clock.now()));
    EXPECT_FALSE(gate.take(Traffic::Chat, clock.now()));
    EXPECT_TRUE(gate.take(Traffic::Names, clock.now()));
    EXPECT_TRUE(gate.take(Traffic::Notes, clock.now()));
    EXPECT_EQ(gate.untilNext(Traffic::Chat, clock.now()), milliseconds(100));
}

} // namespace
} // namespace tamber::server
