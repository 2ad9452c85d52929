#include "client/midi/MidiInput.h"
#include "tests/fakes/FakeSound.h"

#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {
struct InputRig
{
    EngineRig rig;
    MidiInput input{rig.engine, rig.state};
    void feed(uint8_t status, uint8_t data1, uint8_t data2, uint8_t top = 0)
    {
        input.MidiInWindowProc(makeShortMessage(status, data1, data2) | ShortMessage(top) << 24);
    }
};
} // namespace

TEST(MidiInput, ChannelZeroNoteOnPlaysOnTheLocalChannelWithItsVelocity)
{
    InputRig r;
    r.feed(0x90, 60, 100);
    EXPECT_EQ(r.rig.output.sent, std::vector<ShortMessage>{makeShortMessage(0x90, 60, 100)});
    EXPECT_EQ(r.rig.keys.lit.at(24), PaintKey(0, 100)); // shade 55
    EXPECT_EQ(r.rig.keys.lit.at(24) & 0xFF, 55u);
    EXPECT_EQ(r.rig.session.sent, (std::vector<std::string>{"SetPatch 0", "NoteOn 60 100"}));

    r.rig.state.setMyUserID(4); // in a session the local channel is the user number
    r.feed(0x90, 62, 90, 0xAB);
    EXPECT_EQ(r.rig.output.sent.back(), makeShortMessage(0x94, 62, 90));
}

TEST(MidiInput, NoteOnWithVelocityZeroAndNoteOffEndTheNote)
{
    InputRig r;
    r.feed(0x90, 60, 100);
    r.feed(0x90, 60, 0);
    EXPECT_EQ(r.rig.output.sent.back(), makeShortMessage(0x80, 60, 0));
    EXPECT_TRUE(r.rig.keys.lit.empty());
    r.feed(0x90, 60, 100);
    r.feed(0x80, 60, 64);
    EXPECT_EQ(r.rig.output.sent.back(), makeShortMessage(0x80, 60, 0));
    EXPECT_EQ(r.rig.session.sent.back(), "NoteOff 60");
}

TEST(MidiInput, EverythingElseIsIgnored)
{
    InputRig r;
    r.rig.recorder.recording = true;
    r.feed(0x91, 60, 100); // second channel
    r.feed(0x8F, 60, 0);
    r.feed(0xC0, 5, 0);          // program change
    r.feed(0xB0, 7, 100);        // control change
    r.feed(0xE0, 0, 64);         // pitch bend
    r.feed(0xF8, 0, 0);          // clock
    r.feed(0x3C, 100, 0);        // a data byte where the status should be
    r.input.MidiInWindowProc(0); // the empty value a PC-speaker recording may hold
    EXPECT_TRUE(r.rig.output.sent.empty());
    EXPECT_TRUE(r.rig.keys.lit.empty());
    EXPECT_TRUE(r.rig.session.sent.empty());
    EXPECT_TRUE(r.rig.recorder.events.empty());
}

TEST(MidiInput, ARecordedNoteOfAnyChannelPlaysAsTheLocalPlayersOwn)
{
    InputRig r;
    r.rig.state.setMyUserID(3);
    r.rig.recorder.recording = true;
    for (const ShortMessage message :
         {makeShortMessage(0x91, 60, 100), makeShortMessage(0x92, 64, 80),
          makeShortMessage(0xC2, 5, 0), makeShortMessage(0x81, 60, 0),
          makeShortMessage(0x9F, 64, 0)})
        r.input.playRecorded(message);
    EXPECT_EQ(
        r.rig.output.sent,
        (std::vector<ShortMessage>{makeShortMessage(0x93, 60, 100), makeShortMessage(0x93, 64, 80),
                                   makeShortMessage(0x83, 60, 0), makeShortMessage(0x83, 64, 0)}));
    EXPECT_EQ(r.rig.session.sent,
              (std::vector<std::string>{"SetPatch 0", "NoteOn 60 100", "SetPatch 0", "NoteOn 64 80",
                                        "NoteOff 60", "NoteOff 64"}));
    EXPECT_EQ(r.rig.recorder.events.size(), 4u);
    EXPECT_TRUE(r.rig.keys.lit.empty());
}
