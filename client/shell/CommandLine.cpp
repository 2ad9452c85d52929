#include "CommandLine.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace tamber {

PianoCommandLine::PianoCommandLine()
{
    m_parser.setApplicationDescription(QStringLiteral(
        "Plays the piano from the computer keyboard or a MIDI keyboard, alone or together "
        "with up to seven other players through a Corvent Server."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
}

void PianoCommandLine::answerHelpAndVersion(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // A failed parse may only be Qt's own options; read() judges once they are taken out.
    if (!m_parser.parse(arguments) ||
        !(m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("version"))))
        return;
    QCoreApplication app(argc, argv);
    m_parser.process(app); // prints the help or the version and exits
}

PianoOptions PianoCommandLine::read(const QCoreApplication& app)
{
    m_parser.process(app);
    // The piano opens no files given to it: a stray word is more likely a mistyped option.
    if (const QStringList extra = m_parser.positionalArguments(); !extra.isEmpty()) {
        std::fprintf(stderr, "%s: Unexpected argument '%s'.\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(extra.first()));
        std::exit(1);
    }
    return {};
}

} // namespace tamber
