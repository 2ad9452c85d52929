#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

namespace tamber {

// One channel message of a MIDI file at its time from the start of the song.
struct MidiFileEvent
{
    int64_t timeUs = 0;
    // Packed like a MIDI short message: status + data 1 * 256 + data 2 * 65536 (data 2 is 0
    // for program changes and channel pressure).
    uint32_t message = 0;
    bool operator==(const MidiFileEvent&) const = default;
};

enum class MidiFileError
{
    None,
    CannotOpen,
    TooLarge,
    NotMidiFile,        // does not begin with a header chunk
    BadHeader,          // header length or time division
    UnsupportedFormat,  // format 2, or no format at all
    BadTrackCount,      // more tracks than the file can hold; format 0 with more than one
    BadChunk,           // a chunk longer than the file, no chunk where one must be, tracks missing
    TruncatedTrack,     // an event runs past the end of its track
    LongVariableLength, // a variable-length number of more than four bytes
    RunningStatusWithoutStatus, // a data byte where no channel status came before in the track
    BadEvent, // a data byte above 127, a status byte a file may not hold, a bad tempo
};

struct MidiFileRead
{
    MidiFileError error = MidiFileError::None;
    QString message; // one sentence saying what is wrong, without the file's name
    // Every channel message (notes, controllers, programs, pressure, pitch bend) of every
    // track and channel, ordered by time; at equal times by track, then as in the track.
    // SysEx and meta events are not among them; tempo events have set the times.
    std::vector<MidiFileEvent> events;
    bool ok() const { return error == MidiFileError::None; }
};

// Reads a Standard MIDI File of format 0 or 1 from memory. A malformed file gives an error
// and no events; nothing is read outside `bytes`, and memory grows with the events the file
// holds, never with the counts or lengths it declares.
MidiFileRead readMidiFile(QByteArrayView bytes);

// Larger files are refused before they are read: music needs far less.
constexpr qint64 kMaxMidiFileSize = 16 * 1024 * 1024;

// Reads the file (regular files only) and then its content, as readMidiFile.
MidiFileRead loadMidiFile(const QString& FileName);

} // namespace tamber
