#pragma once

#include "client/formats/MidiExport.h"
#include "client/platform/Dialogs.h"
#include "client/recording/Player.h"
#include "client/recording/Recorder.h"

#include <QString>

namespace tamber {

// The recording controls of the main window, as the panel drives them.
class RecordingView
{
public:
    virtual ~RecordingView() = default;
    virtual void setRecordEnabled(bool enabled) = 0; // cmdRecord
    virtual void setRecordCaption(const QString& caption) = 0;
    virtual void setPlayEnabled(bool enabled) = 0; // cmdPlay
    virtual void setPlayCaption(const QString& caption) = 0;
    virtual void setFileLabel(const QString& text) = 0; // lblFile
    virtual void setExportEnabled(bool enabled) = 0;    // File > Export MIDI File...
};

// The logic of the Recording frame and of File > New... and Open...:
//
//   situation                 cmdRecord          cmdPlay           lblFile
//   start of the program      disabled "Record"  disabled "Play"   "File: None"
//   after New... (chosen)     enabled  "Record"  disabled          "File: " + name
//   after Open... (chosen)    enabled  "Record"  enabled           "File: " + name
//   recording                 enabled  "Stop"    disabled          unchanged
//   recording stopped         enabled  "Record"  enabled           unchanged
//   playing                   disabled           enabled "Stop"    unchanged
//
// A MIDI file chosen with Open... plays but is never recorded into (Record stays disabled:
// it would overwrite the song), and only a recording is exported: Export MIDI File... is
// enabled once a recording file is chosen.
//
// Takes over the recorder's and the player's stop handlers, so a recording ended by a
// failed write or a playback that reached its end updates the controls too.
class RecordingPanel
{
public:
    RecordingPanel(RecordingView& view, Recorder& recorder, Player& player, FileDialogs& dialogs);

    void mnuNew_Click();
    void mnuOpen_Click();
    void cmdRecord_Click();
    // Starts or stops the playback; what kept a file from playing is returned.
    std::optional<PlaybackError> cmdPlay_Click();
    // Asks for a MIDI file and exports the chosen recording to it, after completing a
    // recording that runs; the result says what failed (ok when cancelled).
    MidiExportResult mnuExportMidi_Click();
    // The main window's closing: stops a playback, then completes a recording.
    void shutDown();

    const QString& RecordingPath() const { return m_recordingPath; }

private:
    void stopBoth();
    void chooseFile(const FileDialogRequest& request, bool playable);
    bool recordable() const;

    RecordingView& m_view;
    Recorder& m_recorder;
    Player& m_player;
    FileDialogs& m_dialogs;
    QString m_recordingPath;
};

} // namespace tamber
