#include "client/files/Player.h"
#include "client/files/RecordingFormat.h"
#include "client/sound/MidiInput.h"
#include "tests/client/files/FakeWaiter.h"
#include "tests/client/files/FileBytes.h"
#include "tests/client/files/RecordingBytes.h"
#include "tests/fakes/FakeSound.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;
using namespace tamber::testing;

namespace {

struct Played
{
    uint32_t at; // ticks since Play
    uint32_t message;
    bool operator==(const Played&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Played& p)
{
    return out << "{" << p.at << ", 0x" << std::hex << p.message << std::dec << "}";
}

class PlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        waiter.bailOut = [this] { player.StopPlayback(); };
        player.setStartedHandler([this] { log.push_back("started"); });
        player.setStoppedHandler([this] { log.push_back("stopped"); });
    }

    // Writes a recording with the given count and (Delay, Message) pairs and plays it.
    void play(int32_t count, std::initializer_list<int32_t> events, QByteArray extra = {})
    {
        const QString file = dir.filePath(QStringLiteral("p.tbr"));
        writeAll(file, kRecordingHeader + longs({count}) + longs(events) + extra);
        playFile(file);
    }
    void playFile(const QString& file)
    {
        start = clock.now;
        player.PlayRecording(file);
    }

    QTemporaryDir dir;
    FakeTickClock clock;
    FakeWaiter waiter{clock};
    FakeMessageBoxes boxes;
    uint32_t start = 0;
    std::vector<Played> played;
    std::vector<size_t> passOfEvent; // how many waits had passed when each event played
    std::vector<std::string> log;
    std::function<void(uint32_t)> midiIn = [this](uint32_t m) {
        played.push_back({clock.now - start, m});
        passOfEvent.push_back(waiter.waits.size());
    };
    std::function<void()> silenceAll = [this] { log.push_back("silence"); };
    Player player{
        {clock, waiter, boxes, [this](uint32_t m) { midiIn(m); }, [this] { silenceAll(); }}};
};

} // namespace

TEST_F(PlayerTest, PlaysAtTheRecordedTimesThenEndsByItself)
{
    play(2, {700, noteOn(60), 300, noteOff(60)});
    EXPECT_EQ(played,
              (std::vector<Played>{{700, uint32_t(noteOn(60))}, {1000, uint32_t(noteOff(60))}}))
        << "the first event waits its delay from the press of Play";
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(player.isInsidePlayback());
    EXPECT_EQ(log, (std::vector<std::string>{"started", "stopped", "silence"}));
    EXPECT_LE(waiter.waits.size(), 4u) << "the loop sleeps until due instead of spinning";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PlayerTest, ChordPlaysOneEventPerPassInFileOrder)
{
    play(3, {50, noteOn(60), 0, noteOn(64), 0, noteOn(67)});
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[0], (Played{50, uint32_t(noteOn(60))}));
    EXPECT_EQ(played[1], (Played{50, uint32_t(noteOn(64))}));
    EXPECT_EQ(played[2], (Played{50, uint32_t(noteOn(67))}));
    EXPECT_LT(passOfEvent[0], passOfEvent[1]);
    EXPECT_LT(passOfEvent[1], passOfEvent[2]);
}

TEST_F(PlayerTest, LatenessIsNeverMadeUp)
{
    // A handler that runs 40 ms just as the first event falls due delays the rest.
    waiter.at(100, [this] { clock.advance(40); });
    play(3, {100, noteOn(60), 100, noteOn(62), 100, noteOn(64)});
    EXPECT_EQ(played, (std::vector<Played>{{140, uint32_t(noteOn(60))},
                                           {240, uint32_t(noteOn(62))},
                                           {340, uint32_t(noteOn(64))}}));
}

