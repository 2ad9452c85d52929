#include "MidiFileReader.h"

#include "MidiFileFormat.h"
#include "Stream.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <limits>

namespace tamber {

namespace {

using Wide = unsigned __int128; // tick x tempo products of long songs exceed 64 bits

struct TempoChange
{
    uint64_t tick = 0;
    uint32_t usPerQuarter = 0;
};

// Times of an SMPTE division: frames per second as num / den, ticks per frame.
struct SmpteDivision
{
    uint32_t num = 0;
    uint32_t den = 1;
    uint32_t ticksPerFrame = 0;
};

class Reader
{
public:
    explicit Reader(QByteArrayView bytes)
        : m_data(reinterpret_cast<const uint8_t*>(bytes.data())), m_size(bytes.size())
    {
    }

    MidiFileRead read()
    {
        qsizetype pos = 0;
        if (!readHeader(pos) || !readTracks(pos)) {
            m_result.events = {};
            return std::move(m_result);
        }
        setTimes();
        return std::move(m_result);
    }

private:
    uint32_t bigEndian(qsizetype pos, int bytes) const
    {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | m_data[pos + i];
        return value;
    }

    bool fail(MidiFileError error, const QString& message)
    {
        m_result.error = error;
        m_result.message = message;
        return false;
    }

    bool cut(int track, qsizetype pos)
    {
        return fail(MidiFileError::TruncatedTrack,
                    QCoreApplication::translate(
                        "MidiFileReader",
                        "Track %1 is cut short: the event at byte %2 runs past the end "
                        "of the track.")
                        .arg(track)
                        .arg(pos));
    }

    bool readHeader(qsizetype& pos)
    {
        if (m_size < smf::kChunkHeaderSize || std::memcmp(m_data, smf::kHeaderType, 4) != 0)
            return fail(
                MidiFileError::NotMidiFile,
                QCoreApplication::translate(
                    "MidiFileReader", "It is not a MIDI file: it does not begin with \"MThd\"."));
        const uint32_t length = bigEndian(4, 4);
        if (length < smf::kHeaderLength)
            return fail(
                MidiFileError::BadHeader,
                QCoreApplication::translate("MidiFileReader",
                                            "The header is %1 bytes long; it must have at least 6.")
                    .arg(length));
        if (length > uint64_t(m_size - smf::kChunkHeaderSize))
            return fail(
                MidiFileError::BadHeader,
                QCoreApplication::translate("MidiFileReader",
                                            "The header claims %1 bytes, more than the file holds.")
                    .arg(length));
        const uint32_t format = bigEndian(8, 2);
        m_trackCount = int(bigEndian(10, 2));
        const uint32_t division = bigEndian(12, 2);
        pos = smf::kChunkHeaderSize + qsizetype(length);

        if (format == 2)
            return fail(
                MidiFileError::UnsupportedFormat,
                QCoreApplication::translate("MidiFileReader",
                                            "It is a format-2 file (separate songs), which is not "
                                            "supported."));
        if (format > 2)
            return fail(MidiFileError::UnsupportedFormat,
                        QCoreApplication::translate("MidiFileReader",
                                                    "Its format number %1 is no MIDI file format.")
                            .arg(format));
        if (format == 0 && m_trackCount != 1)
            return fail(
                MidiFileError::BadTrackCount,
                QCoreApplication::translate("MidiFileReader",
                                            "A format-0 file has one track; this one declares %1.")
                    .arg(m_trackCount));
        if (qint64(m_trackCount) * smf::kChunkHeaderSize > m_size - pos)
            return fail(
                MidiFileError::BadTrackCount,
                QCoreApplication::translate("MidiFileReader",
                                            "The header declares %1 tracks, more than the file can "
                                            "hold.")
                    .arg(m_trackCount));
        return readDivision(division);
    }

    bool readDivision(uint32_t division)
    {
        if ((division & 0x8000) == 0) {
            m_ticksPerQuarter = division;
            if (division != 0)
                return true;
        } else {
            const int fps = -int(int8_t(division >> 8));
            m_smpte.ticksPerFrame = division & 0xFF;
            if (fps == 29) // 30 drop-frame: 29.97 frames a second
                m_smpte.num = 30000, m_smpte.den = 1001;
            else if (fps == 24 || fps == 25 || fps == 30)
                m_smpte.num = uint32_t(fps);
            if (m_smpte.num != 0 && m_smpte.ticksPerFrame != 0)
                return true;
        }
        return fail(
            MidiFileError::BadHeader,
            QCoreApplication::translate("MidiFileReader", "Its time division 0x%1 is not valid.")
                .arg(division, 4, 16, QLatin1Char('0')));
    }

