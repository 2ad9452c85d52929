#pragma once

#include <QString>

namespace tamber {

struct MidiExportResult
{
    enum class Failure
    {
        None,
        CannotReadRecording, // missing, unreadable, a folder ...
        NotARecording,
        RecordingTooLong,
        CannotWriteMidiFile,
    };
    Failure failure = Failure::None;
    QString message; // one line naming the file and what went wrong
    bool ok() const { return failure == Failure::None; }
};

// Writes the recording file `recording` as the Standard MIDI File `midiFile` (see
// midiFileFromRecording). A recording cut short exports the whole events it holds. The MIDI
// file is replaced whole or not at all: a failed export leaves an existing file as it was.
MidiExportResult exportRecordingAsMidi(const QString& recording, const QString& midiFile);

} // namespace tamber
