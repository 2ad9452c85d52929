#include "Player.h"

#include "Stream.h"

#include <QFile>
#include <algorithm>

namespace tamber {

namespace {

uint32_t delayOf(const RecordingEvent& event)
{
    return event.Delay > 0 ? uint32_t(event.Delay) : 0; // a damaged negative delay: at once
}

} // namespace

Player::Player(Links links) : m_links(std::move(links)) {}

bool Player::load(const QString& FileName)
{
    Stream file;
    if (!file.OpenFile(FileName, Stream::Mode::ReadOnly)) {
        m_links.boxes.show(QStringLiteral("The recording \"%1\" could not be opened: %2")
                               .arg(FileName, file.errorString()),
                           QStringLiteral("Error"), MessageBoxes::Icon::Exclamation);
        return false;
    }
    if (file.ReadString(4) != kRecordingMagic || file.ReadString(4) != kRecordingSection)
        return false;

    if (m_started)
        m_started();
    const int32_t count = file.ReadLong();
    // Memory follows the file's size, never the count field: events the file does not
    // hold are not loaded (they would read as silent zeros that pass at once).
    const qint64 bytesLeft = std::max<qint64>(0, file.size() - kRecordingHeaderSize);
    const qint64 held = (bytesLeft + kRecordingEventSize - 1) / kRecordingEventSize;
    PlayEventCount = int32_t(std::clamp<qint64>(held, 0, std::max(count, 0)));
    PlayEvents.assign(size_t(PlayEventCount), {});
    for (RecordingEvent& event : PlayEvents) {
        event.Delay = file.ReadLong();
        event.Message = file.ReadLong();
    }
    PlayIndex = 1;
    file.CloseFile();
    return true;
}

void Player::PlayRecording(const QString& FileName)
{
    if (m_isPlaying)
        StopPlayback();
    if (!load(FileName))
        return;
    // The first event waits its recorded delay from the press of Play.
    PlayLastTick = m_links.clock.tickCount();
    m_isPlaying = true;
    if (PlayEventCount <= 0) {
        StopPlayback();
        return;
    }

    ++m_depth;
    while (m_isPlaying) {
        PlaybackTick();
        // Handles pending events; sleeps only if the next event is not yet due.
        m_links.waiter.waitFor(m_isPlaying ? msUntilDue() : 0);
    }
    --m_depth;
}

uint32_t Player::msUntilDue() const
{
    if (!m_isPlaying || PlayIndex < 1 || PlayIndex > PlayEventCount)
        return 0;
    const uint32_t delay = delayOf(PlayEvents[size_t(PlayIndex - 1)]);
    const uint32_t elapsed = ticksBetween(PlayLastTick, m_links.clock.tickCount());
    return elapsed >= delay ? 0 : delay - elapsed;
}

void Player::PlaybackTick()
{
    if (!m_isPlaying || PlayIndex < 1 || PlayIndex > PlayEventCount)
        return;
    const uint32_t now = m_links.clock.tickCount();
    const RecordingEvent& event = PlayEvents[size_t(PlayIndex - 1)];
    // Elapsed time modulo 2^32, so the wrap of the tick count neither stalls nor skips.
    if (ticksBetween(PlayLastTick, now) < delayOf(event))
        return;
    // Move on before handing the message over: the input path may let other handlers run
    // (a session send does), and a Stop among them must find the playback state settled.
    const auto message = uint32_t(event.Message);
    ++PlayIndex;
    if (PlayIndex <= PlayEventCount)
        PlayLastTick = now;
    m_links.midiIn(message);
    if (m_isPlaying && PlayIndex > PlayEventCount)
        StopPlayback();
}

void Player::StopPlayback()
{
    m_isPlaying = false;
    PlayIndex = 0;
    PlayEventCount = 0;
    if (m_stopped)
        m_stopped();
    m_links.silenceAll();
}

} // namespace tamber
