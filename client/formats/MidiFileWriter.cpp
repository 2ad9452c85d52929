#include "MidiFileWriter.h"

#include "MidiFileFormat.h"

#include <array>

namespace tamber {

namespace {

void appendBigEndian(QByteArray& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

void appendVariableLength(QByteArray& out, uint32_t value)
{
    char bytes[smf::kMaxVariableLengthBytes];
    int n = 0;
    do {
        bytes[n++] = char(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1)
        out.append(char(bytes[--n] | 0x80));
    out.append(bytes[0]);
}

bool isChannelMessage(uint32_t message)
{
    const auto status = uint8_t(message);
    const auto data1 = uint8_t(message >> 8);
    const auto data2 = uint8_t(message >> 16);
    if (status < 0x80 || status >= 0xF0 || data1 >= 0x80)
        return false;
    return smf::dataBytesOf(status) == 1 || data2 < 0x80;
}

class TrackWriter
{
public:
    void channelMessage(int64_t time, uint32_t message)
    {
        advanceTo(time);
        const auto status = uint8_t(message);
        if (status != m_runningStatus) {
            m_bytes.append(char(status));
            m_runningStatus = status;
        }
        m_bytes.append(char(message >> 8));
        if (smf::dataBytesOf(status) == 2)
            m_bytes.append(char(message >> 16));
    }

    void meta(int64_t time, uint8_t type, QByteArrayView data)
    {
        advanceTo(time);
        m_bytes.append(char(smf::kMeta));
        m_bytes.append(char(type));
        appendVariableLength(m_bytes, uint32_t(data.size()));
        m_bytes.append(data);
        m_runningStatus = 0; // readers may take a meta event as the end of running status
    }

    void endOfTrack() { meta(m_time, smf::kMetaEndOfTrack, {}); }

    void appendChunkTo(QByteArray& out) const
    {
        out.append(smf::kTrackType, 4);
        appendBigEndian(out, uint32_t(m_bytes.size()), 4);
        out.append(m_bytes);
    }

private:
    // A gap longer than one delta can say (74 hours) is bridged by empty text events.
    void advanceTo(int64_t time)
    {
        int64_t delta = time - m_time;
        m_time = time;
        while (delta > int64_t(smf::kMaxVariableLength)) {
            appendVariableLength(m_bytes, smf::kMaxVariableLength);
            m_bytes.append(char(smf::kMeta));
            m_bytes.append(char(smf::kMetaText));
            m_bytes.append(char(0));
            m_runningStatus = 0;
            delta -= smf::kMaxVariableLength;
        }
        appendVariableLength(m_bytes, uint32_t(delta));
    }

    QByteArray m_bytes;
    int64_t m_time = 0;
    uint8_t m_runningStatus = 0;
};

QByteArray trackName(int channel)
{
    return channel == 0 ? QByteArrayLiteral("Piano") : "Player " + QByteArray::number(channel);
}

} // namespace

QByteArray midiFileFromRecording(std::span<const RecordingEvent> events)
{
    constexpr int kChannels = 16;
    std::array<TrackWriter, kChannels> channelTracks;
    std::array<bool, kChannels> used{};
    int64_t now = 0; // ms, which is ticks
    for (const RecordingEvent& event : events) {
        now += event.Delay > 0 ? event.Delay : 0;
        const auto message = uint32_t(event.Message);
        if (!isChannelMessage(message))
            continue;
        const int channel = message & 0x0F;
        if (!used[size_t(channel)]) {
            used[size_t(channel)] = true;
            channelTracks[size_t(channel)].meta(0, smf::kMetaTrackName, trackName(channel));
        }
        channelTracks[size_t(channel)].channelMessage(now, message);
    }

    int trackCount = 1;
    for (bool u : used)
        trackCount += u ? 1 : 0;
    QByteArray out;
    out.append(smf::kHeaderType, 4);
    appendBigEndian(out, smf::kHeaderLength, 4);
    appendBigEndian(out, 1, 2); // format 1
    appendBigEndian(out, uint32_t(trackCount), 2);
    appendBigEndian(out, kExportTicksPerQuarter, 2);

    TrackWriter tempoTrack;
    QByteArray tempo;
    appendBigEndian(tempo, smf::kDefaultTempo, 3);
    tempoTrack.meta(0, smf::kMetaTempo, tempo);
    tempoTrack.endOfTrack();
    tempoTrack.appendChunkTo(out);
    for (int channel = 0; channel < kChannels; ++channel) {
        if (!used[size_t(channel)])
            continue;
        channelTracks[size_t(channel)].endOfTrack();
        channelTracks[size_t(channel)].appendChunkTo(out);
    }
    return out;
}

} // namespace tamber
