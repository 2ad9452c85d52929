#pragma once

#include <Qt>
#include <algorithm>
#include <array>
#include <cstdint>

class QKeyEvent;

namespace tamber {

// Keymap files store Windows virtual-key codes: those of the key's position on a US keyboard
// (KeyPositions.h holds the one table). A key gives at most two codes: modifiers set the
// generic code (Shift 16) and the sided one (left Shift 160), as Windows does.
struct VirtualKeys
{
    std::array<uint8_t, 2> codes{};
    int count = 0;

    void add(uint8_t vk) { codes[size_t(count++)] = vk; }
    bool empty() const { return count == 0; }
    bool operator==(const VirtualKeys& other) const
    {
        return count == other.count &&
               std::equal(codes.begin(), codes.begin() + count, other.codes.begin());
    }
};

// For key events without a native scan code (made by programs, not by a keyboard): the
// position where a US keyboard has the key. key: Qt::Key; modifiers: only KeypadModifier
// matters; nativeVirtualKey: the X keysym when the platform gives one (0 otherwise), which
// tells the left modifier from the right one.
VirtualKeys virtualKeysFor(int key, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey);
VirtualKeys virtualKeysFor(const QKeyEvent& event);

// Mouse buttons 1 (left), 2 (right), 4 (middle), 5 and 6 (the extra buttons); 0 for others.
uint8_t virtualKeyForMouse(Qt::MouseButton button);

} // namespace tamber
