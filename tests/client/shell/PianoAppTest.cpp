// The whole piano behind fake devices and dialogs, with the real main window (offscreen).
#include "client/shell/PianoApp.h"
#include "client/formats/KeymapFile.h"
#include "client/formats/MidiFileWriter.h"
#include "client/midi/MidiRegistry.h"
#include "client/synth/ToneGenerator.h"
#include "client/widgets/KeyConfigDialog.h"
#include "common/protocol/Codec.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/client/formats/RecordingBytes.h"
#include "tests/client/recording/FakePlaybackTimer.h"
#include "tests/client/session/SessionFakes.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSound.h"
#include "tests/support/WindowControls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

class QuietAudio : public AudioEngine, public ToneGenerator
{
public:
    bool start() override { return ++starts, true; }
    void queueTone(int frequencyHz, int) override { tones.push_back(frequencyHz); }
    int queuedMs() const override { return 0; }
    int starts = 0;
    std::vector<int> tones;
};

struct PianoRig
{
    QTemporaryDir folder;
    FakeMessageBoxes boxes;
    FakeFileDialogs fileDialogs;
    FakeInputBox inputBox;
    FakeHelpViewer help;
    FakeSettingsStore settings;
    FakeTickClock clock;
    FakeMidiOutputDevices outputs;
    FakeMidiInputDevices inputs;
    QuietAudio audio;
    FakeKeyState keys;
    tamber::testing::FakePlaybackTimer timer{clock};
    FakeSessionTransport transport;
    std::unique_ptr<PianoApp> piano;

    WindowControls controls() const { return WindowControls(piano->window()); }

    PianoRig()
    {
        outputs.names = {"Synth", "Port A"};
        inputs.names = {"Keys"};
        settings.values["General/Welcomed"] = "1";
        writeDefaultKeymap();
    }

    void writeDefaultKeymap()
    {
        Keymap keymap;
        keymap.KeyMapped['Z'] = true;
        KeymapFiles(keymap, [](const KeymapReport&) {}).SaveKeymap(folder.filePath("Default.tmk"));
    }

    // File > New... into a fresh file, then Record: the recording runs afterwards.
    QString startRecording()
    {
        const QString path = folder.filePath("take.tbr");
        fileDialogs.answers = {path};
        controls().action("mnuNew").trigger();
        controls().button("cmdRecord").click();
        return path;
    }

    PianoApp& start(MidiOutputDevices* otherOutputs = nullptr)
    {
        piano = std::make_unique<PianoApp>(
            PianoPlatform{boxes, fileDialogs, inputBox, help, settings, clock,
                          otherOutputs ? *otherOutputs : outputs, inputs, audio, audio, keys, timer,
                          transport, dataFilesIn(folder.path(), QString())});
        piano->Main();
        return *piano;
    }
};

// The built-in synthesizer's part: its port opens in the background and is ready only when
// the test lets it be.
class SlowSynth : public MidiOutputBackend
{
public:
    const char* id() const override { return "slow"; }
    QByteArrayList portNames() override { return {"Slow Synth"}; }
    std::unique_ptr<MidiOutputPort> open(const QByteArray&) override
    {
        return std::make_unique<Port>(*this);
    }
    void finishOpening(bool opened) { std::exchange(ready, nullptr)(opened); }

    std::function<void(bool)> ready;
    std::vector<ShortMessage> heard;

private:
    class Port : public MidiOutputPort
    {
    public:
        explicit Port(SlowSynth& synth) : m_synth(synth) {}
        ~Port() override { m_synth.ready = nullptr; }
        void send(ShortMessage m) override { m_synth.heard.push_back(m); }
        void close() override {}
        void whenReady(std::function<void(bool)> ready) override
        {
            m_synth.ready = std::move(ready);
        }

    private:
        SlowSynth& m_synth;
    };
};

