#pragma once

#include "Keymap.h"

#include <QString>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>

namespace tamber {

class KeyStateSource;

constexpr int kKeymapNotes = Keymap::kHighestOffset + 1; // 29 notes, C to the E two octaves up

// The character shown for a key code: empty up to 32 (Space, Enter, Shift...), above that the
// code's character in Windows-1252, so the keypad codes 96..105 read "`", "a" to "i".
QString keyCaption(uint8_t vk);

// What the user's layout prints on the key of a code; empty when it prints nothing.
using KeyLabels = std::function<QString(uint8_t vk)>;

// The caption of every note's button; where several keys share a note, the highest code wins.
// A key shows what the layout prints on it, else keyCaption(); codes up to 32 show nothing.
std::array<QString, kKeymapNotes> keymapCaptions(const Keymap& keymap,
                                                 const KeyLabels& labels = {});

// The lowest code 5..255 now down, 0 when none is. Codes 0..4 (left, right and middle mouse
// buttons, Cancel) are never caught: a click is how the user asks for a key.
uint8_t firstKeyDown(const KeyStateSource& keys, const std::bitset<256>& passedOver = {});

// The key the user presses for a note. Keys already down when the wait begins (the Ctrl of
// Ctrl+K on its way up, a key held while clicking) are not the answer until they have been
// released: like the poller, the capture counts a press, not a key that happens to be down.
class KeyCapture
{
public:
    explicit KeyCapture(const KeyStateSource& keys);
    // The lowest code 5..255 pressed since the wait began, or 0.
    uint8_t poll();

private:
    const KeyStateSource& m_keys;
    std::bitset<256> m_heldBefore;
};

// Gives note a new key: releases the note's lowest old key, then maps vk to the note only.
void assignKey(Keymap& keymap, uint8_t note, uint8_t vk);

} // namespace tamber
