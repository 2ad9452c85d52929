#include "QtKeyState.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tamber {

namespace {
// Pairing ids: scan codes as they are, Qt keys (when the platform gives no scan code) and
// mouse buttons in ranges of their own.
constexpr uint64_t kByQtKey = uint64_t(1) << 40;
constexpr uint64_t kMouse = uint64_t(1) << 41;
} // namespace

QtKeyState::QtKeyState(QObject* parent) : KeyStateSource(parent)
{
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    releaseAll();
            });
}

QtKeyState::~QtKeyState()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool QtKeyState::isDown(int vk) const
{
    return vk >= 0 && vk < 256 && m_holders[size_t(vk)] > 0;
}

// A key or click reaches the filter once per object it is offered to (the window, the
// widget, its parents), so every step here is idempotent.
bool QtKeyState::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        keyDown(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::KeyRelease:
        keyUp(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        VirtualKeys keys;
        if (const uint8_t vk = virtualKeyForMouse(mouse->button()))
            keys.add(vk);
        press(kMouse | uint64_t(mouse->button()), keys);
        break;
    }
    case QEvent::MouseButtonRelease:
        release(kMouse | uint64_t(static_cast<QMouseEvent*>(event)->button()));
        break;
    case QEvent::ApplicationDeactivate:
        releaseAll();
        break;
    default:
        break;
    }
    return KeyStateSource::eventFilter(watched, event);
}

uint64_t QtKeyState::physicalKey(const QKeyEvent& event)
{
    if (event.nativeScanCode() != 0)
        return event.nativeScanCode();
    return kByQtKey | uint64_t(uint32_t(event.key()));
}

void QtKeyState::keyDown(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return;
    press(physicalKey(event), virtualKeysFor(event));
}

void QtKeyState::keyUp(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return;
    release(physicalKey(event));
}

void QtKeyState::press(uint64_t physical, const VirtualKeys& keys)
{
    if (keys.empty() || m_held.count(physical))
        return;
    m_held.emplace(physical, keys);
    for (int i = 0; i < keys.count; ++i)
        ++m_holders[keys.codes[size_t(i)]];
    emit changed();
}

void QtKeyState::release(uint64_t physical)
{
    const auto it = m_held.find(physical);
    if (it == m_held.end())
        return;
    const VirtualKeys keys = it->second;
    m_held.erase(it);
    for (int i = 0; i < keys.count; ++i)
        --m_holders[keys.codes[size_t(i)]];
    emit changed();
}

void QtKeyState::releaseAll()
{
    if (m_held.empty())
        return;
    m_held.clear();
    m_holders.fill(0);
    emit changed();
}

} // namespace tamber
