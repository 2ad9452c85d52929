#include "client/recording/Player.h"
#include "client/formats/RecordingFormat.h"
#include "client/midi/MidiInput.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/client/formats/MidiBytes.h"
#include "tests/client/formats/RecordingBytes.h"
#include "tests/client/recording/FakePlaybackTimer.h"
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
        timer.bailOut = [this] { player.StopPlayback(); };
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
    // Play returns at once; the fake event loop then runs the playback to its end.
    void playFile(const QString& file)
    {
        start = clock.now;
        startUs = timer.nowUs();
        error = player.PlayRecording(file);
        timer.run();
    }

    QTemporaryDir dir;
    FakeTickClock clock;
    FakePlaybackTimer timer{clock};
    uint32_t start = 0;
    int64_t startUs = 0;
    std::optional<PlaybackError> error;
    std::vector<Played> played;
    std::vector<size_t> passOfEvent; // how many wake-ups had fired when each event played
    std::vector<std::pair<int64_t, uint32_t>> fromFile; // microseconds since Play, message
    std::vector<std::string> log;
    std::function<void(uint32_t)> midiIn = [this](uint32_t m) {
        played.push_back({clock.now - start, m});
        passOfEvent.push_back(timer.fires);
    };
    std::function<void(uint32_t)> fileOut = [this](uint32_t m) {
        fromFile.emplace_back(timer.nowUs() - startUs, m);
    };
    std::function<void()> silenceAll = [this] { log.push_back("silence"); };
    Player player{{clock, timer, [this](uint32_t m) { midiIn(m); },
                   [this](uint32_t m) { fileOut(m); }, [this] { silenceAll(); },
                   [this] { log.push_back("program restored"); }}};
};

} // namespace

TEST_F(PlayerTest, PlaysAtTheRecordedTimesThenEndsByItself)
{
    play(2, {700, noteOn(60), 300, noteOff(60)});
    EXPECT_EQ(played,
              (std::vector<Played>{{700, uint32_t(noteOn(60))}, {1000, uint32_t(noteOff(60))}}))
        << "the first event waits its delay from the press of Play";
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(timer.pending());
    EXPECT_EQ(log, (std::vector<std::string>{"started", "stopped", "silence"}));
    EXPECT_LE(timer.wakes.size(), 4u) << "the timer sleeps until due instead of spinning";
    EXPECT_FALSE(error);
}

TEST_F(PlayerTest, ChordPlaysOneEventPerWakeUpInFileOrder)
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
    timer.at(100, [this] { clock.advance(40); });
    play(3, {100, noteOn(60), 100, noteOn(62), 100, noteOn(64)});
    EXPECT_EQ(played, (std::vector<Played>{{140, uint32_t(noteOn(60))},
                                           {240, uint32_t(noteOn(62))},
                                           {340, uint32_t(noteOn(64))}}));
}

TEST_F(PlayerTest, OtherEventsRunBetweenTheWakeUps)
{
    std::vector<uint32_t> handled;
    timer.at(30, [&] { handled.push_back(clock.now - start); });
    timer.at(70, [&] { handled.push_back(clock.now - start); });
    play(1, {100, noteOn(60)});
    EXPECT_EQ(handled, (std::vector<uint32_t>{30, 70}));
    EXPECT_EQ(played, (std::vector<Played>{{100, uint32_t(noteOn(60))}}));
}

TEST_F(PlayerTest, StopInTheMiddleSilencesEveryNoteThroughTheEngine)
{
    EngineRig rig;
    MidiInput input(rig.engine, rig.state);
    midiIn = [&](uint32_t m) { input.playRecorded(m); };
    silenceAll = [&] {
        log.push_back("silence");
        rig.engine.SilenceAll();
    };
    timer.at(200, [this] { player.StopPlayback(); });
    play(4, {0, noteOn(60), 0, noteOn(64), 500, noteOff(60), 0, noteOn(67)});

    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(rig.engine.isSounding(0, 60));
    EXPECT_FALSE(rig.engine.isSounding(0, 64));
    EXPECT_FALSE(rig.engine.isSounding(0, 67)) << "nothing after Stop plays";
    EXPECT_TRUE(rig.keys.lit.empty());
    EXPECT_EQ(rig.output.sent,
              (std::vector<ShortMessage>{uint32_t(noteOn(60)), uint32_t(noteOn(64)),
                                         uint32_t(noteOff(60)), uint32_t(noteOff(64))}))
        << "two note-ons, then SilenceAll's note-offs of the notes that sound";
    EXPECT_EQ(log, (std::vector<std::string>{"started", "stopped", "silence"}));
    EXPECT_EQ(player.msUntilDue(), 0u);
    EXPECT_FALSE(timer.pending()) << "no wake-up is left behind";
}

