#include "Recorder.h"

#include "client/formats/FilesLog.h"
#include "client/formats/RecordingFormat.h"

#include <QCoreApplication>

namespace tamber {

Recorder::Recorder(const TickClock& clock, Report report)
    : m_clock(clock), m_report(std::move(report))
{
}

bool Recorder::StartRecording(const QString& FileName)
{
    if (m_isRecording)
        StopRecording();
    if (!RecordStream.OpenFile(FileName, Stream::Mode::ReadWrite)) {
        fail(FileName, RecordStream.errorString());
        return false;
    }
    if (!RecordStream.isWritable()) {
        // Opened for reading only: every write would fail.
        RecordStream.CloseFile();
        fail(FileName, QCoreApplication::translate("Recorder", "The file can only be read."));
        return false;
    }
    RecordEventCount = 0;
    bool ok = RecordStream.WriteString(kRecordingMagic, 4);
    ok = ok && RecordStream.WriteString(kRecordingSection, 4);
    RecordCountPos = RecordStream.Pointer;
    ok = ok && RecordStream.WriteLong(0);
    if (!ok) {
        const QString reason = RecordStream.errorString();
        RecordStream.CloseFile();
        fail(FileName, reason);
        return false;
    }
    m_fileName = FileName;
    RecordLastTick = m_clock.tickCount();
    m_isRecording = true;
    qCDebug(lcFiles) << "Recording into" << FileName;
    return true;
}

void Recorder::RecordEvent(int32_t Message)
{
    if (!m_isRecording)
        return;
    const uint32_t now = m_clock.tickCount();
    // Modulo 2^32, so the wrap of the tick count gives the true elapsed time.
    const auto delay = int32_t(ticksBetween(RecordLastTick, now));
    RecordLastTick = now;

    const int32_t eventEnd = RecordStream.Pointer + kRecordingEventSize;
    bool ok = RecordStream.WriteLong(delay) && RecordStream.WriteLong(Message);
    if (ok) {
        ++RecordEventCount;
        RecordStream.Pointer = RecordCountPos;
        ok = RecordStream.WriteLong(RecordEventCount);
        RecordStream.Pointer = eventEnd;
    }
    if (!ok) {
        const QString reason = RecordStream.errorString();
        StopRecording();
        fail(m_fileName, reason);
    }
}

void Recorder::StopRecording()
{
    if (!m_isRecording)
        return;
    m_isRecording = false;
    // The count is already on disk; writing it once more costs nothing and keeps the file
    // complete even if an earlier patch was the write that failed.
    RecordStream.Pointer = RecordCountPos;
    if (!RecordStream.WriteLong(RecordEventCount))
        qCWarning(lcFiles) << "The event count of" << m_fileName
                           << "could not be written:" << RecordStream.errorString();
    RecordStream.CloseFile();
    qCDebug(lcFiles) << "Recorded" << RecordEventCount << "events into" << m_fileName;
    RecordEventCount = 0;
    RecordLastTick = 0;
    if (m_stopped)
        m_stopped();
}

void Recorder::fail(const QString& FileName, const QString& reason)
{
    m_report({FileName, reason});
}

} // namespace tamber
