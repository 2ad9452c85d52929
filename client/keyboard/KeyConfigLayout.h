#pragma once

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

constexpr bool isBlack(int k)
{
    const int inOctave = k % 12;
    return inOctave == 1 || inOctave == 3 || inOctave == 6 || inOctave == 8 || inOctave == 10;
}

// Number of white keys left of key k (k's own number when k is white).
constexpr int whiteIndex(int k)
{
    int whites = 0;
    for (int i = 0; i < k; ++i)
        whites += isBlack(i) ? 0 : 1;
    return whites;
}

// Left of shpKey(k) in twips, inside picKeys.
constexpr int keyLeftTwips(int k)
{
    // A black key sits 180 twips into the white key to its left.
    return isBlack(k) ? 240 * (whiteIndex(k) - 1) + 180 : 240 * whiteIndex(k);
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

// shpKey(k), relative to picKeys.
constexpr QRect shpKey(int k)
{
    return isBlack(k) ? fromTwips(keyLeftTwips(k), 0, 135, 735)
                      : fromTwips(keyLeftTwips(k), 0, 255, 1095);
}

// cmdSet(k): white keys' buttons below the keyboard, black keys' above it.
constexpr QRect cmdSet(int k)
{
    return isBlack(k) ? fromTwips(120 + keyLeftTwips(k) - 60, 120, 255, 315)
                      : fromTwips(120 + 240 * whiteIndex(k), 1680, 255, 315);
}

} // namespace keyconfig_layout
} // namespace tamber
