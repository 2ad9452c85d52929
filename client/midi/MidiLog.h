#pragma once

#include <QLoggingCategory>

namespace tamber {

// MIDI ports: what RtMidi reports and which port could not be found or opened.
Q_DECLARE_LOGGING_CATEGORY(lcMidi)

} // namespace tamber
