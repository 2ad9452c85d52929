#pragma once

#include "MidiBackends.h"

#include <memory>

namespace tamber {

// MIDI output to JACK ports, with a queue the program can see: messages wait in a ring of
// their own until the port's process callback hands them to JACK, and closing a port first
// waits (a few periods at most) until everything queued has reached the ports it feeds. So
// the note-offs and All Notes Off sent just before an exit or a device change arrive whole.
// `ports` are the JACK MIDI ports that take messages, as listed at start-up.
std::unique_ptr<MidiOutputBackend> makeJackOutputBackend(QByteArrayList ports);

} // namespace tamber
