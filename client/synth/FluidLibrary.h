#pragma once

#include <fluidsynth.h>

namespace tamber {

// The FluidSynth functions the piano calls. The library is opened when first asked for, not at
// exec: with the forty-odd libraries it brings (codecs, SDL, PulseAudio...) linking it took
// 10-13 ms of every start, before the window.
#define TAMBER_FLUIDSYNTH_FUNCTIONS(X)                                                             \
    X(new_fluid_settings)                                                                          \
    X(delete_fluid_settings)                                                                       \
    X(fluid_settings_setint)                                                                       \
    X(fluid_settings_setnum)                                                                       \
    X(fluid_settings_setstr)                                                                       \
    X(fluid_settings_getnum)                                                                       \
    X(new_fluid_synth)                                                                             \
    X(delete_fluid_synth)                                                                          \
    X(fluid_synth_sfload)                                                                          \
    X(fluid_synth_noteon)                                                                          \
    X(fluid_synth_noteoff)                                                                         \
    X(fluid_synth_cc)                                                                              \
    X(fluid_synth_program_change)                                                                  \
    X(fluid_synth_pitch_bend)                                                                      \
    X(fluid_synth_process)                                                                         \
    X(fluid_synth_get_active_voice_count)                                                          \
    X(new_fluid_audio_driver2)                                                                     \
    X(delete_fluid_audio_driver)                                                                   \
    X(fluid_set_log_function)

struct FluidSynthLibrary
{
#define TAMBER_FLUIDSYNTH_MEMBER(name) decltype(&::name) name = nullptr;
    TAMBER_FLUIDSYNTH_FUNCTIONS(TAMBER_FLUIDSYNTH_MEMBER)
#undef TAMBER_FLUIDSYNTH_MEMBER

    // FluidSynth built with OpenMP loads a sound font's samples on a team of threads, one per
    // core, which spin between their tasks. On the calling thread the team is half the cores:
    // the rest stay with the window and the audio server, which start at the same moment (on
    // two cores one thread loads as fast, and the first key sounds ~7 ms sooner).
    void loadOnHalfTheCores() const;
    void (*ompSetNumThreads)(int) = nullptr; // OpenMP's, when FluidSynth uses it
};

// Opens the library once, on whichever thread asks first (a second asker waits for it), and
// routes its messages into the sound category. Null when it cannot be opened, said once there.
const FluidSynthLibrary* fluidSynth();

// True when the file begins as a SoundFont 2 does (a RIFF form of type "sfbk"), as FluidSynth
// would judge it, without opening the library.
bool looksLikeSoundFont(const char* path);

} // namespace tamber
