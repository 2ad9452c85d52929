#include "FontFit.h"

#include <QFontInfo>

namespace tamber {

namespace {
constexpr int kSmallestPixelSize = 8;
} // namespace

QFont designFont(bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

QFont fittedFont(const QFont& font, const std::function<bool(const QFont&)>& fits)
{
    const QFontInfo resolved(font);
    if (resolved.family() == font.family())
        return font;
    QFont fallback = font;
    for (int pixels = resolved.pixelSize(); pixels > kSmallestPixelSize; --pixels) {
        fallback.setPixelSize(pixels);
        if (fits(fallback))
            return fallback;
    }
    fallback.setPixelSize(kSmallestPixelSize);
    return fallback;
}

} // namespace tamber
