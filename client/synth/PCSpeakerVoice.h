#pragma once

#include <optional>

namespace tamber {

class NoteEngine;
class ToneGenerator;

// The frequency the PC speaker beeps for a note: 440 x 1.059463094359^(n - 69) Hz rounded to
// the nearest whole number, a tie going to the even one.
int noteFrequency(int note);

// The audible beep for a note, none below 37 Hz or above 32767 Hz (the beep's range).
std::optional<int> beepFrequency(int note);

// Beeps every note held for the PC speaker, 10 ms each, lowest first, tick after tick.
class PCSpeakerVoice
{
public:
    static constexpr int kToneMs = 10;
    static constexpr int kTickMs = 10;

    PCSpeakerVoice(const NoteEngine& engine, ToneGenerator& tones);

    // Every 10 ms. A blocking beep would hold the GUI thread for each held note; instead one
    // round of tones is queued, and only once the previous round has nearly played out, so
    // the heard pattern (a continuous tone, a fast arpeggio for a chord) stays the same.
    void tmrPCSpeaker_Timer();

private:
    const NoteEngine& m_engine;
    ToneGenerator& m_tones;
};

} // namespace tamber
