// Key press to MIDI: presses and releases a key through XTest NOTES times and prints, per press,
// the CLOCK_MONOTONIC and CLOCK_REALTIME times (ns) taken just before the press, and the
// monotonic time of the JACK cycle in which the note-on reached the port
// "keyboard-latency:in" (0 when it did not come within a second). The piano's trace and
// strace compare against the first two columns.
//
//   keyboard-latency NOTES KEYSYM [--no-jack]
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <thread>

namespace {

int64_t clockNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

struct Arrivals
{
    jack_port_t* port = nullptr;
    std::atomic<int64_t> lastOn{0};
};

int process(jack_nframes_t frames, void* arg)
{
    auto* arrivals = static_cast<Arrivals*>(arg);
    void* buffer = jack_port_get_buffer(arrivals->port, frames);
    const uint32_t count = jack_midi_get_event_count(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) == 0 && event.size == 3 &&
            (event.buffer[0] & 0xF0) == 0x90 && event.buffer[2] > 0)
            arrivals->lastOn.store(clockNs(CLOCK_MONOTONIC));
    }
    return 0;
}

int64_t waitFor(const std::atomic<int64_t>& arrival, int64_t since)
{
    const int64_t deadline = clockNs(CLOCK_MONOTONIC) + 1'000'000'000;
    while (clockNs(CLOCK_MONOTONIC) < deadline) {
        if (const int64_t t = arrival.load(); t > since)
            return t;
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: keyboard-latency NOTES KEYSYM [--no-jack]\n");
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

    Arrivals arrivals;
    jack_client_t* client = nullptr;
    if (useJack) {
        client = jack_client_open("keyboard-latency", JackNoStartServer, nullptr);
        if (!client)
            return std::fprintf(stderr, "keyboard-latency: no JACK server\n"), 1;
        arrivals.port =
            jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        jack_set_process_callback(client, process, &arrivals);
        if (!arrivals.port || jack_activate(client) != 0)
            return std::fprintf(stderr, "keyboard-latency: no JACK port\n"), 1;
        std::printf("ready\n");
        std::fflush(stdout);
        // Go once the piano plays into the port (a line on standard input).
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            return 1;
    }

    for (int i = 0; i < notes; ++i) {
        const int64_t mono = clockNs(CLOCK_MONOTONIC);
        const int64_t real = clockNs(CLOCK_REALTIME);
        XTestFakeKeyEvent(display, keycode, True, 0);
        XFlush(display);
        const int64_t arrived = useJack ? waitFor(arrivals.lastOn, mono) : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        XTestFakeKeyEvent(display, keycode, False, 0);
        XFlush(display);
        // Far more than X's repeat-pairing window between one key's release and next press.
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        std::printf("%lld %lld %lld\n", (long long)mono, (long long)real, (long long)arrived);
        std::fflush(stdout);
    }
    if (client)
        jack_client_close(client);
    XCloseDisplay(display);
    return 0;
}
