#pragma once

#include "common/platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>
#include <deque>

namespace tamber {

// A box or dialog opens over the window the user is looking at: the modal dialog now open
// (Key Config's boxes over Key Config, which blocks the main window) or else `mainWindow`.
QWidget* dialogOwner(QWidget* mainWindow);

class QtMessageBoxes : public MessageBoxes
{
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    void show(const QString& text, const QString& title, Icon icon) override;
    void post(const QString& text, const QString& title, Icon icon) override;

private:
    struct Pending
    {
        QString text;
        QString title;
        Icon icon;
    };
    void openNext();

    QPointer<QWidget> m_parent;
    QPointer<QWidget> m_open; // the posted box now open
    std::deque<Pending> m_pending;
};

} // namespace tamber
