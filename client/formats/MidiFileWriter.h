#pragma once

#include "RecordingFormat.h"

#include <QByteArray>
#include <span>

namespace tamber {

// At 120 bpm and 500 ticks per quarter note one tick is one millisecond, so the recorded
// delays become ticks exactly, with no drift however long the recording.
constexpr int kExportTicksPerQuarter = 500;

// A recording as a format-1 Standard MIDI File: a tempo track, then one track per MIDI
// channel that has events, in channel order, named "Piano" (channel 0) or "Player N".
// Every channel message is written as recorded (a note-on of velocity 0 stays one), with
// running status; values that are no channel message (the 0 of a note-on in PC-speaker mode,
// damaged events) are left out and their delay counts towards the next event. A negative
// delay, which only a damaged file holds, counts as 0, as it does in playback.
QByteArray midiFileFromRecording(std::span<const RecordingEvent> events);

} // namespace tamber
