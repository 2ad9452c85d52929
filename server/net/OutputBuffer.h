#pragma once

// Bytes owed to a peer, taken from the front as the socket accepts them. Holds no memory while
// empty, so an idle connection costs nothing here; a busy one starts each turn with room for
// as much as it held last time, so that a turn's output is not copied again and again as it
// grows.

#include "server/net/BlockPool.h"

#include <QByteArrayView>

namespace tamber::server::net {

class OutputBuffer
{
public:
    // Its blocks come from `pool` (the thread's), or from the allocator without one.
    explicit OutputBuffer(BlockPool* pool = nullptr) : m_pool(pool) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;
    ~OutputBuffer() { clear(); }

    void append(QByteArrayView bytes);
    const char* data() const { return m_bytes + m_start; }
    qsizetype size() const { return m_end - m_start; }
    bool isEmpty() const { return m_end == m_start; }
    // The first n bytes were taken.
    void consume(qsizetype n);
    void clear();

private:
    char* take(qsizetype size, qsizetype* capacity);
    void give(char* block, qsizetype capacity);

    BlockPool* m_pool;
    char* m_bytes = nullptr;
    qsizetype m_capacity = 0;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
    qsizetype m_peak = 0;     // the most it has held since it was last emptied
    qsizetype m_lastPeak = 0; // the same before that
};

} // namespace tamber::server::net
