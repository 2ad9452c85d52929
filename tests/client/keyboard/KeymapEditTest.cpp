#include "client/keyboard/KeymapEdit.h"

#include "tests/fakes/FakeKeyboard.h"

#include <gtest/gtest.h>

namespace tamber {
namespace {

void map(Keymap& keymap, int vk, uint8_t note)
{
    keymap.KeyNote[size_t(vk)] = note;
    keymap.KeyMapped[size_t(vk)] = true;
}

TEST(KeymapEdit, CaptionsShowTheHighestAssignedCodeAboveSpace)
{
    Keymap keymap;
    map(keymap, 'Q', 0);
    map(keymap, '5', 1);
    map(keymap, 'A', 2);
    map(keymap, 'Z', 2);  // shares note 2 with A: the higher code shows
    map(keymap, 32, 3);   // Space plays but shows nothing
    map(keymap, 16, 4);   // Shift
    map(keymap, 13, 5);   // Enter
    map(keymap, 96, 6);   // keypad 0
    map(keymap, 105, 7);  // keypad 9
    map(keymap, 0x80, 8); // Windows-1252: the euro sign
    map(keymap, 0xE9, 9);
    map(keymap, 38, 10);      // Up arrow is "&"
    keymap.KeyNote['W'] = 11; // a note without KeyMapped is not assigned
    const auto captions = keymapCaptions(keymap);
    EXPECT_EQ(captions[0], "Q");
    EXPECT_EQ(captions[1], "5");
    EXPECT_EQ(captions[2], "Z");
    EXPECT_EQ(captions[3], "");
    EXPECT_EQ(captions[4], "");
    EXPECT_EQ(captions[5], "");
    EXPECT_EQ(captions[6], "`");
    EXPECT_EQ(captions[7], "i");
    EXPECT_EQ(captions[8], QString(QChar(0x20AC)));
    EXPECT_EQ(captions[9], QString(QChar(0xE9)));
    EXPECT_EQ(captions[10], "&");
    EXPECT_EQ(captions[11], "");
    EXPECT_EQ(captions[28], "");
    EXPECT_EQ(keyCaption(33), "!");
    EXPECT_EQ(keyCaption(0x9F), QString(QChar(0x0178)));
    EXPECT_EQ(keyCaption(255), QString(QChar(0xFF)));
}

TEST(KeymapEdit, AssigningReleasesTheNotesLowestOldKeyOnly)
{
    Keymap keymap;
    map(keymap, 'A', 7);
    map(keymap, 'B', 7);
    map(keymap, 'C', 3);
    assignKey(keymap, 7, 'Q');
    EXPECT_FALSE(keymap.KeyMapped['A']);
    EXPECT_EQ(keymap.KeyNote['A'], 0);
    EXPECT_TRUE(keymap.KeyMapped['B']); // the higher old key stays
    EXPECT_EQ(keymap.KeyNote['Q'], 7);
    EXPECT_TRUE(keymap.KeyMapped['Q']);

    // A key moves: C leaves note 3 for note 10.
    assignKey(keymap, 10, 'C');
    EXPECT_EQ(keymap.KeyNote['C'], 10);
    EXPECT_EQ(keymapCaptions(keymap)[3], "");

    // A note's only key assigned to it again: nothing changes.
    const Keymap before = keymap;
    assignKey(keymap, 10, 'C');
    EXPECT_EQ(keymap, before);

    // A lower key on the same note is released instead.
    assignKey(keymap, 7, 'Q');
    EXPECT_FALSE(keymap.KeyMapped['B']);
    EXPECT_TRUE(keymap.KeyMapped['Q']);
}

TEST(KeymapEdit, CaptureTakesTheLowestCodeFromFiveUp)
{
    fakes::FakeKeyState keys;
    EXPECT_EQ(firstKeyDown(keys), 0);
    keys.down[1] = keys.down[2] = keys.down[3] = keys.down[4] = true;
    EXPECT_EQ(firstKeyDown(keys), 0);
    keys.down['Z'] = true;
    keys.down[160] = true;
    EXPECT_EQ(firstKeyDown(keys), 'Z');
    keys.down[5] = true;
    EXPECT_EQ(firstKeyDown(keys), 5);
}

TEST(KeymapEdit, CaptureWaitsForAPressNotAKeyAlreadyDown)
{
    fakes::FakeKeyState keys;
    keys.down[17] = true; // Ctrl of Ctrl+K, not yet seen released
    KeyCapture capture(keys);
    EXPECT_EQ(capture.poll(), 0);
    keys.down['K'] = true;
    EXPECT_EQ(capture.poll(), 'K') << "the new press, though Ctrl has the lower code";
    keys.down['K'] = false;
    keys.down[17] = false;
    EXPECT_EQ(capture.poll(), 0);
    keys.down[17] = true;
    EXPECT_EQ(capture.poll(), 17) << "released and pressed again: now it is an answer";
}

} // namespace
} // namespace tamber
