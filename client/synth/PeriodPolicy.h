#pragma once

#include <array>
#include <cstdint>

namespace tamber {

struct PeriodLimits
{
    int growUpTo = 1024;      // ~21 ms at 48 kHz: beyond this a piano is hardly playable
    int64_t apartMs = 1000;   // underruns closer than this to a counted one are the same hiccup
    int underruns = 4;        // this many hiccups...
    int64_t windowMs = 10000; // ...within this long make the period grow
    int64_t helpedMs = 60000; // a grown period that kept quiet this long helped
};

// How many frames the audio stream asks for at a time, and when that grows. A short period
// makes a key sound at once; a machine that cannot wake the audio thread that often lets the
// device run dry, and every underrun is heard as a crackle. A busy machine that can keep up
// still stalls now and then, often several times within one load spike: growing for that
// would cost every later key its delay for good. So underruns count as one hiccup per second,
// and only hiccups in several seconds out of a few (sound that keeps crackling) double the
// period, up to a bound; counting then starts afresh with the new period.
//
// Some crackle is not ours to cure: a sound server or device that loses time runs dry whatever
// we ask of it. A grown period that crackles again soon and about as densely as the one before
// did not help, so the policy steps back to that one and grows no more: the keys keep their
// short delay.
class PeriodPolicy
{
public:
    enum class Verdict
    {
        Keep,     // not yet repeated
        Grow,     // frames() is the new, longer period
        StepBack, // the longer period did not help: frames() is the one before, kept from now on
        AtLimit,  // repeated, but the period cannot grow (a bound, or not ours to choose)
    };

    // FluidSynth renders 64 frames at a time: shorter periods cost more and gain nothing.
    static constexpr int kMinFrames = 64;
    static constexpr int kMaxFrames = 8192;

    // The period in effect; canGrow false when the audio system imposes it (JACK).
    explicit PeriodPolicy(int frames, bool canGrow = true, PeriodLimits limits = {});

    // An underrun that happened at nowMs (any steady clock).
    Verdict underrun(int64_t nowMs);
    int frames() const { return m_frames; }

    // A period asked for in the settings, made one the synthesizer can use: a multiple of 64
    // frames within the bounds. 0 when the value is no period at all (zero or negative).
    static int usable(int64_t frames);

private:
    int m_frames;
    bool m_canGrow;
    PeriodLimits m_limits;
    std::array<int64_t, 8> m_recent{}; // times of the latest counted hiccups, a ring
    int m_count = 0;                   // how many of m_recent are in use
    int m_next = 0;
    // The growth under trial: the period before it, how densely that one crackled (the time
    // its deciding hiccups spanned), and when it happened.
    int m_before = 0;
    int64_t m_beforeSpanMs = 0;
    int64_t m_grownAtMs = 0;
    bool m_settled = false; // stepped back: the period stays

    bool helped(int64_t nowMs, int64_t spanMs) const;
};

} // namespace tamber
