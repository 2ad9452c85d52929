#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace tamber {

// `--export-midi IN.tbr OUT.mid`: convert a recording, then exit.
struct MidiExportRequest
{
    QString recording;
    QString midiFile;
};

// The piano's command line, read in two steps. Help, version and --export-midi are answered
// before the application object exists, so that they work without a display; everything else
// is read once QApplication has taken Qt's own options (-platform, -display, -style ...) out
// of it. Its texts are translated as they stand when it is built or answers: the player's
// language is installed before.
class PianoCommandLine
{
public:
    PianoCommandLine();
    ~PianoCommandLine();

    // Installs the translations of the player's language; called once a QCoreApplication
    // exists.
    using Speak = std::function<void()>;

    // Turns on the debug messages at once when --verbose is given. When asked for help or the
    // version, prints it and ends the program with status 0. A malformed --export-midi ends it
    // with status 1 and a message on standard error. These and an export are answered in a
    // QCoreApplication of the command line's own, in the language `speak` installs; it lasts
    // as long as the command line, for the export to run in. Returns the export asked for: the
    // piano then converts the recording and exits, with no window and no sound.
    std::optional<MidiExportRequest> readBeforeApplication(int& argc, char** argv,
                                                           const Speak& speak);

    // An unknown option, a missing value or an argument that is no option ends the program
    // with status 1 and a message on standard error; help or the version (asked for beside
    // Qt's options) with status 0. Before any of these exits, `beforeExit` runs: the program's
    // other threads must stop before exit() takes the libraries' state from under them.
    void read(const QCoreApplication& app, const std::function<void()>& beforeExit);

private:
    // The parser and its options, in the texts of the moment they are made.
    struct Parser;

    std::unique_ptr<QCoreApplication> m_app;
    std::unique_ptr<Parser> m_parser;
};

// Runs the export: 0 when the MIDI file is written, else 1 after one line on standard error.
int runMidiExport(const MidiExportRequest& request);

} // namespace tamber
