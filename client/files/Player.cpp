#include "Player.h"

#include "Stream.h"

#include <QFile>
#include <algorithm>

namespace tamber {

namespace {

int32_t readLittleEndianLong(const unsigned char* bytes)
{
    return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                   uint32_t(bytes[3]) << 24);
}

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

    const int32_t count = file.ReadLong();
    // Memory follows the file's size, never the count field alone: events the file does
    // not hold are not loaded (they would read as silent zeros that pass at once), and a
    // sparse file that claims billions is refused before anything is allocated.
    const qint64 bytesLeft = std::max<qint64>(0, file.size() - kRecordingHeaderSize);
    const qint64 held = (bytesLeft + kRecordingEventSize - 1) / kRecordingEventSize;
    const qint64 events = std::clamp<qint64>(held, 0, std::max(count, 0));
    if (events > kMaxPlayEvents) {
        m_links.boxes.show(QStringLiteral("The recording \"%1\" cannot be played: it holds more "
                                          "than %2 events.")
                               .arg(FileName)
                               .arg(kMaxPlayEvents),
                           QStringLiteral("Error"), MessageBoxes::Icon::Exclamation);
        return false;
    }

    if (m_started)
        m_started();
    PlayEventCount = int32_t(events);
    PlayEvents.assign(size_t(PlayEventCount), {});
    // One pass over the file in blocks; the last event may be cut by the end of the file,
    // and its missing bytes read as zeros.
    constexpr qint64 kBlockEvents = 8192;
    std::vector<unsigned char> block(size_t(std::min(kBlockEvents, events) * kRecordingEventSize));
    for (qint64 first = 0; first < events; first += kBlockEvents) {
        const qint64 n = std::min(kBlockEvents, events - first);
        file.ReadBlock(reinterpret_cast<char*>(block.data()), n * kRecordingEventSize);
        for (qint64 i = 0; i < n; ++i) {
            const unsigned char* bytes = block.data() + i * kRecordingEventSize;
            RecordingEvent& event = PlayEvents[size_t(first + i)];
            event.Delay = readLittleEndianLong(bytes);
            event.Message = readLittleEndianLong(bytes + 4);
        }
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
    std::vector<RecordingEvent>().swap(PlayEvents); // a long recording's memory goes back
    if (m_stopped)
        m_stopped();
    m_links.silenceAll();
}

} // namespace tamber
