#include "client/formats/MidiFileReader.h"
#include "client/formats/MidiFileWriter.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/client/formats/MidiBytes.h"
#include "tests/client/formats/RecordingBytes.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace tamber;
using namespace tamber::testing;

namespace tamber {
// Found by argument lookup, so failures print events readably.
std::ostream& operator<<(std::ostream& out, const MidiFileEvent& e)
{
    return out << "{" << e.timeUs << " us, 0x" << std::hex << e.message << std::dec << "}";
}
} // namespace tamber

namespace {

void expectEvents(const QByteArray& file, const std::vector<MidiFileEvent>& expected)
{
    const MidiFileRead read = readMidiFile(file);
    ASSERT_TRUE(read.ok()) << read.message.toStdString();
    EXPECT_EQ(read.events, expected);
}

// Format 0 at 96 ticks a quarter: the tempo halves after two quarters; running status goes
// on across a meta event and a SysEx; unknown metas, a chunk of another type, a header
// longer than 6 and whatever follows End of Track or the last track are passed over.
TEST(MidiFileReaderTest, FormatZeroFollowsTempoChangesAndRunningStatus)
{
    const QByteArray body = tempo(0, 500000) +             //
                            bytes({0x60, 0x90, 60, 100}) + // tick 96: 0.5 s
                            bytes({0x00, 0xFF, 0x01, 2, 'h', 'i'}) +
                            bytes({0x00, 62, 90}) + // running status after a meta
                            tempo(0x60, 250000) +   // tick 192: 1 s
                            bytes({0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7}) +
                            bytes({0x60, 60, 0}) + // tick 288: 1.25 s, after SysEx
                            bytes({0x00, 0xC1, 5, 0x00, 0xB1, 7, 100}) + // program, controller
                            bytes({0x60, 0xE1, 0x00, 0x40}) +            // pitch bend at 1.5 s
                            kEndOfTrack + bytes({0x00, 0x90, 1, 1});
    const QByteArray file = QByteArray("MThd") + bigEndian(8, 4) +
                            bytes({0, 0, 0, 1, 0, 96, 9, 9}) + QByteArray("XFIH") +
                            bigEndian(3, 4) + "abc" + track(body) + "trailing";
    expectEvents(file, {{500000, 0x643C90},
                        {500000, 0x5A3E90},
                        {1250000, 0x003C90},
                        {1250000, 0x0005C1},
                        {1250000, 0x6407B1},
                        {1500000, 0x4000E1}});
}

// Format 1: the tempo of any track applies to all of them; events merge by time, at equal
// times in track order. A track may lack its End of Track.
TEST(MidiFileReaderTest, FormatOneMergesTracksUnderOneTempoMap)
{
    const QByteArray tempoTrack = tempo(0, 1000000) + bytes({0x81, 0x00}) + // tick 128
                                  bytes({0xFF, 0x51, 0x03}) + bigEndian(250000, 3) + kEndOfTrack;
    const QByteArray first = bytes({0x40, 0x90, 60, 100, 0x81, 0x00, 60, 0}) + kEndOfTrack;
    const QByteArray second =
        bytes({0x81, 0x40, 0x92, 64, 80}) + tempo(0, 500000) + bytes({0x40, 0x82, 64, 0});
    expectEvents(header(1, 3, 128) + track(tempoTrack) + track(first) + track(second),
                 {{500000, 0x643C90},  // tick 64 at 1 s a quarter
                  {1125000, 0x003C90}, // tick 192: 128 ticks at 1 s, 64 at 0.25 s
                  {1125000, 0x504092},
                  {1375000, 0x004082}}); // the tempo of the last track counts as well
}

// Times are exact however many tempo changes come: no rounding gathers between them.
TEST(MidiFileReaderTest, TimesDoNotDriftOverTempoChanges)
{
    QByteArray body;
    for (int i = 0; i < 300; ++i)
        body += tempo(i == 0 ? 0 : 1, 1000000);
    body += bytes({0x00, 0x90, 60, 1, 0x01, 60, 0}) + kEndOfTrack;
    // 3 ticks a quarter of 1 s: tick 299 is at 99.666666 s, tick 300 at 100 s
    expectEvents(header(0, 1, 3) + track(body), {{99666666, 0x013C90}, {100000000, 0x3C90}});
}

TEST(MidiFileReaderTest, SmpteDivisionCountsFramesNotQuarters)
{
    const QByteArray body = tempo(0, 1000000) + bytes({0x87, 0x68, 0x90, 60, 1}) + kEndOfTrack;
    // 1000 ticks: at 25 frames of 40 ticks, 1 s whatever the tempo; at 29.97 frames of 4, 8.342 s
    expectEvents(header(0, 1, 0xE728) + track(body), {{1000000, 0x013C90}});
    expectEvents(header(0, 1, 0xE304) + track(body), {{8341666, 0x013C90}});
}

// What the writer makes of a recording, the reader reads back exactly: times in whole
// milliseconds, every channel, at equal times in channel order.
TEST(MidiFileReaderTest, ReadsBackWhatTheWriterWrote)
{
    std::mt19937 random(14);
    std::vector<RecordingEvent> recording;
    std::vector<std::pair<MidiFileEvent, int>> expected; // and its channel
    int64_t ms = 0;
    for (int i = 0; i < 5000; ++i) {
        const int delay = random() % 4 == 0 ? 0 : int(random() % 3000);
        const int channel = int(random() % 9);
        const int note = int(random() % 128);
        const int32_t message = random() % 10 == 0 ? int32_t(0xC0 + channel) | note << 8
                                : random() % 2     ? noteOn(note, int(random() % 128), channel)
                                                   : noteOff(note, channel);
        recording.push_back({delay, message});
        ms += delay;
        expected.push_back({{ms * 1000, uint32_t(message)}, channel});
    }
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return a.first.timeUs != b.first.timeUs ? a.first.timeUs < b.first.timeUs
                                                : a.second < b.second;
    });
    std::vector<MidiFileEvent> events;
    for (const auto& e : expected)
        events.push_back(e.first);
    expectEvents(midiFileFromRecording(recording), events);
}

