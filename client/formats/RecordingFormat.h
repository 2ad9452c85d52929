#pragma once

// A recording file (.tbr), all fields 32-bit little-endian:
//
//   offset 0   "TBR" 00        magic
//          4   "DATA"          section name, compared exactly
//          8   N               signed event count, kept current while recording
//          12  N events        8 bytes each, oldest first:
//                +0 Delay      signed ms since the previous event (the first: since Record)
//                +4 Message    MIDI short message: status, note, velocity, 0
//
// There is no end marker: anything after the N-th event is left-over and never read.

#include <QByteArray>
#include <cstdint>

namespace tamber {

inline const QByteArray kRecordingMagic = QByteArray("TBR\0", 4);
inline const QByteArray kRecordingSection = QByteArrayLiteral("DATA");
constexpr int32_t kRecordingHeaderSize = 12;
constexpr int32_t kRecordingEventSize = 8;

struct RecordingEvent
{
    int32_t Delay = 0;
    int32_t Message = 0;
    bool operator==(const RecordingEvent&) const = default;
};

} // namespace tamber
