#pragma once

// Output blocks kept for reuse on one thread, so that busy connections, which empty their
// output every turn and fill it again the next, do not make the allocator work for each turn.
// Idle connections hold no block; the pool holds at most a few MiB of them in all.

#include <QtGlobal>
#include <array>
#include <vector>

namespace tamber::server::net {

class BlockPool
{
public:
    static constexpr qsizetype kSmallest = 4 * 1024;
    static constexpr qsizetype kLargest = 1024 * 1024;
    static constexpr qsizetype kMaxKept = 8 * 1024 * 1024;

    BlockPool() = default;
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    ~BlockPool();

    // A block of at least `size` bytes; *capacity says how many it has.
    char* take(qsizetype size, qsizetype* capacity);
    // Hands a block back, kept for the next take() or freed.
    void give(char* block, qsizetype capacity);
    qsizetype keptBytes() const { return m_kept; }

private:
    static constexpr int kClasses = 9; // 4 KiB to 1 MiB, doubling
    std::array<std::vector<char*>, kClasses> m_free;
    qsizetype m_kept = 0;
};

} // namespace tamber::server::net
