#include "CommandLine.h"

#include "client/formats/MidiExport.h"
#include "common/logging/VerboseLogging.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace tamber {

namespace {

[[noreturn]] void failWith(const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(message));
    std::exit(1);
}

} // namespace

PianoCommandLine::PianoCommandLine()
    : m_exportMidi(QStringLiteral("export-midi"),
                   QStringLiteral("With IN.tbr OUT.mid after it: writes the recording IN.tbr "
                                  "as the Standard MIDI File OUT.mid and exits, with no window "
                                  "and no sound.")),
      m_verbose(verboseOption())
{
    m_parser.setApplicationDescription(QStringLiteral(
        "Plays the piano from the computer keyboard or a MIDI keyboard, alone or together "
        "with up to seven other players through a Corvent Server."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(m_exportMidi);
    m_parser.addOption(m_verbose);
}

PianoOptions PianoCommandLine::readBeforeApplication(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // A failed parse may only be Qt's own options; read() judges once they are taken out.
    // An export needs no display, so Qt's options have no place beside it.
    if (!m_parser.parse(arguments)) {
        for (const QString& argument : arguments) {
            if (argument.startsWith(QStringLiteral("--export-midi")))
                failWith(m_parser.errorText());
        }
        // Logging starts before the application object: --verbose is looked for by hand.
        PianoOptions options;
        options.verbose = arguments.contains(QStringLiteral("--verbose"));
        return options;
    }
    if (m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("version"))) {
        QCoreApplication app(argc, argv);
        m_parser.process(app); // prints the help or the version and exits
    }
    if (!m_parser.isSet(m_exportMidi)) {
        PianoOptions options;
        options.verbose = m_parser.isSet(m_verbose);
        return options;
    }
    const QStringList files = m_parser.positionalArguments();
    if (files.size() != 2)
        failWith(QStringLiteral("--export-midi needs a recording and a MIDI file: "
                                "--export-midi IN.tbr OUT.mid"));
    return {MidiExportRequest{files[0], files[1]}, m_parser.isSet(m_verbose)};
}

PianoOptions PianoCommandLine::read(const QCoreApplication& app)
{
    m_parser.process(app);
    // The piano opens no files given to it: a stray word is more likely a mistyped option.
    if (const QStringList extra = m_parser.positionalArguments(); !extra.isEmpty())
        failWith(QStringLiteral("Unexpected argument '%1'.").arg(extra.first()));
    PianoOptions options;
    options.verbose = m_parser.isSet(m_verbose);
    return options;
}

int runMidiExport(const MidiExportRequest& request)
{
    const MidiExportResult result = exportRecordingAsMidi(request.recording, request.midiFile);
    if (result.ok())
        return 0;
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(result.message));
    return 1;
}

} // namespace tamber
