#include "client/presenters/RecordingPanel.h"
#include "client/formats/MidiFileWriter.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/client/formats/RecordingBytes.h"
#include "tests/client/recording/FakePlaybackTimer.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/PresentedBoxes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;
using namespace tamber::testing;

namespace {

struct Controls
{
    bool recordEnabled = true;
    QString recordCaption;
    bool playEnabled = true;
    QString playCaption;
    QString file;
    bool operator==(const Controls&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Controls& c)
{
    return out << "record " << (c.recordEnabled ? "on " : "off ") << qPrintable(c.recordCaption)
               << ", play " << (c.playEnabled ? "on " : "off ") << qPrintable(c.playCaption) << ", "
               << qPrintable(c.file);
}

class FakeRecordingView : public RecordingView
{
public:
    void setRecordEnabled(bool enabled) override { controls.recordEnabled = enabled; }
    void setRecordCaption(const QString& caption) override { controls.recordCaption = caption; }
    void setPlayEnabled(bool enabled) override { controls.playEnabled = enabled; }
    void setPlayCaption(const QString& caption) override { controls.playCaption = caption; }
    void setFileLabel(const QString& text) override { controls.file = text; }
    void setExportEnabled(bool enabled) override { exportEnabled = enabled; }
    Controls controls;
    bool exportEnabled = true;
};

class RecordingPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timer.bailOut = [this] { player.StopPlayback(); };
    }
    // Play, then the event loop until the playback has ended.
    std::optional<PlaybackError> play()
    {
        auto error = panel.cmdPlay_Click();
        timer.run();
        return error;
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    Controls now() const { return view.controls; }

    QTemporaryDir dir;
    FakeTickClock clock;
    FakePlaybackTimer timer{clock};
    PresentedBoxes boxes;
    FakeFileDialogs dialogs;
    FakeRecordingView view;
    std::vector<uint32_t> played;
    int silenced = 0;
    Recorder recorder{clock, boxes.reporter()};
    Player player{{clock, timer, [this](uint32_t m) { played.push_back(m); },
                   [this](uint32_t m) { played.push_back(m); }, [this] { ++silenced; }, [] {}}};
    RecordingPanel panel{view, recorder, player, dialogs};
};

const Controls kStart{false, "Record", false, "Play", "File: None"};

} // namespace