TEST(MidiFileReaderTest, RefusesMalformedFilesWithTypedErrors)
{
    using E = MidiFileError;
    const QByteArray note = bytes({0x00, 0x90, 60, 100});
    const QByteArray good = track(note + kEndOfTrack);
    const struct
    {
        const char* name;
        QByteArray file;
        MidiFileError error;
    } cases[] = {
        {"empty", {}, E::NotMidiFile},
        {"a recording", kRecordingHeader + longs({0}), E::NotMidiFile},
        {"header of 5 bytes", QByteArray("MThd") + bigEndian(5, 4) + bytes({0, 0, 0, 1, 0}) + good,
         E::BadHeader},
        {"header longer than the file",
         QByteArray("MThd") + bigEndian(0x7FFFFFFF, 4) + bytes({0, 0, 0, 1, 0, 96}) + good,
         E::BadHeader},
        {"header cut", header(0, 1, 96).left(12), E::BadHeader},
        {"no ticks a quarter", header(0, 1, 0) + good, E::BadHeader},
        {"23 frames a second", header(0, 1, 0xE928) + good, E::BadHeader},
        {"no ticks a frame", header(0, 1, 0xE700) + good, E::BadHeader},
        {"format 2", header(2, 1, 96) + good, E::UnsupportedFormat},
        {"format 7", header(7, 1, 96) + good, E::UnsupportedFormat},
        {"format 0 of two tracks", header(0, 2, 96) + good + good, E::BadTrackCount},
        {"65535 tracks", header(1, 65535, 96) + good, E::BadTrackCount},
        {"track missing", header(1, 3, 96) + good + good + "1234567", E::BadChunk},
        {"track longer than the file",
         header(0, 1, 96) + good.left(4) + bigEndian(1000, 4) + note + kEndOfTrack, E::BadChunk},
        {"file cut inside a track", header(0, 1, 96) + good.chopped(2), E::BadChunk},
        {"track shorter than its events",
         header(1, 2, 96) + track(note + kEndOfTrack).left(4) + bigEndian(4, 4) + note +
             kEndOfTrack + good,
         E::BadChunk},
        {"track ends inside an event", header(0, 1, 96) + track(note.left(3)), E::TruncatedTrack},
        {"track ends after a delta", header(0, 1, 96) + track(bytes({0x83})), E::TruncatedTrack},
        {"delta cut", header(0, 1, 96) + track(note + bytes({0x81, 0x81})), E::TruncatedTrack},
        {"meta longer than the track", header(0, 1, 96) + track(bytes({0, 0xFF, 0x01, 0x20, 'a'})),
         E::TruncatedTrack},
        {"SysEx longer than the track",
         header(0, 1, 96) + track(bytes({0, 0xF0, 0x8F, 0xFF, 0xFF, 0x7F, 1, 2, 3})),
         E::TruncatedTrack},
        {"delta of five bytes",
         header(0, 1, 96) +
             track(bytes({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}) + kEndOfTrack),
         E::LongVariableLength},
        {"meta length of five bytes",
         header(0, 1, 96) + track(bytes({0, 0xFF, 0x01, 0x80, 0x80, 0x80, 0x80, 0x00})),
         E::LongVariableLength},
        {"running status at the start", header(0, 1, 96) + track(bytes({0, 60, 100}) + kEndOfTrack),
         E::RunningStatusWithoutStatus},
        {"running status after metas only",
         header(1, 2, 96) + good + track(tempo(0, 500000) + bytes({0, 60, 100}) + kEndOfTrack),
         E::RunningStatusWithoutStatus},
        {"data byte missing", header(0, 1, 96) + track(bytes({0, 0x90, 60, 0x90, 60, 1})),
         E::BadEvent},
        {"system common status", header(0, 1, 96) + track(bytes({0, 0xF2, 1, 2}) + kEndOfTrack),
         E::BadEvent},
        {"real-time status", header(0, 1, 96) + track(bytes({0, 0xF8}) + kEndOfTrack), E::BadEvent},
        {"tempo of two bytes",
         header(0, 1, 96) + track(bytes({0, 0xFF, 0x51, 2, 7, 0xA1}) + kEndOfTrack), E::BadEvent},
    };
    for (const auto& c : cases) {
        const MidiFileRead read = readMidiFile(c.file);
        EXPECT_EQ(read.error, c.error) << c.name << ": " << read.message.toStdString();
        EXPECT_TRUE(read.events.empty()) << c.name;
        EXPECT_FALSE(read.message.isEmpty()) << c.name;
    }
}

TEST(MidiFileReaderTest, LoadsRegularFilesOfAReasonableSizeOnly)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.mid"));
    writeAll(good, midiFileFromRecording(std::vector<RecordingEvent>{{5, noteOn(60)}}));
    const MidiFileRead read = loadMidiFile(good);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.events, (std::vector<MidiFileEvent>{{5000, uint32_t(noteOn(60))}}));

    const QString huge = dir.filePath(QStringLiteral("huge.mid"));
    writeSparse(huge, header(0, 1, 96), kMaxMidiFileSize + 1);
    EXPECT_EQ(loadMidiFile(huge).error, MidiFileError::TooLarge);
    EXPECT_EQ(loadMidiFile(dir.filePath(QStringLiteral("missing.mid"))).error,
              MidiFileError::CannotOpen);
    EXPECT_EQ(loadMidiFile(makeFifo(dir, "fifo.mid")).error, MidiFileError::CannotOpen);
    EXPECT_EQ(loadMidiFile(dir.path()).error, MidiFileError::CannotOpen);
}

} // namespace
