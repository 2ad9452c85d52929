// A connection's output buffer and the thread's pool of blocks: bytes leave in the order they
// came whatever the appends and partial writes, an empty buffer holds nothing, and the pool
// keeps no more than its bound.

#include "server/net/OutputBuffer.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace tamber::server::net {
namespace {

TEST(OutputBuffer, BytesLeaveInOrderWhateverTheAppendsAndPartialWrites)
{
    for (BlockPool* pool : {static_cast<BlockPool*>(nullptr), new BlockPool}) {
        OutputBuffer buffer(pool);
        QByteArray expected; // what the buffer should hold
        QRandomGenerator random(7);
        char next = 0;
        for (int step = 0; step < 3000; ++step) {
            if (random.bounded(3) != 0) {
                // Small messages mostly, now and then a burst larger than any block so far.
                const int size =
                    random.bounded(10) == 0 ? random.bounded(300000) : random.bounded(64);
                QByteArray bytes(size, Qt::Uninitialized);
                for (char& c : bytes)
                    c = next++;
                buffer.append(bytes);
                expected += bytes;
            } else {
                const qsizetype taken = random.bounded(int(expected.size()) + 1);
                ASSERT_EQ(QByteArrayView(buffer.data(), taken), expected.left(taken)) << step;
                buffer.consume(taken);
                expected.remove(0, taken);
            }
            ASSERT_EQ(buffer.size(), expected.size()) << step;
        }
        buffer.consume(buffer.size());
        EXPECT_TRUE(buffer.isEmpty());
        if (pool) {
            EXPECT_LE(pool->keptBytes(), BlockPool::kMaxKept);
            delete pool;
        }
    }
}

TEST(BlockPool, ReusesBlocksOfAClassAndKeepsNoMoreThanItsBound)
{
    BlockPool pool;
    qsizetype capacity = 0;
    char* block = pool.take(5000, &capacity);
    EXPECT_EQ(capacity, 8 * 1024);
    pool.give(block, capacity);
    EXPECT_EQ(pool.keptBytes(), capacity);
    qsizetype again = 0;
    EXPECT_EQ(pool.take(6000, &again), block);
    EXPECT_EQ(pool.keptBytes(), 0);
    pool.give(block, again);

    // A thousand busy connections let their blocks go at once: most go back to the system.
    std::vector<std::pair<char*, qsizetype>> taken;
    for (int i = 0; i < 1000; ++i) {
        qsizetype size = 0;
        char* b = pool.take(64 * 1024, &size);
        taken.emplace_back(b, size);
    }
    for (const auto& [b, size] : taken)
        pool.give(b, size);
    EXPECT_LE(pool.keptBytes(), BlockPool::kMaxKept);
    // One larger than any class is the system's alone.
    char* huge = pool.take(4 << 20, &capacity);
    EXPECT_EQ(capacity, 4 << 20);
    const qsizetype kept = pool.keptBytes();
    pool.give(huge, capacity);
    EXPECT_EQ(pool.keptBytes(), kept);
}

} // namespace
} // namespace tamber::server::net
