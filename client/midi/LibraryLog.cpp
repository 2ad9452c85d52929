#include "LibraryLog.h"

#include "MidiLog.h"

#include "client/synth/SoundLog.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace tamber {

namespace {

// JACK's messages come from the MIDI ports, the MIDI listing and the synthesizer's audio
// output alike; a thread that knows which says so.
void logJack(const char* text)
{
    LibraryMessages::Category category = LibraryMessages::category();
    if (!category)
        category = &lcMidi;
    qCDebug(category, "JACK: %s", text);
}

// The sequencer's parts of ALSA are MIDI, the rest (PCM, configuration) the audio output.
void logAlsa(const char* file, int line, const char* function, int error, const char* format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    LibraryMessages::Category category = LibraryMessages::category();
    if (!category)
        category = file && std::strncmp(file, "seq", 3) == 0 ? &lcMidi : &lcSound;
    if (error)
        qCDebug(category, "ALSA: %s:%d:(%s) %s: %s", file, line, function, text,
                snd_strerror(error));
    else
        qCDebug(category, "ALSA: %s:%d:(%s) %s", file, line, function, text);
}

} // namespace

void routeLibraryMessages()
{
    jack_set_error_function(&logJack);
    jack_set_info_function(&logJack);
    snd_lib_error_set_handler(&logAlsa);
}

} // namespace tamber