MidiOutputRegistry slowSynthOutputs(SlowSynth*& synth)
{
    auto backend = std::make_unique<SlowSynth>();
    synth = backend.get();
    std::vector<std::unique_ptr<MidiOutputBackend>> backends;
    backends.push_back(std::move(backend));
    return MidiOutputRegistry(std::move(backends));
}

void tapAndHold(PianoRig& rig, int key)
{
    rig.piano->window().activateWindow();
    QApplication::setActiveWindow(&rig.piano->window());
    rig.keys.press(key);
    QCoreApplication::processEvents();
    rig.keys.release(key);
    QCoreApplication::processEvents();
    rig.keys.press(key);
    QCoreApplication::processEvents();
}

} // namespace

TEST(PianoApp, StartsOnDeviceZeroWithTheDefaultKeymapAndProgramZero)
{
    PianoRig rig;
    rig.settings.values.remove("General/Welcomed");
    PianoApp& piano = rig.start();
    EXPECT_TRUE(piano.keymap().KeyMapped['Z']) << "Default.tmk from the program's folder";
    EXPECT_EQ(rig.outputs.openDevice, 0);
    EXPECT_EQ(rig.outputs.sent, (std::vector<ShortMessage>{makeShortMessage(0xC0, 0, 0)}));
    frmPiano& window = piano.window();
    const WindowControls controls(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.checkedOutputItem(), 1);
    EXPECT_EQ(window.checkedInputItem(), 0);
    EXPECT_EQ(controls.count<QAction>("mnuOutDevice"), 3);
    EXPECT_EQ(controls.action("mnuInDevice", 1).text(), "Keys");
    EXPECT_EQ(controls.comboBox("cmbInstruments").count(), 128);
    EXPECT_EQ(controls.comboBox("cmbInstruments").currentIndex(), 0);
    EXPECT_EQ(controls.label("lblNote", 12).text(), "A");
    EXPECT_EQ(piano.state().BaseOctave(), 3);
    QTest::mouseClick(&controls.button("cmdOctave", 1), Qt::LeftButton);
    EXPECT_EQ(piano.state().BaseOctave(), 1);
    EXPECT_TRUE(controls.button("cmdOctave", 1).font().bold());
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].title, "Welcome");
}

TEST(PianoApp, TheWindowComesUpWhileTheSynthesizerOpensAndAHeldKeySoundsOnceItIsReady)
{
    PianoRig rig;
    rig.settings.values.remove("General/Welcomed");
    SlowSynth* synth = nullptr;
    MidiOutputRegistry outputs = slowSynthOutputs(synth);
    PianoApp& piano = rig.start(&outputs);
    ASSERT_TRUE(synth->ready) << "still opening";
    EXPECT_TRUE(piano.window().isVisible());
    EXPECT_TRUE(rig.boxes.shown.empty()) << "the welcome follows the output";

    // Struck and released before it is ready: dropped; struck again and held: it sounds.
    tapAndHold(rig, 'Z');
    EXPECT_TRUE(synth->heard.empty());
    synth->finishOpening(true);
    EXPECT_EQ(synth->heard, (std::vector<ShortMessage>{makeShortMessage(0xC0, 0, 0),
                                                       makeShortMessage(0x90, 72, 127)}));
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].title, "Welcome");
    rig.keys.release('Z');
    QCoreApplication::processEvents();
    EXPECT_EQ(synth->heard.back(), makeShortMessage(0x80, 72, 0));
}

