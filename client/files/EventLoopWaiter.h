#pragma once

#include "Player.h"

#include <QTimer>

namespace tamber {

// The player's real wait: handles the program's events and sleeps in the event loop until
// the next recorded event is due, woken early by any other event (a key, a click, MIDI).
// A precise timer keeps the wake-up within a millisecond; no core is spun.
class EventLoopWaiter : public PlaybackWaiter
{
public:
    EventLoopWaiter();
    void waitFor(uint32_t milliseconds) override;

private:
    QTimer m_dueTimer;
};

} // namespace tamber
