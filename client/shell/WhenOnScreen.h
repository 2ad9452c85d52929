#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

class QWidget;

namespace tamber {

// Runs a function once, when a shown window is first on screen (its first expose, before it
// is painted), so that work which can wait does not hold the window up. A window the desktop
// keeps off screen (another workspace, minimised) gets it after `bound` all the same.
class WhenOnScreen : public QObject
{
public:
    WhenOnScreen(QWidget& window, std::chrono::milliseconds bound, std::function<void()> then);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    std::function<void()> m_then;
    QTimer m_bound;
};

} // namespace tamber
