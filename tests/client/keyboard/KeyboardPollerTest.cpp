#include "client/keyboard/KeyboardPoller.h"

#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakeSound.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace tamber {
namespace {

constexpr uint8_t kZ = 'Z', kX = 'X', kA = 'A';

ShortMessage on(uint8_t channel, uint8_t note)
{
    return makeShortMessage(0x90 + channel, note, 127);
}
ShortMessage off(uint8_t channel, uint8_t note)
{
    return makeShortMessage(0x80 + channel, note, 0);
}

struct PollerRig
{
    fakes::EngineRig sound;
    fakes::FakeKeyState keys;
    Keymap keymap;
    bool inFront = true;
    KeyboardPoller poller{{keymap, keys, [this] { return inFront; }, sound.engine, sound.state}};

    std::vector<ShortMessage>& sent() { return sound.output.sent; }
    void map(uint8_t vk, uint8_t offset)
    {
        keymap.KeyNote[vk] = offset;
        keymap.KeyMapped[vk] = true;
    }
};

TEST(KeyboardPoller, OneNoteOnPerPressEdgeAndOneNoteOffPerRelease)
{
    PollerRig rig;
    rig.map(kZ, 0);
    rig.poller.PollKeyboard();
    EXPECT_TRUE(rig.sent().empty());

    rig.keys.press(kZ);
    rig.poller.PollKeyboard();
    rig.poller.PollKeyboard(); // held: no second note
    EXPECT_TRUE(rig.poller.keyDown(kZ));
    ASSERT_EQ(rig.sent(), (std::vector{on(0, 72)}));
    EXPECT_EQ(rig.sound.session.sent, (std::vector<std::string>{"SetPatch 0", "NoteOn 72 127"}));

    rig.keys.release(kZ);
    rig.poller.PollKeyboard();
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 72), off(0, 72)}));
    EXPECT_FALSE(rig.poller.keyDown(kZ));
}

TEST(KeyboardPoller, EdgesOfOneTickAreHandledInAscendingCodeOrder)
{
    PollerRig rig;
    rig.map(kZ, 2);
    rig.map(kX, 1);
    rig.map(kA, 0);
    rig.keys.setMany({{kZ, true}, {kA, true}});
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 72), on(0, 74)}));

    // A release and a press in one tick: X (88) before Z (90), A (65) before both.
    rig.sent().clear();
    rig.keys.setMany({{kZ, false}, {kX, true}, {kA, false}});
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{off(0, 72), on(0, 73), off(0, 74)}));
}

TEST(KeyboardPoller, PressesOnlySoundWhileTheMainWindowIsInFront)
{
    PollerRig rig;
    rig.map(kZ, 4);
    rig.inFront = false;
    rig.keys.press(kZ);
    rig.poller.PollKeyboard();
    EXPECT_TRUE(rig.poller.keyDown(kZ)); // tracked all the same
    EXPECT_TRUE(rig.sent().empty());

    // The window comes back while the key is held: no new edge, no note.
    rig.inFront = true;
    rig.poller.PollKeyboard();
    EXPECT_TRUE(rig.sent().empty());

    // Regression: the release stopped the key's note though none was started, so keys typed
    // into a dialog reached the device, the session and a recording as note-offs.
    rig.sound.recorder.recording = true;
    rig.keys.release(kZ);
    rig.poller.PollKeyboard();
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_TRUE(rig.sound.session.sent.empty());
    EXPECT_TRUE(rig.sound.recorder.events.empty());
}

TEST(KeyboardPoller, UnmappedKeysAndCodeRangeLimits)
{
    PollerRig rig;
    rig.keys.press(kZ);
    rig.poller.PollKeyboard();
    rig.keys.release(kZ);
    rig.poller.PollKeyboard();
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_TRUE(rig.sound.session.sent.empty());

    rig.map(kZ, 28);
    rig.map(1, 0); // the left mouse button plays like any key
    rig.sound.state.setBaseOctave(4);
    rig.keys.press(kZ);
    rig.poller.PollKeyboard();
    rig.sound.state.setBaseOctave(0);
    rig.keys.press(1);
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 112), on(0, 36)}));
}

TEST(KeyboardPoller, TwoKeysOnOneNoteEachPressStartsItTheFirstReleaseStopsIt)
{
    PollerRig rig;
    rig.map(kZ, 0);
    rig.map(kX, 0);
    rig.keys.press(kZ);
    rig.poller.PollKeyboard();
    rig.keys.press(kX);
    rig.poller.PollKeyboard();
    rig.keys.release(kZ);
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 72), on(0, 72), off(0, 72)}));
    EXPECT_FALSE(rig.sound.engine.isSounding(0, 72));
}

