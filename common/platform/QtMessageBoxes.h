#pragma once

#include "common/platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace tamber {

class QtMessageBoxes : public MessageBoxes
{
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    void show(const QString& text, const QString& title, Icon icon) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace tamber
