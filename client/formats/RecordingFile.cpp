#include "RecordingFile.h"

#include "Stream.h"

#include <algorithm>

namespace tamber {

namespace {

int32_t readLittleEndianLong(const unsigned char* bytes)
{
    return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                   uint32_t(bytes[3]) << 24);
}

} // namespace

LoadedRecording loadRecording(const QString& FileName, int32_t maxEvents)
{
    LoadedRecording result;
    Stream file;
    if (!file.OpenFile(FileName, Stream::Mode::ReadOnly)) {
        result.outcome = LoadedRecording::Outcome::CannotOpen;
        result.reason = file.errorString();
        return result;
    }
    if (file.ReadString(4) != kRecordingMagic || file.ReadString(4) != kRecordingSection)
        return result;

    const int32_t count = file.ReadLong();
    const qint64 bytesLeft = std::max<qint64>(0, file.size() - kRecordingHeaderSize);
    const qint64 held = (bytesLeft + kRecordingEventSize - 1) / kRecordingEventSize;
    const qint64 events = std::clamp<qint64>(held, 0, std::max(count, 0));
    if (events > maxEvents) {
        result.outcome = LoadedRecording::Outcome::TooLong;
        return result;
    }

    result.outcome = LoadedRecording::Outcome::Loaded;
    result.events.assign(size_t(events), {});
    result.lastEventCut = events > 0 && events * kRecordingEventSize > bytesLeft;
    // Blocks of events; the last may be cut by the end of the file, its missing bytes zeros.
    constexpr qint64 kBlockEvents = 8192;
    std::vector<unsigned char> block(size_t(std::min(kBlockEvents, events) * kRecordingEventSize));
    for (qint64 first = 0; first < events; first += kBlockEvents) {
        const qint64 n = std::min(kBlockEvents, events - first);
        file.ReadBlock(reinterpret_cast<char*>(block.data()), n * kRecordingEventSize);
        for (qint64 i = 0; i < n; ++i) {
            const unsigned char* bytes = block.data() + i * kRecordingEventSize;
            RecordingEvent& event = result.events[size_t(first + i)];
            event.Delay = readLittleEndianLong(bytes);
            event.Message = readLittleEndianLong(bytes + 4);
        }
    }
    file.CloseFile();
    return result;
}

} // namespace tamber
