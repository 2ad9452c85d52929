#pragma once

#include <QRect>

namespace tamber {

// The shapes of a row of piano keys starting at a C, as every keyboard of the program draws
// them (the main window's, Key Config's and the browser piano's): white keys 17 x 73 px
// overlapping by one pixel, black keys 9 x 49 px over them.
bool isBlackKey(int key);
// The key's rectangle, from the row's top left corner.
QRect keyShape(int key);

} // namespace tamber
