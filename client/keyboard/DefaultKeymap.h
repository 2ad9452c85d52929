#pragma once

#include "client/keyboard/Keymap.h"

namespace tamber {

// The keymap that ships as Default.tmk: the two-row layout of computer-keyboard pianos.
// Lower row Z S X D C V G B H N J M plays offsets 0..11; the upper row from Q, with the
// digit row for the sharps, plays offsets 12..28 (Q 2 W 3 E R 5 T 6 Y 7 U I 9 O 0 P).
// Letters and digits are their own upper-case ASCII codes, as Windows' virtual keys.
Keymap defaultKeymap();

} // namespace tamber
