#pragma once

#include <cstdint>

namespace tamber {

// Milliseconds since some fixed start, as a 32-bit count that wraps.
// Differences are taken modulo 2^32 so the wrap is harmless.
class TickClock
{
public:
    virtual ~TickClock() = default;
    virtual uint32_t tickCount() const = 0;
};

inline uint32_t ticksBetween(uint32_t earlier, uint32_t later)
{
    return later - earlier;
}

} // namespace tamber
