#include "RecordingPanel.h"

#include "client/formats/FilesLog.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tamber {

namespace {

// Read when shown, not at start-up: the language's translator is installed by then.
QString text(const char* source)
{
    return QCoreApplication::translate("RecordingPanel", source);
}
QString recordText()
{
    return text(QT_TRANSLATE_NOOP("RecordingPanel", "Record"));
}
QString playText()
{
    return text(QT_TRANSLATE_NOOP("RecordingPanel", "Play"));
}
QString stopText()
{
    return text(QT_TRANSLATE_NOOP("RecordingPanel", "Stop"));
}

} // namespace

RecordingPanel::RecordingPanel(RecordingView& view, Recorder& recorder, Player& player,
                               FileDialogs& dialogs)
    : m_view(view), m_recorder(recorder), m_player(player), m_dialogs(dialogs)
{
    m_view.setRecordEnabled(false);
    m_view.setRecordCaption(recordText());
    m_view.setPlayEnabled(false);
    m_view.setPlayCaption(playText());
    m_view.setFileLabel(text(QT_TRANSLATE_NOOP("RecordingPanel", "File: None")));
    m_view.setExportEnabled(false);

    m_recorder.setStoppedHandler([this] {
        m_view.setPlayEnabled(true);
        m_view.setRecordCaption(recordText());
    });
    m_player.setStartedHandler([this] {
        qCDebug(lcFiles) << "Playback started";
        m_view.setPlayCaption(stopText());
        m_view.setRecordEnabled(false);
    });
    m_player.setStoppedHandler([this] {
        qCDebug(lcFiles) << "Playback stopped";
        m_view.setPlayCaption(playText());
        m_view.setRecordEnabled(recordable());
    });
}

void RecordingPanel::stopBoth()
{
    if (m_player.IsPlaying())
        m_player.StopPlayback();
    if (m_recorder.IsRecording())
        m_recorder.StopRecording();
}

void RecordingPanel::chooseFile(const FileDialogRequest& request, bool playable)
{
    stopBoth();
    const QString chosen = m_dialogs.ask(request);
    if (chosen.isEmpty())
        return;
    m_view.setFileLabel(
        text(QT_TRANSLATE_NOOP("RecordingPanel", "File: %1")).arg(QFileInfo(chosen).fileName()));
    m_recordingPath = chosen;
    m_view.setRecordEnabled(recordable());
    m_view.setPlayEnabled(playable);
    m_view.setExportEnabled(recordable());
}

bool RecordingPanel::recordable() const
{
    return !m_recordingPath.isEmpty() && !Player::isMidiFile(m_recordingPath);
}

void RecordingPanel::mnuNew_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = text(QT_TRANSLATE_NOOP("RecordingPanel", "New Recording"));
    request.filter = text(QT_TRANSLATE_NOOP("RecordingPanel", "Tamber Piano Recordings (*.tbr)"));
    request.confirmOverwrite = true; // replacing a recording is one slip away otherwise
    chooseFile(request, false);
}

void RecordingPanel::mnuOpen_Click()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.title = text(QT_TRANSLATE_NOOP("RecordingPanel", "Open Recording"));
    request.filter =
        text(QT_TRANSLATE_NOOP("RecordingPanel", "Recordings (*.tbr);;MIDI Files (*.mid *.midi)"));
    request.mustExist = true;
    chooseFile(request, true);
}

void RecordingPanel::cmdRecord_Click()
{
    if (m_recorder.IsRecording()) {
        m_recorder.StopRecording();
        return;
    }
    if (m_player.IsPlaying() || !recordable())
        return; // the button is disabled then
    if (!m_recorder.StartRecording(m_recordingPath))
        return; // told the user; the controls stay as they were
    m_view.setPlayEnabled(false);
    m_view.setRecordCaption(stopText());
}

std::optional<PlaybackError> RecordingPanel::cmdPlay_Click()
{
    if (m_player.IsPlaying()) {
        m_player.StopPlayback();
        return std::nullopt;
    }
    if (m_recorder.IsRecording() || m_recordingPath.isEmpty())
        return std::nullopt; // the button is disabled then
    return m_player.PlayRecording(m_recordingPath);
}

MidiExportResult RecordingPanel::mnuExportMidi_Click()
{
    if (!recordable())
        return {}; // the item is disabled then
    // Exported as it stands on disk: a recording that runs is completed first.
    if (m_recorder.IsRecording())
        m_recorder.StopRecording();
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = text(QT_TRANSLATE_NOOP("RecordingPanel", "Export MIDI File"));
    request.filter = text(QT_TRANSLATE_NOOP("RecordingPanel", "MIDI Files (*.mid *.midi)"));
    request.confirmOverwrite = true;
    request.defaultSuffix = QStringLiteral("mid");
    const QString chosen = m_dialogs.ask(request);
    if (chosen.isEmpty())
        return {};
    return exportRecordingAsMidi(m_recordingPath, chosen);
}

void RecordingPanel::shutDown()
{
    stopBoth();
}

} // namespace tamber
