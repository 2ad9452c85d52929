// What an output that is still opening hears once it is ready: the state, not the history.
#include "client/midi/HeldNotes.h"

#include <gtest/gtest.h>

using namespace tamber;

namespace {

constexpr ShortMessage msg(uint8_t status, uint8_t data1, uint8_t data2 = 0)
{
    return makeShortMessage(status, data1, data2);
}

struct Case
{
    const char* name;
    std::vector<ShortMessage> sent;
    std::vector<ShortMessage> heard;
};

} // namespace

TEST(HeldNotes, AReadyOutputHearsTheLastStateAndTheKeysStillDown)
{
    const Case cases[] = {
        {"a held key sounds",
         {msg(0xC0, 0), msg(0x90, 72, 127)},
         {msg(0xC0, 0), msg(0x90, 72, 127)}},
        {"a released key is dropped", {msg(0x90, 72, 127), msg(0x80, 72)}, {}},
        {"a note-on of velocity 0 releases too", {msg(0x91, 60, 90), msg(0x91, 60, 0)}, {}},
        {"the release of another channel's key leaves it",
         {msg(0x90, 72, 127), msg(0x81, 72)},
         {msg(0x90, 72, 127)}},
        {"pressed again after its release: once, as last struck",
         {msg(0x90, 72, 100), msg(0x80, 72), msg(0x90, 72, 127)},
         {msg(0x90, 72, 127)}},
        {"the last program of a channel, in the order last sent",
         {msg(0xC0, 5), msg(0xC1, 7), msg(0xC0, 40), msg(0x90, 60, 127)},
         {msg(0xC1, 7), msg(0xC0, 40), msg(0x90, 60, 127)}},
        {"controllers by number, pitch bend by channel",
         {msg(0xB0, 64, 127), msg(0xB0, 7, 100), msg(0xB0, 64, 0), msg(0xE0, 0, 64),
          msg(0xE0, 0, 70)},
         {msg(0xB0, 7, 100), msg(0xB0, 64, 0), msg(0xE0, 0, 70)}},
        {"all notes off and all sound off end that channel's keys",
         {msg(0x90, 60, 127), msg(0x91, 61, 127), msg(0x90, 62, 127), msg(0xB0, 123),
          msg(0x91, 63, 127), msg(0xB1, 120)},
         {}},
        {"pressure and system messages are of the moment",
         {msg(0xA0, 60, 10), msg(0xD0, 20), msg(0xF8, 0)},
         {}},
    };
    for (const Case& c : cases) {
        HeldNotes held;
        for (ShortMessage m : c.sent)
            held.hold(m);
        EXPECT_EQ(held.take(), c.heard) << c.name;
        EXPECT_TRUE(held.empty()) << c.name << ": taken once";
    }
}