    bool readTracks(qsizetype pos)
    {
        int found = 0;
        while (found < m_trackCount) {
            if (m_size - pos < smf::kChunkHeaderSize)
                return fail(MidiFileError::BadChunk,
                            QCoreApplication::translate("MidiFileReader",
                                                        "The file ends after %1 of its %2 tracks.")
                                .arg(found)
                                .arg(m_trackCount));
            if (!std::all_of(m_data + pos, m_data + pos + 4,
                             [](uint8_t c) { return c >= 0x20 && c < 0x7F; }))
                return fail(
                    MidiFileError::BadChunk,
                    QCoreApplication::translate("MidiFileReader",
                                                "No chunk begins at byte %1, where track %2 should "
                                                "be; a chunk before it has the wrong length.")
                        .arg(pos)
                        .arg(found + 1));
            const uint32_t length = bigEndian(pos + 4, 4);
            const qsizetype body = pos + smf::kChunkHeaderSize;
            if (length > uint64_t(m_size - body))
                return fail(MidiFileError::BadChunk,
                            QCoreApplication::translate(
                                "MidiFileReader",
                                "The chunk at byte %1 claims %2 bytes, but the file "
                                "holds only %3 more.")
                                .arg(pos)
                                .arg(length)
                                .arg(m_size - body));
            // Chunks of other types are skipped, as the format asks of readers.
            if (std::memcmp(m_data + pos, smf::kTrackType, 4) == 0) {
                ++found;
                if (!readTrack(body, body + qsizetype(length), found))
                    return false;
            }
            pos = body + qsizetype(length);
        }
        return true; // anything after the last track is left alone
    }

    bool variableLength(qsizetype& pos, qsizetype end, uint32_t& value, int track)
    {
        const qsizetype start = pos;
        value = 0;
        for (int i = 0; i < smf::kMaxVariableLengthBytes; ++i) {
            if (pos >= end)
                return cut(track, start);
            const uint8_t byte = m_data[pos++];
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0)
                return true;
        }
        return fail(MidiFileError::LongVariableLength,
                    QCoreApplication::translate(
                        "MidiFileReader", "Track %1 has a variable-length number of more than four "
                                          "bytes at byte %2.")
                        .arg(track)
                        .arg(start));
    }

    bool readTrack(qsizetype pos, qsizetype end, int track)
    {
        uint64_t tick = 0;
        uint8_t runningStatus = 0;
        while (pos < end) {
            const qsizetype eventStart = pos;
            uint32_t delta = 0;
            if (!variableLength(pos, end, delta, track))
                return false;
            tick += delta;
            if (pos >= end)
                return cut(track, eventStart);
            uint8_t status = m_data[pos];
            if (status < 0x80) {
                if (runningStatus == 0)
                    return fail(MidiFileError::RunningStatusWithoutStatus,
                                QCoreApplication::translate(
                                    "MidiFileReader",
                                    "Track %1 has a data byte without a status byte "
                                    "before it at byte %2.")
                                    .arg(track)
                                    .arg(pos));
                status = runningStatus; // the byte at pos is the first data byte
            } else {
                ++pos;
            }

            if (status == smf::kMeta || status == smf::kSysEx || status == smf::kSysExEscape) {
                // Running status is kept across them: many files rely on it.
                uint8_t type = 0;
                if (status == smf::kMeta) {
                    if (pos >= end)
                        return cut(track, eventStart);
                    type = m_data[pos++];
                }
                uint32_t length = 0;
                if (!variableLength(pos, end, length, track))
                    return false;
                if (length > uint64_t(end - pos))
                    return cut(track, eventStart);
                if (status == smf::kMeta && type == smf::kMetaEndOfTrack)
                    return true; // what may follow inside the chunk is not part of the track
                if (status == smf::kMeta && type == smf::kMetaTempo) {
                    if (length != 3)
                        return fail(
                            MidiFileError::BadEvent,
                            QCoreApplication::translate("MidiFileReader",
                                                        "Track %1 has a tempo event of %2 bytes at "
                                                        "byte %3; a tempo has 3.")
                                .arg(track)
                                .arg(length)
                                .arg(eventStart));
                    m_tempos.push_back({tick, bigEndian(pos, 3)});
                }
                pos += qsizetype(length);
            } else if (status >= 0xF0) {
                return fail(MidiFileError::BadEvent,
                            QCoreApplication::translate(
                                "MidiFileReader",
                                "Track %1 has the status byte 0x%2 at byte %3, which "
                                "a MIDI file may not hold.")
                                .arg(track)
                                .arg(status, 2, 16, QLatin1Char('0'))
                                .arg(pos - 1));
            } else {
                const int dataBytes = smf::dataBytesOf(status);
                if (end - pos < dataBytes)
                    return cut(track, eventStart);
                const uint8_t data1 = m_data[pos];
                const uint8_t data2 = dataBytes == 2 ? m_data[pos + 1] : 0;
                if (data1 >= 0x80 || data2 >= 0x80)
                    return fail(MidiFileError::BadEvent,
                                QCoreApplication::translate(
                                    "MidiFileReader",
                                    "Track %1 has a channel message without its data "
                                    "bytes at byte %2.")
                                    .arg(track)
                                    .arg(eventStart));
                pos += dataBytes;
                runningStatus = status;
                // The tick waits in timeUs until every tempo is known.
                m_result.events.push_back({int64_t(tick), uint32_t(status) | uint32_t(data1) << 8 |
                                                              uint32_t(data2) << 16});
            }
        }
        return true; // a track without End of Track whose events are whole is still read
    }

