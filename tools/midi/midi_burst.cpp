// The closing burst of an exit, many times over: opens the piano's MIDI output device named
// like the given text, sends a note-on and a note-off for every note 0..127, and closes it
// (All Notes Off on every channel, then the port lets go), ROUNDS times in a row. A monitor
// on that port then shows whether every burst arrived whole.
//
//   midi-burst NAME-PART ROUNDS
#include "client/midi/LibraryLog.h"
#include "client/midi/MidiBackends.h"
#include "client/midi/MidiRegistry.h"
#include "client/midi/MidiSystems.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    tamber::routeLibraryMessages();
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: midi-burst NAME-PART ROUNDS\n");
        return 2;
    }
    const QByteArray wanted(argv[1]);
    const int rounds = std::atoi(argv[2]);
    tamber::MidiOutputRegistry outputs(
        tamber::makeOutputBackends(nullptr, tamber::probeMidiSystems()));
    int device = -1;
    for (int d = 0; d < outputs.count() && device < 0; ++d) {
        if (outputs.name(d).contains(wanted))
            device = d;
    }
    if (device < 0) {
        std::fprintf(stderr, "midi-burst: no MIDI output device named like %s\n", argv[1]);
        return 1;
    }
    for (int round = 0; round < rounds; ++round) {
        if (!outputs.open(device)) {
            std::fprintf(stderr, "midi-burst: round %d: the device did not open\n", round + 1);
            return 1;
        }
        for (uint8_t note = 0; note < 128; ++note)
            outputs.send(tamber::makeShortMessage(0x90, note, 100));
        for (uint8_t note = 0; note < 128; ++note)
            outputs.send(tamber::makeShortMessage(0x80, note, 0));
        outputs.close();
    }
    std::printf("%d bursts sent\n", rounds);
    return 0;
}
