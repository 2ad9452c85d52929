#pragma once

// The player's timer against the fake tick clock: run() stands for the event loop. Time
// jumps to the pending wake-up, or to the next thing a test scheduled (a click, a key) if
// that comes first, and the tick clock follows in whole milliseconds.

#include "client/recording/PlaybackTimer.h"
#include "tests/fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace tamber::testing {

class FakePlaybackTimer : public PlaybackTimer
{
public:
    explicit FakePlaybackTimer(fakes::FakeTickClock& clock)
        : m_clock(clock), m_seenTick(clock.now), m_us(int64_t(clock.now) * 1000)
    {
    }

    int64_t nowUs() const override
    {
        // A test that moved the tick clock moved this clock as far.
        m_us += int64_t(uint32_t(m_clock.now - m_seenTick)) * 1000;
        m_seenTick = m_clock.now;
        return m_us;
    }
    void wakeAt(int64_t dueUs) override
    {
        wakes.push_back(dueUs - nowUs());
        m_due = dueUs;
    }
    void cancel() override { m_due.reset(); }

    // Runs `action` from the event loop once the tick clock is `ticksFromNow` further on.
    void at(uint32_t ticksFromNow, std::function<void()> action)
    {
        scheduled.emplace(nowUs() + int64_t(ticksFromNow) * 1000, std::move(action));
    }

    // The event loop: runs until nothing is pending or scheduled any more.
    void run()
    {
        for (;;) {
            nowUs();
            if (!m_due && scheduled.empty())
                return;
            if (++passes > kMaxPasses) {
                ADD_FAILURE() << "the playback does not end";
                if (bailOut)
                    bailOut();
                return;
            }
            const bool actionFirst =
                !scheduled.empty() && (!m_due || scheduled.begin()->first <= *m_due);
            const int64_t next = actionFirst ? scheduled.begin()->first : *m_due;
            if (next > m_us)
                advanceTo(next);
            if (actionFirst) {
                auto action = std::move(scheduled.begin()->second);
                scheduled.erase(scheduled.begin());
                action();
            } else {
                m_due.reset();
                ++fires;
                fire();
            }
        }
    }

    bool pending() const { return m_due.has_value(); }

    std::vector<int64_t> wakes; // how far ahead each wake-up was asked for, in microseconds
    size_t fires = 0;
    size_t passes = 0;
    std::multimap<int64_t, std::function<void()>> scheduled;
    std::function<void()> bailOut;

private:
    static constexpr size_t kMaxPasses = 100000;

    void advanceTo(int64_t us)
    {
        const int64_t ticks = us / 1000 - m_us / 1000;
        m_us = us;
        m_clock.advance(uint32_t(ticks));
        m_seenTick = m_clock.now;
    }

    fakes::FakeTickClock& m_clock;
    mutable uint32_t m_seenTick;
    mutable int64_t m_us;
    std::optional<int64_t> m_due;
};

} // namespace tamber::testing
