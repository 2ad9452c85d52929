#pragma once

#include "MidiDevices.h"
#include "PianoState.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>

namespace tamber {

// Where the engine shows a note: the on-screen keyboard (keys 0..60 for notes 36..96).
class KeyLights
{
public:
    virtual ~KeyLights() = default;
    // colour is a PaintKey value: red + green * 256 + blue * 65536.
    virtual void lightKey(int key, uint32_t colour) = 0;
    virtual void unlightKey(int key) = 0;
};

// The session, seen from the engine: the local player's events for the other players.
// Dropped while not connected.
class SessionOutbox
{
public:
    virtual ~SessionOutbox() = default;
    virtual void sendSetPatch(uint8_t patch) = 0;
    virtual void sendNoteOn(uint8_t note, uint8_t velocity) = 0;
    virtual void sendNoteOff(uint8_t note) = 0;
};

// The recorder, seen from the engine.
class EventRecorder
{
public:
    virtual ~EventRecorder() = default;
    virtual bool IsRecording() const = 0;
    virtual void RecordEvent(int32_t message) = 0;
};

// MIDI channels: user numbers 0..15 each sound on their own.
constexpr int kChannels = 16;
constexpr int kFirstKeyNote = 36; // shpKey(0)
constexpr int kLastKeyNote = 96;  // shpKey(60)
constexpr int kKeyCount = kLastKeyNote - kFirstKeyNote + 1;

// The fill colour of a lit key: red + green * 256 + blue * 65536.
uint32_t PaintKey(uint8_t user, uint8_t velocity);

// The one path every note takes: sound (MIDI output or PC-speaker marks), key light,
// session and recorder.
//
// Only a note that sounds is ever stopped: a StopNote for any other sends, shows and records
// nothing.
//
// Values that only a faulty peer or file can produce are guarded: a user above 15 has no
// MIDI channel and a note above 127 no key, so such calls do nothing; a velocity above 127
// is clamped to 127.
class NoteEngine
{
public:
    struct Links
    {
        MidiOutputDevices& output;
        KeyLights& keys;
        SessionOutbox& session;
        EventRecorder& recorder;
        const PianoState& state; // the instrument chosen, MyUserID
    };

    explicit NoteEngine(Links links);

    void StartNote(uint8_t note, uint8_t velocity, uint8_t user, bool sendToSession);
    void StopNote(uint8_t note, uint8_t user, bool sendToSession);
    void SelectPatch(uint8_t patch, uint8_t user, bool sendToSession);
    // A channel message of a MIDI file, on its own channel: it goes to the output as it is,
    // notes light in their channel's colour, a program change selects the instrument. None
    // of it reaches the session or a recording.
    void PlayFileMessage(ShortMessage message);
    // Ends every note still sounding on the local channel (ascending), silences the PC
    // speaker and unlights every key.
    void SilenceAll();
    // Ends the notes still sounding on one user's channel (a player who left the session).
    void SilenceChannel(uint8_t user);
    // A note-off for every note still sounding, on every channel (the program is ending: an
    // external synthesizer would hold them otherwise).
    void StopSoundingNotes();

    bool UsePCSpeaker = false;
    std::array<bool, 128> NoteHeld{};

    bool isSounding(uint8_t user, uint8_t note) const;

private:
    static bool valid(uint8_t note, uint8_t user) { return note <= 127 && user <= 15; }
    // Lights the note's key in the user's colour, or unlights it; notes without a key show
    // nothing.
    void showNote(uint8_t note, uint8_t user, uint8_t velocity, bool on);

    Links m_links;
    std::array<std::bitset<128>, kChannels>
        m_sounding; // per channel, notes started and not stopped
};

} // namespace tamber
