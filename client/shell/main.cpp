// TamberPiano: builds the real platform services and hands them to the piano.
#include "CommandLine.h"
#include "LostDisplay.h"
#include "PianoApp.h"

#include "client/desktop/QtPlatform.h"
#include "client/keyboard/QtKeyState.h"
#include "client/midi/LibraryLog.h"
#include "client/midi/MidiBackends.h"
#include "client/midi/MidiRegistry.h"
#include "client/midi/MidiSystems.h"
#include "client/platform/DataFiles.h"
#include "client/platform/TerminationSignals.h"
#include "client/recording/QtPlaybackTimer.h"
#include "client/session/TcpSessionTransport.h"
#include "client/synth/SynthEngine.h"
#include "common/ProgramInfo.h"
#include "common/appicon/AppIcon.h"
#include "common/desktop/DisplayCheck.h"
#include "common/language/LanguageChoice.h"
#include "common/language/Translations.h"
#include "common/logging/VerboseLogging.h"

#include <QApplication>

int main(int argc, char** argv)
{
    using namespace tamber;
    QApplication::setApplicationName(QLatin1String(kProgramTitle));
    QApplication::setApplicationVersion(QLatin1String(kVersionText));
    PianoCommandLine commandLine;
    const PianoOptions early = commandLine.readBeforeApplication(argc, argv);
    if (early.verbose)
        enableVerboseLogging();
    if (early.exportMidi)
        return runMidiExport(*early.exportMidi);
    routeLibraryMessages();
    DisplayGuard display("TamberPiano", argc, argv);
    if (!display.reachable())
        return 1;
    // Which MIDI systems are there is looked at while Qt starts.
    MidiSystemsProbe midiSystems;
    QApplication app(argc, argv);
    display.started();
    QApplication::setWindowIcon(appIcon());
    QApplication::setDesktopFileName(QLatin1String(kPianoDesktopId));
    if (commandLine.read(app).verbose)
        enableVerboseLogging();

    // Declared in the order they are needed; destroyed in reverse, so the piano closes its
    // devices before the synthesizer and the audio stream go.
    QtMessageBoxes boxes;
    QtFileDialogs fileDialogs;
    QtInputBox inputBox;
    QtHelpViewer help;
    QtSettingsStore settings{QLatin1String(kProgramTitle)};
    // Once, before any window: a new choice in Options > Language applies at the next start.
    installTranslations(
        LanguageChoice::choose(
            settings.read(LanguageChoice::kSection, LanguageChoice::kKey, LanguageChoice::kSystem),
            LanguageChoice::systemEnvironment),
        QStringLiteral("tamber-piano"), {programFolder() + QStringLiteral("/translations")});
    SteadyTickClock clock;
    const MidiSystems& systems = midiSystems.result();
    SynthEngine synth(SynthConfig::fromSettings(settings).forJack(systems.jackServer));
    reportMissingSystems(systems, synth.hasSoundFont());
    MidiOutputRegistry outputs(makeOutputBackends(&synth, systems));
    // TAMBER_TRACE_MIDI=path logs every MIDI message sent, with its time, for benchmarks.
    if (const QString trace = qEnvironmentVariable("TAMBER_TRACE_MIDI"); !trace.isEmpty())
        outputs.traceTo(trace);
    MidiInputRegistry inputs(makeInputBackends(systems));
    QtKeyState keys;
    QtPlaybackTimer playbackTimer;
    TcpSessionTransport sessionTransport;

    PianoApp piano({boxes, fileDialogs, inputBox, help, settings, clock, outputs, inputs, synth,
                    synth, keys, playbackTimer, sessionTransport, installedDataFiles()});
    boxes.setParentWindow(&piano.window());
    fileDialogs.setParentWindow(&piano.window());
    inputBox.setParentWindow(&piano.window());

    // SIGTERM, SIGINT and SIGHUP run the normal shut-down; once it has run, every event loop
    // ends (a dialog's too) and the program exits 0.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &piano, &PianoApp::terminate);
    QObject::connect(&piano, &PianoApp::ended, &app, [] { QCoreApplication::exit(0); });

    // A lost X connection ends the program at once: the notes are silenced first.
    LostDisplayWatch lostDisplay([&piano] { piano.endWithoutDisplay(); });

    if (!piano.Main())
        return 0;
    return QApplication::exec();
}
