#include "QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tamber {

QWidget* dialogOwner(QWidget* mainWindow)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return mainWindow;
}

void QtMessageBoxes::show(const QString& text, const QString& title, Icon icon)
{
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::Critical:
        qtIcon = QMessageBox::Critical;
        break;
    case Icon::Exclamation:
        qtIcon = QMessageBox::Warning;
        break;
    case Icon::Information:
        qtIcon = QMessageBox::Information;
        break;
    }
    QMessageBox box(qtIcon, title, text, QMessageBox::Ok, dialogOwner(m_parent));
    box.exec();
}

} // namespace tamber
