// The slots on fake connections and a clock moved by hand: pacing of floods, the cut of a
// receiver that stopped reading, departures and Stop.

#include "server/RelayHub.h"
#include "tests/server/FakeConnection.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tamber::server {
namespace {

using Fields = QList<QByteArray>;
using std::chrono::milliseconds;
using std::chrono::seconds;

QByteArray messages(const QList<Fields>& list)
{
    QByteArray bytes;
    for (const Fields& fields : list)
        bytes += protocol::buildMessage(fields);
    return bytes;
}

QList<Fields> notesFrom(int sender, int first, int count)
{
    QList<Fields> notes;
    for (int i = first; i < first + count; ++i)
        notes.append(Fields{"NoteOn", QByteArray::number(i), "127", QByteArray::number(sender)});
    return notes;
}

class RelayHubTest : public ::testing::Test
{
protected:
    RelayHub& hub()
    {
        if (!m_hub) {
            m_hub = std::make_unique<RelayHub>(limits, clock);
            m_hub->open();
        }
        return *m_hub;
    }
    // Clients in slots 1..count, each greeting taken.
    void joinAll(int count)
    {
        for (int i = 0; i < count; ++i) {
            clients.append(fake());
            ASSERT_EQ(hub().adopt(clients.back()), i + 1);
        }
        for (FakeConnection* c : clients)
            c->take();
    }
    void pass(Duration d)
    {
        clock.advance(d);
        hub().wake();
    }
    // A connection that outlives the hub, as real ones outlive their owner's hold on them.
    FakeConnection* fake()
    {
        m_fakes.push_back(std::make_unique<FakeConnection>());
        return m_fakes.back().get();
    }

