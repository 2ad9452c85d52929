#include "HeldNotes.h"

#include <algorithm>
#include <utility>

namespace tamber {

namespace {

constexpr int kAllSoundOff = 120;
constexpr int kAllNotesOff = 123;

int statusOf(ShortMessage m)
{
    return int(m & 0xF0);
}
int channelOf(ShortMessage m)
{
    return int(m & 0x0F);
}
int data1Of(ShortMessage m)
{
    return int((m >> 8) & 0x7F);
}
int data2Of(ShortMessage m)
{
    return int((m >> 16) & 0x7F);
}

bool isNoteOff(ShortMessage m)
{
    return statusOf(m) == 0x80 || (statusOf(m) == 0x90 && data2Of(m) == 0);
}

} // namespace

void HeldNotes::removeMatching(ShortMessage message, bool byKey)
{
    const int status = isNoteOff(message) ? 0x90 : statusOf(message);
    std::erase_if(m_messages, [&](ShortMessage held) {
        return statusOf(held) == status && channelOf(held) == channelOf(message) &&
               (!byKey || data1Of(held) == data1Of(message));
    });
}

void HeldNotes::hold(ShortMessage message)
{
    const int status = statusOf(message);
    if (isNoteOff(message)) {
        removeMatching(message, true);
        return;
    }
    if (status == 0xB0 && (data1Of(message) == kAllSoundOff || data1Of(message) == kAllNotesOff)) {
        // Nothing of that channel sounds yet: its held notes simply go.
        removeMatching(makeShortMessage(uint8_t(0x80 | channelOf(message)), 0, 0), false);
        return;
    }
    switch (status) {
    case 0x90:
    case 0xB0:
        removeMatching(message, true); // per key or controller
        break;
    case 0xC0:
    case 0xE0:
        removeMatching(message, false); // per channel
        break;
    default:
        return; // pressure and system messages are of the moment
    }
    m_messages.push_back(message);
}

std::vector<ShortMessage> HeldNotes::take()
{
    return std::exchange(m_messages, {});
}

} // namespace tamber
