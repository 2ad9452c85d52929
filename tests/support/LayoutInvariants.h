#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QStyle>
#include <QWidget>
#include <gtest/gtest.h>

namespace tamber::fakes {

// The rules every window's layout keeps, whatever sizes it is given: each named control lies
// inside its parent, no two controls of one parent overlap by more than the one-pixel border
// that neighbouring keys and their buttons share, and each caption fits its control.
// Qt's own inner widgets (unnamed, or named "qt_...") are not the window's controls.
inline void expectSoundLayout(const QWidget& window)
{
    QList<const QWidget*> controls;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isWindow() && !w->objectName().isEmpty() &&
            !w->objectName().startsWith(QLatin1String("qt_")) && !w->isHidden())
            controls.append(w);
    }
    ASSERT_FALSE(controls.isEmpty())
        << "no named controls in " << window.objectName().toStdString();
    for (const QWidget* w : controls) {
        const std::string name = w->objectName().toStdString();
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << name << " leaves its parent " << w->parentWidget()->objectName().toStdString();

        int captionWidth = -1;
        if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->wordWrap())
            captionWidth = label->fontMetrics().horizontalAdvance(label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            QString text = button->text();
            text.remove(QLatin1Char('&'));
            captionWidth = button->fontMetrics().horizontalAdvance(text);
            if (qobject_cast<const QCheckBox*>(w))
                captionWidth += w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w);
        }
        EXPECT_LE(captionWidth, w->width()) << name << "'s caption does not fit";

        for (const QWidget* other : controls) {
            if (other <= w || other->parentWidget() != w->parentWidget())
                continue;
            const QRect shared = w->geometry() & other->geometry();
            EXPECT_TRUE(shared.width() <= 1 || shared.height() <= 1)
                << name << " overlaps " << other->objectName().toStdString();
        }
    }
}

} // namespace tamber::fakes
