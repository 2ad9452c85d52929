#pragma once

#include "HeldNotes.h"
#include "MidiBackends.h"

#include "client/engine/MidiDevices.h"

#include <QFile>
#include <QObject>
#include <memory>
#include <optional>
#include <vector>

namespace tamber {

// The program's numbering of MIDI ports: the ports of each backend in the backends' order,
// fixed when the registry is made (as the menus are built once per run).
struct PortEntry
{
    std::size_t backend = 0;
    QByteArray backendName; // as the backend spells it, to find the port again
    QByteArray name;        // Latin-1, as the menus show it
};

// MIDI output devices made of backends (see makeOutputBackends()). While the open port is
// not ready yet, what is sent is held (HeldNotes) and reaches it once it is.
class MidiOutputRegistry : public MidiOutputDevices
{
public:
    explicit MidiOutputRegistry(std::vector<std::unique_ptr<MidiOutputBackend>> backends);
    ~MidiOutputRegistry() override;

    int count() const override { return int(m_entries.size()); }
    QByteArray name(int device) const override;
    bool open(int device) override;
    void close() override;
    bool isOpen() const override { return m_port != nullptr; }
    void send(ShortMessage message) override;
    void whenSettled(std::function<void(bool failed)> done) override;

    // For latency measurements: from now on every message sent is appended to the file at
    // `path` as a line "<steady-clock nanoseconds> <status> <data1> <data2>" (hex bytes).
    // Off unless called; false when the file cannot be opened.
    bool traceTo(const QString& path);

private:
    void trace(ShortMessage message);
    void settle(unsigned generation, bool opened);
    void tellSettled(bool failed);

    std::vector<std::unique_ptr<MidiOutputBackend>> m_backends;
    std::vector<PortEntry> m_entries;
    std::unique_ptr<MidiOutputPort> m_port;
    std::unique_ptr<QFile> m_trace;
    bool m_ready = false;
    unsigned m_generation = 0; // a port closed since is no longer waited for
    HeldNotes m_held;
    std::vector<std::function<void(bool)>> m_settled;
};

// MIDI input devices made of backends. Messages come on the backends' threads and are handed
// to the receiver on the thread that made the registry (the GUI thread), queued.
class MidiInputRegistry : public MidiInputDevices
{
public:
    explicit MidiInputRegistry(std::vector<std::unique_ptr<MidiInputBackend>> backends);
    ~MidiInputRegistry() override;

    int count() const override { return int(m_entries.size()); }
    QByteArray name(int device) const override;
    void setReceiver(Receiver receiver) override { m_receiver = std::move(receiver); }
    bool open(int device) override;
    bool start() override;
    void close() override;
    bool isOpen() const override { return m_port != nullptr; }

private:
    void deliver(unsigned generation, ShortMessage message);

    std::vector<std::unique_ptr<MidiInputBackend>> m_backends;
    std::vector<PortEntry> m_entries;
    std::unique_ptr<MidiInputPort> m_port;
    std::unique_ptr<QObject> m_context; // lives on the GUI thread; queued deliveries target it
    Receiver m_receiver;
    unsigned m_generation = 0; // messages of a port closed since are dropped
    bool m_started = false;
};

// A whole MIDI message as a short message: one to three bytes beginning with a status byte.
// System exclusive and other long messages, and data without a status byte (running status
// that a backend did not expand), are none.
std::optional<ShortMessage> toShortMessage(const unsigned char* bytes, std::size_t size);

// A backend's name as the menus show it: Latin-1 bytes (other characters become '?').
QByteArray menuName(const QByteArray& utf8);

} // namespace tamber
