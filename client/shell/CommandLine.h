#pragma once

#include <QCommandLineParser>
#include <QString>
#include <optional>

class QCoreApplication;

namespace tamber {

// `--export-midi IN.tbr OUT.mid`: convert a recording, then exit.
struct MidiExportRequest
{
    QString recording;
    QString midiFile;
};

// What the command line asks of the piano.
struct PianoOptions
{
    // Set when the piano is to convert a recording and exit, with no window and no sound.
    std::optional<MidiExportRequest> exportMidi;
    // --verbose: debug messages too.
    bool verbose = false;
};

// The piano's command line, read in two steps. Help, version and --export-midi are answered
// before the application object exists, so that they work without a display; everything else
// is read once QApplication has taken Qt's own options (-platform, -display, -style ...) out
// of it.
class PianoCommandLine
{
public:
    PianoCommandLine();

    // When asked for help or the version, prints it and ends the program with status 0.
    // A malformed --export-midi ends it with status 1 and a message on standard error.
    // --verbose is read here too, so that logging is complete from the start.
    PianoOptions readBeforeApplication(int& argc, char** argv);

    // An unknown option, a missing value or an argument that is no option ends the program
    // with status 1 and a message on standard error.
    PianoOptions read(const QCoreApplication& app);

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_exportMidi;
    QCommandLineOption m_verbose;
};

// Runs the export: 0 when the MIDI file is written, else 1 after one line on standard error.
int runMidiExport(const MidiExportRequest& request);

} // namespace tamber
