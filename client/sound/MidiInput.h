#pragma once

#include "MidiDevices.h"

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

private:
    NoteEngine& m_engine;
    const PianoState& m_state;
};

} // namespace tamber
