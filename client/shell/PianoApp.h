#pragma once

#include "Presenter.h"
#include "Startup.h"
#include "frmPiano.h"

#include "client/engine/NoteEngine.h"
#include "client/formats/KeymapFile.h"
#include "client/keyboard/KeyboardPoller.h"
#include "client/keyboard/Keymap.h"
#include "client/midi/MidiInput.h"
#include "client/platform/DataFiles.h"
#include "client/presenters/DeviceChoice.h"
#include "client/presenters/RecordingPanel.h"
#include "client/recording/Player.h"
#include "client/recording/Recorder.h"
#include "client/session/SessionClient.h"
#include "client/shell/ChatWindowHost.h"
#include "client/synth/PCSpeakerVoice.h"

#include <QTimer>
#include <memory>

namespace tamber {

class AudioEngine;
class HelpViewer;
class KeyConfigDialog;
class KeyStateSource;
class SessionTransport;
class ToneGenerator;

// Everything the piano needs from the machine, real or fake.
struct PianoPlatform
{
    MessageBoxes& boxes;
    FileDialogs& fileDialogs;
    InputBox& inputBox;
    HelpViewer& help;
    SettingsStore& settings;
    const TickClock& clock;
    MidiOutputDevices& outputs;
    MidiInputDevices& inputs;
    AudioEngine& audio;
    ToneGenerator& tones;
    const KeyStateSource& keys;
    PlaybackTimer& playbackTimer;
    SessionTransport& sessionTransport;
    DataFiles dataFiles; // the default keymap and the help
    uint16_t sessionPort = protocol::kPort;
};

// The piano: owns the program's state and its parts, wires them to the main window, and
// runs start-up and shut-down in their order.
class PianoApp : public QObject
{
    Q_OBJECT
public:
    explicit PianoApp(PianoPlatform platform);
    ~PianoApp() override;

    // Start-up; false when the program must end at once (no MIDI output device, or it was
    // asked to end while starting).
    bool Main();
    // The program is asked to end from outside (a termination signal): the shut-down that
    // closing the main window runs. During start-up it ends the start-up instead.
    void terminate();
    // The display is gone and the program is about to end: the shut-down of everything that
    // needs no window (playback, recording, every sounding note off, the devices closed).
    void endWithoutDisplay();
    bool hasEnded() const { return m_ended; }

    frmPiano& window() { return m_window; }
    NoteEngine& engine() { return m_engine; }
    Keymap& keymap() { return m_keymap; }
    PianoState& state() { return m_state; }
    SessionClient& sessionClient() { return m_session; }
    ChatWindowHost& chat() { return m_chat; }
    RecordingPanel& recording() { return m_recordingPanel; }
    Recorder& recorder() { return m_recorder; }
    Player& player() { return m_player; }
    KeyConfigDialog& keyConfig();
    bool isPCSpeakerTicking() const { return m_tmrPCSpeaker.isActive(); }

    void mnuKeyConfig_Click();
    void mnuHelpContents_Click();
    void mnuAbout_Click();

signals:
    // The shut-down has run and every window of the program is closed: nothing is left to
    // do, whatever event loop (a dialog) is running.
    void ended();

private:
    void connectWindow();
    // The user's choice in the instrument list (start-up chooses the first).
    void chooseInstrument(int program);
    void shutdown();
    // Input stops, every sounding note gets its note-off, the devices close.
    void silenceDevices();
    // The 10 ms tick sleeps while the PC speaker is not the output: it has nothing to beep.
    void followPCSpeaker();

    PianoPlatform m_platform;
    Presenter m_presenter;
    PianoState m_state;
    Keymap m_keymap;
    frmPiano m_window;
    Recorder m_recorder;
    Player m_player;
    NoteEngine m_engine;
    SessionClient m_session;
    ChatWindowHost m_chat;
    MidiInput m_midiInput;
    PCSpeakerVoice m_pcSpeaker;
    DeviceChoice m_devices;
    KeymapFiles m_keymapFiles;
    RecordingPanel m_recordingPanel;
    KeyboardPoller m_poller;
    PollTimer m_tmrPoll;
    QTimer m_tmrPCSpeaker;
    std::unique_ptr<KeyConfigDialog> m_keyConfig;
    bool m_ended = false;
};

} // namespace tamber
