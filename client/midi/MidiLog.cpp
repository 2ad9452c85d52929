#include "MidiLog.h"

namespace tamber {

Q_LOGGING_CATEGORY(lcMidi, "tamber.midi", QtInfoMsg)

} // namespace tamber
