#include "DefaultKeymap.h"

#include <string_view>

namespace tamber {

Keymap defaultKeymap()
{
    constexpr std::string_view lowerRow = "ZSXDCVGBHNJM";
    constexpr std::string_view upperRow = "Q2W3ER5T6Y7UI9O0P";
    static_assert(lowerRow.size() + upperRow.size() == Keymap::kHighestOffset + 1);

    Keymap keymap;
    uint8_t offset = 0;
    for (const std::string_view row : {lowerRow, upperRow}) {
        for (const char key : row) {
            keymap.KeyNote[uint8_t(key)] = offset++;
            keymap.KeyMapped[uint8_t(key)] = true;
        }
    }
    return keymap;
}

} // namespace tamber