TEST(PianoApp, ASynthesizerThatFailsAfterTheWindowIsUpWarnsInTheStartUpOrder)
{
    PianoRig rig;
    rig.settings.values.remove("General/Welcomed");
    rig.settings.values["Devices/InDevice"] = "0";
    rig.inputs.failingOpen = {0};
    SlowSynth* synth = nullptr;
    MidiOutputRegistry outputs = slowSynthOutputs(synth);
    PianoApp& piano = rig.start(&outputs);
    EXPECT_TRUE(piano.window().isVisible());
    EXPECT_EQ(rig.inputs.log, std::vector<std::string>{}) << "the input opens after the output";
    tapAndHold(rig, 'Z');
    synth->finishOpening(false);
    EXPECT_TRUE(synth->heard.empty());
    EXPECT_FALSE(outputs.isOpen());
    std::vector<QString> titles;
    for (const auto& box : rig.boxes.shown)
        titles.push_back(box.title);
    EXPECT_EQ(titles, (std::vector<QString>{"Warning", "Warning", "Warning", "Welcome"}));
    ASSERT_EQ(rig.boxes.shown.size(), 4u);
    EXPECT_TRUE(rig.boxes.shown[0].text.startsWith("The MIDI output device could not be opened"));
    EXPECT_TRUE(rig.boxes.shown[1].text.startsWith("The MIDI input device could not be opened"));
    EXPECT_EQ(rig.inputs.log, (std::vector<std::string>{"open 0", "start"}));
}

TEST(PianoApp, NoOutputDeviceEndsBeforeTheWindowShows)
{
    PianoRig rig;
    rig.outputs.names.clear();
    rig.settings.values["Devices/OutDevice"] = "-2";
    rig.piano = std::make_unique<PianoApp>(
        PianoPlatform{rig.boxes, rig.fileDialogs, rig.inputBox, rig.help, rig.settings, rig.clock,
                      rig.outputs, rig.inputs, rig.audio, rig.audio, rig.keys, rig.timer,
                      rig.transport, dataFilesIn(rig.folder.path(), QString())});
    EXPECT_FALSE(rig.piano->Main());
    EXPECT_FALSE(rig.piano->window().isVisible());
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].title, "Fatal Error");
}

TEST(PianoApp, MissingDefaultKeymapIsReportedAndStartUpGoesOn)
{
    PianoRig rig;
    QFile::remove(rig.folder.filePath("Default.tmk"));
    PianoApp& piano = rig.start();
    ASSERT_FALSE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.boxes.shown[0].text, "This is not a valid keymap file.");
    EXPECT_FALSE(QFile::exists(rig.folder.filePath("Default.tmk"))) << "a reader creates nothing";
    EXPECT_TRUE(piano.window().isVisible());
}

TEST(PianoApp, MappedKeyPlaysOnlyWithTheMainWindowInFront)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    piano.window().activateWindow();
    QApplication::setActiveWindow(&piano.window());
    rig.outputs.sent.clear();
    rig.keys.press('Z');
    QCoreApplication::processEvents();
    rig.keys.release('Z');
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.outputs.sent, (std::vector<ShortMessage>{makeShortMessage(0x90, 72, 127),
                                                           makeShortMessage(0x80, 72, 0)}));

    QApplication::setActiveWindow(nullptr);
    rig.outputs.sent.clear();
    rig.keys.press('Z');
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.outputs.sent.empty()) << "another window is in front";
}

TEST(PianoApp, ChoosingAnInstrumentSendsAProgramChangeOnTheLocalChannel)
{
    PianoRig rig;
    rig.start();
    rig.outputs.sent.clear();
    rig.controls().comboBox("cmbInstruments").setCurrentIndex(40);
    EXPECT_EQ(rig.outputs.sent, (std::vector<ShortMessage>{makeShortMessage(0xC0, 40, 0)}));
    EXPECT_TRUE(rig.transport.sent.empty()) << "offline: nothing goes to a session";
}

TEST(PianoApp, ClosingWhileRecordingCompletesTheFileBeforeTheDevicesClose)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    const QString path = rig.startRecording();
    ASSERT_TRUE(piano.recorder().IsRecording());
    piano.engine().StartNote(60, 100, 0, true);
    rig.outputs.log.clear();

    piano.window().close();

    EXPECT_FALSE(piano.recorder().IsRecording());
    EXPECT_EQ(rig.outputs.log, (std::vector<std::string>{"close 0"}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 12 + 8);
    EXPECT_EQ(bytes.left(8), QByteArray("TBR\0DATA", 8));
    EXPECT_EQ(bytes.mid(8, 4), QByteArray("\1\0\0\0", 4));
}