TEST_F(RecordingPanelTest, NewThenRecordThenStop)
{
    EXPECT_EQ(now(), kStart);

    dialogs.answers = {path("take1.tbr")};
    panel.mnuNew_Click();
    ASSERT_EQ(dialogs.requests.size(), 1u);
    const FileDialogRequest& asked = dialogs.requests[0];
    EXPECT_EQ(asked.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(asked.title, "New Recording");
    EXPECT_EQ(asked.filter, "Tamber Piano Recordings (*.tbr)");
    EXPECT_TRUE(asked.confirmOverwrite) << "replacing a recording asks first";
    EXPECT_EQ(now(), (Controls{true, "Record", false, "Play", "File: take1.tbr"}));
    EXPECT_EQ(panel.RecordingPath(), path("take1.tbr"));

    panel.cmdRecord_Click();
    EXPECT_TRUE(recorder.IsRecording());
    EXPECT_EQ(now(), (Controls{true, "Stop", false, "Play", "File: take1.tbr"}));

    clock.advance(20);
    recorder.RecordEvent(noteOn(60));
    panel.cmdRecord_Click();
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: take1.tbr"}));
    EXPECT_EQ(readAll(path("take1.tbr")), kRecordingHeader + longs({1, 20, noteOn(60)}));
}

TEST_F(RecordingPanelTest, CancelledDialogsChangeNothingButStillStopARecording)
{
    dialogs.answers = {path("a.tbr")};
    panel.mnuNew_Click();
    panel.cmdRecord_Click();
    clock.advance(5);
    recorder.RecordEvent(noteOn(60));

    dialogs.answers = {QString()};
    panel.mnuNew_Click(); // "New..." during a recording completes it first
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(readAll(path("a.tbr")), kRecordingHeader + longs({1, 5, noteOn(60)}));
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: a.tbr"}));
    EXPECT_EQ(panel.RecordingPath(), path("a.tbr"));

    panel.mnuOpen_Click(); // no answer left: cancelled
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: a.tbr"}));
}

TEST_F(RecordingPanelTest, OpenThenPlayRunsToTheEnd)
{
    writeAll(path("song.tbr"), kRecordingHeader + longs({2, 700, noteOn(60), 300, noteOff(60)}));
    dialogs.answers = {path("song.tbr")};
    panel.mnuOpen_Click();
    const FileDialogRequest& asked = dialogs.requests.at(0);
    EXPECT_EQ(asked.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(asked.title, "Open Recording");
    EXPECT_EQ(asked.filter, "Recordings (*.tbr);;MIDI Files (*.mid *.midi)");
    EXPECT_TRUE(asked.mustExist);
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: song.tbr"}));

    Controls whilePlaying;
    timer.at(100, [&] { whilePlaying = now(); });
    EXPECT_FALSE(play());
    EXPECT_EQ(whilePlaying, (Controls{false, "Record", true, "Stop", "File: song.tbr"}));
    EXPECT_EQ(played, (std::vector<uint32_t>{uint32_t(noteOn(60)), uint32_t(noteOff(60))}));
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: song.tbr"}));
    EXPECT_EQ(silenced, 1);
}

TEST_F(RecordingPanelTest, SecondClickOnPlayStopsAndOpenDuringPlaybackStopsFirst)
{
    writeAll(path("song.tbr"), kRecordingHeader + longs({2, 100, noteOn(60), 900, noteOff(60)}));
    dialogs.answers = {path("song.tbr")};
    panel.mnuOpen_Click();

    timer.at(500, [this] { panel.cmdPlay_Click(); });
    play();
    EXPECT_EQ(played, (std::vector<uint32_t>{uint32_t(noteOn(60))}));
    EXPECT_EQ(silenced, 1);
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: song.tbr"}));

    bool playingWhenAsked = true;
    timer.at(50, [&] {
        dialogs.answers = {QString()};
        panel.mnuOpen_Click();
        playingWhenAsked = player.IsPlaying();
    });
    play();
    EXPECT_FALSE(playingWhenAsked) << "Open... stops the playback before its dialog";
    EXPECT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: song.tbr"}));
}

TEST_F(RecordingPanelTest, ClosingDuringPlaybackStopsItThenShutsDown)
{
    writeAll(path("song.tbr"), kRecordingHeader + longs({2, 100, noteOn(60), 900, noteOff(60)}));
    dialogs.answers = {path("song.tbr")};
    panel.mnuOpen_Click();

    timer.at(300, [&] { panel.shutDown(); }); // the main window closes while it plays
    play();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(timer.pending()) << "nothing is left to wake after the window has gone";
    EXPECT_EQ(played.size(), 1u);
    EXPECT_EQ(silenced, 1);
}

TEST_F(RecordingPanelTest, ShutDownCompletesARecording)
{
    dialogs.answers = {path("b.tbr")};
    panel.mnuNew_Click();
    panel.cmdRecord_Click();
    panel.shutDown();
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(readAll(path("b.tbr")), kRecordingHeader + longs({0}));
}

TEST_F(RecordingPanelTest, RecordIntoAnUnwritableFileLeavesTheControlsAsTheyWere)
{
    const QString blocked = path("folder.tbr");
    QDir(dir.path()).mkdir(QStringLiteral("folder.tbr"));
    dialogs.answers = {blocked};
    panel.mnuNew_Click();
    const Controls before = now();
    panel.cmdRecord_Click();
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(now(), before);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(RecordingPanelTest, PlayOfARecordingWithoutEventsEndsAsAfterStop)
{
    dialogs.answers = {path("c.tbr")};
    panel.mnuNew_Click();
    panel.cmdRecord_Click();
    panel.cmdRecord_Click(); // a recording of nothing: count 0
    play();
    EXPECT_TRUE(played.empty());
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: c.tbr"}));
}

// A MIDI file plays, but Record would overwrite the song, and only recordings are exported.
TEST_F(RecordingPanelTest, MidiFilesPlayButAreNeitherRecordedIntoNorExported)
{
    EXPECT_FALSE(view.exportEnabled);
    const QByteArray song = midiFileFromRecording(
        std::vector<RecordingEvent>{{100, noteOn(60, 127, 2)}, {100, noteOff(60, 2)}});
    writeAll(path("song.mid"), song);
    dialogs.answers = {path("song.mid")};
    panel.mnuOpen_Click();
    EXPECT_EQ(now(), (Controls{false, "Record", true, "Play", "File: song.mid"}));
    EXPECT_FALSE(view.exportEnabled);
    panel.cmdRecord_Click();
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(panel.mnuExportMidi_Click().failure, MidiExportResult::Failure::None);
    EXPECT_EQ(dialogs.requests.size(), 1u) << "no export dialog";

    Controls whilePlaying;
    timer.at(150, [&] { whilePlaying = now(); });
    EXPECT_FALSE(play());
    EXPECT_EQ(whilePlaying, (Controls{false, "Record", true, "Stop", "File: song.mid"}));
    EXPECT_EQ(played,
              (std::vector<uint32_t>{uint32_t(noteOn(60, 127, 2)), uint32_t(noteOff(60, 2))}));
    EXPECT_EQ(silenced, 0) << "a MIDI file silences only its own notes";
    EXPECT_EQ(now(), (Controls{false, "Record", true, "Play", "File: song.mid"}));
    EXPECT_EQ(readAll(path("song.mid")), song);

    writeAll(path("song.mid"), song.left(20)); // cut short: refused, nothing changes
    EXPECT_EQ(play()->kind, PlaybackError::Kind::MidiFileInvalid);
    EXPECT_EQ(now(), (Controls{false, "Record", true, "Play", "File: song.mid"}));

    dialogs.answers = {path("take.tbr")};
    panel.mnuNew_Click();
    EXPECT_EQ(now(), (Controls{true, "Record", false, "Play", "File: take.tbr"}));
    EXPECT_TRUE(view.exportEnabled);
}

TEST_F(RecordingPanelTest, ExportMidiCompletesARecordingThenWritesTheChosenFile)
{
    dialogs.answers = {path("take.tbr")};
    panel.mnuNew_Click();
    panel.cmdRecord_Click();
    clock.advance(250);
    recorder.RecordEvent(noteOn(64));

    dialogs.answers = {QString()}; // cancelled: the recording is complete all the same
    EXPECT_TRUE(panel.mnuExportMidi_Click().ok());
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: take.tbr"}));
    const FileDialogRequest& asked = dialogs.requests.at(1);
    EXPECT_EQ(asked.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(asked.title, "Export MIDI File");
    EXPECT_EQ(asked.filter, "MIDI Files (*.mid *.midi)");
    EXPECT_TRUE(asked.confirmOverwrite);
    EXPECT_EQ(asked.defaultSuffix, "mid");

    dialogs.answers = {path("take.mid")};
    EXPECT_TRUE(panel.mnuExportMidi_Click().ok());
    EXPECT_EQ(readAll(path("take.mid")),
              midiFileFromRecording(std::vector<RecordingEvent>{{250, noteOn(64)}}));

    QDir(dir.path()).mkdir(QStringLiteral("folder.mid"));
    dialogs.answers = {path("folder.mid")};
    const MidiExportResult failed = panel.mnuExportMidi_Click();
    EXPECT_EQ(failed.failure, MidiExportResult::Failure::CannotWriteMidiFile);
    EXPECT_TRUE(failed.message.contains("folder.mid"));
}
