#include "FluidLog.h"

#include "FluidLibrary.h"

#include "LibraryMessages.h"
#include "SoundLog.h"

namespace tamber {

namespace {

// Called on whichever thread FluidSynth is on (the loader, the audio callback); Qt's logging
// is safe there.
void logFluidMessage(int level, const char* message, void*)
{
    // An audio system tried in turn that is not there: the outcome is ours to tell.
    if (LibraryMessages::inAttempt())
        level = FLUID_DBG;
    switch (level) {
    case FLUID_PANIC:
    case FLUID_ERR:
        qCCritical(lcSound, "FluidSynth: %s", message);
        break;
    case FLUID_WARN:
        qCWarning(lcSound, "FluidSynth: %s", message);
        break;
    default:
        // Information and debug chatter: only with --verbose.
        qCDebug(lcSound, "FluidSynth: %s", message);
        break;
    }
}

} // namespace

void routeFluidSynthLog(const FluidSynthLibrary& library)
{
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        library.fluid_set_log_function(level, &logFluidMessage, nullptr);
}

} // namespace tamber
