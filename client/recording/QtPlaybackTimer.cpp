#include "QtPlaybackTimer.h"

#include <algorithm>
#include <chrono>

namespace tamber {

QtPlaybackTimer::QtPlaybackTimer()
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { timeout(); });
}

int64_t QtPlaybackTimer::nowUs() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void QtPlaybackTimer::wakeAt(int64_t dueUs)
{
    m_dueUs = dueUs;
    // Sleeps whole milliseconds until the margin before the due time; within it, the next
    // pass of the event loop spins. A very long wait (a damaged file) is slept in hours; the
    // timeout then sets it again.
    constexpr int64_t kLongestWaitMs = 60 * 60 * 1000;
    const int64_t beforeMargin = dueUs - nowUs() - kSpinMarginUs;
    const int64_t sleepMs =
        beforeMargin <= 0 ? 0 : std::min((beforeMargin + 999) / 1000, kLongestWaitMs);
    m_timer.start(std::chrono::milliseconds(sleepMs));
}

void QtPlaybackTimer::cancel()
{
    m_timer.stop();
}

void QtPlaybackTimer::timeout()
{
    if (m_dueUs - nowUs() > kSpinMarginUs) {
        wakeAt(m_dueUs);
        return;
    }
    while (nowUs() < m_dueUs) {
        // The last stretch: the event loop could not wake this precisely.
    }
    fire();
}

} // namespace tamber
