#pragma once

// Test doubles of the MIDI devices and of the note engine's links.

#include "client/engine/MidiDevices.h"
#include "client/engine/NoteEngine.h"

#include <QByteArrayList>
#include <QString>
#include <map>
#include <set>
#include <vector>

namespace tamber::fakes {

class FakeMidiOutputDevices : public MidiOutputDevices
{
public:
    int count() const override { return int(names.size()); }
    QByteArray name(int device) const override { return names.value(device); }
    bool open(int device) override
    {
        close();
        log.push_back("open " + std::to_string(device));
        if (failing.count(device) || device < 0 || device >= count())
            return false;
        openDevice = device;
        return true;
    }
    void close() override
    {
        if (openDevice < 0)
            return;
        log.push_back("close " + std::to_string(openDevice));
        openDevice = -1;
    }
    bool isOpen() const override { return openDevice >= 0; }
    void send(ShortMessage message) override
    {
        if (openDevice >= 0)
            sent.push_back(message);
    }

    QByteArrayList names;
    std::set<int> failing;
    int openDevice = -1;
    std::vector<ShortMessage> sent;
    std::vector<std::string> log;
};

class FakeMidiInputDevices : public MidiInputDevices
{
public:
    int count() const override { return int(names.size()); }
    QByteArray name(int device) const override { return names.value(device); }
    void setReceiver(Receiver r) override { receiver = std::move(r); }
    bool open(int device) override
    {
        close();
        log.push_back("open " + std::to_string(device));
        if (failingOpen.count(device) || device < 0 || device >= count())
            return false;
        openDevice = device;
        return true;
    }
    bool start() override
    {
        log.push_back("start");
        if (openDevice < 0 || failingStart)
            return false;
        started = true;
        return true;
    }
    void close() override
    {
        if (openDevice < 0)
            return;
        log.push_back("close " + std::to_string(openDevice));
        openDevice = -1;
        started = false;
    }
    bool isOpen() const override { return openDevice >= 0; }
    // Delivers a message as the device would.
    void deliver(ShortMessage m)
    {
        if (started && receiver)
            receiver(m);
    }

    QByteArrayList names;
    std::set<int> failingOpen;
    bool failingStart = false;
    int openDevice = -1;
    bool started = false;
    Receiver receiver;
    std::vector<std::string> log;
};

class FakeKeyLights : public KeyLights
{
public:
    void lightKey(int key, uint32_t colour) override { lit[key] = colour; }
    void unlightKey(int key) override { lit.erase(key); }
    std::map<int, uint32_t> lit;
};

class FakeSessionOutbox : public SessionOutbox
{
public:
    void sendSetPatch(uint8_t patch) override
    {
        sent.push_back("SetPatch " + std::to_string(patch));
    }
    void sendNoteOn(uint8_t note, uint8_t velocity) override
    {
        sent.push_back("NoteOn " + std::to_string(note) + " " + std::to_string(velocity));
    }
    void sendNoteOff(uint8_t note) override { sent.push_back("NoteOff " + std::to_string(note)); }
    std::vector<std::string> sent;
};

class FakeRecorder : public EventRecorder
{
public:
    bool IsRecording() const override { return recording; }
    void RecordEvent(int32_t message) override { events.push_back(message); }
    bool recording = false;
    std::vector<int32_t> events;
};

// A note engine wired to fakes, for tests of anything that plays notes.
struct EngineRig
{
    FakeMidiOutputDevices output;
    FakeKeyLights keys;
    FakeSessionOutbox session;
    FakeRecorder recorder;
    PianoState state; // the instrument chosen, MyUserID
    NoteEngine engine{{output, keys, session, recorder, state}};

    EngineRig()
    {
        output.names = {"Fake Synth"};
        output.open(0);
        output.log.clear();
    }
};

} // namespace tamber::fakes
