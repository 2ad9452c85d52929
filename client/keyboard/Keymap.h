#pragma once

#include <array>
#include <cstdint>

namespace tamber {

// Which computer keys play which notes, indexed by Windows virtual-key code 0..255.
// KeyNote holds the semitone offset 0..28 above the base octave's C; it means something
// only where KeyMapped is true.
struct Keymap
{
    static constexpr int kCodes = 256;
    static constexpr uint8_t kHighestOffset = 28;

    std::array<uint8_t, kCodes> KeyNote{};
    std::array<bool, kCodes> KeyMapped{};

    void clear()
    {
        KeyNote.fill(0);
        KeyMapped.fill(false);
    }
    bool operator==(const Keymap&) const = default;
};

} // namespace tamber
