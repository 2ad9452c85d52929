#pragma once

#include <QFont>
#include <QString>
#include <functional>

class QWidget;

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

// Texts in other languages run longer than the English the windows were drawn for (German and
// Russian by a third or more). The controls keep their size; their font shrinks instead.

// What a button, check box, label or group box shows as its text, without the mnemonic's "&";
// empty for other widgets.
QString shownText(const QWidget& control);

// The width a control gives its text: a button's or check box's contents, a group box's title,
// a label's contents.
int textRoom(const QWidget& control);

// The control's own font (as it was at the first fit) if its text fits in textRoom, else that
// font at the largest pixel size that fits, down to the smallest readable one. Call again
// after changing the text.
void fitText(QWidget& control);

// fitText for every button, check box, label and group box in `window`.
void fitTexts(QWidget& window);

} // namespace tamber
