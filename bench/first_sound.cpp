// The first key after the window maps: how long until it sounds. Holds a JACK audio input
// "first-sound:in", joined to the output ports of the client named on the command line as
// soon as they appear (the piano may open its audio output after its window). Prints "ready",
// then waits for a line "go <CLOCK_REALTIME ns of the window's mapping>" on standard input,
// presses the key through XTest at once and holds it until the first audible sample
// (|x| >= 0.01) reaches the port, or 10 s pass, then releases it and prints the milliseconds
// from the mapping to that sample ("none" when nothing sounded).
//
//   first-sound CLIENT KEYSYM
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <jack/jack.h>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace {

constexpr float kAudible = 0.01f;
constexpr int64_t kGiveUpNs = 10'000'000'000;

int64_t realtimeNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

struct Probe
{
    jack_port_t* port = nullptr;
    double rate = 48000;
    std::atomic<bool> armed{false};
    std::atomic<int64_t> heard{0};
};

int process(jack_nframes_t frames, void* arg)
{
    auto* probe = static_cast<Probe*>(arg);
    if (!probe->armed.load())
        return 0;
    const auto* in = static_cast<const float*>(jack_port_get_buffer(probe->port, frames));
    const int64_t start = realtimeNs();
    for (jack_nframes_t i = 0; i < frames; ++i) {
        if (std::fabs(in[i]) >= kAudible) {
            probe->heard.store(start + int64_t(i * 1e9 / probe->rate));
            probe->armed.store(false);
            return 0;
        }
    }
    return 0;
}

struct PortsMoved
{
    std::mutex mutex;
    std::condition_variable changed;
    bool news = false;
} portsMoved;

// On JACK's notification thread, which may wait for the mutex: it runs no audio.
void portRegistered(jack_port_id_t, int, void*)
{
    std::lock_guard lock(portsMoved.mutex);
    portsMoved.news = true;
    portsMoved.changed.notify_all();
}

// Joins every audio output of `client` not joined yet; true once one is.
bool joinOutputs(jack_client_t* jack, const std::string& client, bool& joined)
{
    if (joined)
        return true;
    const std::string pattern = "^" + client + ":";
    const char** ports =
        jack_get_ports(jack, pattern.c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
    if (!ports)
        return false;
    for (const char** p = ports; *p; ++p)
        joined |= jack_connect(jack, *p, "first-sound:in") == 0;
    jack_free(ports);
    return joined;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: first-sound CLIENT KEYSYM\n");
        return 2;
    }
    const std::string client = argv[1];
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const KeyCode keycode = XKeysymToKeycode(display, XStringToKeysym(argv[2]));
    jack_client_t* jack = jack_client_open("first-sound", JackNoStartServer, nullptr);
    if (!jack) {
        std::fprintf(stderr, "no JACK server\n");
        return 1;
    }
    Probe probe;
    probe.rate = jack_get_sample_rate(jack);
    probe.port = jack_port_register(jack, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(jack, process, &probe);
    jack_set_port_registration_callback(jack, portRegistered, nullptr);
    jack_activate(jack);
    std::printf("ready\n");
    std::fflush(stdout);

    // The line comes when the window maps; the ports may appear before or after it. JACK says
    // when a port registers, so the joiner looks only then, taking no CPU from the piano.
    bool joined = false;
    std::atomic<bool> gone{false};
    std::thread joiner([&] {
        // Not under the lock: joining waits for the server, which may wait for the
        // notification thread.
        while (!gone.load() && !joinOutputs(jack, client, joined)) {
            std::unique_lock lock(portsMoved.mutex);
            portsMoved.changed.wait_for(lock, std::chrono::milliseconds(100),
                                        [] { return std::exchange(portsMoved.news, false); });
        }
    });
    char line[64];
    long long mapped = 0;
    if (!std::fgets(line, sizeof line, stdin) || std::sscanf(line, "go %lld", &mapped) != 1) {
        gone.store(true);
        portRegistered(0, 0, nullptr);
        joiner.join();
        return 1;
    }
    probe.armed.store(true);
    XTestFakeKeyEvent(display, keycode, True, 0);
    XFlush(display);
    const int64_t giveUp = realtimeNs() + kGiveUpNs;
    // The callback stamps the sound itself; this only looks now and then.
    while (probe.heard.load() == 0 && realtimeNs() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    XTestFakeKeyEvent(display, keycode, False, 0);
    XFlush(display);
    gone.store(true);
    portRegistered(0, 0, nullptr);
    joiner.join();
    const int64_t heard = probe.heard.load();
    if (heard == 0)
        std::printf("none\n");
    else
        std::printf("%.1f\n", double(heard - mapped) / 1e6);
    jack_client_close(jack);
    XCloseDisplay(display);
    return 0;
}
