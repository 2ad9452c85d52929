#include "QtKeyState.h"

#include "KeyboardLayout.h"
#include "X11KeyboardWatcher.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

namespace tamber {

namespace {
// Pairing ids: scan codes as they are; keys without a scan code by their first virtual-key
// code, which Shift does not change either; mouse buttons in a range of their own.
constexpr uint64_t kByCode = uint64_t(1) << 40;
constexpr uint64_t kMouse = uint64_t(1) << 41;
} // namespace

QtKeyState::QtKeyState(QObject* parent)
    : KeyStateSource(parent), m_ownLayout(std::make_unique<KeyboardLayout>()),
      m_watcher(X11KeyboardWatcher::attach(*m_ownLayout)), m_layout(*m_ownLayout)
{
    start();
}

QtKeyState::QtKeyState(const KeyboardLayout& layout, QObject* parent)
    : KeyStateSource(parent), m_layout(layout)
{
    start();
}

void QtKeyState::start()
{
    connect(&m_layout, &KeyboardLayout::changed, this, &KeyStateSource::layoutChanged);
    m_clock.start();
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_releaseTimer, &QTimer::timeout, this, &QtKeyState::releaseDue);
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

QString QtKeyState::label(int vk) const
{
    return vk >= 0 && vk < 256 ? m_layout.label(uint8_t(vk)) : QString();
}

VirtualKeys QtKeyState::keysOf(const QKeyEvent& event) const
{
    if (event.nativeScanCode() != 0)
        return m_layout.translation().keysAt(event.nativeScanCode());
    return virtualKeysFor(event);
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
    // A window a modal dialog blocks gets no more key events: Qt drops them before any
    // filter, so the releases still queued for it (Ctrl and K after Ctrl+K) would be lost.
    case QEvent::WindowBlocked:
        releaseAll();
        break;
    default:
        break;
    }
    return KeyStateSource::eventFilter(watched, event);
}

uint64_t QtKeyState::physicalKey(const QKeyEvent& event, const VirtualKeys& keys)
{
    if (event.nativeScanCode() != 0)
        return event.nativeScanCode();
    return kByCode | (keys.empty() ? 0 : keys.codes[0]);
}

void QtKeyState::keyDown(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return;
    const VirtualKeys keys = keysOf(event);
    const uint64_t physical = physicalKey(event, keys);
    // A new press waiting for the poll (offered again, or as its scan-less twin).
    if (std::any_of(m_pressedAgain.begin(), m_pressedAgain.end(), [&](const auto& again) {
            return again.first == physical ||
                   (physical >= kByCode && again.second.codes[0] == keys.codes[0]);
        }))
        return;
    if (const auto it = m_pending.find(physical); it != m_pending.end()) {
        const bool repeat = event.timestamp() <= it->second.releasedAt + 1;
        m_pending.erase(it);
        // X's repeat: the key counts as held throughout.
        if (repeat)
            return;
        // A new press: up now, down again once a poll has seen it up (the tick that this
        // change schedules runs before the timer started after it).
        releaseKey(physical);
        m_pressedAgain.emplace(physical, keys);
        m_releaseTimer.start(0);
        return;
    }
    press(physical, keys);
}

void QtKeyState::keyUp(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return;
    const VirtualKeys keys = keysOf(event);
    const uint64_t physical = physicalKey(event, keys);
    // Events without a server timestamp are synthetic, never X's repeat: they act at once.
    m_pressedAgain.erase(physical);
    if (event.timestamp() != 0 && m_held.count(physical)) {
        if (m_pending
                .emplace(physical, Pending{m_clock.elapsed() + kRepeatGraceMs, event.timestamp()})
                .second &&
            !m_releaseTimer.isActive())
            m_releaseTimer.start(kRepeatGraceMs);
        return;
    }
    releaseKey(physical);
}

void QtKeyState::releaseKey(uint64_t physical)
{
    if (physical < kByCode) {
        // Qt announces a synthetic press to shortcuts without its scan code, so the same
        // key may also be held under its code: release that too.
        if (const auto it = m_held.find(physical); it != m_held.end())
            release(kByCode | it->second.codes[0]);
    }
    release(physical);
}

void QtKeyState::press(uint64_t physical, const VirtualKeys& keys)
{
    if (keys.empty() || m_held.count(physical))
        return;
    m_held.emplace(physical, keys);
    bool newlyDown = false;
    for (int i = 0; i < keys.count; ++i)
        newlyDown |= m_holders[keys.codes[size_t(i)]]++ == 0;
    if (newlyDown)
        emit changed();
}

void QtKeyState::release(uint64_t physical)
{
    const auto it = m_held.find(physical);
    if (it == m_held.end())
        return;
    const VirtualKeys keys = it->second;
    m_held.erase(it);
    bool newlyUp = false;
    for (int i = 0; i < keys.count; ++i)
        newlyUp |= --m_holders[keys.codes[size_t(i)]] == 0;
    if (newlyUp)
        emit changed();
}

void QtKeyState::releaseDue()
{
    const qint64 now = m_clock.elapsed();
    qint64 next = -1;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->second.due <= now) {
            const uint64_t physical = it->first;
            it = m_pending.erase(it);
            releaseKey(physical);
        } else {
            next = next < 0 ? it->second.due : std::min(next, it->second.due);
            ++it;
        }
    }
    for (const auto& [physical, keys] : std::exchange(m_pressedAgain, {}))
        press(physical, keys);
    if (next >= 0)
        m_releaseTimer.start(int(next - now));
}

void QtKeyState::releaseAll()
{
    m_pending.clear();
    m_pressedAgain.clear();
    m_releaseTimer.stop();
    if (m_held.empty())
        return;
    m_held.clear();
    m_holders.fill(0);
    emit changed();
}

} // namespace tamber
