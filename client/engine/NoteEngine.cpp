#include "NoteEngine.h"

#include <algorithm>

namespace tamber {

uint32_t PaintKey(uint8_t user, uint8_t velocity)
{
    const int shade = 255 - 2 * std::min<int>(velocity, 127);
    auto rgb = [](int r, int g, int b) {
        return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
    };
    switch (user) {
    case 0:
    case 1:
    case 7:
        return rgb(shade, shade, 255);
    case 2:
    case 8:
        return rgb(shade, 255, shade);
    case 3:
        return rgb(255, shade, shade);
    case 4:
        return rgb(255, 255, shade);
    case 5:
        return rgb(255, shade, 255);
    case 6:
        return rgb(shade, 255, 255);
    default:
        return rgb(0, 0, 0);
    }
}

NoteEngine::NoteEngine(Links links) : m_links(std::move(links)) {}

void NoteEngine::StartNote(uint8_t note, uint8_t velocity, uint8_t user, bool sendToSession)
{
    if (!valid(note, user))
        return;
    velocity = std::min<uint8_t>(velocity, 127);
    const ShortMessage noteOn = makeShortMessage(0x90 + user, note, velocity);
    if (UsePCSpeaker)
        NoteHeld[note] = true;
    else
        m_links.output.send(noteOn);
    m_sounding[user].set(note);

    showNote(note, user, velocity, true);

    if (sendToSession) {
        m_links.session.sendSetPatch(m_links.state.instrument());
        m_links.session.sendNoteOn(note, velocity);
    }
    // Recordings made with the PC speaker keep their note-ons, so they play back.
    if (m_links.recorder.IsRecording())
        m_links.recorder.RecordEvent(int32_t(noteOn));
}

void NoteEngine::StopNote(uint8_t note, uint8_t user, bool sendToSession)
{
    // A note-off for a note this engine did not start (a key pressed while another window
    // had the keyboard, a peer's stray release) would reach an external synthesizer, the
    // other players and a recording as a note nobody played: it is dropped here, for every
    // caller at once.
    if (!isSounding(user, note))
        return;
    const ShortMessage noteOff = makeShortMessage(0x80 + user, note, 0);
    NoteHeld[note] = false;
    m_links.output.send(noteOff);
    m_sounding[user].reset(note);

    showNote(note, user, 0, false);

    if (sendToSession)
        m_links.session.sendNoteOff(note);
    if (m_links.recorder.IsRecording())
        m_links.recorder.RecordEvent(int32_t(noteOff));
}

void NoteEngine::SelectPatch(uint8_t patch, uint8_t user, bool sendToSession)
{
    if (patch > 127 || user > 15)
        return;
    m_links.output.send(makeShortMessage(0xC0 + user, patch, 0));
    if (sendToSession)
        m_links.session.sendSetPatch(patch);
}

void NoteEngine::PlayFileMessage(ShortMessage message)
{
    const uint8_t status = message & 0xFF;
    const uint8_t channel = status & 0x0F;
    const uint8_t data1 = (message >> 8) & 0x7F;
    const uint8_t data2 = (message >> 16) & 0x7F;
    const uint8_t kind = status & 0xF0;
    if (kind == 0xC0) {
        SelectPatch(data1, channel, false);
        return;
    }
    if (kind != 0x80 && kind != 0x90) {
        if (!UsePCSpeaker)
            m_links.output.send(message);
        return;
    }
    // Sent as the file has it (a release velocity, a note-on of velocity 0); shown as
    // StartNote and StopNote show a note.
    const bool on = kind == 0x90 && data2 != 0;
    if (UsePCSpeaker)
        NoteHeld[data1] = on;
    if (!UsePCSpeaker || !on)
        m_links.output.send(message);
    m_sounding[channel].set(data1, on);
    showNote(data1, channel, data2, on);
}

void NoteEngine::showNote(uint8_t note, uint8_t user, uint8_t velocity, bool on)
{
    if (note < kFirstKeyNote || note > kLastKeyNote)
        return;
    if (on)
        m_links.keys.lightKey(note - kFirstKeyNote, PaintKey(user, velocity));
    else
        m_links.keys.unlightKey(note - kFirstKeyNote);
}

void NoteEngine::SilenceAll()
{
    SilenceChannel(uint8_t(m_links.state.MyUserID()));
    // Whoever's note held a beep or lit a key, the speaker stops and the keyboard goes dark.
    NoteHeld.fill(false);
    for (int key = 0; key < kKeyCount; ++key)
        m_links.keys.unlightKey(key);
}

void NoteEngine::SilenceChannel(uint8_t user)
{
    if (user > 15)
        return;
    for (int n = 0; n <= 127; ++n) {
        if (m_sounding[user].test(n))
            StopNote(uint8_t(n), user, false);
    }
}

void NoteEngine::StopSoundingNotes()
{
    for (uint8_t user = 0; user <= 15; ++user)
        SilenceChannel(user);
}

bool NoteEngine::isSounding(uint8_t user, uint8_t note) const
{
    return valid(note, user) && m_sounding[user].test(note);
}

} // namespace tamber
