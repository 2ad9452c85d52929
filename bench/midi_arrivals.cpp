// When MIDI notes arrive at a JACK port, on the CLOCK_MONOTONIC that other processes (a
// browser driver, a key presser) read too. A JACK client with one MIDI input port, NAME:in;
// prints "ready", then one line per note message: the monotonic time of the JACK cycle in
// nanoseconds and the three bytes in hex.
//
//   midi-arrivals NAME
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <thread>

namespace {

int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

struct Arrival
{
    int64_t ns;
    uint8_t bytes[3];
};

// One writer (the JACK thread), one reader (main): a ring without locks.
struct Ring
{
    jack_port_t* port = nullptr;
    std::array<Arrival, 4096> slots{};
    std::atomic<uint64_t> written{0};
};

int process(jack_nframes_t frames, void* arg)
{
    auto* ring = static_cast<Ring*>(arg);
    void* buffer = jack_port_get_buffer(ring->port, frames);
    const int64_t now = nowNs();
    const uint32_t count = jack_midi_get_event_count(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0 || event.size < 3)
            continue;
        const uint8_t kind = event.buffer[0] & 0xF0;
        if (kind != 0x80 && kind != 0x90)
            continue;
        const uint64_t at = ring->written.load(std::memory_order_relaxed);
        ring->slots[at % ring->slots.size()] = {
            now, {event.buffer[0], event.buffer[1], event.buffer[2]}};
        ring->written.store(at + 1, std::memory_order_release);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: midi-arrivals NAME\n");
        return 2;
    }
    jack_client_t* client = jack_client_open(argv[1], JackNoStartServer, nullptr);
    if (!client) {
        std::fprintf(stderr, "midi-arrivals: no JACK server\n");
        return 1;
    }
    static Ring ring;
    ring.port = jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client, process, &ring);
    if (!ring.port || jack_activate(client) != 0) {
        std::fprintf(stderr, "midi-arrivals: cannot register the port\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    uint64_t read = 0;
    for (;;) {
        const uint64_t written = ring.written.load(std::memory_order_acquire);
        for (; read < written; ++read) {
            const Arrival& a = ring.slots[read % ring.slots.size()];
            std::printf("%lld %02x %02x %02x\n", static_cast<long long>(a.ns), a.bytes[0],
                        a.bytes[1], a.bytes[2]);
        }
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}
