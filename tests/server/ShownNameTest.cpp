// Names in the slot list: every byte a screen would obey is written out, the rest shown.

#include "server/ShownName.h"

#include <gtest/gtest.h>

namespace tamber::server {
namespace {

TEST(ShownName, ControlsAreWrittenOutSoEverySlotStaysOneLine)
{
    const struct
    {
        QByteArray name;
        QByteArray window;   // shown as Windows-1252
        QByteArray terminal; // shown as Latin-1
    } cases[] = {
        {"Anna", "Anna", "Anna"},
        {"\x1b[2J", "\\x1b[2J", "\\x1b[2J"},
        {"a\rb\nc\td", "a\\x0db\\x0ac\\x09d", "a\\x0db\\x0ac\\x09d"},
        {QByteArray("\0x", 2), "\\x00x", "\\x00x"},
        {"del\x7f", "del\\x7f", "del\\x7f"},
        {"\x9b"
         "31m",
         "\x9b"
         "31m",
         "\\x9b"
         "31m"},                   // a right single quote in Windows-1252, CSI in Latin-1
        {"\x80", "\x80", "\\x80"}, // the euro sign, a C1 control in Latin-1
        {"\x81\x8d", "\\x81\\x8d", "\\x81\\x8d"}, // no character in either
        {"\xc2\x9b", "\xc2\x9b", "\xc2\\x9b"},    // a UTF-8 terminal would read CSI
        {"Jos\xe9", "Jos\xe9", "Jos\xe9"},
        {"a\\x1b", "a\\\\x1b", "a\\\\x1b"}, // a typed escape cannot pass for a real one
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shownName(c.name, HighBytes::Windows1252), c.window)
            << c.name.toHex().constData();
        EXPECT_EQ(shownName(c.name, HighBytes::Latin1), c.terminal) << c.name.toHex().constData();
    }
}

} // namespace
} // namespace tamber::server
