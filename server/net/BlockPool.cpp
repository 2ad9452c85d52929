#include "BlockPool.h"

namespace tamber::server::net {

namespace {

// The class whose blocks hold `size` bytes, or -1 for a block larger than any class.
int classOf(qsizetype size)
{
    qsizetype capacity = BlockPool::kSmallest;
    for (int c = 0; capacity <= BlockPool::kLargest; ++c, capacity *= 2) {
        if (size <= capacity)
            return c;
    }
    return -1;
}

qsizetype capacityOf(int c)
{
    return BlockPool::kSmallest << c;
}

} // namespace

BlockPool::~BlockPool()
{
    for (std::vector<char*>& blocks : m_free) {
        for (char* block : blocks)
            delete[] block;
    }
}

char* BlockPool::take(qsizetype size, qsizetype* capacity)
{
    const int c = classOf(size);
    if (c < 0) {
        *capacity = size;
        return new char[size_t(size)];
    }
    *capacity = capacityOf(c);
    std::vector<char*>& blocks = m_free[std::size_t(c)];
    if (blocks.empty())
        return new char[size_t(*capacity)];
    char* block = blocks.back();
    blocks.pop_back();
    m_kept -= *capacity;
    return block;
}

void BlockPool::give(char* block, qsizetype capacity)
{
    const int c = classOf(capacity);
    if (c < 0 || capacityOf(c) != capacity || m_kept + capacity > kMaxKept) {
        delete[] block;
        return;
    }
    m_free[std::size_t(c)].push_back(block);
    m_kept += capacity;
}

} // namespace tamber::server::net
