#pragma once

#include "client/engine/KeyShapes.h"

#include <QRect>

namespace tamber {

// The key configuration dialog's geometry, given in twips and placed at 15 twips a pixel.
namespace keyconfig_layout {

constexpr int kTwipsPerPixel = 15;

constexpr QRect fromTwips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

constexpr QRect clientArea()
{
    return fromTwips(0, 0, 4335, 2895);
}
constexpr QRect picKeys()
{
    return fromTwips(120, 480, 4095, 1095);
}
constexpr QRect lblInstruction()
{
    return fromTwips(120, 2040, 4095, 255);
}
constexpr QRect cmdSave()
{
    return fromTwips(120, 2400, 1215, 375);
}
constexpr QRect cmdLoad()
{
    return fromTwips(1560, 2400, 1215, 375);
}
constexpr QRect cmdOK()
{
    return fromTwips(3000, 2400, 1215, 375);
}

// cmdSet(k), centred on shpKey(k): white keys' buttons below the keyboard, black keys' above.
inline QRect cmdSet(int k)
{
    const QRect key = keyShape(k).translated(picKeys().topLeft());
    const bool black = isBlackKey(k);
    const QRect button = fromTwips(0, black ? 120 : 1680, 255, 315);
    return button.translated(key.center().x() - button.center().x(), 0);
}

} // namespace keyconfig_layout
} // namespace tamber
