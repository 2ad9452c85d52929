// The tests' MIDI monitor: a JACK MIDI input port that prints every message it receives, one
// line each, as jack_midi_dump does ("   0: 90 48 7f", or with -a the JACK frame time since
// the monitor started: "  123456: 90 48 7f").
//
// jack_midi_dump's queue holds 100 messages, fewer than one closing burst of the piano (up to
// 128 note-offs and 16 All Notes Off in one period), so a test could not tell what the piano
// sent from what the monitor lost. This one queues 4,096 messages between the port's
// callback and the printing thread, and should it ever lose one it says so on standard error:
// "midi-dump: N messages dropped".
//
//   midi-dump [-a] [CLIENT-NAME]    (port CLIENT-NAME:input; default midi-monitor)
#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr std::size_t kCapacity = 4096;
constexpr std::size_t kMaxBytes = 15; // a record stays 24 bytes; longer messages are cut

struct Record
{
    jack_nframes_t frame = 0;  // JACK frame time of the message
    jack_nframes_t offset = 0; // within its period
    uint8_t size = 0;
    uint8_t bytes[kMaxBytes] = {};
};

jack_port_t* g_port = nullptr;
jack_ringbuffer_t* g_ring = nullptr;
std::atomic<uint64_t> g_dropped{0};
std::atomic<bool> g_stop{false};
std::atomic<bool> g_serverGone{false};

int process(jack_nframes_t frames, void* arg)
{
    void* buffer = jack_port_get_buffer(g_port, frames);
    const jack_nframes_t periodStart = jack_last_frame_time(static_cast<jack_client_t*>(arg));
    const uint32_t count = jack_midi_get_event_count(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0)
            continue;
        if (jack_ringbuffer_write_space(g_ring) < sizeof(Record)) {
            g_dropped.fetch_add(1, std::memory_order_relaxed);
            continue;
        }
        Record record;
        record.offset = event.time;
        record.frame = periodStart + event.time;
        record.size = uint8_t(event.size < kMaxBytes ? event.size : kMaxBytes);
        std::memcpy(record.bytes, event.buffer, record.size);
        jack_ringbuffer_write(g_ring, reinterpret_cast<const char*>(&record), sizeof record);
    }
    return 0;
}

void onShutdown(void*)
{
    g_serverGone = true;
}

void onSignal(int)
{
    g_stop = true;
}

} // namespace

int main(int argc, char** argv)
{
    bool absolute = false;
    std::string name = "midi-monitor";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-a") == 0)
            absolute = true;
        else
            name = argv[i];
    }
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);

    // Rounded up to a power of two by JACK, less one byte: at least kCapacity records fit.
    g_ring = jack_ringbuffer_create((kCapacity + 1) * sizeof(Record));
    jack_ringbuffer_mlock(g_ring);
    jack_client_t* client = jack_client_open(name.c_str(), JackNoStartServer, nullptr);
    if (!client) {
        std::fprintf(stderr, "midi-dump: no JACK server\n");
        return 1;
    }
    g_port = jack_port_register(client, "input", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client, process, client);
    jack_on_shutdown(client, onShutdown, nullptr);
    if (!g_port || jack_activate(client) != 0) {
        std::fprintf(stderr, "midi-dump: the port could not be opened\n");
        return 1;
    }

    // -a counts frames from here.
    const jack_nframes_t start = jack_frame_time(client);
    uint64_t reported = 0;
    Record record;
    while (!g_stop && !g_serverGone) {
        bool printed = false;
        while (jack_ringbuffer_read_space(g_ring) >= sizeof record) {
            jack_ringbuffer_read(g_ring, reinterpret_cast<char*>(&record), sizeof record);
            char text[32];
            // Unsigned arithmetic: the frame counter may wrap while the monitor runs.
            const jack_nframes_t time = absolute ? record.frame - start : record.offset;
            std::snprintf(text, sizeof text, "%4u:", unsigned(time));
            std::string line = text;
            for (uint8_t i = 0; i < record.size; ++i) {
                std::snprintf(text, sizeof text, " %02x", record.bytes[i]);
                line += text;
            }
            line += '\n';
            std::fputs(line.c_str(), stdout);
            printed = true;
        }
        if (printed)
            std::fflush(stdout);
        if (const uint64_t dropped = g_dropped.load(); dropped != reported) {
            std::fprintf(stderr, "midi-dump: %llu messages dropped\n",
                         (unsigned long long)(dropped - reported));
            reported = dropped;
        }
        if (!printed)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    jack_client_close(client);
    jack_ringbuffer_free(g_ring);
    return 0;
}
