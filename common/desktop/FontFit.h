#pragma once

#include <QFont>
#include <functional>

namespace tamber {

// The windows were laid out for MS Sans Serif 8 pt. A desktop without that font falls back
// to a wider and taller one (DejaVu Sans on Debian), and text no longer fits the controls
// drawn for it: the instrument list cut "1. Acoustic Grand Piano", the server's user list
// needed a scroll bar for its eight lines.

// MS Sans Serif 8 pt, or the desktop's sans-serif font in its place.
QFont designFont(bool bold = false);

// `font` where the desktop has it as asked; otherwise its fallback, at the largest pixel size
// not above the font's own that `fits`, or the smallest readable size if none does.
QFont fittedFont(const QFont& font, const std::function<bool(const QFont&)>& fits);

} // namespace tamber
