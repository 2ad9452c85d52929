#include "OutputBuffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tamber::server::net {

namespace {

// A new buffer starts with room for at least this much, and at most this much from memory of
// the last one.
constexpr qsizetype kMinCapacity = BlockPool::kSmallest;
constexpr qsizetype kMaxRemembered = 256 * 1024;

} // namespace

void OutputBuffer::append(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    if (n == 0)
        return;
    if (m_end + n > m_capacity) {
        const qsizetype live = size();
        if (m_start > 0 && live + n <= m_capacity && m_start >= live) {
            // Taken bytes make room enough, and moving what is left costs less than they did.
            std::memmove(m_bytes, data(), size_t(live));
        } else {
            const qsizetype wanted = std::max(
                {live + n, 2 * m_capacity, kMinCapacity, std::min(m_lastPeak, kMaxRemembered)});
            qsizetype capacity = 0;
            char* grown = take(wanted, &capacity);
            if (live > 0)
                std::memcpy(grown, data(), size_t(live));
            give(std::exchange(m_bytes, grown), m_capacity);
            m_capacity = capacity;
        }
        m_start = 0;
        m_end = live;
    }
    std::memcpy(m_bytes + m_end, bytes.data(), size_t(n));
    m_end += n;
    m_peak = std::max(m_peak, size());
}

void OutputBuffer::consume(qsizetype n)
{
    m_start += n;
    if (m_start >= m_end)
        clear();
}

void OutputBuffer::clear()
{
    give(std::exchange(m_bytes, nullptr), m_capacity);
    m_capacity = m_start = m_end = 0;
    m_lastPeak = std::exchange(m_peak, 0);
}

char* OutputBuffer::take(qsizetype size, qsizetype* capacity)
{
    if (m_pool)
        return m_pool->take(size, capacity);
    *capacity = size;
    return new char[size_t(size)];
}

void OutputBuffer::give(char* block, qsizetype capacity)
{
    if (!block)
        return;
    if (m_pool)
        m_pool->give(block, capacity);
    else
        delete[] block;
}

} // namespace tamber::server::net
