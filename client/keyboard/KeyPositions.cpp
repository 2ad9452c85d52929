#include "KeyPositions.h"

#include <algorithm>

namespace tamber {

namespace {

// clang-format off
constexpr KeyPosition kPositions[] = {
    // Function row.
    {"ESC", 9, 0x1B},
    {"FK01", 67, 0x70}, {"FK02", 68, 0x71}, {"FK03", 69, 0x72}, {"FK04", 70, 0x73},
    {"FK05", 71, 0x74}, {"FK06", 72, 0x75}, {"FK07", 73, 0x76}, {"FK08", 74, 0x77},
    {"FK09", 75, 0x78}, {"FK10", 76, 0x79}, {"FK11", 95, 0x7A}, {"FK12", 96, 0x7B},
    {"FK13", 191, 0x7C}, {"FK14", 192, 0x7D}, {"FK15", 193, 0x7E}, {"FK16", 194, 0x7F},
    {"FK17", 195, 0x80}, {"FK18", 196, 0x81}, {"FK19", 197, 0x82}, {"FK20", 198, 0x83},
    {"FK21", 199, 0x84}, {"FK22", 200, 0x85}, {"FK23", 201, 0x86}, {"FK24", 202, 0x87},
    {"PRSC", 107, 0x2C}, {"SCLK", 78, 0x91}, {"PAUS", 127, 0x13},
    // Digit row.
    {"TLDE", 49, 0xC0},
    {"AE01", 10, '1'}, {"AE02", 11, '2'}, {"AE03", 12, '3'}, {"AE04", 13, '4'},
    {"AE05", 14, '5'}, {"AE06", 15, '6'}, {"AE07", 16, '7'}, {"AE08", 17, '8'},
    {"AE09", 18, '9'}, {"AE10", 19, '0'}, {"AE11", 20, 0xBD}, {"AE12", 21, 0xBB},
    {"BKSP", 22, 0x08},
    // Upper letter row.
    {"TAB", 23, 0x09},
    {"AD01", 24, 'Q'}, {"AD02", 25, 'W'}, {"AD03", 26, 'E'}, {"AD04", 27, 'R'},
    {"AD05", 28, 'T'}, {"AD06", 29, 'Y'}, {"AD07", 30, 'U'}, {"AD08", 31, 'I'},
    {"AD09", 32, 'O'}, {"AD10", 33, 'P'}, {"AD11", 34, 0xDB}, {"AD12", 35, 0xDD},
    {"BKSL", 51, 0xDC}, {"RTRN", 36, 0x0D},
    // Home row.
    {"CAPS", 66, 0x14},
    {"AC01", 38, 'A'}, {"AC02", 39, 'S'}, {"AC03", 40, 'D'}, {"AC04", 41, 'F'},
    {"AC05", 42, 'G'}, {"AC06", 43, 'H'}, {"AC07", 44, 'J'}, {"AC08", 45, 'K'},
    {"AC09", 46, 'L'}, {"AC10", 47, 0xBA}, {"AC11", 48, 0xDE},
    // Lower letter row.
    {"LFSH", 50, 0x10, 0xA0},
    {"AB01", 52, 'Z'}, {"AB02", 53, 'X'}, {"AB03", 54, 'C'}, {"AB04", 55, 'V'},
    {"AB05", 56, 'B'}, {"AB06", 57, 'N'}, {"AB07", 58, 'M'}, {"AB08", 59, 0xBC},
    {"AB09", 60, 0xBE}, {"AB10", 61, 0xBF},
    {"RTSH", 62, 0x10, 0xA1},
    // Bottom row. AltGr is the right Alt, as Windows reports it.
    {"LCTL", 37, 0x11, 0xA2}, {"LWIN", 133, 0x5B}, {"LALT", 64, 0x12, 0xA4},
    {"SPCE", 65, 0x20},
    {"RALT", 108, 0x12, 0xA5}, {"RWIN", 134, 0x5C}, {"COMP", 135, 0x5D},
    {"RCTL", 105, 0x11, 0xA3},
    // Editing and cursor keys.
    {"INS", 118, 0x2D}, {"HOME", 110, 0x24}, {"PGUP", 112, 0x21},
    {"DELE", 119, 0x2E}, {"END", 115, 0x23}, {"PGDN", 117, 0x22},
    {"UP", 111, 0x26}, {"LEFT", 113, 0x25}, {"DOWN", 116, 0x28}, {"RGHT", 114, 0x27},
    // Numeric keypad: its digit codes whether Num Lock is on or not, so that a key of the
    // keypad is one key of the keymap.
    {"NMLK", 77, 0x90}, {"KPDV", 106, 0x6F}, {"KPMU", 63, 0x6A}, {"KPSU", 82, 0x6D},
    {"KP7", 79, 0x67}, {"KP8", 80, 0x68}, {"KP9", 81, 0x69}, {"KPAD", 86, 0x6B},
    {"KP4", 83, 0x64}, {"KP5", 84, 0x65}, {"KP6", 85, 0x66},
    {"KP1", 87, 0x61}, {"KP2", 88, 0x62}, {"KP3", 89, 0x63}, {"KPEN", 104, 0x0D},
    {"KP0", 90, 0x60}, {"KPDL", 91, 0x6E},
    // Keys of other keyboards, with the codes Windows gives them: the 102nd key between left
    // Shift and Z (VK_OEM_102); the Brazilian key right of the full stop (VK_ABNT_C1, also
    // the Japanese backslash key) and keypad separator (VK_ABNT_C2); Japanese conversion
    // keys (VK_CONVERT, VK_NONCONVERT, VK_DBE_HIRAGANA); Korean Hangul and Hanja. The
    // Japanese yen key gets VK_OEM_8: Windows gives it the backslash key's VK_OEM_5, which
    // here already names the key above Enter.
    {"LSGT", 94, 0xE2}, {"AB11", 97, 0xC1}, {"I129", 129, 0xC2}, {"AE13", 132, 0xDF},
    {"HENK", 100, 0x1C}, {"MUHE", 102, 0x1D}, {"HKTG", 101, 0xF2},
    {"HNGL", 130, 0x15}, {"HJCV", 131, 0x19},
    // Media keys.
    {"MUTE", 121, 0xAD}, {"VOL-", 122, 0xAE}, {"VOL+", 123, 0xAF},
    {"I171", 171, 0xB0}, {"I173", 173, 0xB1}, {"I174", 174, 0xB2}, {"I172", 172, 0xB3},
};
// clang-format on

} // namespace

std::span<const KeyPosition> keyPositions()
{
    return kPositions;
}

const KeyPosition* keyPositionNamed(std::string_view name)
{
    const auto it = std::find_if(std::begin(kPositions), std::end(kPositions),
                                 [name](const KeyPosition& p) { return p.name == name; });
    return it == std::end(kPositions) ? nullptr : &*it;
}

KeycodeTranslation::KeycodeTranslation()
{
    for (const KeyPosition& position : kPositions)
        m_positions[position.keycode] = &position;
}

KeycodeTranslation::KeycodeTranslation(const std::function<std::string_view(uint32_t)>& keyName)
{
    for (uint32_t keycode = 0; keycode < m_positions.size(); ++keycode)
        m_positions[keycode] = keyPositionNamed(keyName(keycode));
}

VirtualKeys KeycodeTranslation::keysAt(uint32_t keycode) const
{
    if (keycode >= m_positions.size() || !m_positions[keycode])
        return {};
    return m_positions[keycode]->codes();
}

uint32_t KeycodeTranslation::keycodeOf(uint8_t vk) const
{
    for (uint32_t keycode = 0; keycode < m_positions.size(); ++keycode) {
        const KeyPosition* p = m_positions[keycode];
        if (p && (p->vk == vk || p->sidedVk == vk))
            return keycode;
    }
    return kNoKeycode;
}

} // namespace tamber
