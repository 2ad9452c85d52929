#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>

namespace tamber {

// A MIDI short message: status, data 1, data 2 in the low three bytes, lowest first.
using ShortMessage = uint32_t;

constexpr ShortMessage makeShortMessage(uint8_t status, uint8_t data1, uint8_t data2)
{
    return ShortMessage(status) | (ShortMessage(data1) << 8) | (ShortMessage(data2) << 16);
}

// The machine's MIDI output devices, numbered 0..count()-1. At most one is open at a time:
// it is what the program calls hMidiOut.
class MidiOutputDevices
{
public:
    virtual ~MidiOutputDevices() = default;
    virtual int count() const = 0;
    // The product name as the device reports it (may hold a NUL; the menu cuts it).
    virtual QByteArray name(int device) const = 0;
    // Closes any open device first. False when the device could not be opened.
    virtual bool open(int device) = 0;
    // Turns every note of the open device off, then closes it. Nothing when none is open.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Sent to the open device; lost silently when none is open or the device fails.
    virtual void send(ShortMessage message) = 0;
    // A device may still be opening when open() returns (the built-in synthesizer loads in
    // the background): `done` runs on this thread once it is settled, with true when it
    // failed after all and is closed. At once for every other device, and with false when
    // the device was closed meanwhile: open()'s result told what there was to tell.
    virtual void whenSettled(std::function<void(bool failed)> done) { done(false); }
};

// The machine's MIDI input devices; each incoming short message is handed to the receiver
// on the GUI thread.
class MidiInputDevices
{
public:
    using Receiver = std::function<void(ShortMessage)>;
    virtual ~MidiInputDevices() = default;
    virtual int count() const = 0;
    virtual QByteArray name(int device) const = 0;
    virtual void setReceiver(Receiver receiver) = 0;
    // Closes any open device first. False when the device could not be opened.
    virtual bool open(int device) = 0;
    // Starts delivery from the open device; false when none is open or it cannot start.
    virtual bool start() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};

} // namespace tamber
