#include "client/formats/MidiFileWriter.h"
#include "client/formats/MidiExport.h"
#include "client/formats/MidiFileReader.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/client/formats/RecordingBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::testing;

namespace {

constexpr int32_t programChange(int program, int channel)
{
    return int32_t(0xC0 + channel) | program << 8;
}

// Channel 2 plays first, yet its track comes after channel 0's; running status within a
// track, a program change between two notes, a note-on of velocity 0 kept as it is.
const std::vector<RecordingEvent> kSmallRecording = {
    {100, noteOn(64, 100, 2)}, {400, noteOn(60)}, {0, noteOn(67)},
    {250, noteOff(60)},        {0, noteOff(67)},  {0, programChange(40, 2)},
    {200, noteOn(64, 0, 2)},
};

const QByteArray kSmallRecordingMidi = bytes({
    'M',  'T',  'h',  'd',  0,    0,    0,    6,   0,   1,   0,   3,
    0x01, 0xF4,                                         // format 1, 3 tracks, 500 ticks
    'M',  'T',  'r',  'k',  0,    0,    0,    11,       //
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,           // tempo 500,000 us: 120 bpm
    0x00, 0xFF, 0x2F, 0x00,                             // end of track
    'M',  'T',  'r',  'k',  0,    0,    0,    29,       //
    0x00, 0xFF, 0x03, 5,    'P',  'i',  'a',  'n', 'o', // track name
    0x83, 0x74, 0x90, 60,   127,                        // 500 ms
    0x00, 67,   127,                                    // running status
    0x81, 0x7A, 0x80, 60,   0,                          // 250 ms later
    0x00, 67,   0,                                      //
    0x00, 0xFF, 0x2F, 0x00,                             //
    'M',  'T',  'r',  'k',  0,    0,    0,    29,       //
    0x00, 0xFF, 0x03, 8,    'P',  'l',  'a',  'y', 'e', 'r', ' ', '2', //
    0x64, 0x92, 64,   100,                                             // 100 ms
    0x85, 0x0A, 0xC2, 40,                                              // 750 ms: program 40
    0x81, 0x48, 0x92, 64,   0,                                         // 950 ms: velocity 0
    0x00, 0xFF, 0x2F, 0x00,                                            //
});

TEST(MidiFileWriterTest, SmallRecordingGivesExactBytes)
{
    EXPECT_EQ(midiFileFromRecording(kSmallRecording), kSmallRecordingMidi);
}

TEST(MidiFileWriterTest, EmptyRecordingGivesTheTempoTrackAlone)
{
    EXPECT_EQ(
        midiFileFromRecording({}),
        bytes({'M',  'T',  'h',  'd',  0,    0,    0,   6,  0,    1,    0,    1,    0x01, 0xF4, //
               'M',  'T',  'r',  'k',  0,    0,    0,   11, 0x00, 0xFF, 0x51, 0x03,             //
               0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00}));
}

// What is no channel message (the 0 of a PC-speaker note-on, system status bytes, data
// bytes above 127) is left out, its delay kept; a negative delay counts as none.
TEST(MidiFileWriterTest, LeavesOutWhatIsNoChannelMessageAndKeepsItsTime)
{
    const std::vector<RecordingEvent> damaged = {
        {100, noteOn(60)},
        {50, 0},
        {25, 0x0000F8F5},
        {10, noteOn(61, 200)},
        {5, noteOff(60)},
        {-40, noteOff(61)},
        {0, int32_t(0x80U << 8 | 0x90)},
    };
    const std::vector<RecordingEvent> clean = {
        {100, noteOn(60)}, {90, noteOff(60)}, {0, noteOff(61)}};
    EXPECT_EQ(midiFileFromRecording(damaged), midiFileFromRecording(clean));
}

// A gap of days is longer than one delta can say; the times still come out exact.
TEST(MidiFileWriterTest, GapsBeyondTheLongestDeltaKeepTheirTime)
{
    const std::vector<RecordingEvent> recording = {
        {INT32_MAX, noteOn(60)}, {INT32_MAX, noteOff(60)}, {1, noteOn(62)}};
    const MidiFileRead read = readMidiFile(midiFileFromRecording(recording));
    ASSERT_TRUE(read.ok()) << read.message.toStdString();
    const int64_t gapUs = int64_t(INT32_MAX) * 1000;
    EXPECT_EQ(read.events, (std::vector<MidiFileEvent>{{gapUs, uint32_t(noteOn(60))},
                                                       {2 * gapUs, uint32_t(noteOff(60))},
                                                       {2 * gapUs + 1000, uint32_t(noteOn(62))}}));
}

class MidiExportTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    static QByteArray recordingBytes(int32_t count, const std::vector<RecordingEvent>& events)
    {
        QByteArray out = kRecordingHeader + longs({count});
        for (const RecordingEvent& e : events)
            out += longs({e.Delay, e.Message});
        return out;
    }