TEST(PianoApp, ExitDuringPlaybackStopsItAndShutsDownOnce)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    rig.startRecording();
    piano.engine().StartNote(60, 100, 0, true);
    rig.clock.advance(5000);
    piano.engine().StopNote(60, 0, true);
    rig.controls().button("cmdRecord").click();

    // Exit arrives while it plays, between the note-on and its note-off.
    rig.timer.at(100, [&] { rig.controls().action("mnuExit").trigger(); });
    rig.outputs.sent.clear();
    rig.controls().button("cmdPlay").click();
    rig.timer.run();

    EXPECT_FALSE(piano.player().IsPlaying());
    EXPECT_FALSE(rig.timer.pending());
    EXPECT_FALSE(piano.window().isVisible());
    EXPECT_EQ(rig.outputs.openDevice, -1) << "devices closed by the shut-down";
    EXPECT_EQ(rig.outputs.sent, (std::vector<ShortMessage>{makeShortMessage(0x90, 60, 100),
                                                           makeShortMessage(0x80, 60, 0)}))
        << "the note it started is silenced at stop, and no other";
}

TEST(PianoApp, HelpWithoutAHelpFileChangesNothing)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    rig.help.exists = false;
    rig.controls().action("mnuHelpContents").trigger();
    EXPECT_EQ(rig.help.shownFile, rig.folder.filePath("help/index.html"));
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_TRUE(piano.window().isVisible());
}

TEST(PianoApp, PCSpeakerTickRunsOnlyWhileThePCSpeakerIsTheOutput)
{
    PianoRig rig;
    rig.settings.values["Devices/OutDevice"] = "-2";
    PianoApp& piano = rig.start();
    EXPECT_TRUE(piano.window().isPCSpeakerChecked());
    EXPECT_TRUE(piano.isPCSpeakerTicking());
    EXPECT_EQ(rig.outputs.openDevice, -1);
    rig.controls().action("mnuOutDevice", 1).trigger();
    EXPECT_FALSE(piano.isPCSpeakerTicking());
    EXPECT_EQ(rig.outputs.openDevice, 0);
    rig.controls().action("mnuPCSpeaker").trigger();
    EXPECT_TRUE(piano.isPCSpeakerTicking());
    EXPECT_EQ(rig.settings.values.value("Devices/OutDevice"), "-2");
}

// Regression: closing the main window with the help open left the process running, the help
// being a window without a parent that nobody closed.
TEST(PianoApp, ShutDownClosesEveryWindowOfTheProgramAndSaysItHasEnded)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    int ended = 0;
    QObject::connect(&piano, &PianoApp::ended, [&] { ++ended; });
    rig.controls().action("mnuHelpContents").trigger();
    ASSERT_TRUE(rig.help.open);
    piano.keyConfig().show();
    rig.inputBox.answer = QStringLiteral("127.0.0.1");
    rig.controls().action("mnuJoinSession").trigger();
    rig.transport.accept();
    rig.transport.deliver(protocol::buildMessage({"UserID", "User2", "2"}));
    ASSERT_NE(piano.chat().chatWindow(), nullptr);

    rig.controls().action("mnuExit").trigger();
    EXPECT_FALSE(piano.window().isVisible());
    EXPECT_FALSE(rig.help.open);
    EXPECT_FALSE(piano.keyConfig().isVisible());
    EXPECT_EQ(piano.chat().chatWindow(), nullptr);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(piano.hasEnded());

    piano.terminate(); // a late signal finds nothing more to do
    EXPECT_EQ(ended, 1);
}

// Regression: closing the window with a key held sent All Notes Off but no note-off, and an
// external synthesizer kept the note.
TEST(PianoApp, ShutDownStopsEverySoundingNoteBeforeTheDevicesClose)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    QApplication::setActiveWindow(&piano.window());
    rig.keys.press('Z');
    QCoreApplication::processEvents();
    piano.engine().StartNote(50, 90, 3, false); // another player's note
    rig.outputs.sent.clear();

    piano.terminate();
    EXPECT_EQ(rig.outputs.sent, (std::vector<ShortMessage>{makeShortMessage(0x80, 72, 0),
                                                           makeShortMessage(0x83, 50, 0)}))
        << "sent while the device was still open";
    EXPECT_EQ(rig.outputs.openDevice, -1);
    EXPECT_FALSE(piano.window().isVisible());
}

