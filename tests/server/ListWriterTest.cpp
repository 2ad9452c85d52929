// The headless list printer on a channel that takes what a test allows: whole lists, the
// newest kept while the reader stalls, one line for what was dropped, and a reader that went.

#include "server/HeadlessOutput.h"

#include <gtest/gtest.h>

namespace tamber::server {
namespace {

class FakeChannel : public OutputChannel
{
public:
    qint64 write(const char* data, qint64 size) override
    {
        ++writes;
        if (gone)
            return kGone;
        const qint64 put = std::min(size, room);
        if (put == 0)
            return kWouldBlock;
        out.append(data, put);
        room -= put;
        return put;
    }
    void whenWritable(std::function<void()> callback) override { waiting = std::move(callback); }

    // The reader takes everything so far and `more` bytes besides.
    void drain(qint64 more)
    {
        room += more;
        if (auto callback = std::exchange(waiting, nullptr))
            callback();
    }

    QByteArray out;
    qint64 room = 1 << 20;
    bool gone = false;
    int writes = 0;
    std::function<void()> waiting;
};

QByteArray list(int n)
{
    return "list " + QByteArray::number(n) + "\nline 2\n\n";
}

TEST(ListWriter, AStalledReaderGetsTheListInHandThenADropCountAndTheNewest)
{
    FakeChannel channel;
    ListWriter writer(channel);
    writer.print(list(1));
    EXPECT_EQ(channel.out, list(1));

    channel.room = 5; // the reader stalls halfway through list 2
    for (int n = 2; n <= 40; ++n)
        writer.print(list(n));
    EXPECT_EQ(channel.out, list(1) + list(2).left(5));
    EXPECT_EQ(writer.dropped(), 37); // lists 3 to 39; 40 waits
    ASSERT_TRUE(channel.waiting);

    channel.drain(1000);
    EXPECT_EQ(channel.out, list(1) + list(2) +
                               "37 user lists dropped while standard output was not read\n" +
                               list(40));
    EXPECT_EQ(writer.dropped(), 0);

    channel.out.clear();
    writer.print(list(41)); // keeping up again: nothing more is said
    EXPECT_EQ(channel.out, list(41));
}

TEST(ListWriter, AReaderThatHasGoneIsNeverWrittenToAgain)
{
    FakeChannel channel;
    ListWriter writer(channel);
    channel.gone = true;
    writer.print(list(1));
    EXPECT_TRUE(writer.readerGone());
    const int writes = channel.writes;
    for (int n = 2; n < 100; ++n)
        writer.print(list(n));
    EXPECT_EQ(channel.writes, writes);
    EXPECT_FALSE(channel.waiting);
}

} // namespace
} // namespace tamber::server
