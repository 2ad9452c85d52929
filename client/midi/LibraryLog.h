#pragma once

#include "client/synth/LibraryMessages.h"

namespace tamber {

// JACK and ALSA print straight to standard error by default, a dozen lines for a system that is
// simply not there. From routeLibraryMessages() on, what they print goes into our categories as
// debug messages (--verbose shows them), and we say once, in our own words, what a missing
// system means. Call it first thing, before any library is used; idempotent.
void routeLibraryMessages();

} // namespace tamber