TEST(PianoApp, AskedToEndDuringStartUpItStopsThere)
{
    PianoRig rig;
    QFile::remove(rig.folder.filePath("Default.tmk")); // start-up's first box
    rig.piano = std::make_unique<PianoApp>(
        PianoPlatform{rig.boxes, rig.fileDialogs, rig.inputBox, rig.help, rig.settings, rig.clock,
                      rig.outputs, rig.inputs, rig.audio, rig.audio, rig.keys, rig.timer,
                      rig.transport, dataFilesIn(rig.folder.path(), QString())});
    rig.boxes.onShow = [&] { rig.piano->terminate(); };
    EXPECT_FALSE(rig.piano->Main());
    EXPECT_TRUE(rig.piano->hasEnded());
    EXPECT_FALSE(rig.piano->window().isVisible());
    EXPECT_EQ(rig.outputs.log, std::vector<std::string>{}) << "no device was opened";
}

// A MIDI file from File > Open...: every channel sounds on the output and lights in its
// colour; the instrument the file chose for the local channel is given back at the end.
TEST(PianoApp, AMidiFilePlaysEveryChannelAndGivesTheInstrumentBack)
{
    using namespace tamber::testing;
    PianoRig rig;
    rig.start();
    rig.controls().comboBox("cmbInstruments").setCurrentIndex(5);
    const QString song = rig.folder.filePath("song.mid");
    writeAll(song, midiFileFromRecording(std::vector<RecordingEvent>{{0, 0x28C0},
                                                                     {0, noteOn(60, 100, 0)},
                                                                     {0, noteOn(64, 100, 4)},
                                                                     {0, noteOn(20, 100, 4)},
                                                                     {500, noteOff(60)},
                                                                     {0, noteOff(64, 4)},
                                                                     {0, noteOff(20, 4)}}));
    rig.fileDialogs.answers = {song};
    rig.controls().action("mnuOpen").trigger();
    EXPECT_FALSE(rig.controls().button("cmdRecord").isEnabled());
    EXPECT_FALSE(rig.controls().action("mnuExportMidi").isEnabled());

    rig.outputs.sent.clear();
    std::vector<std::optional<QColor>> lit;
    rig.timer.at(100, [&] {
        for (int note : {60, 64, 20 + 36})
            lit.push_back(
                rig.controls().find<PianoKeysView>("picKeys").fillOf(note - kFirstKeyNote));
    });
    rig.controls().button("cmdPlay").click();
    rig.timer.run();

    auto colour = [](uint32_t paint) {
        return QColor(paint & 0xFF, paint >> 8 & 0xFF, paint >> 16);
    };
    EXPECT_EQ(lit, (std::vector<std::optional<QColor>>{colour(PaintKey(0, 100)),
                                                       colour(PaintKey(4, 100)), std::nullopt}))
        << "note 20 sounds but lights no key";
    EXPECT_EQ(rig.outputs.sent,
              (std::vector<ShortMessage>{0x28C0, 0x643C90, 0x644094, 0x641494, 0x3C80, 0x4084,
                                         0x1484, makeShortMessage(0xC0, 5, 0)}));
    EXPECT_TRUE(rig.transport.sent.empty());
    EXPECT_EQ(rig.controls().button("cmdPlay").text(), "Play");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

// What keeps a file from playing or exporting is one box, with the file's name and why.
TEST(PianoApp, PlaybackAndExportFailuresAreShownInOneBoxEach)
{
    using namespace tamber::testing;
    PianoRig rig;
    PianoApp& piano = rig.start();
    auto playFile = [&](const QString& file) {
        rig.boxes.shown.clear();
        rig.fileDialogs.answers = {file};
        rig.controls().action("mnuOpen").trigger();
        rig.controls().button("cmdPlay").click();
        rig.timer.run();
        EXPECT_EQ(rig.controls().button("cmdPlay").text(), "Play");
        EXPECT_EQ(rig.boxes.shown.size(), 1u);
        return rig.boxes.shown.empty() ? ShownBox{} : rig.boxes.shown.front();
    };

    const QString gone = rig.folder.filePath("gone.tbr");
    ShownBox box = playFile(gone);
    EXPECT_EQ(box.text.toStdString(), QStringLiteral("The recording \"%1\" could not be opened: %2")
                                          .arg(gone, loadRecording(gone).reason)
                                          .toStdString());
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.icon, MessageBoxes::Icon::Exclamation);

    const QString sparse = rig.folder.filePath("sparse.tbr");
    writeSparse(sparse, kRecordingHeader + longs({0x7FFFFFFF}),
                kRecordingHeaderSize + qint64(Player::kMaxPlayEvents + 1) * kRecordingEventSize);
    EXPECT_EQ(playFile(sparse).text,
              QStringLiteral("The recording \"%1\" cannot be played: it holds more than "
                             "16777216 events.")
                  .arg(sparse));

    const QString cut = rig.folder.filePath("cut.mid");
    writeAll(cut, QByteArray("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x10\0\x90", 24));
    EXPECT_EQ(playFile(cut).text, QStringLiteral("The MIDI file \"%1\" cannot be played: %2")
                                      .arg(cut, loadMidiFile(cut).message));

    const QString goneMidi = rig.folder.filePath("gone.midi");
    EXPECT_EQ(playFile(goneMidi).text.toStdString(),
              QStringLiteral("The MIDI file \"%1\" could not be opened: %2")
                  .arg(goneMidi, loadMidiFile(goneMidi).message)
                  .toStdString());

    rig.startRecording();
    ASSERT_TRUE(rig.controls().action("mnuExportMidi").isEnabled());
    rig.boxes.shown.clear();
    rig.fileDialogs.answers = {rig.folder.path()}; // a folder cannot be written as a file
    rig.controls().action("mnuExportMidi").trigger();
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text,
              exportRecordingAsMidi(rig.folder.filePath("take.tbr"), rig.folder.path()).message);
    EXPECT_FALSE(piano.recorder().IsRecording()) << "the recording was completed first";
}

