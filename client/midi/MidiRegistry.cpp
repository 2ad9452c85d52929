#include "MidiRegistry.h"

#include "MidiLog.h"

#include <QMetaObject>
#include <QString>
#include <chrono>
#include <cstdio>
#include <utility>

namespace tamber {

namespace {

template <typename Backend>
std::vector<PortEntry> listEntries(const std::vector<std::unique_ptr<Backend>>& backends)
{
    std::vector<PortEntry> entries;
    for (std::size_t b = 0; b < backends.size(); ++b) {
        for (const QByteArray& portName : backends[b]->portNames())
            entries.push_back({b, portName, menuName(portName)});
    }
    return entries;
}

} // namespace

QByteArray menuName(const QByteArray& utf8)
{
    return QString::fromUtf8(utf8).toLatin1();
}

std::optional<ShortMessage> toShortMessage(const unsigned char* bytes, std::size_t size)
{
    if (size == 0 || size > 3 || bytes[0] < 0x80 || bytes[0] == 0xF0)
        return std::nullopt;
    return makeShortMessage(bytes[0], size > 1 ? bytes[1] : 0, size > 2 ? bytes[2] : 0);
}

MidiOutputRegistry::MidiOutputRegistry(std::vector<std::unique_ptr<MidiOutputBackend>> backends)
    : m_backends(std::move(backends)), m_entries(listEntries(m_backends))
{
}

MidiOutputRegistry::~MidiOutputRegistry()
{
    close();
}

QByteArray MidiOutputRegistry::name(int device) const
{
    if (device < 0 || device >= count())
        return {};
    return m_entries[std::size_t(device)].name;
}

bool MidiOutputRegistry::open(int device)
{
    close();
    if (device < 0 || device >= count())
        return false;
    const PortEntry& entry = m_entries[std::size_t(device)];
    m_port = m_backends[entry.backend]->open(entry.backendName);
    if (!m_port)
        return false;
    const unsigned generation = ++m_generation;
    m_port->whenReady([this, generation](bool opened) { settle(generation, opened); });
    return true;
}

void MidiOutputRegistry::settle(unsigned generation, bool opened)
{
    if (generation != m_generation || !m_port)
        return;
    if (!opened) {
        qCDebug(lcMidi) << "The output that was opening failed; what was held is dropped";
        m_held.clear();
        m_port.reset();
        tellSettled(true);
        return;
    }
    m_ready = true;
    for (const ShortMessage message : m_held.take())
        m_port->send(message);
    tellSettled(false);
}

void MidiOutputRegistry::tellSettled(bool failed)
{
    for (const auto& done : std::exchange(m_settled, {}))
        done(failed);
}

void MidiOutputRegistry::whenSettled(std::function<void(bool failed)> done)
{
    if (m_port && !m_ready)
        m_settled.push_back(std::move(done));
    else
        done(false);
}

void MidiOutputRegistry::close()
{
    ++m_generation;
    m_held.clear();
    m_ready = false;
    if (m_port) {
        m_port->close();
        m_port.reset();
    }
    tellSettled(false);
}

void MidiOutputRegistry::send(ShortMessage message)
{
    if (m_trace)
        trace(message);
    if (!m_port)
        return;
    if (m_ready)
        m_port->send(message);
    else
        m_held.hold(message);
}

bool MidiOutputRegistry::traceTo(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        qCWarning(lcMidi) << "The MIDI trace" << path
                          << "could not be written:" << file->errorString();
        return false;
    }
    m_trace = std::move(file);
    return true;
}

void MidiOutputRegistry::trace(ShortMessage message)
{
    // The time is taken first: the line's writing is not part of what is measured.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    char line[64];
    const int size = std::snprintf(line, sizeof line, "%lld %02x %02x %02x\n", (long long)ns,
                                   unsigned(message & 0xFF), unsigned((message >> 8) & 0xFF),
                                   unsigned((message >> 16) & 0xFF));
    m_trace->write(line, size);
}

MidiInputRegistry::MidiInputRegistry(std::vector<std::unique_ptr<MidiInputBackend>> backends)
    : m_backends(std::move(backends)), m_entries(listEntries(m_backends)),
      m_context(std::make_unique<QObject>())
{
}

MidiInputRegistry::~MidiInputRegistry()
{
    // The port's thread stops before the object its messages are queued to goes away.
    close();
}

QByteArray MidiInputRegistry::name(int device) const
{
    if (device < 0 || device >= count())
        return {};
    return m_entries[std::size_t(device)].name;
}

bool MidiInputRegistry::open(int device)
{
    close();
    if (device < 0 || device >= count())
        return false;
    const PortEntry& entry = m_entries[std::size_t(device)];
    const unsigned generation = ++m_generation;
    QObject* context = m_context.get();
    auto onBytes = [this, context, generation](const unsigned char* bytes, std::size_t size) {
        const auto message = toShortMessage(bytes, size);
        if (!message)
            return;
        const ShortMessage m = *message;
        QMetaObject::invokeMethod(
            context, [this, generation, m] { deliver(generation, m); }, Qt::QueuedConnection);
    };
    m_port = m_backends[entry.backend]->open(entry.backendName, onBytes);
    return m_port != nullptr;
}

bool MidiInputRegistry::start()
{
    if (!m_port)
        return false;
    m_started = true;
    return true;
}

void MidiInputRegistry::close()
{
    m_started = false;
    ++m_generation;
    m_port.reset();
}

void MidiInputRegistry::deliver(unsigned generation, ShortMessage message)
{
    if (generation == m_generation && m_started && m_receiver)
        m_receiver(message);
}

} // namespace tamber
