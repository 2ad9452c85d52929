#include "MidiBackends.h"

#include "JackMidiOutput.h"
#include "LibraryLog.h"
#include "MidiLog.h"
#include "MidiSystems.h"

#include "client/synth/SynthEngine.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace tamber {

namespace {

constexpr const char* kInPortName = "Tamber Piano In";

// Device errors are not shown to the user (a port that fails is simply silent), but they are
// logged. Without this callback RtMidi would throw or print them itself. Its warnings come
// with every listing of a system that is not running (no JACK server), so they wait for
// --verbose.
void logError(RtMidiError::Type type, const std::string& text, void*)
{
    if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING)
        qCDebug(lcMidi, "RtMidi: %s", text.c_str());
    else
        qCWarning(lcMidi, "RtMidi: %s", text.c_str());
}

// RtMidi reports a failure inside its constructors on std::cerr, before an error callback can
// be set; while one of these lives, what it prints there goes to the debug log instead.
class RtMidiConstruction
{
public:
    RtMidiConstruction() : m_previous(std::cerr.rdbuf(&m_text)) {}
    ~RtMidiConstruction()
    {
        std::cerr.rdbuf(m_previous);
        std::istringstream lines(m_text.str());
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty())
                qCDebug(lcMidi, "RtMidi: %s", line.c_str());
        }
    }
    RtMidiConstruction(const RtMidiConstruction&) = delete;
    RtMidiConstruction& operator=(const RtMidiConstruction&) = delete;

private:
    std::stringbuf m_text;
    std::streambuf* m_previous;
};

bool compiled(RtMidi::Api api)
{
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    return std::find(apis.begin(), apis.end(), api) != apis.end();
}

// Makes an RtMidi object for exactly this API, or null when the API's system is missing
// (RtMidi throws a driver error, for instance, when there is no ALSA sequencer).
template <typename T> std::unique_ptr<T> makeRtMidi(RtMidi::Api api)
{
    if (!compiled(api))
        return nullptr;
    LibraryMessages messages(&lcMidi);
    RtMidiConstruction construction;
    try {
        auto midi = std::make_unique<T>(api, kMidiClientName);
        if (midi->getCurrentApi() != api)
            return nullptr;
        midi->setErrorCallback(&logError, nullptr);
        return midi;
    } catch (const RtMidiError& error) {
        // Expected where that system is missing (no ALSA sequencer, no JACK server).
        qCDebug(lcMidi, "RtMidi: %s", error.what());
        return nullptr;
    }
}

template <typename T> QByteArrayList listPorts(RtMidi::Api api)
{
    QByteArrayList names;
    auto midi = makeRtMidi<T>(api);
    if (!midi)
        return names;
    const unsigned count = midi->getPortCount();
    for (unsigned i = 0; i < count; ++i)
        names.append(QByteArray::fromStdString(midi->getPortName(i)));
    return names;
}

// Port numbers move when other programs come and go, so a port is found again by its name.
template <typename T> int findPort(T& midi, const QByteArray& portName)
{
    const unsigned count = midi.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        if (QByteArray::fromStdString(midi.getPortName(i)) == portName)
            return int(i);
    }
    return -1;
}

class BuiltInSynthPort : public MidiOutputPort
{
public:
    explicit BuiltInSynthPort(SynthEngine& synth) : m_synth(synth) { m_synth.setListening(true); }
    ~BuiltInSynthPort() override
    {
        m_synth.forgetReady();
        m_synth.setListening(false);
    }
    void send(ShortMessage message) override { m_synth.send(message); }
    void whenReady(std::function<void(bool)> ready) override
    {
        m_synth.openInBackground(std::move(ready));
    }
    // The stream keeps running: the PC-speaker tones play through it.
    void close() override
    {
        m_synth.allSoundOff();
        m_synth.setListening(false);
    }

private:
    SynthEngine& m_synth;
};

class BuiltInSynthBackend : public MidiOutputBackend
{
public:
    explicit BuiltInSynthBackend(SynthEngine& synth) : m_synth(synth) {}
    const char* id() const override { return "builtin"; }
    QByteArrayList portNames() override
    {
        if (!m_synth.hasSoundFont())
            return {};
        return {QByteArray(kBuiltInSynthName)};
    }
    std::unique_ptr<MidiOutputPort> open(const QByteArray&) override
    {
        if (!m_synth.hasSoundFont())
            return nullptr;
        // The audio output and the sound font open in the background: see whenReady().
        return std::make_unique<BuiltInSynthPort>(m_synth);
    }

private:
    SynthEngine& m_synth;
};

// The ALSA sequencer's ports: RtMidi hands each message to the sequencer as it is sent.
class RtMidiOutputPort : public MidiOutputPort
{
public:
    explicit RtMidiOutputPort(std::unique_ptr<RtMidiOut> midi) : m_midi(std::move(midi)) {}
    ~RtMidiOutputPort() override { close(); }
    void send(ShortMessage message) override
    {
        if (!m_midi)
            return;
        const unsigned char bytes[3] = {uint8_t(message), uint8_t(message >> 8),
                                        uint8_t(message >> 16)};
        m_midi->sendMessage(bytes, shortMessageLength(bytes[0]));
    }
    void close() override
    {
        if (!m_midi)
            return;
        sendAllNotesOff(*this);
        m_midi->closePort();
        m_midi.reset();
    }

private:
    std::unique_ptr<RtMidiOut> m_midi;
};

