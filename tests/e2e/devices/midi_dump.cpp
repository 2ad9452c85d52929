// A JACK MIDI input port that prints every message it receives, one line each, as
// jack_midi_dump does ("   0: b0 7b 00"). Unlike jack_midi_dump it never drops messages of a
// burst (the 128 note-offs and 16 All Notes Off of a device change arrive in one period), as it
// prints from the port's own callback.
//
//   midi-dump [CLIENT-NAME]    (port CLIENT-NAME:input; default midi-dump)
#include <cstdio>
#include <rtmidi/RtMidi.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void print(double, std::vector<unsigned char>* message, void*)
{
    if (!message || message->empty())
        return;
    std::string line = "   0:";
    char hex[4];
    for (unsigned char byte : *message) {
        std::snprintf(hex, sizeof hex, " %02x", byte);
        line += hex;
    }
    line += '\n';
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string client = argc > 1 ? argv[1] : "midi-dump";
    try {
        RtMidiIn in(RtMidi::UNIX_JACK, client);
        in.ignoreTypes(false, false, false);
        in.setCallback(&print, nullptr);
        in.openVirtualPort("input");
        // Runs until killed; the callback does the work.
        for (;;)
            pause();
    } catch (const RtMidiError& error) {
        std::fprintf(stderr, "midi-dump: %s\n", error.getMessage().c_str());
        return 1;
    }
}