// Regression: a take recorded in a session holds the seat's channel, and played back silent.
TEST_F(PlayerTest, EveryChannelsNotesPlayAsTheLocalPlayersOtherStatusesKeepTheirPlace)
{
    EngineRig rig;
    MidiInput input(rig.engine, rig.state);
    std::vector<uint32_t> at;
    midiIn = [&](uint32_t m) {
        at.push_back(clock.now - start);
        input.playRecorded(m);
    };
    silenceAll = [&] { rig.engine.SilenceAll(); };
    play(4, {100, noteOn(60, 127, 1), 100, 0x0040C1, 100, noteOn(62, 90, 2), 100, noteOff(60, 1)});
    EXPECT_EQ(at, (std::vector<uint32_t>{100, 200, 300, 400}));
    EXPECT_EQ(rig.output.sent,
              (std::vector<ShortMessage>{uint32_t(noteOn(60)), uint32_t(noteOn(62, 90)),
                                         uint32_t(noteOff(60)), uint32_t(noteOff(62))}))
        << "the program change is skipped; the end of playback stops what still sounds";
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
    EXPECT_FALSE(error);
}

TEST_F(PlayerTest, MissingFileIsReportedAndNotCreated)
{
    const QString file = dir.filePath(QStringLiteral("gone.tbr"));
    playFile(file);
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, PlaybackError::Kind::RecordingCannotOpen);
    EXPECT_EQ(error->fileName, file);
    EXPECT_FALSE(error->reason.isEmpty());
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
        playFile(file);
        ASSERT_TRUE(error) << file.toStdString();
        EXPECT_EQ(error->kind, PlaybackError::Kind::RecordingCannotOpen);
        EXPECT_EQ(error->reason, "It is not a regular file.");
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
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, PlaybackError::Kind::RecordingTooLong);
    EXPECT_EQ(error->fileName, file);
    EXPECT_EQ(Player::kMaxPlayEvents, 16777216);
    EXPECT_TRUE(log.empty()) << "refused before the controls change";

    // Within the limit: every event the file holds, the last one cut short, and no more.
    writeSparse(file, header, kRecordingHeaderSize + 8192 * kRecordingEventSize + 3);
    playFile(file);
    EXPECT_EQ(played.size(), 8193u);
    EXPECT_FALSE(error);
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

TEST_F(PlayerTest, StopAndPlayAgainDuringAPlayback)
{
    const QString file = dir.filePath(QStringLiteral("again.tbr"));
    writeAll(file, kRecordingHeader + longs({2, 100, noteOn(60), 100, noteOn(61)}));
    bool restarted = false;
    timer.at(150, [&] {
        player.StopPlayback();
        restarted = true;
        player.PlayRecording(file); // a second Play while the first one plays
    });
    playFile(file);
    EXPECT_TRUE(restarted);
    EXPECT_EQ(played, (std::vector<Played>{{100, uint32_t(noteOn(60))},
                                           {250, uint32_t(noteOn(60))},
                                           {350, uint32_t(noteOn(61))}}));
    EXPECT_FALSE(player.IsPlaying());
}

namespace {

using FileEvents = std::vector<std::pair<int64_t, uint32_t>>;

// Format 1, 500 ticks a quarter: 1 ms a tick at the start, 0.5 ms from tick 1000 on. Channel
// 0 plays a note in its track (note-off as a running-status note-on); channel 3 changes
// program, holds the sustain pedal and plays a note across the tempo change; a SysEx and a
// text event in between are skipped.
QByteArray song()
{
    const QByteArray tempoTrack = tempo(0, 500000) + bytes({0x87, 0x68, 0xFF, 0x51, 0x03}) +
                                  bigEndian(250000, 3) + kEndOfTrack;
    const QByteArray first = bytes({0x00, 0x90, 60, 100, 0x83, 0x74, 60, 0}) + kEndOfTrack;
    const QByteArray second = bytes({0x00, 0xC3, 19, 0x81, 0x48, 0xB3, 64, 127}) +
                              bytes({0x00, 0xF0, 0x02, 0x7E, 0xF7, 0x00, 0xFF, 0x01, 1, 'x'}) +
                              bytes({0x00, 0x93, 40, 90, 0x87, 0x68, 0x83, 40, 64}) + kEndOfTrack;
    return header(1, 3, 500) + track(tempoTrack) + track(first) + track(second);
}

const FileEvents kSong{{0, 0x643C90},      {0, 0x0013C3},      {200000, 0x7F40B3},
                       {200000, 0x5A2893}, {500000, 0x003C90}, {1100000, 0x402883}};

} // namespace

