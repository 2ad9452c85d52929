// The whole piano behind fake devices and dialogs, with the real main window (offscreen).
#include "client/shell/PianoApp.h"
#include "client/files/KeymapFile.h"
#include "client/sound/ToneGenerator.h"
#include "client/widgets/KeyConfigDialog.h"
#include "common/protocol/Codec.h"
#include "tests/client/files/FakeWaiter.h"
#include "tests/client/session/SessionFakes.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSound.h"

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
    tamber::testing::FakeWaiter waiter{clock};
    FakeSessionTransport transport;
    std::unique_ptr<PianoApp> piano;

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
        piano->window().mnuNew->trigger();
        piano->window().cmdRecord->click();
        return path;
    }

    PianoApp& start()
    {
        piano = std::make_unique<PianoApp>(PianoPlatform{
            boxes, fileDialogs, inputBox, help, settings, clock, outputs, inputs, audio, audio,
            keys, waiter, transport, dataFilesIn(folder.path(), QString())});
        piano->Main();
        return *piano;
    }
};

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
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.checkedOutputItem(), 1);
    EXPECT_EQ(window.checkedInputItem(), 0);
    EXPECT_EQ(window.mnuOutDevice.size(), 3);
    EXPECT_EQ(window.mnuInDevice[1]->text(), "Keys");
    EXPECT_EQ(window.cmbInstruments->count(), 128);
    EXPECT_EQ(window.cmbInstruments->currentIndex(), 0);
    EXPECT_EQ(window.lblNote[12]->text(), "A");
    EXPECT_EQ(piano.state().BaseOctave(), 3);
    QTest::mouseClick(window.cmdOctave[1], Qt::LeftButton);
    EXPECT_EQ(piano.state().BaseOctave(), 1);
    EXPECT_TRUE(window.cmdOctave[1]->font().bold());
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].title, "Welcome");
}

TEST(PianoApp, NoOutputDeviceEndsBeforeTheWindowShows)
{
    PianoRig rig;
    rig.outputs.names.clear();
    rig.settings.values["Devices/OutDevice"] = "-2";
    rig.piano = std::make_unique<PianoApp>(
        PianoPlatform{rig.boxes, rig.fileDialogs, rig.inputBox, rig.help, rig.settings, rig.clock,
                      rig.outputs, rig.inputs, rig.audio, rig.audio, rig.keys, rig.waiter,
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
    PianoApp& piano = rig.start();
    rig.outputs.sent.clear();
    piano.window().cmbInstruments->setCurrentIndex(40);
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

TEST(PianoApp, ExitDuringPlaybackEndsTheLoopAndShutsDownOnce)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    rig.startRecording();
    piano.engine().StartNote(60, 100, 0, true);
    rig.clock.advance(5000);
    piano.engine().StopNote(60, 0, true);
    piano.window().cmdRecord->click();

    // Exit arrives inside Play's loop, between the note-on and its note-off.
    rig.waiter.at(100, [&] { piano.window().mnuExit->trigger(); });
    rig.outputs.sent.clear();
    piano.window().cmdPlay->click();

    EXPECT_FALSE(piano.player().IsPlaying());
    EXPECT_FALSE(piano.player().isInsidePlayback());
    EXPECT_FALSE(piano.window().isVisible());
    EXPECT_EQ(rig.outputs.openDevice, -1) << "devices closed by the shut-down";
    ASSERT_FALSE(rig.outputs.sent.empty());
    EXPECT_EQ(rig.outputs.sent.back(), makeShortMessage(0x80, 127, 0)) << "silenced at stop";
}

TEST(PianoApp, HelpWithoutAHelpFileChangesNothing)
{
    PianoRig rig;
    PianoApp& piano = rig.start();
    rig.help.exists = false;
    piano.window().mnuHelpContents->trigger();
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
    piano.window().mnuOutDevice[1]->trigger();
    EXPECT_FALSE(piano.isPCSpeakerTicking());
    EXPECT_EQ(rig.outputs.openDevice, 0);
    piano.window().mnuPCSpeaker->trigger();
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
    piano.window().mnuHelpContents->trigger();
    ASSERT_TRUE(rig.help.open);
    piano.keyConfig().show();
    rig.inputBox.answer = QStringLiteral("127.0.0.1");
    piano.window().mnuJoinSession->trigger();
    rig.transport.accept();
    rig.transport.deliver(protocol::buildMessage({"UserID", "User2", "2"}));
    ASSERT_NE(piano.chat().chatWindow(), nullptr);

    piano.window().mnuExit->trigger();
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
                      rig.outputs, rig.inputs, rig.audio, rig.audio, rig.keys, rig.waiter,
                      rig.transport, dataFilesIn(rig.folder.path(), QString())});
    rig.boxes.onShow = [&] { rig.piano->terminate(); };
    EXPECT_FALSE(rig.piano->Main());
    EXPECT_TRUE(rig.piano->hasEnded());
    EXPECT_FALSE(rig.piano->window().isVisible());
    EXPECT_EQ(rig.outputs.log, std::vector<std::string>{}) << "no device was opened";
}
