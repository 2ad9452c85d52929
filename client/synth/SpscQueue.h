#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <optional>

namespace tamber {

// A fixed ring shared by exactly one producer thread and one consumer thread, without locks,
// so the audio callback never waits for the GUI thread. A push to a full ring fails.
template <typename T, std::size_t Capacity> class SpscQueue
{
    static_assert((Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");

public:
    bool push(const T& item)
    {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail - m_head.load(std::memory_order_acquire) == Capacity)
            return false;
        m_items[tail & (Capacity - 1)] = item;
        m_tail.store(tail + 1, std::memory_order_release);
        return true;
    }

    // The oldest item, left in the ring (consumer side).
    std::optional<T> peek() const
    {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head == m_tail.load(std::memory_order_acquire))
            return std::nullopt;
        return m_items[head & (Capacity - 1)];
    }

    std::optional<T> pop()
    {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head == m_tail.load(std::memory_order_acquire))
            return std::nullopt;
        T item = m_items[head & (Capacity - 1)];
        m_head.store(head + 1, std::memory_order_release);
        return item;
    }

    // Only a hint while the other side runs.
    bool empty() const
    {
        return m_head.load(std::memory_order_acquire) == m_tail.load(std::memory_order_acquire);
    }

private:
    std::array<T, Capacity> m_items{};
    std::atomic<std::size_t> m_head{0};
    std::atomic<std::size_t> m_tail{0};
};

} // namespace tamber
