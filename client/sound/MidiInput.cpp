#include "MidiInput.h"

#include "NoteEngine.h"

namespace tamber {

MidiInput::MidiInput(NoteEngine& engine, const PianoState& state) : m_engine(engine), m_state(state)
{
}

void MidiInput::MidiInWindowProc(ShortMessage message)
{
    const uint8_t status = message & 0xFF;
    const uint8_t data1 = (message >> 8) & 0xFF;
    const uint8_t data2 = (message >> 16) & 0xFF;
    // The engine ignores a user number that is no MIDI channel.
    const auto user = uint8_t(m_state.MyUserID);
    if (status == 0x90 && data2 != 0)
        m_engine.StartNote(data1, data2, user, true);
    else if (status == 0x80 || (status == 0x90 && data2 == 0))
        m_engine.StopNote(data1, user, true);
}

} // namespace tamber
