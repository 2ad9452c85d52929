// Loads one keymap or recording the way the piano does and prints how long the load took,
// how far it raised the peak memory, and how many boxes it showed.
//   hostile_files keymap|recording FILE
// Run by bench/hostile_files.sh, which makes the files.
#include "client/formats/KeymapFile.h"
#include "client/recording/Player.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace tamber;

class CountingBoxes : public MessageBoxes
{
public:
    void show(const QString&, const QString&, Icon) override { ++shown; }
    int shown = 0;
};

class Clock : public TickClock
{
public:
    uint32_t tickCount() const override { return now; }
    uint32_t now = 0;
};

// The event loop: time jumps to whenever the player wants to wake.
class JumpingTimer : public PlaybackTimer
{
public:
    explicit JumpingTimer(Clock& clock) : m_clock(clock) {}
    int64_t nowUs() const override { return int64_t(m_clock.now) * 1000; }
    void wakeAt(int64_t dueUs) override { m_due = dueUs; }
    void cancel() override { m_due = -1; }
    void run()
    {
        while (m_due >= 0) {
            m_clock.now = uint32_t(std::max(m_due, nowUs()) / 1000);
            m_due = -1;
            fire();
        }
    }

private:
    Clock& m_clock;
    int64_t m_due = -1;
};

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return std::fprintf(stderr, "usage: hostile_files keymap|recording FILE\n"), 2;
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);
    CountingBoxes boxes;
    const long before = peakKiB();
    const auto start = std::chrono::steady_clock::now();
    auto elapsedMs = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };

    double loadMs = -1;
    long events = 0;
    if (kind == QLatin1String("keymap")) {
        Keymap keymap;
        KeymapFiles(keymap, boxes).LoadKeymap(file);
        loadMs = elapsedMs();
    } else {
        // The load ends where the first event is handed on; the playback stops there.
        Clock clock;
        JumpingTimer timer(clock);
        Player* self = nullptr;
        Player player({clock, timer,
                       [&](uint32_t) {
                           if (loadMs < 0)
                               loadMs = elapsedMs();
                           ++events;
                           self->StopPlayback();
                       },
                       [](uint32_t) {}, [] {}, [] {}});
        self = &player;
        if (player.PlayRecording(file))
            ++boxes.shown;
        timer.run();
        if (loadMs < 0)
            loadMs = elapsedMs();
    }
    std::printf("%-9s %-28s load %9.1f ms   peak memory +%7.1f MiB   %d boxes   %s\n", argv[1],
                QFileInfo(file).fileName().toLocal8Bit().constData(), loadMs,
                double(peakKiB() - before) / 1024.0, boxes.shown,
                kind == QLatin1String("keymap") ? ""
                : events > 0                    ? "played"
                                                : "not played");
    return 0;
}
