#pragma once

#include "client/engine/MidiDevices.h"

#include <cstdint>
#include <functional>

namespace tamber {

class NoteEngine;
class PianoState;

// Plays what a MIDI input device sends, and what the player feeds back from a recording:
// note messages of the first MIDI channel, on the local player's channel.
class MidiInput
{
public:
    MidiInput(NoteEngine& engine, const PianoState& state);

    // One short message: status in bits 0-7, note in 8-15, velocity in 16-23; the top byte
    // is ignored. Anything but a channel-0 note on or off is ignored.
    void MidiInWindowProc(ShortMessage message);
    // An event of a recording played back: a note on or off of any channel is the local
    // player's own (a take made in a session holds the seat's channel, a file may hold
    // several players); anything else is ignored.
    void playRecorded(ShortMessage message);

private:
    void play(uint8_t kind, uint8_t note, uint8_t velocity);

    NoteEngine& m_engine;
    const PianoState& m_state;
};

} // namespace tamber
