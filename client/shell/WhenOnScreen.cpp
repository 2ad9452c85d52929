#include "WhenOnScreen.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tamber {

WhenOnScreen::WhenOnScreen(QWidget& window, std::chrono::milliseconds bound,
                           std::function<void()> then)
    : m_then(std::move(then))
{
    QWindow* handle = window.windowHandle();
    if (!handle || handle->isExposed()) {
        // Nothing to wait for, but never inside the caller's own call.
        QTimer::singleShot(0, this, [this] { run(); });
        return;
    }
    handle->installEventFilter(this);
    m_bound.setSingleShot(true);
    connect(&m_bound, &QTimer::timeout, this, [this] { run(); });
    m_bound.start(bound);
}

bool WhenOnScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
        watched->removeEventFilter(this);
        run();
    }
    return false;
}

void WhenOnScreen::run()
{
    m_bound.stop();
    if (auto then = std::exchange(m_then, nullptr))
        then();
}

} // namespace tamber