    QTemporaryDir dir;
};

TEST_F(MidiExportTest, WritesTheRecordingAndReplacesALongerFileWhole)
{
    writeAll(path("in.tbr"), recordingBytes(7, kSmallRecording));
    writeAll(path("out.mid"), QByteArray(4096, 'x'));
    const MidiExportResult result = exportRecordingAsMidi(path("in.tbr"), path("out.mid"));
    EXPECT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(readAll(path("out.mid")), kSmallRecordingMidi);
}

// A recording cut inside its last event (a crash, a full disk) exports the whole events;
// a count beyond the file's end is no error.
TEST_F(MidiExportTest, CutRecordingExportsTheWholeEventsItHolds)
{
    const QByteArray whole = recordingBytes(9, kSmallRecording);
    writeAll(path("cut.tbr"), whole + longs({300, noteOn(70)}).left(6));
    ASSERT_TRUE(exportRecordingAsMidi(path("cut.tbr"), path("out.mid")).ok());
    EXPECT_EQ(readAll(path("out.mid")), kSmallRecordingMidi);
}

TEST_F(MidiExportTest, FailuresSayWhichFileAndWhy)
{
    using Failure = MidiExportResult::Failure;
    writeAll(path("in.tbr"), recordingBytes(1, {{0, noteOn(60)}}));
    writeAll(path("not.tbr"), QByteArray("TBR\0data", 8) + longs({0}));
    writeSparse(path("huge.tbr"), kRecordingHeader + longs({INT32_MAX}), 200LL * 1024 * 1024);
    const struct
    {
        QString in, out;
        Failure failure;
        QString message;
    } cases[] = {
        {path("missing.tbr"), path("a.mid"), Failure::CannotReadRecording,
         QStringLiteral("The recording \"%1\" could not be opened: The file does not exist.")
             .arg(path("missing.tbr"))},
        {dir.path(), path("a.mid"), Failure::CannotReadRecording,
         QStringLiteral("The recording \"%1\" could not be opened: It is a folder, not a file.")
             .arg(dir.path())},
        {path("not.tbr"), path("a.mid"), Failure::NotARecording,
         QStringLiteral("\"%1\" is not a Tamber Piano recording.").arg(path("not.tbr"))},
        {path("huge.tbr"), path("a.mid"), Failure::RecordingTooLong,
         QStringLiteral("The recording \"%1\" holds more than 16777216 events.")
             .arg(path("huge.tbr"))},
        {path("in.tbr"), path("no/such/folder.mid"), Failure::CannotWriteMidiFile,
         QStringLiteral("The MIDI file \"%1\" could not be written: ")
             .arg(path("no/such/folder.mid"))},
        {path("in.tbr"), dir.path(), Failure::CannotWriteMidiFile,
         QStringLiteral("The MIDI file \"%1\" could not be written: ").arg(dir.path())},
    };
    for (const auto& c : cases) {
        const MidiExportResult result = exportRecordingAsMidi(c.in, c.out);
        EXPECT_EQ(result.failure, c.failure) << c.in.toStdString();
        EXPECT_TRUE(result.message.startsWith(c.message)) << result.message.toStdString();
        EXPECT_FALSE(result.message.contains(QLatin1Char('\n')));
    }
    EXPECT_FALSE(QFile::exists(path("a.mid")));
}

} // namespace
