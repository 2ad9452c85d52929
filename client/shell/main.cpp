// TamberPiano: builds the real platform services and hands them to the piano.
#include "CommandLine.h"
#include "ExitDeadline.h"
#include "LostDisplay.h"
#include "PianoApp.h"
#include "WhenOnScreen.h"

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

#include <QApplication>
#include <QTimer>

#include <malloc.h>

namespace {

// Makes the program speak the language chosen in Options > Language, else the system's: its
// own translations and Qt's. Once, before the first text is shown; a new choice applies at the
// next start.
QString speakChosenLanguage()
{
    using namespace tamber;
    const QtSettingsStore settings{QLatin1String(kProgramTitle)};
    const QString language = LanguageChoice::choose(
        settings.read(LanguageChoice::kSection, LanguageChoice::kKey, LanguageChoice::kSystem),
        LanguageChoice::systemEnvironment);
    installTranslations(language, QStringLiteral("tamber-piano"),
                        {programFolder() + QStringLiteral("/translations")});
    return language;
}

// What the libraries' clean-up may take once the piano has ended (JACK's clients close in a
// cycle or two).
constexpr std::chrono::seconds kExitBound{5};

} // namespace

int main(int argc, char** argv)
{
    using namespace tamber;
    // Heaps grow in steps of 16 MiB instead of 128 KiB. Every step is an mprotect or brk that
    // holds the address space's lock against all the other threads, and the sound font's
    // thousands of small allocations took hundreds of steps while the window and the audio
    // output were starting. Untouched address space costs no memory.
    mallopt(M_TOP_PAD, 16 << 20);
    QApplication::setApplicationName(QLatin1String(kProgramTitle));
    QApplication::setApplicationVersion(QLatin1String(kVersionText));
    PianoCommandLine commandLine;
    if (const auto exportMidi =
            commandLine.readBeforeApplication(argc, argv, [] { speakChosenLanguage(); }))
        return runMidiExport(*exportMidi);
    routeLibraryMessages();
    DisplayGuard display("TamberPiano", argc, argv);
    if (!display.reachable())
        return 1;
    // Which MIDI systems are there is looked at while Qt starts.
    MidiSystemsProbe midiSystems;
    QApplication app(argc, argv);
    display.started();
    QApplication::setDesktopFileName(QLatin1String(kPianoDesktopId));
    // Before the command line is judged: its messages speak the player's language too.
    const QString language = speakChosenLanguage();
    commandLine.read(app, [&midiSystems] { midiSystems.finish(); });

    // Declared in the order they are needed; destroyed in reverse, so the piano closes its
    // devices before the synthesizer and the audio stream go.
    QtMessageBoxes boxes;
    QtFileDialogs fileDialogs;
    QtInputBox inputBox;
    QtHelpViewer help;
    QtSettingsStore settings{QLatin1String(kProgramTitle)};
    SteadyTickClock clock;
    const MidiSystems& systems = midiSystems.result();
    SynthEngine synth(SynthConfig::fromSettings(settings).forJack(systems.jackServer));
    // Its sound font and audio output open once the window is on screen (see below): their
    // threads would take the cores the window needs. A key struck meanwhile sounds once the
    // synthesizer is ready.
    synth.holdOpening();
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
                    synth, keys, playbackTimer, sessionTransport, installedDataFiles(language)});
    boxes.setParentWindow(&piano.window());
    fileDialogs.setParentWindow(&piano.window());
    inputBox.setParentWindow(&piano.window());

    // SIGTERM, SIGINT and SIGHUP run the normal shut-down; once it has run, every event loop
    // ends (a dialog's too) and the program exits 0.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &piano, &PianoApp::terminate);
    QObject::connect(&piano, &PianoApp::ended, &app, [] { QCoreApplication::exit(0); });

    // A lost X connection ends the program at once: the notes are silenced first.
    LostDisplayWatch lostDisplay([&piano] {
        piano.endWithoutDisplay();
        armExitDeadline(kExitBound, 1);
    });

    if (!piano.Main()) {
        armExitDeadline(kExitBound, 0);
        return 0;
    }
    // Shown: the synthesizer's library loads while the window maps.
    synth.prepareOpening();
    // What can wait for the window: the synthesizer's opening, at once (it is what a key waits
    // for), and the icon (every size decoded and sent to the X server) once the window is
    // painted.
    const WhenOnScreen windowUp(piano.window(), std::chrono::seconds(1), [&synth] {
        synth.releaseOpening();
        QTimer::singleShot(0, [] { QApplication::setWindowIcon(appIcon()); });
    });
    const int status = QApplication::exec();
    armExitDeadline(kExitBound, status);
    return status;
}