class RtMidiOutputBackend : public MidiOutputBackend
{
public:
    RtMidiOutputBackend(RtMidi::Api api, const char* id) : m_api(api), m_id(id) {}
    const char* id() const override { return m_id; }
    QByteArrayList portNames() override { return listPorts<RtMidiOut>(m_api); }
    std::unique_ptr<MidiOutputPort> open(const QByteArray& portName) override
    {
        auto midi = makeRtMidi<RtMidiOut>(m_api);
        if (!midi)
            return nullptr;
        const int port = findPort(*midi, portName);
        if (port < 0) {
            qCWarning(lcMidi) << "The MIDI port" << portName << "is gone";
            return nullptr;
        }
        midi->openPort(unsigned(port), kMidiOutPortName);
        if (!midi->isPortOpen()) {
            qCWarning(lcMidi) << "The MIDI output port" << portName << "could not be opened";
            return nullptr;
        }
        return std::make_unique<RtMidiOutputPort>(std::move(midi));
    }

private:
    RtMidi::Api m_api;
    const char* m_id;
};

class RtMidiInputPort : public MidiInputPort
{
public:
    RtMidiInputPort(std::unique_ptr<RtMidiIn> midi, MidiInputBackend::Bytes onMessage)
        : m_midi(std::move(midi)), m_onMessage(std::move(onMessage))
    {
        // System exclusive, clock and active sensing never make a note. The callback is in
        // place before the port opens, so no message waits in RtMidi's own queue.
        m_midi->ignoreTypes(true, true, true);
        m_midi->setCallback(&RtMidiInputPort::received, this);
    }
    ~RtMidiInputPort() override
    {
        m_midi->closePort();
        m_midi->cancelCallback();
    }
    bool open(unsigned port)
    {
        m_midi->openPort(port, kInPortName);
        return m_midi->isPortOpen();
    }

private:
    static void received(double, std::vector<unsigned char>* message, void* self)
    {
        if (message && !message->empty())
            static_cast<RtMidiInputPort*>(self)->m_onMessage(message->data(), message->size());
    }
    std::unique_ptr<RtMidiIn> m_midi;
    MidiInputBackend::Bytes m_onMessage;
};

class RtMidiInputBackend : public MidiInputBackend
{
public:
    RtMidiInputBackend(RtMidi::Api api, const char* id) : m_api(api), m_id(id) {}
    // Ports already listed (JACK's, by the look at the systems): listing them again would
    // cost RtMidi a JACK client of its own.
    RtMidiInputBackend(RtMidi::Api api, const char* id, QByteArrayList listed)
        : m_api(api), m_id(id), m_listed(std::move(listed))
    {
    }
    const char* id() const override { return m_id; }
    QByteArrayList portNames() override
    {
        return m_listed ? *m_listed : listPorts<RtMidiIn>(m_api);
    }
    std::unique_ptr<MidiInputPort> open(const QByteArray& portName, Bytes onMessage) override
    {
        auto midi = makeRtMidi<RtMidiIn>(m_api);
        if (!midi)
            return nullptr;
        const int port = findPort(*midi, portName);
        if (port < 0) {
            qCWarning(lcMidi) << "The MIDI port" << portName << "is gone";
            return nullptr;
        }
        auto opened = std::make_unique<RtMidiInputPort>(std::move(midi), std::move(onMessage));
        if (!opened->open(unsigned(port))) {
            qCWarning(lcMidi) << "The MIDI input port" << portName << "could not be opened";
            return nullptr;
        }
        return opened;
    }

private:
    RtMidi::Api m_api;
    const char* m_id;
    std::optional<QByteArrayList> m_listed;
};

} // namespace

void sendAllNotesOff(MidiOutputPort& port)
{
    for (uint8_t channel = 0; channel < 16; ++channel)
        port.send(makeShortMessage(0xB0 | channel, 123, 0));
}

std::size_t shortMessageLength(uint8_t status)
{
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 2;
    default:
        return 3;
    }
}

std::vector<std::unique_ptr<MidiOutputBackend>> makeOutputBackends(SynthEngine* synth,
                                                                   const MidiSystems& systems)
{
    std::vector<std::unique_ptr<MidiOutputBackend>> backends;
    if (synth)
        backends.push_back(std::make_unique<BuiltInSynthBackend>(*synth));
    if (systems.alsaSequencer)
        backends.push_back(std::make_unique<RtMidiOutputBackend>(RtMidi::LINUX_ALSA, "alsa"));
    if (systems.jackServer)
        backends.push_back(makeJackOutputBackend(systems.jackPlayable));
    return backends;
}

std::vector<std::unique_ptr<MidiInputBackend>> makeInputBackends(const MidiSystems& systems)
{
    std::vector<std::unique_ptr<MidiInputBackend>> backends;
    if (systems.alsaSequencer)
        backends.push_back(std::make_unique<RtMidiInputBackend>(RtMidi::LINUX_ALSA, "alsa"));
    if (systems.jackServer) {
        backends.push_back(
            std::make_unique<RtMidiInputBackend>(RtMidi::UNIX_JACK, "jack", systems.jackAudible));
    }
    return backends;
}

} // namespace tamber
