#include "tests/fakes/FakeSound.h"

#include <functional>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {
constexpr uint32_t rgb(int r, int g, int b)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}
} // namespace

TEST(PaintKey, ColoursFollowTheUserAndTheVelocity)
{
    EXPECT_EQ(PaintKey(0, 127), rgb(1, 1, 255));
    EXPECT_EQ(PaintKey(1, 127), rgb(1, 1, 255));
    EXPECT_EQ(PaintKey(3, 127), rgb(255, 1, 1));
    EXPECT_EQ(PaintKey(5, 64), rgb(255, 127, 255));
    EXPECT_EQ(PaintKey(8, 0), rgb(255, 255, 255));
    EXPECT_EQ(PaintKey(4, 100), rgb(255, 255, 55));
    EXPECT_EQ(PaintKey(6, 127), rgb(1, 255, 255));
    EXPECT_EQ(PaintKey(9, 127), rgb(0, 0, 0));
    EXPECT_EQ(PaintKey(2, 200), PaintKey(2, 127)) << "velocities above 127 are clamped";
}

TEST(NoteEngine, LocalKeyPressSoundsAndLightsOutsideASession)
{
    EngineRig rig;
    rig.engine.StartNote(60, 127, 0, true);
    ASSERT_EQ(rig.output.sent.size(), 1u);
    EXPECT_EQ(rig.output.sent[0], makeShortMessage(0x90, 60, 127));
    EXPECT_EQ(rig.keys.lit.at(24), rgb(1, 1, 255));
    // The outbox drops them while offline; the engine always offers them.
    EXPECT_EQ(rig.session.sent, (std::vector<std::string>{"SetPatch 0", "NoteOn 60 127"}));
}

TEST(NoteEngine, SessionUserSendsPatchThenNoteAndRemoteNotesAreNotSentBack)
{
    EngineRig rig;
    rig.state.setInstrument(40);
    rig.engine.StartNote(60, 127, 3, true);
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x93, 60, 127));
    EXPECT_EQ(rig.keys.lit.at(24), rgb(255, 1, 1));
    EXPECT_EQ(rig.session.sent, (std::vector<std::string>{"SetPatch 40", "NoteOn 60 127"}));

    rig.session.sent.clear();
    rig.engine.StartNote(62, 64, 5, false);
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x95, 62, 64));
    EXPECT_EQ(rig.keys.lit.at(26), rgb(255, 127, 255));
    rig.engine.StopNote(62, 5, false);
    EXPECT_TRUE(rig.session.sent.empty());
}

TEST(NoteEngine, OnlyNotes36To96LightAKey)
{
    EngineRig rig;
    for (uint8_t n : {35, 36, 96, 97})
        rig.engine.StartNote(n, 100, 0, false);
    EXPECT_EQ(rig.output.sent.size(), 4u);
    EXPECT_EQ(rig.keys.lit.size(), 2u);
    EXPECT_TRUE(rig.keys.lit.count(0));
    EXPECT_TRUE(rig.keys.lit.count(60));
    rig.engine.StopNote(96, 0, false);
    EXPECT_FALSE(rig.keys.lit.count(60));
}

TEST(NoteEngine, VelocityZeroLightsWhiteAndStillSendsTheNoteOn)
{
    EngineRig rig;
    rig.engine.StartNote(50, 0, 0, false);
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x90, 50, 0));
    EXPECT_EQ(rig.keys.lit.at(14), rgb(255, 255, 255));
}

TEST(NoteEngine, PCSpeakerMarksHeldNotesInsteadOfSending)
{
    EngineRig rig;
    rig.engine.UsePCSpeaker = true;
    rig.output.close();
    rig.engine.StartNote(69, 127, 0, false);
    EXPECT_TRUE(rig.engine.NoteHeld[69]);
    EXPECT_TRUE(rig.output.sent.empty());
    EXPECT_TRUE(rig.keys.lit.count(33));
    rig.engine.StopNote(69, 0, false);
    EXPECT_FALSE(rig.engine.NoteHeld[69]);
}

TEST(NoteEngine, SelectPatchSendsOnlyTheProgramChange)
{
    EngineRig rig;
    rig.engine.SelectPatch(40, 0, false);
    EXPECT_EQ(rig.output.sent, (std::vector<ShortMessage>{makeShortMessage(0xC0, 40, 0)}));
    EXPECT_TRUE(rig.session.sent.empty());
    rig.engine.SelectPatch(7, 2, true);
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0xC2, 7, 0));
    EXPECT_EQ(rig.session.sent, (std::vector<std::string>{"SetPatch 7"}));
}

