#include "FontFit.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

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

namespace tamber {

namespace {
const char* const kOwnFont = "tamberOwnFont";

bool isFitted(const QWidget& control)
{
    const auto* label = qobject_cast<const QLabel*>(&control);
    return qobject_cast<const QAbstractButton*>(&control) ||
           qobject_cast<const QGroupBox*>(&control) ||
           (label && !label->wordWrap() && label->textFormat() != Qt::RichText &&
            label->pixmap().isNull());
}

QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

bool fits(const QWidget& control, const QFont& font)
{
    return QFontMetrics(font).horizontalAdvance(shownText(control)) <= textRoom(control);
}
} // namespace

QString shownText(const QWidget& control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return withoutMnemonic(button->text());
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return withoutMnemonic(box->title());
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->buddy() ? withoutMnemonic(label->text()) : label->text();
    return {};
}

int textRoom(const QWidget& control)
{
    QStyle* style = control.style();
    if (const auto* check = qobject_cast<const QCheckBox*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(check);
        return style->subElementRect(QStyle::SE_CheckBoxContents, &option, check).width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        // The rectangle the style draws a button's label in.
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&control)) {
        // The title may take the frame's width less its indent on either side.
        QStyleOptionGroupBox option;
        option.initFrom(box);
        const QRect frame =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box);
        return frame.width() - 2 * style->pixelMetric(QStyle::PM_LayoutLeftMargin, &option, box);
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->contentsRect().width() - 2 * label->margin() - 2 * label->indent();
    return 0;
}

void fitText(QWidget& control)
{
    if (!isFitted(control))
        return;
    // Measured as shown: the style sets its font and margins when it polishes the control.
    control.ensurePolished();
    if (!control.property(kOwnFont).isValid())
        control.setProperty(kOwnFont, control.font());
    QFont font = control.property(kOwnFont).value<QFont>();
    if (fits(control, font)) {
        control.setFont(font);
        return;
    }
    for (int pixels = QFontInfo(font).pixelSize() - 1; pixels > kSmallestPixelSize; --pixels) {
        font.setPixelSize(pixels);
        if (fits(control, font)) {
            control.setFont(font);
            return;
        }
    }
    font.setPixelSize(kSmallestPixelSize);
    control.setFont(font);
}

void fitTexts(QWidget& window)
{
    // Every control's own font first: a group box's smaller font must not pass to its children.
    window.ensurePolished();
    const QList<QWidget*> controls = window.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (isFitted(*control) && !control->property(kOwnFont).isValid()) {
            control->ensurePolished();
            control->setProperty(kOwnFont, control->font());
        }
    }
    for (QWidget* control : controls)
        fitText(*control);
}

} // namespace tamber
