#include "Player.h"

namespace tamber {

namespace {

uint32_t delayOf(const RecordingEvent& event)
{
    return event.Delay > 0 ? uint32_t(event.Delay) : 0; // a damaged negative delay: at once
}

constexpr uint8_t kResetAllControllers = 121;

} // namespace

Player::Player(Links links) : m_links(std::move(links))
{
    m_links.timer.setHandler([this] { PlaybackTick(); });
}

Player::~Player()
{
    m_links.timer.cancel();
    m_links.timer.setHandler({});
}

bool Player::isMidiFile(const QString& FileName)
{
    return FileName.endsWith(QLatin1String(".mid"), Qt::CaseInsensitive) ||
           FileName.endsWith(QLatin1String(".midi"), Qt::CaseInsensitive);
}

std::optional<PlaybackError> Player::loadRecording(const QString& FileName)
{
    LoadedRecording recording = tamber::loadRecording(FileName, kMaxPlayEvents);
    switch (recording.outcome) {
    case LoadedRecording::Outcome::CannotOpen:
        return PlaybackError{PlaybackError::Kind::RecordingCannotOpen, FileName, recording.reason};
    case LoadedRecording::Outcome::NotARecording:
        return std::nullopt;
    case LoadedRecording::Outcome::TooLong:
        return PlaybackError{PlaybackError::Kind::RecordingTooLong, FileName, {}};
    case LoadedRecording::Outcome::Loaded:
        break;
    }
    PlayEvents = std::move(recording.events);
    PlayEventCount = int32_t(PlayEvents.size());
    PlayIndex = 1;
    // The first event waits its recorded delay from the press of Play.
    PlayLastTick = m_links.clock.tickCount();
    start();
    return std::nullopt;
}

std::optional<PlaybackError> Player::loadMidiFile(const QString& FileName)
{
    MidiFileRead read = tamber::loadMidiFile(FileName);
    if (read.error == MidiFileError::CannotOpen)
        return PlaybackError{PlaybackError::Kind::MidiFileCannotOpen, FileName, read.message};
    if (!read.ok())
        return PlaybackError{PlaybackError::Kind::MidiFileInvalid, FileName, read.message};
    m_playingMidiFile = true;
    m_midiEvents = std::move(read.events);
    m_midiIndex = 0;
    m_startUs = m_links.timer.nowUs();
    start();
    return std::nullopt;
}

std::optional<PlaybackError> Player::PlayRecording(const QString& FileName)
{
    if (m_isPlaying)
        StopPlayback();
    return isMidiFile(FileName) ? loadMidiFile(FileName) : loadRecording(FileName);
}

void Player::start()
{
    if (m_started)
        m_started();
    m_isPlaying = true;
    const bool empty = m_playingMidiFile ? m_midiEvents.empty() : PlayEventCount <= 0;
    if (empty)
        StopPlayback();
    else
        scheduleNext();
}

void Player::scheduleNext()
{
    if (m_playingMidiFile) {
        m_links.timer.wakeAt(m_startUs + m_midiEvents[m_midiIndex].timeUs);
        return;
    }
    // The tick count is the timer's clock in whole milliseconds: wake at the start of the
    // tick at which the event falls due.
    const uint32_t wait = msUntilDue();
    const int64_t now = m_links.timer.nowUs();
    m_links.timer.wakeAt(wait == 0 ? now : (now / 1000 + wait) * 1000);
}

uint32_t Player::msUntilDue() const
{
    if (!m_isPlaying || m_playingMidiFile || PlayIndex < 1 || PlayIndex > PlayEventCount)
        return 0;
    const uint32_t delay = delayOf(PlayEvents[size_t(PlayIndex - 1)]);
    const uint32_t elapsed = ticksBetween(PlayLastTick, m_links.clock.tickCount());
    return elapsed >= delay ? 0 : delay - elapsed;
}

void Player::PlaybackTick()
{
    if (!m_isPlaying)
        return;
    if (m_playingMidiFile)
        playMidiEvents();
    else
        playRecordingEvent();
    if (m_isPlaying)
        scheduleNext();
}

void Player::playRecordingEvent()
{
    if (PlayIndex < 1 || PlayIndex > PlayEventCount)
        return;
    const uint32_t now = m_links.clock.tickCount();
    const RecordingEvent& event = PlayEvents[size_t(PlayIndex - 1)];
    // Elapsed time modulo 2^32, so the wrap of the tick count neither stalls nor skips.
    if (ticksBetween(PlayLastTick, now) < delayOf(event))
        return;
    // Move on before handing the message over, so a Stop from the input path finds the
    // playback state settled.
    const auto message = uint32_t(event.Message);
    ++PlayIndex;
    if (PlayIndex <= PlayEventCount)
        PlayLastTick = now;
    m_links.midiIn(message);
    if (m_isPlaying && PlayIndex > PlayEventCount)
        StopPlayback();
}

void Player::playMidiEvents()
{
    const int64_t now = m_links.timer.nowUs();
    for (int played = 0; played < kMaxEventsPerWake && m_isPlaying; ++played) {
        if (m_midiIndex >= m_midiEvents.size()) {
            StopPlayback();
            return;
        }
        const MidiFileEvent& event = m_midiEvents[m_midiIndex];
        if (m_startUs + event.timeUs > now)
            return;
        ++m_midiIndex;
        sendFileMessage(event.message);
    }
    if (m_isPlaying && m_midiIndex >= m_midiEvents.size())
        StopPlayback();
}

void Player::sendFileMessage(uint32_t message)
{
    const uint8_t status = message & 0xFF;
    const uint8_t channel = status & 0x0F;
    const uint8_t note = (message >> 8) & 0x7F;
    const uint8_t velocity = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
    case 0x90:
        m_fileNotes[channel].set(note, velocity != 0);
        break;
    case 0x80:
        m_fileNotes[channel].reset(note);
        break;
    case 0xC0:
        m_programChanged = true;
        break;
    default: // controllers, key and channel pressure, pitch bend
        m_controlledChannels.set(channel);
        break;
    }
    m_links.fileOut(message);
}

void Player::silenceMidiFile()
{
    for (uint8_t channel = 0; channel < 16; ++channel) {
        for (uint8_t note = 0; note < 128; ++note) {
            if (m_fileNotes[channel].test(note))
                m_links.fileOut(0x80u | channel | uint32_t(note) << 8);
        }
        // A held sustain pedal or a bent pitch would outlast the song otherwise.
        if (m_controlledChannels.test(channel))
            m_links.fileOut(0xB0u | channel | uint32_t(kResetAllControllers) << 8);
        m_fileNotes[channel].reset();
    }
    m_controlledChannels.reset();
    if (m_programChanged && m_links.restoreProgram)
        m_links.restoreProgram();
    m_programChanged = false;
}

void Player::StopPlayback()
{
    const bool wasMidiFile = m_playingMidiFile;
    m_links.timer.cancel();
    m_isPlaying = false;
    m_playingMidiFile = false;
    PlayIndex = 0;
    PlayEventCount = 0;
    // A long file's memory goes back at once.
    std::vector<RecordingEvent>().swap(PlayEvents);
    std::vector<MidiFileEvent>().swap(m_midiEvents);
    m_midiIndex = 0;
    if (m_stopped)
        m_stopped();
    if (wasMidiFile)
        silenceMidiFile();
    else
        m_links.silenceAll();
}

} // namespace tamber
