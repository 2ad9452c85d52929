#pragma once

#include "RecordingFormat.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace tamber {

// The longest recording that is loaded (128 MiB of events); a longer one is refused rather
// than taking the machine's memory.
constexpr int32_t kMaxLoadedRecordingEvents = 16 * 1024 * 1024;

struct LoadedRecording
{
    enum class Outcome
    {
        Loaded,
        CannotOpen,    // reason says why
        NotARecording, // the first eight bytes are not "TBR" 00 "DATA"
        TooLong,       // more than the limit of events
    };
    Outcome outcome = Outcome::NotARecording;
    QString reason;
    // Up to the count field, as many as the file holds; the last one completed with zeros
    // when the file ends inside it (a recording cut by a crash or a full disk).
    std::vector<RecordingEvent> events;
    bool lastEventCut = false;
};

// Reads a whole recording file in one buffered pass. Memory follows the file's size, never
// the count field alone: events the file does not hold are not loaded, and a sparse file
// that claims billions is refused before anything is allocated.
LoadedRecording loadRecording(const QString& FileName,
                              int32_t maxEvents = kMaxLoadedRecordingEvents);

} // namespace tamber
