#include "MidiExport.h"

#include "MidiFileWriter.h"
#include "RecordingFile.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <span>

namespace tamber {

namespace {

MidiExportResult failed(MidiExportResult::Failure failure, const QString& message)
{
    return {failure, message};
}

} // namespace

MidiExportResult exportRecordingAsMidi(const QString& recording, const QString& midiFile)
{
    using Failure = MidiExportResult::Failure;
    const LoadedRecording loaded = loadRecording(recording);
    switch (loaded.outcome) {
    case LoadedRecording::Outcome::Loaded:
        break;
    case LoadedRecording::Outcome::CannotOpen:
        return failed(Failure::CannotReadRecording,
                      QCoreApplication::translate("MidiExport",
                                                  "The recording \"%1\" could not be opened: %2")
                          .arg(recording, loaded.reason));
    case LoadedRecording::Outcome::NotARecording:
        return failed(
            Failure::NotARecording,
            QCoreApplication::translate("MidiExport", "\"%1\" is not a Tamber Piano recording.")
                .arg(recording));
    case LoadedRecording::Outcome::TooLong:
        return failed(Failure::RecordingTooLong,
                      QCoreApplication::translate("MidiExport",
                                                  "The recording \"%1\" holds more than %2 events.")
                          .arg(recording)
                          .arg(kMaxLoadedRecordingEvents));
    }

    // An event cut by the end of the file was never completely written: it is left out.
    std::span<const RecordingEvent> events(loaded.events);
    if (loaded.lastEventCut)
        events = events.first(events.size() - 1);
    const QByteArray bytes = midiFileFromRecording(events);

    // Written beside the target and renamed over it; where the folder allows no new file,
    // the target itself is written.
    QSaveFile out(midiFile);
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return failed(Failure::CannotWriteMidiFile,
                      QCoreApplication::translate("MidiExport",
                                                  "The MIDI file \"%1\" could not be written: %2")
                          .arg(midiFile, out.errorString()));
    return {};
}

} // namespace tamber
