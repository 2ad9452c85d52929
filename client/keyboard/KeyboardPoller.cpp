#include "KeyboardPoller.h"

#include "client/engine/NoteEngine.h"
#include "client/engine/PianoState.h"

namespace tamber {

namespace {
constexpr uint8_t kVelocity = 127;

// The generic code and the sided ones of the modifiers that make shortcuts.
struct Modifier
{
    uint8_t generic, left, right;
};
constexpr Modifier kShortcutModifiers[] = {{0x11, 0xA2, 0xA3}, {0x12, 0xA4, 0xA5}}; // Ctrl, Alt

bool isLetterOrDigit(uint8_t vk)
{
    return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z');
}
} // namespace

KeyboardPoller::KeyboardPoller(Links links) : m_links(std::move(links)) {}

void KeyboardPoller::PollKeyboard()
{
    for (int vk = 0; vk < Keymap::kCodes; ++vk) {
        const bool down = m_links.keys.isDown(vk);
        bool& seen = KeyDown[size_t(vk)];
        if (down && !seen) {
            seen = true;
            KeyPressed(uint8_t(vk));
        } else if (!down && seen) {
            seen = false;
            KeyReleased(uint8_t(vk));
        }
    }
}

uint8_t KeyboardPoller::noteOf(uint8_t vk) const
{
    return uint8_t(12 * (m_links.state.BaseOctave() + 3) + m_links.keymap.KeyNote[vk]);
}

bool KeyboardPoller::isShortcut(uint8_t vk) const
{
    if (!isLetterOrDigit(vk))
        return false;
    const Keymap& keymap = m_links.keymap;
    for (const Modifier& m : kShortcutModifiers) {
        const bool mapped =
            keymap.KeyMapped[m.generic] || keymap.KeyMapped[m.left] || keymap.KeyMapped[m.right];
        if (m_links.keys.isDown(m.generic) && !mapped)
            return true;
    }
    return false;
}

void KeyboardPoller::KeyPressed(uint8_t vk)
{
    if (!m_links.keymap.KeyMapped[vk])
        return;
    Started& started = m_started[vk];
    if (isShortcut(vk)) {
        started = {false, 0, 0, true};
        return;
    }
    if (!m_links.mainWindowInFront())
        return;
    started = {true, noteOf(vk), uint8_t(m_links.state.MyUserID()), false};
    m_links.engine.StartNote(started.note, kVelocity, started.channel, true);
}

void KeyboardPoller::KeyReleased(uint8_t vk)
{
    Started& started = m_started[vk];
    if (started.shortcut) {
        started.shortcut = false;
        return;
    }
    // A press that started nothing (another window had the keyboard) stops nothing either.
    if (started.playing) {
        started.playing = false;
        m_links.engine.StopNote(started.note, started.channel, true);
    }
}

PollTimer::PollTimer(KeyboardPoller& poller, const KeyStateSource& keys, QObject* parent)
    : QObject(parent), m_poller(poller)
{
    setObjectName(QStringLiteral("tmrPoll"));
    m_tick.setSingleShot(true);
    m_tick.setInterval(0);
    connect(&m_tick, &QTimer::timeout, this, &PollTimer::tmrPoll_Timer);
    connect(&keys, &KeyStateSource::changed, this, [this] {
        if (m_running && !m_tick.isActive())
            m_tick.start();
    });
}

void PollTimer::start()
{
    m_running = true;
    m_tick.start();
}

void PollTimer::stop()
{
    m_running = false;
    m_tick.stop();
}

void PollTimer::tmrPoll_Timer()
{
    m_poller.PollKeyboard();
}

} // namespace tamber
