#pragma once

// The relay's time: steady, so pacing and timeouts ignore changes of the wall clock. Tests
// use a clock they move by hand.

#include <chrono>

namespace tamber::server {

using Time = std::chrono::steady_clock::time_point;
using Duration = std::chrono::steady_clock::duration;

class Clock
{
public:
    virtual ~Clock() = default;
    virtual Time now() const = 0;
};

class SteadyClock : public Clock
{
public:
    Time now() const override { return std::chrono::steady_clock::now(); }
};

} // namespace tamber::server
