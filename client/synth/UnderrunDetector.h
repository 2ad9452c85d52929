#pragma once

#include <cstdint>

namespace tamber {

// Tells from the times of the audio callbacks when the device must have run dry. FluidSynth's
// drivers report no underruns (the PulseAudio one writes through pa_simple, which hides them;
// the JACK one keeps the JACK client to itself), so the audio thread times itself.
//
// The device plays at a steady rate, so a stream that keeps up finishes callback i at about
// start + frames delivered before it / rate: the difference (the phase) stays put, give or
// take the wake-up jitter. A callback that finishes later than the earliest phase seen by more
// than the audio buffered ahead (the slack) came too late: the device had nothing to play.
// The reference follows the device's clock if it drifts slowly against ours, and moves to the
// late phase after an underrun, when the device starts over. A gap in silence is no crackle:
// only underruns next to sound are reported.
class UnderrunDetector
{
public:
    // Before the first callback of a new stream.
    void reset()
    {
        m_started = false;
        m_wasAudible = false;
    }
    // At the end of a callback that delivered `frames` frames, `audible` when they held
    // sound; true when it came too late next to sound. The slack is one period: what each of
    // FluidSynth's drivers has queued ahead when it asks for the next (JACK's next cycle,
    // PulseAudio's target length of one period, the second of ALSA's two periods).
    bool finished(int64_t nowNs, int frames, double sampleRate, bool audible);

private:
    double m_rate = 0;
    int64_t m_delivered = 0; // frames delivered before the current callback
    int64_t m_reference = 0;
    int64_t m_last = 0;
    bool m_started = false;
    bool m_wasAudible = false;

    bool late(int64_t nowNs, int frames, double sampleRate);
};

} // namespace tamber