// Each language by its own name, whatever the program speaks; the choice is kept for the next
// start, and a setting no longer shipped shows as System.
TEST(PianoApp, TheLanguageMenuKeepsTheChoiceForTheNextStart)
{
    PianoRig rig;
    rig.settings.values["General/Language"] = "de";
    rig.start();
    QStringList items;
    QStringList checked;
    for (const QAction* item : rig.controls().menu("mnuLanguage").actions()) {
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        if (item->isChecked())
            checked << item->text();
    }
    EXPECT_EQ(items, QStringList({"System", "English", "Deutsch", "Français", "Español", "Italiano",
                                  "Português (Brasil)", "Русский", "日本語", "简体中文", "-",
                                  "Takes effect at the next start"}));
    EXPECT_EQ(checked, QStringList({"Deutsch"}));
    EXPECT_FALSE(rig.controls().action("mnuLanguageNote").isEnabled());

    rig.controls().action("mnuLanguage", 8).trigger();
    EXPECT_EQ(rig.settings.writes.last(), "General/Language=ja");
    rig.controls().action("mnuLanguage", 0).trigger();
    EXPECT_EQ(rig.settings.writes.last(), "General/Language=System");
    EXPECT_TRUE(rig.controls().action("mnuLanguage", 0).isChecked());
    EXPECT_FALSE(rig.controls().action("mnuLanguage", 2).isChecked());

    PianoRig unknown;
    unknown.settings.values["General/Language"] = "xx";
    unknown.start();
    EXPECT_TRUE(unknown.controls().action("mnuLanguage", 0).isChecked());
}