TEST_F(PlayerTest, OtherEventsRunInsideTheLoopAndWakeIt)
{
    std::vector<uint32_t> handled;
    waiter.at(30, [&] { handled.push_back(clock.now - start); });
    waiter.at(70, [&] { handled.push_back(clock.now - start); });
    play(1, {100, noteOn(60)});
    EXPECT_EQ(handled, (std::vector<uint32_t>{30, 70}));
    EXPECT_EQ(played, (std::vector<Played>{{100, uint32_t(noteOn(60))}}));
}

TEST_F(PlayerTest, StopInTheMiddleSilencesEveryNoteThroughTheEngine)
{
    EngineRig rig;
    MidiInput input(rig.engine, rig.state);
    midiIn = [&](uint32_t m) { input.MidiInWindowProc(m); };
    silenceAll = [&] {
        log.push_back("silence");
        rig.engine.SilenceAll();
    };
    waiter.at(200, [this] { player.StopPlayback(); });
    play(4, {0, noteOn(60), 0, noteOn(64), 500, noteOff(60), 0, noteOn(67)});

    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(rig.engine.isSounding(0, 60));
    EXPECT_FALSE(rig.engine.isSounding(0, 64));
    EXPECT_FALSE(rig.engine.isSounding(0, 67)) << "nothing after Stop plays";
    EXPECT_TRUE(rig.keys.lit.empty());
    ASSERT_EQ(rig.output.sent.size(), 2u + 128u) << "two note-ons, then SilenceAll's note-offs";
    EXPECT_EQ(rig.output.sent[1], uint32_t(noteOn(64)));
    EXPECT_EQ(log, (std::vector<std::string>{"started", "stopped", "silence"}));
    EXPECT_EQ(player.msUntilDue(), 0u);
}

TEST_F(PlayerTest, OtherStatusesKeepTheirPlaceInTimeButSoundNothing)
{
    EngineRig rig;
    MidiInput input(rig.engine, rig.state);
    std::vector<uint32_t> at;
    midiIn = [&](uint32_t m) {
        at.push_back(clock.now - start);
        input.MidiInWindowProc(m);
    };
    silenceAll = [&] { rig.engine.SilenceAll(); };
    play(3, {100, noteOn(60, 127, 1), 100, 0x0040C0, 100, noteOn(62)});
    EXPECT_EQ(at, (std::vector<uint32_t>{100, 200, 300}));
    ASSERT_EQ(rig.output.sent.size(), 1u + 128u);
    EXPECT_EQ(rig.output.sent[0], uint32_t(noteOn(62)));
}

TEST_F(PlayerTest, FilesThatAreNotRecordingsAreIgnoredSilently)
{
    const QByteArray events = longs({1, 0, noteOn(60)});
    for (const QByteArray& content :
         {QByteArray("TBR\0data", 8) + events, QByteArray("TBX\0DATA", 8) + events,
          QByteArray("TBR DATA", 8) + events, QByteArray("TB"), QByteArray("TBR"), QByteArray()}) {
        const QString file = dir.filePath(QStringLiteral("bad.tbr"));
        writeAll(file, content);
        playFile(file);
        EXPECT_EQ(readAll(file), content) << "a reader never changes the file";
    }
    EXPECT_TRUE(played.empty());
    EXPECT_TRUE(log.empty()) << "controls untouched, nothing silenced";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PlayerTest, MissingFileIsReportedAndNotCreated)
{
    const QString file = dir.filePath(QStringLiteral("gone.tbr"));
    playFile(file);
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("gone.tbr"));
    EXPECT_TRUE(log.empty());
}

TEST_F(PlayerTest, CountOfZeroOrLessEndsAtOnceAsAfterStop)
{
    for (int32_t count : {0, -1, int32_t(0x80000000)}) {
        log.clear();
        play(count, {0, noteOn(60)});
        EXPECT_TRUE(played.empty()) << count;
        EXPECT_FALSE(player.IsPlaying());
        EXPECT_EQ(log, (std::vector<std::string>{"started", "stopped", "silence"}));
        EXPECT_EQ(clock.now, start) << "no waiting";
    }
}

