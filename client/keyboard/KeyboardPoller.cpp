#include "KeyboardPoller.h"

#include "client/sound/NoteEngine.h"

namespace tamber {

namespace {
constexpr uint8_t kVelocity = 127;
}

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
    return uint8_t(12 * (m_links.baseOctave() + 3) + m_links.keymap.KeyNote[vk]);
}

void KeyboardPoller::KeyPressed(uint8_t vk)
{
    if (!m_links.keymap.KeyMapped[vk] || !m_links.mainWindowInFront())
        return;
    Started& started = m_started[vk];
    started = {true, noteOf(vk), m_links.myUserId()};
    m_links.engine.StartNote(started.note, kVelocity, started.channel, true);
}

void KeyboardPoller::KeyReleased(uint8_t vk)
{
    Started& started = m_started[vk];
    if (started.playing) {
        started.playing = false;
        m_links.engine.StopNote(started.note, started.channel, true);
        return;
    }
    // A press that started nothing (another window was in front): the release still stops
    // the key's note as it stands now.
    if (!m_links.keymap.KeyMapped[vk])
        return;
    m_links.engine.StopNote(noteOf(vk), m_links.myUserId(), true);
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
