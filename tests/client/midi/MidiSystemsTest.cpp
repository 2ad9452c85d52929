#include "client/midi/MidiSystems.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(MidiSystems, ALookWithoutAnAnswerIsOneLineThatSaysWhatStillPlays)
{
    MidiSystems none;
    none.answered = false;
    const QString line =
        "The MIDI systems did not answer within 5 s: no JACK or ALSA MIDI ports this time; ";
    EXPECT_EQ(
        missingSystemLines(none, true),
        QStringList{line + "the built-in synthesizer (through PulseAudio or ALSA) still plays"});
    EXPECT_EQ(missingSystemLines(none, false), QStringList{line + "no MIDI output is left"});
}

// The look runs in a process of its own: its answer comes back whole, and neither a look that
// never answers nor one that hangs closing its client after answering (libjack's close can)
// holds the program beyond the time limit.
TEST(MidiSystemsProbe, AnswersFromItsOwnProcessAndEndsWithinItsTimeLimit)
{
    const auto hang = [] {
        for (;;)
            ::pause();
    };
    MidiSystemsProbe answersThenHangs(
        [&hang] {
            MidiLook look;
            look.systems.alsaSequencer = true;
            look.systems.jackServer = true;
            look.systems.jackSampleRate = 44100;
            look.systems.jackPlayable = {"system:playback_1", "caf\xe9:in"};
            look.systems.jackAudible = {QByteArray::number(::getpid())};
            look.thenClose = hang;
            return look;
        },
        std::chrono::seconds(1));
    MidiSystemsProbe neverAnswers(
        [&hang]() -> MidiLook {
            hang();
            return {};
        },
        std::chrono::seconds(1));

    const MidiSystems& found = answersThenHangs.result();
    EXPECT_TRUE(found.answered);
    EXPECT_TRUE(found.alsaSequencer);
    EXPECT_TRUE(found.jackServer);
    EXPECT_EQ(found.jackSampleRate, 44100);
    EXPECT_EQ(found.jackPlayable, (QByteArrayList{"system:playback_1", "caf\xe9:in"}));
    ASSERT_EQ(found.jackAudible.size(), 1);
    EXPECT_NE(found.jackAudible[0], QByteArray::number(::getpid()));
    EXPECT_FALSE(neverAnswers.result().answered);
    EXPECT_FALSE(neverAnswers.result().jackServer);
    answersThenHangs.finish();
    neverAnswers.finish();
}
