// Key press in one piano to note-on at another piano's MIDI output, through the relay server.
//
// The program is a JACK client with two MIDI input ports: "session-latency:far", which the far
// piano uses as its output device, and "session-latency:near" for the near (playing) piano.
// Once told to go (a line on standard input, after both pianos joined and the near piano's
// main window has the focus), it presses and releases a key through XTest, NOTES times, and
// measures from just before each press to the JACK cycle in which the note-on on the player's
// channel arrives at each port. The near figure is the local path (X, Qt, note engine, JACK);
// the far one adds the relay. Both ends read CLOCK_MONOTONIC.
//
//   session-latency NOTES KEYSYM STATUS
//   e.g. session-latency 200 z 0x91
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// Written by the JACK thread, read by the main thread.
struct Arrivals
{
    jack_port_t* port = nullptr;
    uint8_t status = 0x91;
    std::atomic<int64_t> lastOn{0};
    std::atomic<int64_t> lastOff{0};
};

void scan(Arrivals* arrivals, jack_nframes_t frames)
{
    void* buffer = jack_port_get_buffer(arrivals->port, frames);
    const uint32_t count = jack_midi_get_event_count(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0 || event.size < 3)
            continue;
        const uint8_t channel = arrivals->status & 0x0F;
        const uint8_t kind = event.buffer[0] & 0xF0;
        if ((event.buffer[0] & 0x0F) != channel)
            continue;
        if (kind == 0x90 && event.buffer[2] > 0)
            arrivals->lastOn.store(nowNs());
        else if (kind == 0x80 || kind == 0x90)
            arrivals->lastOff.store(nowNs());
    }
}

struct Ports
{
    Arrivals near;
    Arrivals far;
};

int process(jack_nframes_t frames, void* arg)
{
    auto* ports = static_cast<Ports*>(arg);
    scan(&ports->near, frames);
    scan(&ports->far, frames);
    return 0;
}

// Waits until an arrival later than `since` is stored; returns it, or 0 on timeout.
int64_t waitFor(const std::atomic<int64_t>& arrival, int64_t since, int timeoutMs)
{
    const int64_t deadline = nowNs() + int64_t(timeoutMs) * 1'000'000;
    while (nowNs() < deadline) {
        const int64_t t = arrival.load();
        if (t > since)
            return t;
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return 0;
}

double percentile(const std::vector<double>& sorted, double p)
{
    const size_t index = std::min(sorted.size() - 1, size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[index];
}

void report(const char* what, std::vector<double> ms)
{
    if (ms.empty()) {
        std::printf("%s: no note arrived\n", what);
        return;
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (const double v : ms)
        sum += v;
    std::printf("%s: p50 %.3f ms, p99 %.3f ms, min %.3f ms, max %.3f ms, mean %.3f ms\n", what,
                percentile(ms, 0.50), percentile(ms, 0.99), ms.front(), ms.back(),
                sum / double(ms.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: session-latency NOTES KEYSYM STATUS\n");
        return 2;
    }
    const int notes = std::atoi(argv[1]);
    const KeySym keysym = XStringToKeysym(argv[2]);
    Ports ports;
    ports.near.status = ports.far.status = uint8_t(std::strtoul(argv[3], nullptr, 0));
    if (notes <= 0 || keysym == NoSymbol) {
        std::fprintf(stderr, "session-latency: bad note count or key\n");
        return 2;
    }

    Display* display = XOpenDisplay(nullptr);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        std::fprintf(stderr, "session-latency: no X display with XTest\n");
        return 1;
    }
    const KeyCode keycode = XKeysymToKeycode(display, keysym);

    jack_client_t* client = jack_client_open("session-latency", JackNoStartServer, nullptr);
    if (!client) {
        std::fprintf(stderr, "session-latency: no JACK server\n");
        return 1;
    }
    ports.near.port =
        jack_port_register(client, "near", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    ports.far.port = jack_port_register(client, "far", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client, process, &ports);
    if (!ports.near.port || !ports.far.port || jack_activate(client) != 0) {
        std::fprintf(stderr, "session-latency: cannot open the JACK port\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);

    // Pauses vary so the presses fall at every phase of the JACK period.
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pauseMs(60, 90);
    std::vector<double> nearMs;
    std::vector<double> farMs;
    int lost = 0;
    for (int i = 0; i < notes; ++i) {
        const int64_t pressed = nowNs();
        XTestFakeKeyEvent(display, keycode, True, CurrentTime);
        XFlush(display);
        const int64_t on = waitFor(ports.far.lastOn, pressed, 2000);
        const int64_t local = ports.near.lastOn.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const int64_t released = nowNs();
        XTestFakeKeyEvent(display, keycode, False, CurrentTime);
        XFlush(display);
        if (on == 0)
            ++lost;
        else
            farMs.push_back(double(on - pressed) / 1e6);
        if (local > pressed)
            nearMs.push_back(double(local - pressed) / 1e6);
        waitFor(ports.far.lastOff, released, 2000);
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs(random)));
    }
    const jack_nframes_t period = jack_get_buffer_size(client);
    const jack_nframes_t rate = jack_get_sample_rate(client);
    jack_client_close(client);
    XCloseDisplay(display);

    std::printf("notes %d, lost at the far piano %d, JACK period %u frames at %u Hz\n", notes, lost,
                unsigned(period), unsigned(rate));
    report("key press -> own note-on (piano A)", nearMs);
    report("key press -> far note-on (piano B)", farMs);
    return farMs.empty() ? 1 : 0;
}
