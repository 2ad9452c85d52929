#include "PianoApp.h"

#include "frmAbout.h"

#include "client/engine/Instruments.h"
#include "client/platform/Dialogs.h"
#include "client/synth/ToneGenerator.h"
#include "client/widgets/KeyConfigDialog.h"
#include "common/language/LanguageChoice.h"

#include <QApplication>

namespace tamber {

PianoApp::PianoApp(PianoPlatform platform)
    : m_platform(std::move(platform)), m_presenter(m_platform.boxes),
      m_window(m_platform.boxes, m_state), m_recorder(m_platform.clock, m_presenter.reporter()),
      m_player({m_platform.clock, m_platform.playbackTimer,
                [this](uint32_t message) { m_midiInput.playRecorded(message); },
                [this](uint32_t message) { m_engine.PlayFileMessage(message); },
                [this] { m_engine.SilenceAll(); },
                [this] {
                    m_engine.SelectPatch(m_state.instrument(), uint8_t(m_state.MyUserID()), false);
                }}),
      m_engine({m_platform.outputs, m_window.keyLights(), m_session, m_recorder, m_state}),
      m_session({m_engine, m_presenter.reporter(), m_platform.inputBox, m_platform.settings,
                 m_platform.sessionTransport, m_chat, m_state, m_platform.sessionPort}),
      m_chat(m_session, m_window), m_midiInput(m_engine, m_state),
      m_pcSpeaker(m_engine, m_platform.tones),
      m_devices({m_engine, m_platform.settings, m_presenter.reporter(), m_platform.outputs,
                 m_platform.inputs, m_platform.audio, m_window}),
      m_keymapFiles(m_keymap, m_presenter.reporter()),
      m_recordingPanel(m_window, m_recorder, m_player, m_platform.fileDialogs),
      m_poller({m_keymap, m_platform.keys,
                [this] { return QApplication::activeWindow() == &m_window; }, m_engine, m_state}),
      m_tmrPoll(m_poller, m_platform.keys)
{
    m_tmrPCSpeaker.setInterval(PCSpeakerVoice::kTickMs);
    m_tmrPCSpeaker.setTimerType(Qt::PreciseTimer);
    connect(&m_tmrPCSpeaker, &QTimer::timeout, this, [this] { m_pcSpeaker.tmrPCSpeaker_Timer(); });
    connectWindow();
}

PianoApp::~PianoApp()
{
    m_tmrPoll.stop();
    m_platform.inputs.setReceiver({});
}

void PianoApp::connectWindow()
{
    frmPiano* w = &m_window;
    connect(w, &frmPiano::instrumentChosen, this, &PianoApp::chooseInstrument);
    connect(w, &frmPiano::octaveChosen, this,
            [this](int octave) { m_state.setBaseOctave(uint8_t(octave)); });
    connect(w, &frmPiano::newRecordingRequested, this, [this] { m_recordingPanel.mnuNew_Click(); });
    connect(w, &frmPiano::openRecordingRequested, this,
            [this] { m_recordingPanel.mnuOpen_Click(); });
    connect(w, &frmPiano::recordClicked, this, [this] { m_recordingPanel.cmdRecord_Click(); });
    connect(w, &frmPiano::playClicked, this, [this] {
        if (const auto error = m_recordingPanel.cmdPlay_Click())
            m_presenter.show(*error);
    });
    connect(w, &frmPiano::exportMidiRequested, this,
            [this] { m_presenter.show(m_recordingPanel.mnuExportMidi_Click()); });
    connect(w, &frmPiano::keyConfigRequested, this, &PianoApp::mnuKeyConfig_Click);
    connect(w, &frmPiano::outputItemClicked, this, [this](int item) {
        m_devices.mnuOutDevice_Click(item);
        followPCSpeaker();
    });
    connect(w, &frmPiano::inputItemClicked, this,
            [this](int item) { m_devices.mnuInDevice_Click(item); });
    connect(w, &frmPiano::pcSpeakerClicked, this, [this] {
        m_devices.mnuPCSpeaker_Click();
        followPCSpeaker();
    });
    connect(w, &frmPiano::joinSessionRequested, this, [this] { m_session.JoinSession(); });
    connect(w, &frmPiano::helpRequested, this, &PianoApp::mnuHelpContents_Click);
    connect(w, &frmPiano::aboutRequested, this, &PianoApp::mnuAbout_Click);
    // The language is chosen at start-up (main); the menu only keeps the choice for the next.
    const QString language = m_platform.settings.read(
        LanguageChoice::kSection, LanguageChoice::kKey, LanguageChoice::kSystem);
    m_window.setLanguageChecked(LanguageChoice::isShipped(language) ? language
                                                                    : LanguageChoice::kSystem);
    connect(w, &frmPiano::languageChosen, this, [this](const QString& code) {
        m_platform.settings.write(LanguageChoice::kSection, LanguageChoice::kKey, code);
    });
    m_window.setShutdown([this] { shutdown(); });
}

bool PianoApp::Main()
{
    Startup startup(m_presenter.reporter(), m_platform.settings);
    m_presenter.setWaitForEachBox(true);
    const bool running = startup.Main({
        [this] { m_keymapFiles.LoadKeymap(m_platform.dataFiles.defaultKeymap); },
        [this] { return m_platform.outputs.count(); },
        [this] {
            // The main window's load: MIDI input reaches the program from now on, and the
            // device menus are listed once for the run.
            m_platform.inputs.setReceiver(
                [this](ShortMessage message) { m_midiInput.MidiInWindowProc(message); });
            m_devices.buildMenus();
            m_tmrPoll.start();
        },
        [this] {
            m_devices.restoreOutputAtStartup();
            followPCSpeaker();
        },
        [this] { m_window.captionNoteLabels(noteLabelCaption); },
        [this] {
            m_window.setInstruments(InitInstruments());
            chooseInstrument(0);
        },
        [this] { m_state.setBaseOctave(PianoState::kStartOctave); },
        [this] { m_window.show(); },
        [this] { return m_ended; },
        // The built-in synthesizer opens while the window comes up. Boxes that come after
        // this call has returned are posted, as at any time of the run.
        [this](std::function<void()> then) { m_devices.afterStartupOutput(std::move(then)); },
        [this] { m_devices.restoreInputAtStartup(); },
    });
    m_presenter.setWaitForEachBox(false);
    if (!running)
        m_tmrPoll.stop();
    return running;
}

void PianoApp::chooseInstrument(int program)
{
    m_state.setInstrument(uint8_t(program));
    m_engine.SelectPatch(uint8_t(program), uint8_t(m_state.MyUserID()), true);
}

void PianoApp::terminate()
{
    if (m_ended)
        return;
    // Closing the window runs the shut-down, hidden or not.
    m_window.close();
}

void PianoApp::shutdown()
{
    // In this order: the playback stops and the recording is completed before the devices
    // go; leaving the session closes the chat window; every note still sounding gets its
    // note-off before the devices close (an external synthesizer would hold it otherwise);
    // then the windows the program opened beside the main one go.
    m_recordingPanel.shutDown();
    m_session.LeaveSession();
    silenceDevices();
    if (m_keyConfig)
        m_keyConfig->close();
    m_platform.help.close();
    m_ended = true;
    emit ended();
}

void PianoApp::endWithoutDisplay()
{
    if (m_ended)
        return;
    // The shut-down less what needs a window: the session's socket closes with the process.
    m_recordingPanel.shutDown();
    silenceDevices();
    m_ended = true;
}

void PianoApp::silenceDevices()
{
    m_platform.inputs.setReceiver({});
    m_tmrPoll.stop();
    m_tmrPCSpeaker.stop();
    m_engine.StopSoundingNotes();
    m_devices.CloseMidiDevices();
}

void PianoApp::followPCSpeaker()
{
    if (m_engine.UsePCSpeaker && !m_tmrPCSpeaker.isActive())
        m_tmrPCSpeaker.start();
    else if (!m_engine.UsePCSpeaker)
        m_tmrPCSpeaker.stop();
}

KeyConfigDialog& PianoApp::keyConfig()
{
    // Created on first use and reused by every later opening.
    if (!m_keyConfig) {
        m_keyConfig = std::make_unique<KeyConfigDialog>(KeyConfigDialog::Links{
            m_keymap, m_platform.keys, m_platform.fileDialogs, m_keymapFiles});
    }
    return *m_keyConfig;
}

void PianoApp::mnuKeyConfig_Click()
{
    keyConfig().showModal();
}

void PianoApp::mnuHelpContents_Click()
{
    // A missing help file leaves everything as it was; there is nothing to tell.
    m_platform.help.show(m_platform.dataFiles.help, QString());
}

void PianoApp::mnuAbout_Click()
{
    frmAbout about(&m_window);
    about.exec();
}

} // namespace tamber
