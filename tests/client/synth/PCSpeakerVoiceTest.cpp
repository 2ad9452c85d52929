#include "client/synth/PCSpeakerVoice.h"
#include "client/synth/ToneGenerator.h"
#include "tests/fakes/FakeSound.h"

#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

// Plays nothing; the test says how much of the queue has played.
class FakeToneGenerator : public ToneGenerator
{
public:
    void queueTone(int frequencyHz, int durationMs) override
    {
        tones.push_back({frequencyHz, durationMs});
        pending += durationMs;
    }
    int queuedMs() const override { return pending; }
    void play(int ms) { pending = std::max(0, pending - ms); }

    std::vector<std::pair<int, int>> tones;
    int pending = 0;
};

struct VoiceRig
{
    EngineRig rig;
    FakeToneGenerator tones;
    PCSpeakerVoice voice{rig.engine, tones};
    VoiceRig() { rig.engine.UsePCSpeaker = true; }
};

} // namespace

TEST(PCSpeakerVoice, FrequenciesFollowTheFormulaRoundedHalfToEven)
{
    EXPECT_EQ(noteFrequency(69), 440);
    EXPECT_EQ(noteFrequency(60), 262);
    EXPECT_EQ(noteFrequency(36), 65);
    EXPECT_EQ(noteFrequency(96), 2093);
    EXPECT_EQ(noteFrequency(127), 12544);
    EXPECT_EQ(noteFrequency(64), 330);
    EXPECT_EQ(noteFrequency(67), 392);
    EXPECT_EQ(beepFrequency(26), 37);
    for (int n = 0; n <= 25; ++n)
        EXPECT_EQ(beepFrequency(n), std::nullopt) << n;
    EXPECT_EQ(beepFrequency(127), 12544);
    EXPECT_EQ(noteFrequency(57), 220);
}

TEST(PCSpeakerVoice, EachTickBeepsHeldNotesLowestFirstForTenMilliseconds)
{
    VoiceRig r;
    r.voice.tmrPCSpeaker_Timer();
    EXPECT_TRUE(r.tones.tones.empty()) << "nothing held, nothing beeps";

    r.rig.engine.StartNote(67, 127, 0, false);
    r.rig.engine.StartNote(60, 127, 0, false);
    r.rig.engine.StartNote(64, 127, 0, false);
    r.rig.engine.StartNote(20, 127, 0, false); // too low for a beep: silent and unlit
    r.voice.tmrPCSpeaker_Timer();
    const std::vector<std::pair<int, int>> round{{262, 10}, {330, 10}, {392, 10}};
    EXPECT_EQ(r.tones.tones, round);
    EXPECT_TRUE(r.rig.output.sent.empty());

    // While the round still plays, ticks queue nothing more; once it has nearly played out,
    // the next round follows, so the chord repeats without a gap and the queue stays short.
    r.tones.tones.clear();
    r.tones.play(10);
    r.voice.tmrPCSpeaker_Timer();
    EXPECT_TRUE(r.tones.tones.empty());
    r.tones.play(10);
    r.voice.tmrPCSpeaker_Timer();
    EXPECT_EQ(r.tones.tones, round);
    EXPECT_LE(r.tones.queuedMs(), 40);

    // Released notes stop with the next round.
    r.tones.tones.clear();
    r.rig.engine.StopNote(60, 0, false);
    r.rig.engine.StopNote(67, 0, false);
    r.tones.play(40);
    r.voice.tmrPCSpeaker_Timer();
    EXPECT_EQ(r.tones.tones, (std::vector<std::pair<int, int>>{{330, 10}}));
}

TEST(PCSpeakerVoice, OneHeldNoteIsAContinuousToneTickAfterTick)
{
    VoiceRig r;
    r.rig.engine.StartNote(69, 127, 0, false);
    for (int tick = 0; tick < 5; ++tick) {
        r.voice.tmrPCSpeaker_Timer();
        r.tones.play(10);
    }
    EXPECT_EQ(r.tones.tones, (std::vector<std::pair<int, int>>(5, {440, 10})));

    r.rig.engine.SilenceAll();
    r.tones.tones.clear();
    r.voice.tmrPCSpeaker_Timer();
    EXPECT_TRUE(r.tones.tones.empty());
}
