#include "MidiInput.h"

#include "client/engine/NoteEngine.h"

namespace tamber {

MidiInput::MidiInput(NoteEngine& engine, const PianoState& state) : m_engine(engine), m_state(state)
{
}

void MidiInput::MidiInWindowProc(ShortMessage message)
{
    const uint8_t status = message & 0xFF;
    if (status == 0x90 || status == 0x80)
        play(status, (message >> 8) & 0xFF, (message >> 16) & 0xFF);
}

void MidiInput::playRecorded(ShortMessage message)
{
    const uint8_t kind = message & 0xF0;
    if (kind == 0x90 || kind == 0x80)
        play(kind, (message >> 8) & 0xFF, (message >> 16) & 0xFF);
}

void MidiInput::play(uint8_t kind, uint8_t note, uint8_t velocity)
{
    // The engine ignores a user number that is no MIDI channel.
    const auto user = uint8_t(m_state.MyUserID());
    if (kind == 0x90 && velocity != 0)
        m_engine.StartNote(note, velocity, user, true);
    else
        m_engine.StopNote(note, user, true);
}

} // namespace tamber
