#include "CommandLine.h"

#include "client/formats/MidiExport.h"
#include "common/logging/VerboseLogging.h"

#include <QCommandLineParser>
#include <algorithm>
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

struct PianoCommandLine::Parser
{
    Parser()
    {
        parser.setApplicationDescription(QCoreApplication::translate(
            "PianoCommandLine",
            "Plays the piano from the computer keyboard or a MIDI keyboard, alone or together "
            "with up to seven other players through a Corvent Server."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(exportMidi);
        parser.addOption(verbose);
    }
    bool answersAlone() const
    {
        return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"));
    }

    QCommandLineParser parser;
    const QCommandLineOption exportMidi{
        QStringLiteral("export-midi"),
        QCoreApplication::translate("PianoCommandLine",
                                    "With IN.tbr OUT.mid after it: writes the recording IN.tbr "
                                    "as the Standard MIDI File OUT.mid and exits, with no window "
                                    "and no sound.")};
    const QCommandLineOption verbose = verboseOption();
};

PianoCommandLine::PianoCommandLine() : m_parser(std::make_unique<Parser>()) {}

PianoCommandLine::~PianoCommandLine() = default;

std::optional<MidiExportRequest> PianoCommandLine::readBeforeApplication(int& argc, char** argv,
                                                                         const Speak& speak)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // A failed parse may only be Qt's own options; read() judges once they are taken out.
    // An export needs no display, so Qt's options have no place beside it.
    const bool parsed = m_parser->parser.parse(arguments);
    // At once, so that it shows how the language is chosen.
    if (m_parser->parser.isSet(m_parser->verbose))
        enableVerboseLogging();
    const bool exporting = std::any_of(arguments.begin(), arguments.end(), [](const QString& a) {
        return a.startsWith(QStringLiteral("--export-midi"));
    });
    if (!(parsed && m_parser->answersAlone()) && !exporting)
        return std::nullopt;

    m_app = std::make_unique<QCoreApplication>(argc, argv);
    speak();
    m_parser = std::make_unique<Parser>(); // in the player's language now, Qt's own texts too
    if (!m_parser->parser.parse(arguments))
        failWith(m_parser->parser.errorText());
    if (m_parser->answersAlone())
        m_parser->parser.process(*m_app); // prints the help or the version and exits
    const QStringList files = m_parser->parser.positionalArguments();
    if (files.size() != 2)
        failWith(QCoreApplication::translate(
            "PianoCommandLine",
            "--export-midi needs a recording and a MIDI file: --export-midi IN.tbr OUT.mid"));
    return MidiExportRequest{files[0], files[1]};
}

void PianoCommandLine::read(const QCoreApplication& app, const std::function<void()>& beforeExit)
{
    m_parser = std::make_unique<Parser>(); // in the language installed since
    QCommandLineParser& parser = m_parser->parser;
    if (parser.parse(app.arguments()) && !m_parser->answersAlone() &&
        parser.positionalArguments().isEmpty())
        return;
    // Every way on from here ends the program.
    beforeExit();
    parser.process(app); // the help, the version or Qt's message for a wrong option
    // The piano opens no files given to it: a stray word is more likely a mistyped option.
    failWith(QCoreApplication::translate("PianoCommandLine", "Unexpected argument '%1'.")
                 .arg(parser.positionalArguments().value(0)));
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
