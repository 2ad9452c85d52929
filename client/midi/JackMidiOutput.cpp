#include "JackMidiOutput.h"

#include "LibraryLog.h"
#include "MidiLog.h"

#include "client/synth/SpscQueue.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace tamber {

namespace {

using namespace std::chrono_literals;

// More than the largest burst the program sends at once (128 note-offs and 16 All Notes Off).
constexpr std::size_t kQueueSize = 4096;
// Closing waits this many of the server's periods for the queue to be delivered, and at
// least kDrainFloor: a busy machine's JACK may skip a few.
constexpr int kDrainPeriods = 8;
constexpr std::chrono::microseconds kDrainFloor = 100ms;

jack_client_t* openClient()
{
    LibraryMessages messages(&lcMidi);
    return jack_client_open(kMidiClientName, JackNoStartServer, nullptr);
}

class JackOutputPort : public MidiOutputPort
{
public:
    ~JackOutputPort() override { close(); }

    bool open(const QByteArray& target)
    {
        m_client = openClient();
        if (!m_client) {
            qCWarning(lcMidi) << "The MIDI port" << target << "is gone: no JACK server";
            return false;
        }
        if (!jack_port_by_name(m_client, target.constData())) {
            qCWarning(lcMidi) << "The MIDI port" << target << "is gone";
            return false;
        }
        jack_set_process_callback(m_client, &JackOutputPort::process, this);
        jack_on_shutdown(m_client, &JackOutputPort::serverGone, this);
        m_port = jack_port_register(m_client, kMidiOutPortName, JACK_DEFAULT_MIDI_TYPE,
                                    JackPortIsOutput, 0);
        if (!m_port || jack_activate(m_client) != 0 ||
            jack_connect(m_client, jack_port_name(m_port), target.constData()) != 0) {
            qCWarning(lcMidi) << "The MIDI output port" << target << "could not be opened";
            return false;
        }
        m_active = true;
        return true;
    }

    void send(ShortMessage message) override
    {
        if (!m_active)
            return;
        if (!m_queue.push(message) && !m_overflowLogged) {
            m_overflowLogged = true;
            qCWarning(lcMidi,
                      "JACK takes no MIDI messages: the queue of %zu is full, messages "
                      "are dropped",
                      kQueueSize);
        }
    }

    void close() override
    {
        if (m_active) {
            sendAllNotesOff(*this);
            drain();
            // No process cycle runs past this point, so nothing reads the queue as it goes.
            jack_deactivate(m_client);
            m_active = false;
        }
        if (m_client)
            jack_client_close(m_client);
        m_client = nullptr;
        m_port = nullptr;
    }

private:
    static int process(jack_nframes_t frames, void* arg)
    {
        auto* self = static_cast<JackOutputPort*>(arg);
        void* buffer = jack_port_get_buffer(self->m_port, frames);
        jack_midi_clear_buffer(buffer);
        while (const auto message = self->m_queue.peek()) {
            const std::size_t size = shortMessageLength(uint8_t(*message));
            jack_midi_data_t* data = jack_midi_event_reserve(buffer, 0, size);
            if (!data)
                break; // this period's buffer is full: the rest goes out in the next one
            for (std::size_t i = 0; i < size; ++i)
                data[i] = jack_midi_data_t(*message >> (8 * i));
            self->m_queue.pop();
        }
        self->m_cycles.fetch_add(1, std::memory_order_release);
        return 0;
    }

    static void serverGone(void* arg) { static_cast<JackOutputPort*>(arg)->m_serverGone = true; }

    // Returns once every queued message has reached the ports this one feeds: the queue is
    // empty and two more cycles have ended (the one that may still have been writing the
    // last messages, and one after it, by which time its readers have run). Bounded.
    void drain()
    {
        const jack_nframes_t rate = jack_get_sample_rate(m_client);
        const auto period = std::chrono::microseconds(
            rate ? uint64_t(jack_get_buffer_size(m_client)) * 1'000'000 / rate : 0);
        const auto deadline =
            std::chrono::steady_clock::now() + std::max(kDrainFloor, kDrainPeriods * period);
        bool emptied = false;
        uint64_t emptiedAt = 0;
        while (!m_serverGone) {
            const uint64_t cycles = m_cycles.load(std::memory_order_acquire);
            if (!emptied && m_queue.empty()) {
                emptied = true;
                emptiedAt = cycles;
            }
            if (emptied && cycles >= emptiedAt + 2)
                return;
            if (std::chrono::steady_clock::now() >= deadline) {
                qCWarning(lcMidi, "A JACK MIDI port closes before JACK took all it was sent");
                return;
            }
            std::this_thread::sleep_for(std::min(period / 4 + 100us, 1000us));
        }
    }

    jack_client_t* m_client = nullptr;
    jack_port_t* m_port = nullptr;
    bool m_active = false;
    bool m_overflowLogged = false;
    SpscQueue<ShortMessage, kQueueSize> m_queue;
    std::atomic<uint64_t> m_cycles{0};
    std::atomic<bool> m_serverGone{false};
};

class JackOutputBackend : public MidiOutputBackend
{
public:
    explicit JackOutputBackend(QByteArrayList ports) : m_ports(std::move(ports)) {}
    const char* id() const override { return "jack"; }
    QByteArrayList portNames() override { return m_ports; }

    std::unique_ptr<MidiOutputPort> open(const QByteArray& portName) override
    {
        auto port = std::make_unique<JackOutputPort>();
        if (!port->open(portName))
            return nullptr;
        return port;
    }

private:
    QByteArrayList m_ports;
};

} // namespace

std::unique_ptr<MidiOutputBackend> makeJackOutputBackend(QByteArrayList ports)
{
    return std::make_unique<JackOutputBackend>(std::move(ports));
}

} // namespace tamber
