#pragma once

#include "client/engine/MidiDevices.h"

#include <QByteArray>
#include <QByteArrayList>
#include <functional>
#include <memory>
#include <vector>

namespace tamber {

class SynthEngine;
struct MidiSystems;

// One open MIDI output port of some backend.
class MidiOutputPort
{
public:
    virtual ~MidiOutputPort() = default;
    virtual void send(ShortMessage message) = 0;
    // Leaves nothing sounding that this program started, then lets go of the port.
    virtual void close() = 0;
    // Called once, right after the open: `ready` runs on this thread when the port can play
    // (true) or has failed (false), at once for a port that is ready when open returns. Until
    // then nothing is sent to it. Not called once the port has been closed.
    virtual void whenReady(std::function<void(bool opened)> ready) { ready(true); }
};

// An external synthesizer keeps sounding whatever it was told last: ports to one send All
// Notes Off on every channel before they let go.
void sendAllNotesOff(MidiOutputPort& port);

// How many bytes of a short message with this status go on the wire.
std::size_t shortMessageLength(uint8_t status);

// The names the program shows to the MIDI systems (ALSA sequencer, JACK).
constexpr const char* kMidiClientName = "Tamber Piano";
constexpr const char* kMidiOutPortName = "Tamber Piano Out";

// One kind of MIDI output (the built-in synthesizer, ALSA, JACK): lists its ports and opens
// one of them.
class MidiOutputBackend
{
public:
    virtual ~MidiOutputBackend() = default;
    virtual const char* id() const = 0;
    // Names as the backend spells them (UTF-8). A backend that cannot run lists none.
    virtual QByteArrayList portNames() = 0;
    // Opens the port listed under that name; null when it cannot be opened.
    virtual std::unique_ptr<MidiOutputPort> open(const QByteArray& portName) = 0;
};

// One open MIDI input port; closing is destroying it.
class MidiInputPort
{
public:
    virtual ~MidiInputPort() = default;
};

class MidiInputBackend
{
public:
    // Whole messages as they come, on the backend's own thread.
    using Bytes = std::function<void(const unsigned char* bytes, std::size_t size)>;
    virtual ~MidiInputBackend() = default;
    virtual const char* id() const = 0;
    virtual QByteArrayList portNames() = 0;
    virtual std::unique_ptr<MidiInputPort> open(const QByteArray& portName, Bytes onMessage) = 0;
};

// The backends in the order their ports are numbered: the built-in synthesizer (when it has a
// sound font), ALSA sequencer ports, JACK ports. A system that is missing (no ALSA sequencer,
// no JACK server) has no backend; JACK's ports are those the look at the systems found.
std::vector<std::unique_ptr<MidiOutputBackend>> makeOutputBackends(SynthEngine* synth,
                                                                   const MidiSystems& systems);
std::vector<std::unique_ptr<MidiInputBackend>> makeInputBackends(const MidiSystems& systems);

// The product name of the built-in synthesizer, at most 31 characters.
constexpr const char* kBuiltInSynthName = "Tamber Built-in Synthesizer";

} // namespace tamber
