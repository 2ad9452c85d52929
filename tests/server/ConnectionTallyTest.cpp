// Connections counted at accept: per address, in all, and given back with their tickets.

#include "server/net/ConnectionTally.h"

#include <gtest/gtest.h>

namespace tamber::server::net {
namespace {

using Verdict = ConnectionTally::Verdict;

const QHostAddress kOne("192.0.2.1");
const QHostAddress kTwo("192.0.2.2");

TEST(ConnectionTally, AnAddressOverItsCapIsRefusedUntilOneOfItsConnectionsGoes)
{
    const auto tally = ConnectionTally::create({2, 100});
    ConnectionTally::Ticket a, b, c, d;
    EXPECT_EQ(ConnectionTally::admit(tally, kOne, &a), Verdict::Admitted);
    EXPECT_EQ(ConnectionTally::admit(tally, kOne, &b), Verdict::Admitted);
    EXPECT_EQ(ConnectionTally::admit(tally, kOne, &c), Verdict::AddressFull);
    EXPECT_FALSE(c.isValid());
    EXPECT_EQ(ConnectionTally::admit(tally, kTwo, &d), Verdict::Admitted);
    EXPECT_EQ(tally->from(kOne), 2);
    EXPECT_EQ(tally->total(), 3);

    a.release();
    EXPECT_EQ(tally->from(kOne), 1);
    EXPECT_EQ(ConnectionTally::admit(tally, kOne, &c), Verdict::Admitted);
    {
        const ConnectionTally::Ticket moved = std::move(c);
        EXPECT_FALSE(c.isValid());
        EXPECT_EQ(tally->from(kOne), 2);
    }
    EXPECT_EQ(tally->from(kOne), 1);
    EXPECT_EQ(tally->total(), 2);
}

TEST(ConnectionTally, TheServerCapCountsEveryAddressAndZeroPerAddressIsNoLimit)
{
    const auto tally = ConnectionTally::create({0, 3});
    std::vector<ConnectionTally::Ticket> tickets(4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ConnectionTally::admit(tally, kOne, &tickets[i]), Verdict::Admitted);
    EXPECT_EQ(ConnectionTally::admit(tally, kTwo, &tickets[3]), Verdict::ServerFull);
    EXPECT_EQ(ConnectionTally::refusal(Verdict::ServerFull), "The server is full.");
    EXPECT_EQ(ConnectionTally::refusal(Verdict::AddressFull),
              "Too many connections from your address.");
}

// A trusted proxy's connection counts in the total only until it names its client, then
// against the client; a full client address keeps it where it was.
TEST(ConnectionTally, AProxiedConnectionMovesToTheAddressItForwards)
{
    const auto tally = ConnectionTally::create({1, 100});
    ConnectionTally::Ticket proxied, other, direct;
    EXPECT_EQ(ConnectionTally::admit(tally, QHostAddress(), &proxied), Verdict::Admitted);
    EXPECT_EQ(ConnectionTally::admit(tally, QHostAddress(), &other), Verdict::Admitted);
    EXPECT_EQ(tally->total(), 2);
    EXPECT_EQ(proxied.moveTo(kOne), Verdict::Admitted);
    EXPECT_EQ(tally->from(kOne), 1);
    EXPECT_EQ(other.moveTo(kOne), Verdict::AddressFull);
    EXPECT_TRUE(other.address().isNull());
    EXPECT_EQ(ConnectionTally::admit(tally, kOne, &direct), Verdict::AddressFull);
    proxied = ConnectionTally::Ticket();
    EXPECT_EQ(tally->from(kOne), 0);
    EXPECT_EQ(tally->total(), 1);
}

// Tickets may outlive whoever made the tally (connections are deleted a turn later).
TEST(ConnectionTally, ATicketKeepsItsTallyAlive)
{
    ConnectionTally::Ticket ticket;
    {
        const auto tally = ConnectionTally::create({});
        ASSERT_EQ(ConnectionTally::admit(tally, kOne, &ticket), Verdict::Admitted);
    }
    ticket.release();
    EXPECT_FALSE(ticket.isValid());
}

} // namespace
} // namespace tamber::server::net
