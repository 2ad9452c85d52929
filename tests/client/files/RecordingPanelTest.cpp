#include "client/files/RecordingPanel.h"
#include "tests/client/files/FakeWaiter.h"
#include "tests/client/files/FileBytes.h"
#include "tests/client/files/RecordingBytes.h"
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
    Controls controls;
};

class RecordingPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        waiter.bailOut = [this] { player.StopPlayback(); };
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    Controls now() const { return view.controls; }

    QTemporaryDir dir;
    FakeTickClock clock;
    FakeWaiter waiter{clock};
    PresentedBoxes boxes;
    FakeFileDialogs dialogs;
    FakeRecordingView view;
    std::vector<uint32_t> played;
    int silenced = 0;
    Recorder recorder{clock, boxes.reporter()};
    Player player{{clock, waiter, boxes, [this](uint32_t m) { played.push_back(m); },
                   [this] { ++silenced; }}};
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
    EXPECT_EQ(asked.filter, "Tamber Piano Recordings (*.tbr)");
    EXPECT_TRUE(asked.mustExist);
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: song.tbr"}));

    Controls whilePlaying;
    waiter.at(100, [&] { whilePlaying = now(); });
    panel.cmdPlay_Click();
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

    waiter.at(500, [this] { panel.cmdPlay_Click(); });
    panel.cmdPlay_Click();
    EXPECT_EQ(played, (std::vector<uint32_t>{uint32_t(noteOn(60))}));
    EXPECT_EQ(silenced, 1);
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: song.tbr"}));

    bool playingWhenAsked = true;
    waiter.at(50, [&] {
        dialogs.answers = {QString()};
        panel.mnuOpen_Click();
        playingWhenAsked = player.IsPlaying();
    });
    panel.cmdPlay_Click();
    EXPECT_FALSE(playingWhenAsked) << "Open... stops the playback before its dialog";
    EXPECT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: song.tbr"}));
}

TEST_F(RecordingPanelTest, ClosingDuringPlaybackEndsTheLoopThenShutsDown)
{
    writeAll(path("song.tbr"), kRecordingHeader + longs({2, 100, noteOn(60), 900, noteOff(60)}));
    dialogs.answers = {path("song.tbr")};
    panel.mnuOpen_Click();

    bool insideWhenClosed = false;
    waiter.at(300, [&] {
        // The main window's close arrives inside Play's handler.
        panel.shutDown();
        insideWhenClosed = player.isInsidePlayback();
    });
    panel.cmdPlay_Click();
    EXPECT_TRUE(insideWhenClosed) << "the window must outlive the handler";
    EXPECT_FALSE(player.isInsidePlayback()) << "the handler has returned";
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
    panel.cmdPlay_Click();
    EXPECT_TRUE(played.empty());
    EXPECT_EQ(now(), (Controls{true, "Record", true, "Play", "File: c.tbr"}));
}
