#include "PCSpeakerVoice.h"

#include "ToneGenerator.h"

#include "client/engine/NoteEngine.h"

#include <cmath>

namespace tamber {

namespace {
constexpr int kLowestBeep = 37;
constexpr int kHighestBeep = 32767;
} // namespace

int noteFrequency(int note)
{
    const double f = 440.0 * std::pow(1.059463094359, note - 69);
    const double down = std::floor(f);
    const double fraction = f - down;
    if (fraction > 0.5)
        return int(down) + 1;
    if (fraction < 0.5)
        return int(down);
    return int(down) % 2 == 0 ? int(down) : int(down) + 1;
}

std::optional<int> beepFrequency(int note)
{
    const int f = noteFrequency(note);
    if (f < kLowestBeep || f > kHighestBeep)
        return std::nullopt;
    return f;
}

PCSpeakerVoice::PCSpeakerVoice(const NoteEngine& engine, ToneGenerator& tones)
    : m_engine(engine), m_tones(tones)
{
}

void PCSpeakerVoice::tmrPCSpeaker_Timer()
{
    // More than a tick of sound still queued: the last round has not played out, just as a
    // tick of blocking beeps would not have returned yet.
    if (m_tones.queuedMs() > kTickMs)
        return;
    for (int n = 0; n <= 127; ++n) {
        if (!m_engine.NoteHeld[std::size_t(n)])
            continue;
        if (const auto f = beepFrequency(n))
            m_tones.queueTone(*f, kToneMs);
    }
}

} // namespace tamber
