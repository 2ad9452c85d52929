#pragma once

#include <QCommandLineParser>

class QCoreApplication;

namespace tamber {

// What the command line asks of the piano; nothing yet beyond help and version.
struct PianoOptions
{
};

// The piano's command line, read in two steps. Help and version are answered before the
// application object exists, so that they work without a display; everything else is read
// once QApplication has taken Qt's own options (-platform, -display, -style ...) out of it.
class PianoCommandLine
{
public:
    PianoCommandLine();

    // When asked for help or the version, prints it and ends the program with status 0.
    void answerHelpAndVersion(int& argc, char** argv);

    // An unknown option, a missing value or an argument that is no option ends the program
    // with status 1 and a message on standard error.
    PianoOptions read(const QCoreApplication& app);

private:
    QCommandLineParser m_parser;
};

} // namespace tamber
