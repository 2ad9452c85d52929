#include "client/midi/MidiSystems.h"

#include <gtest/gtest.h>

using namespace tamber;

TEST(MidiSystems, EachMissingSystemIsOneLineThatSaysWhatStillPlays)
{
    struct Case
    {
        bool alsa, jack, synth;
        QStringList lines;
    };
    const QString noJack = "No JACK server is running: no JACK MIDI ports; ";
    const QString noAlsa = "No ALSA sequencer: no ALSA MIDI ports; ";
    const QString synthJack = "the built-in synthesizer (through PulseAudio or ALSA)";
    const Case cases[] = {
        {true, true, true, {}},
        {true, true, false, {}},
        {true, false, true, {noJack + "ALSA MIDI ports and " + synthJack + " still play"}},
        {true, false, false, {noJack + "ALSA MIDI ports still play"}},
        {false, true, true, {noAlsa + "JACK MIDI ports and the built-in synthesizer still play"}},
        {false, true, false, {noAlsa + "JACK MIDI ports still play"}},
        {false,
         false,
         true,
         {noJack + synthJack + " still plays", noAlsa + "the built-in synthesizer still plays"}},
        {false,
         false,
         false,
         {noJack + "no MIDI output is left", noAlsa + "no MIDI output is left"}},
    };
    for (const Case& c : cases) {
        MidiSystems systems;
        systems.alsaSequencer = c.alsa;
        systems.jackServer = c.jack;
        EXPECT_EQ(missingSystemLines(systems, c.synth), c.lines)
            << "ALSA " << c.alsa << ", JACK " << c.jack << ", synthesizer " << c.synth;
    }
}
