#pragma once

#include <QCommandLineOption>

namespace tamber {

// Each part of both programs logs into a category of its own (tamber.sound, tamber.midi,
// tamber.session, tamber.files, corvent.relay). Warnings and information are shown by default;
// --verbose adds the debug messages. QT_LOGGING_RULES still has the last word.
// Its text is translated when it is made: make it once the program's language is installed.
QCommandLineOption verboseOption();

// Turns the debug messages of every category of ours on; Qt's own stay as they are.
void enableVerboseLogging();

} // namespace tamber
