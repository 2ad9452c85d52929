#include "Player.h"

#include "RecordingFile.h"

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
    LoadedRecording recording = loadRecording(FileName, kMaxPlayEvents);
    switch (recording.outcome) {
    case LoadedRecording::Outcome::CannotOpen:
        m_links.boxes.show(QStringLiteral("The recording \"%1\" could not be opened: %2")
                               .arg(FileName, recording.reason),
                           QStringLiteral("Error"), MessageBoxes::Icon::Exclamation);
        return false;
    case LoadedRecording::Outcome::NotARecording:
        return false;
    case LoadedRecording::Outcome::TooLong:
        m_links.boxes.show(QStringLiteral("The recording \"%1\" cannot be played: it holds more "
                                          "than %2 events.")
                               .arg(FileName)
                               .arg(kMaxPlayEvents),
                           QStringLiteral("Error"), MessageBoxes::Icon::Exclamation);
        return false;
    case LoadedRecording::Outcome::Loaded:
        break;
    }
    if (m_started)
        m_started();
    PlayEvents = std::move(recording.events);
    PlayEventCount = int32_t(PlayEvents.size());
    PlayIndex = 1;
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
    std::vector<RecordingEvent>().swap(PlayEvents); // a long recording's memory goes back
    if (m_stopped)
        m_stopped();
    m_links.silenceAll();
}

} // namespace tamber
