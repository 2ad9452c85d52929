// Key press to MIDI or to sound: presses and releases a key through XTest NOTES times and
// prints, per press, the CLOCK_MONOTONIC and CLOCK_REALTIME times (ns) taken just before the
// press, and the monotonic time at which the press arrived at the JACK port
// "keyboard-latency:in" (0 when it did not come within a second). The piano's trace and
// strace compare against the first two columns.
//
//   keyboard-latency NOTES KEYSYM [--no-jack | --audio]
//
// MIDI (the default): the port is a MIDI input; the arrival is the JACK cycle in which the
// note-on came.
// --audio: the port is an audio input; the arrival is the first audible sample after the press:
// the first that a 16-bit output would not render as silence (|x| >= 2^-15, -90 dBFS), so that
// the figure does not depend on how loud a synthesizer plays. It is timed as the moment its
// cycle reached the port plus its place in the cycle. (JACK's own estimate of when a cycle
// began wanders by milliseconds under the dummy driver, so the probe's clock is used.) Before
// each press the last note's tail must have died away well below that for a while, and the
// press falls at a random point of the JACK cycle. On exit, a line
// "xruns N in S s" goes to standard error: the JACK server's xruns while pressing.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <random>
#include <thread>

namespace {

constexpr float kAudible = 0.01f;        // -40 dBFS
constexpr float kQuiet = 0.003f;         // the last note has died away below this...
constexpr int64_t kQuietNs = 30'000'000; // ...for this long
constexpr int64_t kMaxWaitNs = 4'000'000'000;

int64_t clockNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

struct Probe
{
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    bool audio = false;
    double rate = 48000;
    std::atomic<int64_t> lastOn{0};    // MIDI: cycle of the last note-on; audio: first loud sample
    std::atomic<bool> armed{false};    // audio: looking for the next onset...
    std::atomic<int> onsets{0};        // ...and counting those found
    std::atomic<int64_t> lastHeard{0}; // audio: the last sample above kQuiet
    std::atomic<int> xruns{0};
};

void scanMidi(Probe& probe, jack_nframes_t frames)
{
    void* buffer = jack_port_get_buffer(probe.port, frames);
    const uint32_t count = jack_midi_get_event_count(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) == 0 && event.size == 3 &&
            (event.buffer[0] & 0xF0) == 0x90 && event.buffer[2] > 0)
            probe.lastOn.store(clockNs(CLOCK_MONOTONIC));
    }
}

void scanAudio(Probe& probe, jack_nframes_t frames)
{
    const auto* in = static_cast<const float*>(jack_port_get_buffer(probe.port, frames));
    const int64_t start = clockNs(CLOCK_MONOTONIC);
    const auto timeOf = [&](jack_nframes_t i) { return start + int64_t(i * 1e9 / probe.rate); };
    for (jack_nframes_t i = frames; i-- > 0;) {
        if (std::fabs(in[i]) >= kQuiet) {
            probe.lastHeard.store(timeOf(i));
            break;
        }
    }
    if (!probe.armed.load())
        return;
    for (jack_nframes_t i = 0; i < frames; ++i) {
        if (std::fabs(in[i]) >= kAudible) {
            probe.lastOn.store(timeOf(i));
            probe.armed.store(false);
            probe.onsets.fetch_add(1);
            return;
        }
    }
}

int process(jack_nframes_t frames, void* arg)
{
    auto* probe = static_cast<Probe*>(arg);
    if (probe->audio)
        scanAudio(*probe, frames);
    else
        scanMidi(*probe, frames);
    return 0;
}

int xrun(void* arg)
{
    static_cast<Probe*>(arg)->xruns.fetch_add(1);
    return 0;
}

// The arrival after a press: a later note-on, or the next onset found.
int64_t waitFor(const Probe& probe, int64_t since, int onsetsBefore)
{
    const int64_t deadline = clockNs(CLOCK_MONOTONIC) + 1'000'000'000;
    while (clockNs(CLOCK_MONOTONIC) < deadline) {
        if (probe.audio ? probe.onsets.load() != onsetsBefore : probe.lastOn.load() > since)
            return probe.lastOn.load();
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return 0;
}

// Until the input has been quiet for kQuietNs (or long enough that waiting is pointless).
void waitQuiet(const Probe& probe)
{
    const int64_t giveUp = clockNs(CLOCK_MONOTONIC) + kMaxWaitNs;
    while (clockNs(CLOCK_MONOTONIC) < giveUp &&
           clockNs(CLOCK_MONOTONIC) - probe.lastHeard.load() < kQuietNs)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: keyboard-latency NOTES KEYSYM [--no-jack | --audio]\n");
        return 2;
    }
    const int notes = std::atoi(argv[1]);
    const KeySym keysym = XStringToKeysym(argv[2]);
    const bool useJack = !(argc > 3 && std::strcmp(argv[3], "--no-jack") == 0);
    Display* display = XOpenDisplay(nullptr);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (notes <= 0 || keysym == NoSymbol || !display ||
        !XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        std::fprintf(stderr, "keyboard-latency: bad arguments or no X display with XTest\n");
        return 1;
    }
    const KeyCode keycode = XKeysymToKeycode(display, keysym);

    Probe probe;
    probe.audio = argc > 3 && std::strcmp(argv[3], "--audio") == 0;
    if (useJack) {
        probe.client = jack_client_open("keyboard-latency", JackNoStartServer, nullptr);
        if (!probe.client)
            return std::fprintf(stderr, "keyboard-latency: no JACK server\n"), 1;
        probe.rate = jack_get_sample_rate(probe.client);
        probe.port = jack_port_register(
            probe.client, "in", probe.audio ? JACK_DEFAULT_AUDIO_TYPE : JACK_DEFAULT_MIDI_TYPE,
            JackPortIsInput, 0);
        jack_set_process_callback(probe.client, process, &probe);
        jack_set_xrun_callback(probe.client, xrun, &probe);
        if (!probe.port || jack_activate(probe.client) != 0)
            return std::fprintf(stderr, "keyboard-latency: no JACK port\n"), 1;
        std::printf("ready\n");
        std::fflush(stdout);
        // Go once the piano plays into the port (a line on standard input).
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            return 1;
    }

    std::mt19937 random(1);
    std::uniform_int_distribution<int> phaseUs(0, 20000);
    const int64_t began = clockNs(CLOCK_MONOTONIC);
    probe.xruns.store(0);
    for (int i = 0; i < notes; ++i) {
        if (probe.audio) {
            waitQuiet(probe);
            std::this_thread::sleep_for(std::chrono::microseconds(phaseUs(random)));
        }
        const int64_t mono = clockNs(CLOCK_MONOTONIC);
        const int64_t real = clockNs(CLOCK_REALTIME);
        const int onsetsBefore = probe.onsets.load();
        probe.armed.store(true);
        XTestFakeKeyEvent(display, keycode, True, 0);
        XFlush(display);
        const int64_t arrived = useJack ? waitFor(probe, mono, onsetsBefore) : 0;
        probe.armed.store(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(probe.audio ? 30 : 40));
        XTestFakeKeyEvent(display, keycode, False, 0);
        XFlush(display);
        // Far more than X's repeat-pairing window between one key's release and next press.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        std::printf("%lld %lld %lld\n", (long long)mono, (long long)real, (long long)arrived);
        std::fflush(stdout);
    }
    if (probe.client) {
        std::fprintf(stderr, "xruns %d in %.1f s\n", probe.xruns.load(),
                     double(clockNs(CLOCK_MONOTONIC) - began) / 1e9);
        jack_client_close(probe.client);
    }
    XCloseDisplay(display);
    return 0;
}
