#include "EventLoopWaiter.h"

#include <QEventLoop>
#include <algorithm>
#include <chrono>

namespace tamber {

EventLoopWaiter::EventLoopWaiter()
{
    m_dueTimer.setSingleShot(true);
    m_dueTimer.setTimerType(Qt::PreciseTimer);
}

void EventLoopWaiter::waitFor(uint32_t milliseconds)
{
    QEventLoop loop;
    if (milliseconds == 0) {
        loop.processEvents(QEventLoop::AllEvents);
        return;
    }
    // The timer's own event is what wakes the wait when nothing else comes first. A very
    // long delay (a damaged file) is slept in hours; the player then asks again.
    constexpr uint32_t kLongestWait = 60 * 60 * 1000;
    m_dueTimer.start(std::chrono::milliseconds(std::min(milliseconds, kLongestWait)));
    loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    m_dueTimer.stop();
}

} // namespace tamber