    FakeClock clock;
    RelayLimits limits;
    QList<FakeConnection*> clients;

private:
    std::vector<std::unique_ptr<FakeConnection>> m_fakes;
    std::unique_ptr<RelayHub> m_hub;
};

TEST_F(RelayHubTest, HonestPlayingIsRelayedWholeInOrderAndAtOnce)
{
    joinAll(2);
    FakeConnection& player = *clients[0];
    FakeConnection& listener = *clients[1];
    // A piano sends "SetPatch" before every "NoteOn": a 50-note chord run first...
    QList<Fields> run;
    for (int i = 0; i < 50; ++i)
        run << Fields{"SetPatch", "0"} << Fields{"NoteOn", QByteArray::number(40 + i), "100"}
            << Fields{"NoteOff", QByteArray::number(40 + i)};
    emit player.received(messages(run));
    EXPECT_EQ(listener.take().size(), 150);

    // ...then ten seconds of 200 notes and 5 chat lines a second.
    for (int tick = 0; tick < 2000; ++tick) {
        QList<Fields> sent{{"SetPatch", "0"}, {"NoteOn", "60", "90"}, {"NoteOff", "60"}};
        if (tick % 40 == 0)
            sent.append(Fields{"ChatMsg", "la " + QByteArray::number(tick)});
        emit player.received(messages(sent));
        const QList<Fields> got = listener.take();
        ASSERT_EQ(got.size(), sent.size()) << "tick " << tick;
        EXPECT_EQ(got.back().first(), sent.back().first());
        ASSERT_FALSE(player.paused);
        pass(milliseconds(5));
    }
}

TEST_F(RelayHubTest, ANoteFlooderIsPacedInOrderWhileOthersAreRelayedAtOnce)
{
    joinAll(3);
    FakeConnection& flooder = *clients[0];
    QList<Fields> flood;
    for (int i = 0; i < 2000; ++i)
        flood.append(Fields{"NoteOn", QByteArray::number(i), "127"});
    emit flooder.received(messages(flood));

    // The burst goes at once; the rest waits, and the flooder is no longer read.
    EXPECT_EQ(clients[2]->take(), notesFrom(1, 0, 500));
    EXPECT_TRUE(flooder.paused);
    EXPECT_TRUE(hub().isPaced(1));

    clients[1]->send({"NoteOn", "60", "127"});
    EXPECT_EQ(clients[2]->take(), (QList<Fields>{{"NoteOn", "60", "127", "2"}}));

    // Then 1,000 a second, in order, none lost.
    int next = 500;
    for (int step = 0; step < 15; ++step) {
        pass(milliseconds(100));
        const QList<Fields> got = clients[2]->take();
        EXPECT_EQ(got, notesFrom(1, next, 100)) << "step " << step;
        next += int(got.size());
    }
    EXPECT_EQ(next, 2000);
    EXPECT_FALSE(flooder.paused);
    EXPECT_FALSE(hub().isPaced(1));
    EXPECT_EQ(clients[1]->take().size(), 2001); // the whole flood, and its own note
}

TEST_F(RelayHubTest, ChatAndNameFloodsArePacedByTheirOwnRatesWithTheRestBehindThem)
{
    joinAll(2);
    QList<Fields> sent;
    for (int i = 0; i < 30; ++i)
        sent.append(Fields{"ChatMsg", "spam " + QByteArray::number(i)});
    sent.append(Fields{"NoteOff", "60"}); // behind the chat, so it waits: order is kept
    emit clients[0]->received(messages(sent));
    QList<Fields> got = clients[1]->take();
    ASSERT_EQ(got.size(), 20);
    EXPECT_EQ(got.back(), (Fields{"ChatMsg", "User1: spam 19"}));

    pass(milliseconds(500));
    EXPECT_EQ(clients[1]->take().size(), 5);
    pass(milliseconds(500));
    got = clients[1]->take();
    ASSERT_EQ(got.size(), 6);
    EXPECT_EQ(got[4], (Fields{"ChatMsg", "User1: spam 29"}));
    EXPECT_EQ(got[5], (Fields{"NoteOff", "60", "1"}));
    EXPECT_FALSE(clients[0]->paused);

    // "/name": 4 at once, then 2 a second.
    clients[0]->take();
    sent.clear();
    for (int i = 0; i < 8; ++i)
        sent.append(Fields{"ChatMsg", "/name n" + QByteArray::number(i)});
    emit clients[1]->received(messages(sent));
    EXPECT_EQ(clients[0]->take().size(), 4);
    pass(seconds(1));
    EXPECT_EQ(clients[0]->take().size(), 2);
    pass(seconds(1));
    EXPECT_EQ(clients[0]->take().back(), (Fields{"UserName", "2", "n7"}));
}

TEST_F(RelayHubTest, OnlyAReceiverThatStoppedReadingIsCut)
{
    limits.outputCap = 1000;
    limits.hardOutputCap = 100'000;
    joinAll(3);
    FakeConnection& sender = *clients[0];
    FakeConnection& slow = *clients[1];    // far behind, but still taking bytes
    FakeConnection& stopped = *clients[2]; // takes nothing any more
    slow.reading = stopped.reading = false;

    int cutAt = -1;
    for (int tick = 0; tick < 100 && cutAt < 0; ++tick) {
        slow.takenAt = clock.now();
        if (tick <= 30)
            stopped.takenAt = clock.now(); // then it stops reading
        sender.send({"NoteOn", QByteArray::number(tick), "127"});
        if (stopped.aborted)
            cutAt = tick;
        pass(milliseconds(100));
    }
    // Over the cap from the 60th note on, but cut only once it has taken nothing for 5 s.
    EXPECT_EQ(cutAt, 80);
    EXPECT_FALSE(slow.aborted);
    EXPECT_EQ(sender.take().back(), (Fields{"UserName", "3", "-"}));
    EXPECT_EQ(slow.got.back(), (Fields{"UserName", "3", "-"}));

    // However eagerly it reads, a receiver may not make the server hold memory without bound.
    slow.unsent = limits.hardOutputCap;
    sender.send({"NoteOff", "1"});
    EXPECT_TRUE(slow.aborted);
    EXPECT_EQ(sender.take().back(), (Fields{"UserName", "2", "-"}));
}

TEST_F(RelayHubTest, WhatAPacedClientSentBeforeLeavingIsRelayedBeforeItsDeparture)
{
    joinAll(2);
    QList<Fields> flood;
    for (int i = 0; i < 600; ++i)
        flood.append(Fields{"NoteOn", QByteArray::number(i), "127"});
    flood.append(Fields{"NoteOff", "599"});
    emit clients[0]->received(messages(flood));
    EXPECT_EQ(clients[1]->take().size(), 500);

    emit clients[0]->closed();
    QList<Fields> got = clients[1]->take();
    ASSERT_EQ(got.size(), 102);
    EXPECT_EQ(got[99], (Fields{"NoteOn", "599", "127", "1"}));
    EXPECT_EQ(got[100], (Fields{"NoteOff", "599", "1"}));
    EXPECT_EQ(got[101], (Fields{"UserName", "1", "-"}));
    EXPECT_TRUE(clients[0]->aborted);

    // The next client of the slot starts with full buckets.
    auto* next = fake();
    ASSERT_EQ(hub().adopt(next), 1);
    clients[1]->take();
    emit next->received(messages(flood));
    EXPECT_EQ(clients[1]->take().size(), 500);
}

TEST_F(RelayHubTest, StopClosesGracefullyThenAbortsWhatIsLeftAfterTwoSeconds)
{
    joinAll(3);
    QSignalSpy lists(&hub(), &RelayHub::listChanged);
    QSignalSpy allClosed(&hub(), &RelayHub::allClosed);
    hub().closeAll();
    for (FakeConnection* c : clients) {
        EXPECT_TRUE(c->closing);
        EXPECT_FALSE(c->aborted);
        EXPECT_TRUE(c->got.isEmpty()); // nobody is told anything
    }
    EXPECT_EQ(lists.size(), 8);
    EXPECT_TRUE(hub().isClosing());
    EXPECT_FALSE(hub().hasFreeSlot());
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(hub().listLines(HighBytes::Latin1)[n - 1],
                  QByteArray::number(n) + ". No User: 0.0.0.0");

    emit clients[0]->closed(); // took its output and went
    emit clients[1]->received(protocol::buildMessage({"NoteOn", "1", "1"})); // ignored now
    pass(milliseconds(1900));
    EXPECT_FALSE(clients[1]->aborted);
    EXPECT_TRUE(allClosed.isEmpty());
    pass(milliseconds(200));
    EXPECT_FALSE(clients[0]->aborted);
    EXPECT_TRUE(clients[1]->aborted);
    EXPECT_TRUE(clients[2]->aborted);
    EXPECT_EQ(allClosed.size(), 1);
    EXPECT_FALSE(hub().isClosing());
    for (FakeConnection* c : clients)
        EXPECT_TRUE(c->got.isEmpty());

    // Start again: slot 1 is free for the next client.
    hub().open();
    EXPECT_EQ(hub().adopt(fake()), 1);
}

TEST_F(RelayHubTest, TheListShowsEachNameOnOneLineAndANinthClientIsTurnedAway)
{
    joinAll(8);
    // A name with controls gets no further than a line to its sender...
    clients[0]->send({"ChatMsg", "/name \x1b[2J\r\n9. X"});
    EXPECT_EQ(clients[0]->take(),
              (QList<Fields>{{"ChatMsg", "A name may not hold control characters."}}));
    EXPECT_EQ(hub().listLines(HighBytes::Latin1)[0], "1. User1: 10.0.0.7");
    // ...and one that writes an escape out is shown as written, not as the escape.
    clients[0]->send({"ChatMsg", "/name \\x1b[2J"});
    const QList<QByteArray> lines = hub().listLines(HighBytes::Latin1);
    EXPECT_EQ(lines[0], "1. \\\\x1b[2J: 10.0.0.7");
    // The wire carries the name unchanged.
    for (FakeConnection* c : clients)
        EXPECT_EQ(c->take(), (QList<Fields>{{"UserName", "1", "\\x1b[2J"}}));

    auto* ninth = fake();
    EXPECT_EQ(hub().adopt(ninth), 0);
    EXPECT_TRUE(ninth->aborted);
    EXPECT_TRUE(ninth->got.isEmpty());
    for (FakeConnection* c : clients)
        EXPECT_TRUE(c->take().isEmpty());
    EXPECT_EQ(hub().listLines(HighBytes::Latin1), lines);
}

} // namespace
} // namespace tamber::server
