#pragma once

#include "VirtualKeys.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace tamber {

// A physical key: its XKB name ("AD01" is the key right of Tab), its keycode on Linux (the
// evdev code plus 8, as X11 and Wayland report it), and the Windows virtual-key codes that
// the key has on a US keyboard. Keymap files store those codes, so a keymap means the same
// physical keys whatever layout prints on them.
struct KeyPosition
{
    std::string_view name;
    uint8_t keycode;
    uint8_t vk;
    uint8_t sidedVk = 0; // modifiers: the left or right code beside the generic one

    VirtualKeys codes() const
    {
        VirtualKeys keys;
        keys.add(vk);
        if (sidedVk != 0)
            keys.add(sidedVk);
        return keys;
    }
};

// Every position the program knows: the US keyboard's keys, and the keys other keyboards add
// (the 102nd key between left Shift and Z, the Brazilian and Japanese extra keys) with the
// codes Windows gives them.
std::span<const KeyPosition> keyPositions();
const KeyPosition* keyPositionNamed(std::string_view name);

// Which position each keycode of one keyboard is. The default reads keycodes as evdev
// numbers; a keymap from the desktop names its keys, which holds for any numbering.
class KeycodeTranslation
{
public:
    static constexpr uint32_t kNoKeycode = 0;

    KeycodeTranslation();
    // keyName(keycode): the XKB name of the key with that keycode, empty for none.
    explicit KeycodeTranslation(const std::function<std::string_view(uint32_t)>& keyName);

    // The codes of the key with this keycode; none for a keycode of no known position.
    VirtualKeys keysAt(uint32_t keycode) const;
    // The keycode of the position whose code (generic or sided) is vk, kNoKeycode if none.
    uint32_t keycodeOf(uint8_t vk) const;

private:
    std::array<const KeyPosition*, 256> m_positions{};
};

} // namespace tamber
