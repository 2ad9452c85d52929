#pragma once

#include <cstdint>
#include <functional>

namespace tamber {

// What drives a playback: a steady clock in microseconds, and one wake-up at a time from the
// program's event loop. The program's tick count (TickClock) is this clock in whole
// milliseconds, so a wake-up at the start of a tick finds that tick counted.
class PlaybackTimer
{
public:
    virtual ~PlaybackTimer() = default;
    virtual int64_t nowUs() const = 0;
    // Runs the handler once, from the event loop, when the clock has reached `dueUs` (at
    // once when it already has); replaces a wake-up that is still pending.
    virtual void wakeAt(int64_t dueUs) = 0;
    virtual void cancel() = 0;
    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void fire()
    {
        if (m_handler)
            m_handler();
    }

private:
    std::function<void()> m_handler;
};

} // namespace tamber
