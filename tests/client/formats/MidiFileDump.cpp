// Prints what the MIDI file reader makes of a file, for the tests that check it against
// another reader: one line per event, "<time in us> <status> <data 1> <data 2>" in decimal.
// A file the reader refuses gives its message on stderr and status 1.
//   midi_file_dump FILE
#include "client/formats/MidiFileReader.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return std::fprintf(stderr, "usage: midi_file_dump FILE\n"), 2;
    const tamber::MidiFileRead read = tamber::loadMidiFile(QString::fromLocal8Bit(argv[1]));
    if (!read.ok())
        return std::fprintf(stderr, "%s\n", qPrintable(read.message)), 1;
    for (const tamber::MidiFileEvent& e : read.events)
        std::printf("%lld %u %u %u\n", static_cast<long long>(e.timeUs), e.message & 0xFF,
                    (e.message >> 8) & 0xFF, (e.message >> 16) & 0xFF);
    return 0;
}