TEST(NoteEngine, SilenceAllStopsTheLocalChannelsSoundingNotesInOrderAndIsRecorded)
{
    EngineRig rig;
    rig.engine.StartNote(64, 100, 0, false);
    rig.engine.StartNote(60, 100, 0, false);
    rig.engine.StartNote(62, 100, 2, false); // another user's key
    rig.recorder.recording = true;
    rig.output.sent.clear();
    rig.engine.SilenceAll();
    EXPECT_EQ(rig.output.sent, (std::vector<ShortMessage>{makeShortMessage(0x80, 60, 0),
                                                          makeShortMessage(0x80, 64, 0)}));
    EXPECT_TRUE(rig.keys.lit.empty()) << "keys of other users are unlit too";
    EXPECT_TRUE(rig.engine.isSounding(2, 62)) << "their note still sounds on their channel";
    EXPECT_EQ(rig.recorder.events, (std::vector<int32_t>{0x3C80, 0x4080}));
    EXPECT_TRUE(rig.session.sent.empty());
}

// Regression: a key pressed while another window had the keyboard and released in the main
// window sent a note-off to the device, the session and the recording.
TEST(NoteEngine, StopNoteOfANoteThatDoesNotSoundDoesNothing)
{
    struct Case
    {
        const char* what;
        std::function<void(NoteEngine&)> before;
    };
    const Case cases[] = {
        {"never started", [](NoteEngine&) {}},
        {"started on another channel", [](NoteEngine& e) { e.StartNote(60, 100, 2, false); }},
        {"already stopped",
         [](NoteEngine& e) {
             e.StartNote(60, 100, 0, true);
             e.StopNote(60, 0, true);
         }},
    };
    for (const Case& c : cases) {
        EngineRig rig;
        c.before(rig.engine);
        rig.recorder.recording = true;
        rig.output.sent.clear();
        rig.session.sent.clear();
        const auto lit = rig.keys.lit;
        rig.engine.StopNote(60, 0, true);
        EXPECT_TRUE(rig.output.sent.empty()) << c.what;
        EXPECT_TRUE(rig.session.sent.empty()) << c.what;
        EXPECT_TRUE(rig.recorder.events.empty()) << c.what;
        EXPECT_EQ(rig.keys.lit, lit) << c.what;
    }
}

TEST(NoteEngine, SilenceChannelStopsOnlyThatUsersSoundingNotes)
{
    EngineRig rig;
    rig.engine.StartNote(60, 100, 2, false);
    rig.engine.StartNote(64, 100, 2, false);
    rig.engine.StartNote(67, 100, 3, false);
    rig.output.sent.clear();
    rig.engine.SilenceChannel(2);
    EXPECT_EQ(rig.output.sent, (std::vector<ShortMessage>{makeShortMessage(0x82, 60, 0),
                                                          makeShortMessage(0x82, 64, 0)}));
    EXPECT_TRUE(rig.engine.isSounding(3, 67));
}

TEST(NoteEngine, ValuesOnlyAFaultyPeerCanSendAreGuarded)
{
    EngineRig rig;
    rig.engine.StartNote(60, 100, 16, false); // no such channel
    rig.engine.StartNote(200, 100, 1, false); // no such note
    rig.engine.SelectPatch(130, 1, false);
    EXPECT_TRUE(rig.output.sent.empty());
    EXPECT_TRUE(rig.keys.lit.empty());
    rig.engine.StartNote(60, 255, 1, false);
    EXPECT_EQ(rig.output.sent.back(), makeShortMessage(0x91, 60, 127));
}

TEST(NoteEngine, RecorderGetsNoteOnAndOffWhileRecording)
{
    EngineRig rig;
    rig.recorder.recording = true;
    rig.engine.StartNote(60, 90, 0, true);
    rig.engine.StopNote(60, 0, true);
    rig.engine.SelectPatch(3, 0, true);
    EXPECT_EQ(rig.recorder.events, (std::vector<int32_t>{int32_t(makeShortMessage(0x90, 60, 90)),
                                                         int32_t(makeShortMessage(0x80, 60, 0))}));
}
