// libFuzzer target over the Standard MIDI File reader and writer.
//
// Whatever the bytes, the reader either refuses them with a message and no events, or gives
// channel messages in time order, no more of them than the bytes can hold; so it does with
// the bytes as the tracks of a file whose header and chunks are sound. The same bytes
// taken as recording events go through the writer, and the reader must give back exactly
// the channel messages among them at their recorded times.

#include "FuzzFile.h"

#include "client/formats/MidiFileReader.h"
#include "client/formats/MidiFileWriter.h"

#include <algorithm>
#include <vector>

namespace {

using namespace tamber;
using fuzz::longAt;
using fuzz::require;

bool isChannelMessage(uint32_t message)
{
    const uint32_t status = message & 0xFF;
    const bool oneDataByte = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0;
    return status >= 0x80 && status < 0xF0 && ((message >> 8) & 0x80) == 0 &&
           (oneDataByte || ((message >> 16) & 0x80) == 0);
}

void checkRead(const QByteArray& bytes)
{
    const MidiFileRead read = readMidiFile(bytes);
    if (!read.ok()) {
        require(read.events.empty() && !read.message.isEmpty());
        return;
    }
    // Each event takes at least a delta byte and a data byte.
    require(read.events.size() <= size_t(bytes.size()) / 2);
    int64_t last = 0;
    for (const MidiFileEvent& e : read.events) {
        require(e.timeUs >= last);
        last = e.timeUs;
        require(isChannelMessage(e.message) && e.message >> 24 == 0);
        const uint32_t kind = e.message & 0xF0;
        require((kind != 0xC0 && kind != 0xD0) || (e.message >> 16) == 0);
    }
}

void checkRoundTrip(const QByteArray& bytes)
{
    std::vector<RecordingEvent> recording;
    struct Expected
    {
        MidiFileEvent event;
        uint32_t channel;
    };
    std::vector<Expected> expected;
    int64_t ms = 0;
    for (qsizetype i = 0; i + 8 <= bytes.size(); i += 8) {
        const RecordingEvent event{longAt(bytes, i), longAt(bytes, i + 4)};
        recording.push_back(event);
        ms += std::max(event.Delay, 0);
        auto message = uint32_t(event.Message);
        if (!isChannelMessage(message))
            continue;
        const uint32_t kind = message & 0xF0;
        message &= kind == 0xC0 || kind == 0xD0 ? 0xFFFF : 0xFFFFFF;
        expected.push_back({{ms * 1000, message}, message & 0x0F});
    }
    std::stable_sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
        return a.event.timeUs != b.event.timeUs ? a.event.timeUs < b.event.timeUs
                                                : a.channel < b.channel;
    });
    const MidiFileRead read = readMidiFile(midiFileFromRecording(recording));
    require(read.ok());
    require(read.events.size() == expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        require(read.events[i] == expected[i].event);
}

// The bytes as the tracks of a file with a sound header and chunk lengths, so that every run
// reaches the events, which a fuzzer starting from nothing seldom builds a header for. The
// first byte picks the format and the number of tracks, the next two the time division.
QByteArray asTracks(const QByteArray& bytes)
{
    if (bytes.size() < 3)
        return {};
    const int tracks = 1 + (uint8_t(bytes[0]) & 0x03);
    const int format = tracks == 1 && (uint8_t(bytes[0]) & 0x04) ? 0 : 1;
    QByteArray file("MThd\0\0\0\6\0", 9);
    file.append(char(format)).append('\0').append(char(tracks)).append(bytes.mid(1, 2));
    const QByteArray events = bytes.mid(3);
    const qsizetype part = events.size() / tracks;
    for (int t = 0; t < tracks; ++t) {
        const QByteArray body = events.mid(t * part, t == tracks - 1 ? -1 : part);
        file.append("MTrk", 4);
        for (int i = 3; i >= 0; --i)
            file.append(char((body.size() >> (8 * i)) & 0xFF));
        file.append(body);
    }
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkRead(bytes);
    checkRead(asTracks(bytes));
    checkRoundTrip(bytes);
    return 0;
}
