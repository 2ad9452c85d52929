#pragma once

// The player's wait against the fake clock: time jumps to the due moment, or to the next
// thing a test scheduled (a click, a key) if that comes first, as the real event loop would
// wake for it.

#include "client/files/Player.h"
#include "tests/fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace tamber::testing {

class FakeWaiter : public PlaybackWaiter
{
public:
    explicit FakeWaiter(fakes::FakeTickClock& clock) : m_clock(clock) {}

    void waitFor(uint32_t milliseconds) override
    {
        waits.push_back(milliseconds);
        if (waits.size() > kMaxPasses) {
            ADD_FAILURE() << "the playback loop does not end";
            if (bailOut)
                bailOut();
            return;
        }
        runScheduled();
        if (milliseconds == 0)
            return;
        const uint32_t due = m_clock.now + milliseconds;
        if (!scheduled.empty() && int32_t(scheduled.begin()->first - due) < 0)
            m_clock.now = scheduled.begin()->first;
        else
            m_clock.now = due;
        runScheduled();
    }

    // Runs `action` inside the loop once the clock reaches `tick` (relative to the start).
    void at(uint32_t ticksFromNow, std::function<void()> action)
    {
        scheduled.emplace(m_clock.now + ticksFromNow, std::move(action));
    }

    std::vector<uint32_t> waits;
    std::multimap<uint32_t, std::function<void()>> scheduled;
    std::function<void()> bailOut;

private:
    static constexpr size_t kMaxPasses = 100000;

    void runScheduled()
    {
        while (!scheduled.empty() && int32_t(m_clock.now - scheduled.begin()->first) >= 0) {
            auto action = std::move(scheduled.begin()->second);
            scheduled.erase(scheduled.begin());
            action();
        }
    }

    fakes::FakeTickClock& m_clock;
};

} // namespace tamber::testing
