#include "client/recording/Recorder.h"
#include "client/formats/RecordingFormat.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/client/formats/RecordingBytes.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/FakeSound.h"
#include "tests/fakes/PresentedBoxes.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace tamber;
using namespace tamber::fakes;
using namespace tamber::testing;

namespace {

const QByteArray kHeader = kRecordingHeader;

class RecorderTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    FakeTickClock clock;
    PresentedBoxes boxes;
    Recorder recorder{clock, boxes.reporter()};
    int stops = 0;
    void SetUp() override
    {
        recorder.setStoppedHandler([this] { ++stops; });
    }
};

} // namespace

TEST_F(RecorderTest, RecordThenStopGivesTwelveBytes)
{
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_TRUE(recorder.StartRecording(path("empty.tbr")));
    EXPECT_TRUE(recorder.IsRecording());
    recorder.StopRecording();
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(readAll(path("empty.tbr")), kHeader + longs({0}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RecorderTest, EventsCarryTheirDelaysThroughTheNoteEngine)
{
    EngineRig rig;
    NoteEngine engine{{rig.output, rig.keys, rig.session, recorder, rig.state}};
    ASSERT_TRUE(recorder.StartRecording(path("r.tbr")));
    clock.advance(500);
    engine.StartNote(72, 127, 0, true);
    clock.advance(250);
    engine.StopNote(72, 0, true);
    engine.StartNote(76, 100, 0, true); // same millisecond: Delay 0
    recorder.StopRecording();
    EXPECT_EQ(readAll(path("r.tbr")),
              kHeader + longs({3, 500, 0x7F4890, 250, 0x004880, 0, 0x644C90}));
}

TEST_F(RecorderTest, SilenceAllRecordsTheNoteOffsOfTheSoundingNotesInOrder)
{
    EngineRig rig;
    NoteEngine engine{{rig.output, rig.keys, rig.session, recorder, rig.state}};
    engine.StartNote(64, 100, 0, false);
    engine.StartNote(60, 100, 0, false);
    ASSERT_TRUE(recorder.StartRecording(path("s.tbr")));
    clock.advance(10);
    engine.SilenceAll();
    recorder.StopRecording();
    EXPECT_EQ(readAll(path("s.tbr")), kHeader + longs({2, 10, 0x3C80, 0, 0x4080}));
}

TEST_F(RecorderTest, RewritingALongerFileKeepsItsUnreadTail)
{
    ASSERT_TRUE(recorder.StartRecording(path("long.tbr")));
    for (int i = 0; i < 3; ++i) {
        clock.advance(100);
        recorder.RecordEvent(0x7F3C90 + (i << 8));
    }
    recorder.StopRecording();
    const QByteArray old = readAll(path("long.tbr"));
    ASSERT_EQ(old.size(), 12 + 3 * 8);

    ASSERT_TRUE(recorder.StartRecording(path("long.tbr")));
    clock.advance(7);
    recorder.RecordEvent(0x40);
    recorder.StopRecording();
    EXPECT_EQ(readAll(path("long.tbr")), kHeader + longs({1, 7, 0x40}) + old.mid(20));
}

TEST_F(RecorderTest, CountIsOnDiskAfterEveryEvent)
{
    ASSERT_TRUE(recorder.StartRecording(path("crash.tbr")));
    EXPECT_EQ(readAll(path("crash.tbr")), kHeader + longs({0}));
    clock.advance(3);
    recorder.RecordEvent(0x7F3C90);
    EXPECT_EQ(readAll(path("crash.tbr")), kHeader + longs({1, 3, 0x7F3C90}))
        << "a recording abandoned here reads back with its event";
    clock.advance(4);
    recorder.RecordEvent(0x3C80);
    EXPECT_EQ(readAll(path("crash.tbr")), kHeader + longs({2, 3, 0x7F3C90, 4, 0x3C80}));
    // Abandoned: never stopped. The file already holds everything.
}

TEST_F(RecorderTest, DelaysAcrossTheWrapOfTheTickCount)
{
    clock.now = 0xFFFFFFF0u;
    ASSERT_TRUE(recorder.StartRecording(path("wrap.tbr")));
    clock.advance(0x20); // passes 2^32
    recorder.RecordEvent(1);
    clock.now = 0x7FFFFFF0u;
    recorder.StartRecording(path("wrap2.tbr"));
    EXPECT_EQ(stops, 1) << "a second start completes the first recording";
    clock.advance(0x20); // passes the signed 32-bit boundary
    recorder.RecordEvent(2);
    EXPECT_TRUE(recorder.IsRecording());
    recorder.StopRecording();
    EXPECT_EQ(readAll(path("wrap.tbr")), kHeader + longs({1, 0x20, 1}));
    EXPECT_EQ(readAll(path("wrap2.tbr")), kHeader + longs({1, 0x20, 2}));
}

TEST_F(RecorderTest, UnopenableFileGivesOneMessageAndNoRecording)
{
    EXPECT_FALSE(recorder.StartRecording(path("no/such/folder/x.tbr")));
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error");
    EXPECT_TRUE(boxes.shown[0].text.contains("x.tbr"));
    recorder.RecordEvent(5); // the engine would not call, but nothing may happen if it did
    recorder.StopRecording();
    EXPECT_EQ(stops, 0);

    EXPECT_FALSE(recorder.StartRecording(dir.path()));
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(RecorderTest, ReadOnlyFileGivesOneMessageAndNoRecording)
{
    const QString file = readOnlyFile(dir);
    if (file.isEmpty())
        GTEST_SKIP() << "no read-only file available here";
    const QByteArray before = readAll(file);
    EXPECT_FALSE(recorder.StartRecording(file));
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error");
    EXPECT_EQ(readAll(file), before);
}

TEST_F(RecorderTest, FailedWriteStopsTheRecordingWithOneMessage)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "needs /dev/full";
    // Every write to /dev/full fails with "no space left", as on a full disk.
    EXPECT_FALSE(recorder.StartRecording(QStringLiteral("/dev/full")));
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(RecorderTest, WriteFailingMidRecordingStopsItWithOneMessage)
{
    // A file-size limit makes writes past 28 bytes fail as on a full disk, even for root.
    struct rlimit saved
    {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 12 + 2 * 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

    const bool started = recorder.StartRecording(path("full.tbr"));
    for (int i = 0; i < 5; ++i) {
        clock.advance(10);
        recorder.RecordEvent(0x7F3C90);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(started);
    EXPECT_FALSE(recorder.IsRecording()) << "the failed write stopped the recording";
    EXPECT_EQ(stops, 1);
    ASSERT_EQ(boxes.shown.size(), 1u) << "one message, not one per event";
    EXPECT_EQ(boxes.shown[0].title, "Error");
    EXPECT_EQ(readAll(path("full.tbr")), kHeader + longs({2, 10, 0x7F3C90, 10, 0x7F3C90}))
        << "what was written stays readable";
}
