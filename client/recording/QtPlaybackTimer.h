#pragma once

#include "PlaybackTimer.h"

#include <QTimer>

namespace tamber {

// The player's real timer: a precise Qt timer on the steady clock. The event loop wakes in
// whole milliseconds and may be a little late, so the timer is set to wake up to
// kSpinMarginUs early and the last stretch is waited on the clock itself; the rest of the
// time the event loop sleeps and handles the program's other events.
class QtPlaybackTimer : public PlaybackTimer
{
public:
    QtPlaybackTimer();
    int64_t nowUs() const override;
    void wakeAt(int64_t dueUs) override;
    void cancel() override;

    static constexpr int64_t kSpinMarginUs = 1500;

private:
    void timeout();

    QTimer m_timer;
    int64_t m_dueUs = 0;
};

} // namespace tamber
