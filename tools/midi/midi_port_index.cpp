// Prints the piano's device number of the first MIDI port whose name contains the given
// text, numbered exactly as the piano numbers its devices, so that tests choose devices by
// name. Exit status 1 when no port matches.
#include "client/midi/LibraryLog.h"
#include "client/midi/MidiBackends.h"
#include "client/midi/MidiRegistry.h"
#include "client/midi/MidiSystems.h"
#include "client/synth/SynthEngine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    tamber::routeLibraryMessages();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("midi-port-index"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the Tamber Piano device number of a MIDI port."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("input"), QStringLiteral("Look among input devices.")});
    parser.addOption({QStringLiteral("list"), QStringLiteral("Print every device instead.")});
    parser.addPositionalArgument(QStringLiteral("name"), QStringLiteral("Part of the port name."));
    parser.process(app);

    const QByteArray wanted = parser.positionalArguments().value(0).toLatin1();
    if (wanted.isEmpty() && !parser.isSet(QStringLiteral("list")))
        parser.showHelp(2);

    tamber::SynthEngine synth; // listed, never started
    QByteArrayList names;
    if (parser.isSet(QStringLiteral("input"))) {
        tamber::MidiInputRegistry inputs(tamber::makeInputBackends(tamber::probeMidiSystems()));
        for (int d = 0; d < inputs.count(); ++d)
            names.append(inputs.name(d));
    } else {
        tamber::MidiOutputRegistry outputs(
            tamber::makeOutputBackends(&synth, tamber::probeMidiSystems()));
        for (int d = 0; d < outputs.count(); ++d)
            names.append(outputs.name(d));
    }

    for (int d = 0; d < names.size(); ++d) {
        if (parser.isSet(QStringLiteral("list"))) {
            std::printf("%d\t%s\n", d, names[d].constData());
        } else if (names[d].contains(wanted)) {
            std::printf("%d\n", d);
            return 0;
        }
    }
    return parser.isSet(QStringLiteral("list")) ? 0 : 1;
}
