// The look at the MIDI systems starts before the application exists, on a thread of its own.
// Qt makes the first thread that asks for its thread data its main thread; were that the
// look's (seen with a JACK server running), the application would warn "QApplication was not
// created in the main() thread" and its timers, windows and dialogs would answer to a thread
// that has ended. Its own program: in a test runner something else would have asked first.
// Exit status 0 when the application is made without a warning.
#include "client/midi/LibraryLog.h"
#include "client/midi/MidiSystems.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

int g_warnings = 0;

void countWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg) {
        ++g_warnings;
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

} // namespace

int main(int argc, char** argv)
{
    tamber::routeLibraryMessages();
    qInstallMessageHandler(countWarnings);
    tamber::MidiSystemsProbe probe;
    probe.result(); // the look's thread has done what it does before the answer
    QCoreApplication application(argc, argv);
    return g_warnings == 0 ? 0 : 1;
}