    static int64_t saturated(Wide us)
    {
        constexpr auto kMax = std::numeric_limits<int64_t>::max();
        return us > Wide(kMax) ? kMax : int64_t(us);
    }

    // Ticks to microseconds, exactly: the sum is kept in us x ticks-per-quarter until the
    // one division at the end, so no rounding gathers over many tempo changes.
    void setTimes()
    {
        auto& events = m_result.events;
        const auto byTick = [](const auto& a, const auto& b) { return a.timeUs < b.timeUs; };
        if (!std::is_sorted(events.begin(), events.end(), byTick))
            std::stable_sort(events.begin(), events.end(), byTick);
        if (m_smpte.num != 0) {
            const Wide perTick = Wide(1000000) * m_smpte.den;
            const Wide divisor = Wide(m_smpte.num) * m_smpte.ticksPerFrame;
            for (MidiFileEvent& event : events)
                event.timeUs = saturated(Wide(uint64_t(event.timeUs)) * perTick / divisor);
            return;
        }
        std::stable_sort(
            m_tempos.begin(), m_tempos.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
        Wide scaledBase = 0; // us x ticks-per-quarter at baseTick
        uint64_t baseTick = 0;
        uint32_t tempo = smf::kDefaultTempo;
        size_t next = 0;
        for (MidiFileEvent& event : events) {
            const auto tick = uint64_t(event.timeUs);
            for (; next < m_tempos.size() && m_tempos[next].tick <= tick; ++next) {
                scaledBase += Wide(m_tempos[next].tick - baseTick) * tempo;
                baseTick = m_tempos[next].tick;
                tempo = m_tempos[next].usPerQuarter;
            }
            event.timeUs =
                saturated((scaledBase + Wide(tick - baseTick) * tempo) / m_ticksPerQuarter);
        }
    }

    const uint8_t* m_data;
    qsizetype m_size;
    int m_trackCount = 0;
    uint32_t m_ticksPerQuarter = 0;
    SmpteDivision m_smpte;
    std::vector<TempoChange> m_tempos;
    MidiFileRead m_result;
};

} // namespace

MidiFileRead readMidiFile(QByteArrayView bytes)
{
    return Reader(bytes).read();
}

MidiFileRead loadMidiFile(const QString& FileName)
{
    MidiFileRead result;
    Stream file;
    if (!file.OpenFile(FileName, Stream::Mode::ReadOnly)) {
        result.error = MidiFileError::CannotOpen;
        result.message = file.errorString();
        return result;
    }
    const qint64 size = file.size();
    if (size > kMaxMidiFileSize) {
        result.error = MidiFileError::TooLarge;
        result.message =
            QCoreApplication::translate("MidiFileReader",
                                        "It is %1 bytes long; MIDI files of more than %2 MiB are "
                                        "not read.")
                .arg(size)
                .arg(kMaxMidiFileSize / (1024 * 1024));
        return result;
    }
    QByteArray content(qsizetype(size), Qt::Uninitialized);
    content.truncate(qsizetype(file.ReadBlock(content.data(), size))); // it may have shrunk
    file.CloseFile();
    return readMidiFile(content);
}

} // namespace tamber
