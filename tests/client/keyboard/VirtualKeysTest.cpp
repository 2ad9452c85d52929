#include "client/keyboard/VirtualKeys.h"

#include <gtest/gtest.h>

namespace tamber {
namespace {

VirtualKeys keys(std::initializer_list<uint8_t> codes)
{
    VirtualKeys result;
    for (uint8_t vk : codes)
        result.add(vk);
    return result;
}

VirtualKeys plain(int key)
{
    return virtualKeysFor(key, Qt::NoModifier, 0);
}

TEST(VirtualKeys, LettersAndDigitsByTheirCharacterWhateverTheModifiers)
{
    EXPECT_EQ(plain(Qt::Key_A), keys({65}));
    EXPECT_EQ(plain(Qt::Key_Z), keys({90}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Q, Qt::ShiftModifier | Qt::ControlModifier, 0), keys({81}));
    EXPECT_EQ(plain(Qt::Key_0), keys({48}));
    EXPECT_EQ(plain(Qt::Key_9), keys({57}));
    // Shifted digits on a US layout are still the digit keys.
    EXPECT_EQ(virtualKeysFor(Qt::Key_Exclam, Qt::ShiftModifier, 0), keys({'1'}));
    EXPECT_EQ(plain(Qt::Key_At), keys({'2'}));
    EXPECT_EQ(plain(Qt::Key_ParenLeft), keys({'9'}));
    EXPECT_EQ(plain(Qt::Key_ParenRight), keys({'0'}));
    EXPECT_EQ(plain(Qt::Key_Asterisk), keys({'8'}));
}

TEST(VirtualKeys, FunctionNavigationAndEditingKeys)
{
    EXPECT_EQ(plain(Qt::Key_F1), keys({0x70}));
    EXPECT_EQ(plain(Qt::Key_F12), keys({0x7B}));
    EXPECT_EQ(plain(Qt::Key_F24), keys({0x87}));
    EXPECT_EQ(plain(Qt::Key_Space), keys({32}));
    EXPECT_EQ(plain(Qt::Key_Return), keys({13}));
    EXPECT_EQ(plain(Qt::Key_Enter), keys({13}));
    EXPECT_EQ(plain(Qt::Key_Tab), keys({9}));
    EXPECT_EQ(plain(Qt::Key_Backtab), keys({9}));
    EXPECT_EQ(plain(Qt::Key_Backspace), keys({8}));
    EXPECT_EQ(plain(Qt::Key_Escape), keys({27}));
    EXPECT_EQ(plain(Qt::Key_PageUp), keys({0x21}));
    EXPECT_EQ(plain(Qt::Key_Home), keys({0x24}));
    EXPECT_EQ(plain(Qt::Key_Left), keys({0x25}));
    EXPECT_EQ(plain(Qt::Key_Down), keys({0x28}));
    EXPECT_EQ(plain(Qt::Key_Insert), keys({0x2D}));
    EXPECT_EQ(plain(Qt::Key_Delete), keys({0x2E}));
    EXPECT_EQ(plain(Qt::Key_CapsLock), keys({0x14}));
    EXPECT_EQ(plain(Qt::Key_NumLock), keys({0x90}));
}

TEST(VirtualKeys, KeypadCodesOnlyWithTheKeypadModifier)
{
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(virtualKeysFor(Qt::Key_0 + d, Qt::KeypadModifier, 0), keys({uint8_t(0x60 + d)}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Asterisk, Qt::KeypadModifier, 0), keys({0x6A}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Plus, Qt::KeypadModifier, 0), keys({0x6B}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Minus, Qt::KeypadModifier, 0), keys({0x6D}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Period, Qt::KeypadModifier, 0), keys({0x6E}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Slash, Qt::KeypadModifier, 0), keys({0x6F}));
    // Num Lock off: the keypad sends navigation keys, reported as those.
    EXPECT_EQ(virtualKeysFor(Qt::Key_Home, Qt::KeypadModifier, 0), keys({0x24}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Enter, Qt::KeypadModifier, 0), keys({13}));
    // The main keyboard's versions of the same keys.
    EXPECT_EQ(plain(Qt::Key_Plus), keys({0xBB}));
    EXPECT_EQ(plain(Qt::Key_Minus), keys({0xBD}));
    EXPECT_EQ(plain(Qt::Key_Slash), keys({0xBF}));
}

TEST(VirtualKeys, UsPunctuationShiftedOrNot)
{
    const std::pair<int, int> pairs[] = {
        {Qt::Key_Semicolon, 0xBA},    {Qt::Key_Colon, 0xBA},      {Qt::Key_Equal, 0xBB},
        {Qt::Key_Comma, 0xBC},        {Qt::Key_Less, 0xBC},       {Qt::Key_Underscore, 0xBD},
        {Qt::Key_Period, 0xBE},       {Qt::Key_Greater, 0xBE},    {Qt::Key_Question, 0xBF},
        {Qt::Key_QuoteLeft, 0xC0},    {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BracketLeft, 0xDB},
        {Qt::Key_BraceLeft, 0xDB},    {Qt::Key_Backslash, 0xDC},  {Qt::Key_Bar, 0xDC},
        {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
        {Qt::Key_QuoteDbl, 0xDE}};
    for (const auto& [key, vk] : pairs)
        EXPECT_EQ(plain(key), keys({uint8_t(vk)})) << "Qt key " << std::hex << key;
}

TEST(VirtualKeys, ModifiersGiveTheGenericAndTheSidedCode)
{
    constexpr uint32_t shiftL = 0xffe1, shiftR = 0xffe2, controlL = 0xffe3, controlR = 0xffe4;
    constexpr uint32_t metaL = 0xffe7, altL = 0xffe9, altR = 0xffea, superR = 0xffec;
    EXPECT_EQ(virtualKeysFor(Qt::Key_Shift, Qt::ShiftModifier, shiftL), keys({16, 160}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Shift, Qt::ShiftModifier, shiftR), keys({16, 161}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Control, Qt::NoModifier, controlL), keys({17, 162}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Control, Qt::NoModifier, controlR), keys({17, 163}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Alt, Qt::NoModifier, altL), keys({18, 164}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Alt, Qt::NoModifier, altR), keys({18, 165}));
    EXPECT_EQ(plain(Qt::Key_AltGr), keys({18, 165}));
    // X reports Alt pressed after Shift as Meta.
    EXPECT_EQ(virtualKeysFor(Qt::Key_Meta, Qt::ShiftModifier, metaL), keys({18, 164}));
    EXPECT_EQ(virtualKeysFor(Qt::Key_Meta, Qt::NoModifier, superR), keys({0x5C}));
    EXPECT_EQ(plain(Qt::Key_Super_L), keys({0x5B}));
    // No keysym (synthetic events): the side cannot be known and is taken as left.
    EXPECT_EQ(plain(Qt::Key_Shift), keys({16, 160}));
}

TEST(VirtualKeys, MouseButtonsAndUnknownKeys)
{
    EXPECT_EQ(virtualKeyForMouse(Qt::LeftButton), 1);
    EXPECT_EQ(virtualKeyForMouse(Qt::RightButton), 2);
    EXPECT_EQ(virtualKeyForMouse(Qt::MiddleButton), 4);
    EXPECT_EQ(virtualKeyForMouse(Qt::BackButton), 5);
    EXPECT_EQ(virtualKeyForMouse(Qt::ForwardButton), 6);
    EXPECT_EQ(virtualKeyForMouse(Qt::ExtraButton3), 0);
    EXPECT_TRUE(plain(Qt::Key_unknown).empty());
    EXPECT_TRUE(plain(Qt::Key_Adiaeresis).empty());
}

} // namespace
} // namespace tamber
