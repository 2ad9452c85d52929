#pragma once

namespace tamber {

// Sends FluidSynth's own messages (a sound font it cannot read, an audio driver that failed)
// into the sound category instead of straight to standard error. Idempotent.
void routeFluidSynthLog();

} // namespace tamber
