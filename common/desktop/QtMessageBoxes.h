#pragma once

#include "common/platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace tamber {

// A box or dialog opens over the window the user is looking at: the modal dialog now open
// (Key Config's boxes over Key Config, which blocks the main window) or else `mainWindow`.
QWidget* dialogOwner(QWidget* mainWindow);

class QtMessageBoxes : public MessageBoxes
{
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    void show(const QString& text, const QString& title, Icon icon) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace tamber
