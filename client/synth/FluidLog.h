#pragma once

namespace tamber {

struct FluidSynthLibrary;

// Sends FluidSynth's own messages (a sound font it cannot read, an audio driver that failed)
// into the sound category instead of straight to standard error. Done as the library opens.
void routeFluidSynthLog(const FluidSynthLibrary& library);

} // namespace tamber
