#include "QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <memory>

namespace tamber {

QWidget* dialogOwner(QWidget* mainWindow)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return mainWindow;
}

namespace {

QMessageBox* makeBox(const QString& text, const QString& title, MessageBoxes::Icon icon,
                     QWidget* owner)
{
    using Icon = MessageBoxes::Icon;
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
    return new QMessageBox(qtIcon, title, text, QMessageBox::Ok, owner);
}

} // namespace

void QtMessageBoxes::show(const QString& text, const QString& title, Icon icon)
{
    std::unique_ptr<QMessageBox> box(makeBox(text, title, icon, dialogOwner(m_parent)));
    box->exec();
}

void QtMessageBoxes::post(const QString& text, const QString& title, Icon icon)
{
    m_pending.push_back({text, title, icon});
    if (!m_open)
        openNext();
}

void QtMessageBoxes::openNext()
{
    if (m_pending.empty())
        return;
    const Pending next = m_pending.front();
    m_pending.pop_front();
    QMessageBox* box = makeBox(next.text, next.title, next.icon, dialogOwner(m_parent));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // As modal as a box that waits: nothing else of the program takes input meanwhile.
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QDialog::finished, box, [this] {
        m_open = nullptr;
        openNext();
    });
    m_open = box;
    box->show();
}

} // namespace tamber
