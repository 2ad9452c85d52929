#include "KeyShapes.h"

namespace tamber {

namespace {
constexpr int kWhiteStep = 16; // 240 twips
constexpr int kWhiteWidth = 17;
constexpr int kWhiteHeight = 73;
constexpr int kBlackOffset = 12; // 180 twips from the white key to its left
constexpr int kBlackWidth = 9;
constexpr int kBlackHeight = 49;

int whiteIndex(int key)
{
    static constexpr int whitesBefore[12] = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6};
    return 7 * (key / 12) + whitesBefore[key % 12];
}
} // namespace

bool isBlackKey(int key)
{
    switch (key % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

QRect keyShape(int key)
{
    if (isBlackKey(key)) {
        const int left = (whiteIndex(key - 1)) * kWhiteStep + kBlackOffset;
        return {left, 0, kBlackWidth, kBlackHeight};
    }
    return {whiteIndex(key) * kWhiteStep, 0, kWhiteWidth, kWhiteHeight};
}

} // namespace tamber