TEST(KeyboardPoller, ReleaseStopsTheNoteAndChannelItsPressStarted)
{
    PollerRig rig;
    rig.map(kZ, 5);
    rig.keys.press(kZ);
    rig.poller.PollKeyboard();

    // Octave, keymap and user number all change while Z is held.
    rig.sound.state.setBaseOctave(4);
    rig.keymap.KeyMapped[kZ] = false;
    rig.sound.state.setMyUserID(3);
    rig.keys.release(kZ);
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 77), off(0, 77)}));
    EXPECT_FALSE(rig.sound.engine.isSounding(0, 77));

    // The next press plays with the values now current.
    rig.keymap.KeyMapped[kZ] = true;
    rig.keys.press(kZ);
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent().back(), on(3, 89));
}

TEST(KeyboardPoller, PressAndReleaseBetweenTwoTicksPlayNothing)
{
    PollerRig rig;
    rig.map(kZ, 0);
    rig.keys.press(kZ);
    rig.keys.release(kZ);
    rig.poller.PollKeyboard();
    EXPECT_TRUE(rig.sent().empty());
}

TEST(PollTimer, TicksOnceAfterEachChangeAndSleepsOtherwise)
{
    PollerRig rig;
    rig.map(kZ, 0);
    rig.keys.down[kZ] = true; // already held when the program starts
    PollTimer tmrPoll(rig.poller, rig.keys);
    rig.keys.press(kX); // before start(): no tick
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.sent().empty());

    tmrPoll.start();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 72)})); // the first tick counts it as pressed
    EXPECT_FALSE(tmrPoll.isTicking());

    rig.keys.release(kZ);
    EXPECT_TRUE(tmrPoll.isTicking());
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.sent().back(), off(0, 72));
    EXPECT_FALSE(tmrPoll.isTicking());

    tmrPoll.stop();
    rig.keys.press(kZ);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tmrPoll.isTicking());
    EXPECT_EQ(rig.sent().size(), 2u);
}

// Regression: Ctrl+N, Ctrl+O, Ctrl+J, Alt+O and Alt+H opened their menu or dialog and sounded
// the letter's note too.
TEST(KeyboardPoller, LettersAndDigitsWithCtrlOrAltAreShortcutsNotNotes)
{
    PollerRig rig;
    rig.map('N', 9);
    rig.map('2', 13);
    for (const auto& [modifier, sided] : {std::pair{0x11, 0xA2}, std::pair{0x12, 0xA5}}) {
        rig.keys.setMany({{modifier, true}, {sided, true}});
        rig.poller.PollKeyboard();
        for (const uint8_t vk : {uint8_t('N'), uint8_t('2')}) {
            rig.keys.press(vk);
            rig.poller.PollKeyboard();
            rig.keys.release(vk);
            rig.poller.PollKeyboard();
        }
        rig.keys.setMany({{modifier, false}, {sided, false}});
        rig.poller.PollKeyboard();
    }
    EXPECT_TRUE(rig.sent().empty()) << "neither the press nor its release";

    // The modifier let go while the letter is still held: the letter's release stays silent.
    rig.keys.press(0x11);
    rig.poller.PollKeyboard();
    rig.keys.press('N');
    rig.poller.PollKeyboard();
    rig.keys.release(0x11);
    rig.poller.PollKeyboard();
    rig.keys.release('N');
    rig.poller.PollKeyboard();
    EXPECT_TRUE(rig.sent().empty());

    // Shift is an ordinary key: Shift+N plays.
    rig.keys.press(0x10);
    rig.keys.press('N');
    rig.poller.PollKeyboard();
    rig.keys.setMany({{0x10, false}, {'N', false}});
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 81), off(0, 81)}));

    // A keymap that plays Ctrl itself plays chords with it.
    rig.sent().clear();
    rig.map(0xA2, 0);
    rig.keys.setMany({{0x11, true}, {0xA2, true}});
    rig.poller.PollKeyboard();
    rig.keys.press('N');
    rig.poller.PollKeyboard();
    EXPECT_EQ(rig.sent(), (std::vector{on(0, 72), on(0, 81)}));
}

} // namespace
} // namespace tamber