TEST_F(PlayerTest, MidiFilesPlayEveryChannelAtItsTimeThenEndByThemselves)
{
    const QString file = dir.filePath(QStringLiteral("song.MID"));
    writeAll(file, song());
    playFile(file);
    EXPECT_FALSE(error);
    FileEvents expected = kSong;
    expected.emplace_back(1100000, 0x0079B3); // the controllers the song moved are reset
    EXPECT_EQ(fromFile, expected);
    EXPECT_TRUE(played.empty()) << "nothing goes through the MIDI input path";
    EXPECT_EQ(log, (std::vector<std::string>{"started", "stopped", "program restored"}))
        << "SilenceAll would end the local player's notes too";
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(timer.pending());
    EXPECT_EQ(timer.fires, 4u) << "events due together play on one wake-up";
}

TEST_F(PlayerTest, StoppingAMidiFileEndsTheNotesItStartedAndSoundsNothingMore)
{
    EngineRig rig;
    fileOut = [&](uint32_t m) {
        fromFile.emplace_back(timer.nowUs() - startUs, m);
        rig.engine.PlayFileMessage(m);
    };
    const QString file = dir.filePath(QStringLiteral("song.midi"));
    writeAll(file, song());
    rig.engine.StartNote(72, 100, 0, false); // the local player holds a key
    timer.at(300, [&] {
        EXPECT_EQ(rig.keys.lit, (std::map<int, uint32_t>{{60 - kFirstKeyNote, PaintKey(0, 100)},
                                                         {40 - kFirstKeyNote, PaintKey(3, 90)},
                                                         {72 - kFirstKeyNote, PaintKey(0, 100)}}))
            << "each channel lights in its colour";
        player.StopPlayback();
    });
    playFile(file);

    FileEvents expected(kSong.begin(), kSong.begin() + 4);
    expected.insert(expected.end(), {{300000, 0x003C80}, {300000, 0x002883}, {300000, 0x0079B3}});
    EXPECT_EQ(fromFile, expected);
    EXPECT_FALSE(rig.engine.isSounding(0, 60));
    EXPECT_FALSE(rig.engine.isSounding(3, 40));
    EXPECT_TRUE(rig.engine.isSounding(0, 72)) << "only what the file started is silenced";
    EXPECT_EQ(rig.keys.lit, (std::map<int, uint32_t>{{72 - kFirstKeyNote, PaintKey(0, 100)}}));
    EXPECT_EQ(rig.output.sent, (std::vector<ShortMessage>{0x644890, 0x643C90, 0x0013C3, 0x7F40B3,
                                                          0x5A2893, 0x003C80, 0x002883, 0x0079B3}));
    EXPECT_FALSE(timer.pending());
}

TEST_F(PlayerTest, MalformedOrMissingMidiFilesAreRefusedBeforeAnythingChanges)
{
    const QString file = dir.filePath(QStringLiteral("bad.mid"));
    QByteArray cut = song();
    cut.chop(3); // the last track runs past the end of the file
    writeAll(file, cut);
    playFile(file);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, PlaybackError::Kind::MidiFileInvalid);
    EXPECT_EQ(error->reason, readMidiFile(cut).message);
    EXPECT_FALSE(error->reason.isEmpty());

    writeAll(file, kRecordingHeader + longs({1, 0, noteOn(60)})); // a recording named .mid
    playFile(file);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, PlaybackError::Kind::MidiFileInvalid);

    playFile(dir.filePath(QStringLiteral("gone.mid")));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, PlaybackError::Kind::MidiFileCannotOpen);

    EXPECT_TRUE(fromFile.empty());
    EXPECT_TRUE(played.empty());
    EXPECT_TRUE(log.empty()) << "controls untouched, nothing silenced";
}
