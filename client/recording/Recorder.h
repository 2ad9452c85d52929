#pragma once

#include "client/engine/NoteEngine.h"
#include "client/formats/Stream.h"
#include "client/platform/TickClock.h"

#include <functional>

namespace tamber {

// A recording file that could not be opened, created or written, and the system's reason.
struct RecordingError
{
    QString fileName;
    QString reason;
    bool operator==(const RecordingError&) const = default;
};

// Writes what the note engine plays into a recording file (format in RecordingFormat.h).
//
// Every event goes straight to the file and the count on disk is patched after it, so a
// program killed mid-recording leaves a readable file with every event but at most the last.
// A recording into an existing file rewrites it from the start; a longer old tail stays.
class Recorder : public EventRecorder
{
public:
    using Report = std::function<void(const RecordingError&)>;
    Recorder(const TickClock& clock, Report report);

    // False, with one report, when the file cannot be opened, created or written; the
    // recording then does not start.
    bool StartRecording(const QString& FileName);
    // Called by the note engine while IsRecording(). A failing write stops the recording
    // with one report; the caller never sees the failure.
    void RecordEvent(int32_t Message) override;
    void StopRecording();
    bool IsRecording() const override { return m_isRecording; }

    // Runs whenever a recording has stopped, whether by StopRecording or by a failed write.
    void setStoppedHandler(std::function<void()> handler) { m_stopped = std::move(handler); }

private:
    void fail(const QString& FileName, const QString& reason);

    const TickClock& m_clock;
    Report m_report;
    std::function<void()> m_stopped;

    Stream RecordStream;
    QString m_fileName;
    bool m_isRecording = false;
    int32_t RecordEventCount = 0;
    int32_t RecordCountPos = 0;
    uint32_t RecordLastTick = 0;
};

} // namespace tamber
