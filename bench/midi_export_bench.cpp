// Exports a random recording of many events to a Standard MIDI File, as
// `TamberPiano --export-midi` does, and prints the time it took (best and median of the runs),
// the sizes, and the time to read the export back with the MIDI file reader.
//   midi_export_bench [events] [runs]      (defaults: 1000000 events, 5 runs)
#include "client/formats/MidiExport.h"
#include "client/formats/MidiFileReader.h"
#include "client/formats/RecordingFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace tamber;

// A session of nine players: notes on and off (a few of velocity 0), programs, delays of a
// few to a few hundred milliseconds.
QByteArray randomRecording(int count)
{
    std::mt19937 random(1);
    QByteArray file = kRecordingMagic + kRecordingSection;
    auto appendLong = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file.append(char((v >> (8 * i)) & 0xFF));
    };
    appendLong(uint32_t(count));
    for (int i = 0; i < count; ++i) {
        const uint32_t channel = random() % 9;
        const uint32_t note = 36 + random() % 61;
        const uint32_t kind = random() % 20;
        const uint32_t message = kind == 0   ? 0xC0 | channel | (random() % 128) << 8
                                 : kind < 10 ? 0x90 | channel | note << 8 | (random() % 128) << 16
                                             : 0x80 | channel | note << 8;
        appendLong(random() % 4 == 0 ? 0 : random() % 400);
        appendLong(message);
    }
    return file;
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

long peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv)
{
    const int events = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = std::max(1, argc > 2 ? std::atoi(argv[2]) : 5);
    QTemporaryDir dir;
    const QString recording = dir.filePath(QStringLiteral("bench.tbr"));
    const QString midi = dir.filePath(QStringLiteral("bench.mid"));
    {
        QFile f(recording);
        if (!f.open(QIODevice::WriteOnly) || f.write(randomRecording(events)) < 0)
            return std::fprintf(stderr, "cannot write %s\n", qPrintable(recording)), 1;
    }

    std::vector<double> exportMs;
    std::vector<double> readMs;
    size_t readEvents = 0;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        const MidiExportResult result = exportRecordingAsMidi(recording, midi);
        exportMs.push_back(msSince(start));
        if (!result.ok())
            return std::fprintf(stderr, "%s\n", qPrintable(result.message)), 1;
        start = std::chrono::steady_clock::now();
        const MidiFileRead read = loadMidiFile(midi);
        readMs.push_back(msSince(start));
        readEvents = read.events.size();
    }
    std::sort(exportMs.begin(), exportMs.end());
    std::sort(readMs.begin(), readMs.end());
    std::printf("recording: %d events, %lld bytes; MIDI file: %lld bytes\n", events,
                QFileInfo(recording).size(), QFileInfo(midi).size());
    std::printf("export (read .tbr, write .mid): best %.1f ms, median %.1f ms over %d runs\n",
                exportMs.front(), exportMs[exportMs.size() / 2], runs);
    std::printf("reading the export back: %zu events, best %.1f ms, median %.1f ms\n", readEvents,
                readMs.front(), readMs[readMs.size() / 2]);
    std::printf("peak memory: %ld MiB\n", peakMiB());
    return 0;
}