TEST_F(PlayerTest, ShortFilesAndHugeCountsPlayOnlyWhatTheFileHolds)
{
    // Count 3, but one whole event and the delay of a second: the rest reads as zeros.
    play(3, {10, noteOn(60), 20}, QByteArray("\x01", 1));
    EXPECT_EQ(played, (std::vector<Played>{{10, uint32_t(noteOn(60))}, {30, 0x01}}));

    played.clear();
    play(0x7FFFFFFF, {10, noteOn(60), 10, noteOff(60)}); // memory follows the file, not this
    EXPECT_EQ(played.size(), 2u);
    EXPECT_FALSE(player.IsPlaying());

    played.clear();
    play(5, {});
    EXPECT_TRUE(played.empty()) << "a header without events";
    EXPECT_EQ(log.back(), "silence");
}

TEST_F(PlayerTest, AFifoOrADeviceIsReportedInsteadOfBlocking)
{
    for (const QString& file : {makeFifo(dir, "pipe.tbr"), QStringLiteral("/dev/zero")}) {
        boxes.shown.clear();
        playFile(file);
        ASSERT_EQ(boxes.shown.size(), 1u) << file.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains("It is not a regular file."));
    }
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(played.empty());
}

// Regression: a sparse recording whose count was 2^31-1 took the piano to gigabytes and
// stopped every key for minutes; a larger one ended in std::bad_alloc.
TEST_F(PlayerTest, SparseFilesWithHugeCountsLoadWhatIsThereOrAreRefused)
{
    const QString file = dir.filePath(QStringLiteral("sparse.tbr"));
    const QByteArray header = kRecordingHeader + longs({0x7FFFFFFF});
    writeSparse(file, header,
                kRecordingHeaderSize + qint64(Player::kMaxPlayEvents + 1) * kRecordingEventSize);
    playFile(file);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.toStdString(),
              QStringLiteral("The recording \"%1\" cannot be played: it holds more than "
                             "16777216 events.")
                  .arg(file)
                  .toStdString());
    EXPECT_TRUE(log.empty()) << "refused before the controls change";

    // Within the limit: every event the file holds, the last one cut short, and no more.
    writeSparse(file, header, kRecordingHeaderSize + 8192 * kRecordingEventSize + 3);
    playFile(file);
    EXPECT_EQ(played.size(), 8193u);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(log, (std::vector<std::string>{"started", "stopped", "silence"}));
}

TEST_F(PlayerTest, TimingHoldsAcrossTheWrapOfTheTickCount)
{
    for (uint32_t origin : {0xFFFFFF00u, 0x7FFFFF00u}) {
        clock.now = origin;
        played.clear();
        play(3, {0x80, noteOn(60), 0x100, noteOff(60), -5, noteOn(61)});
        EXPECT_EQ(played, (std::vector<Played>{{0x80, uint32_t(noteOn(60))},
                                               {0x180, uint32_t(noteOff(60))},
                                               {0x180, uint32_t(noteOn(61))}}))
            << "origin " << origin << "; a damaged negative delay plays at once";
    }
}

TEST_F(PlayerTest, StopAndPlayAgainFromInsideTheLoop)
{
    const QString file = dir.filePath(QStringLiteral("again.tbr"));
    writeAll(file, kRecordingHeader + longs({2, 100, noteOn(60), 100, noteOn(61)}));
    bool restarted = false;
    waiter.at(150, [&] {
        player.StopPlayback();
        restarted = true;
        player.PlayRecording(file); // a second Play inside the first one's loop
    });
    playFile(file);
    EXPECT_TRUE(restarted);
    EXPECT_EQ(played, (std::vector<Played>{{100, uint32_t(noteOn(60))},
                                           {250, uint32_t(noteOn(60))},
                                           {350, uint32_t(noteOn(61))}}));
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(player.isInsidePlayback());
}
