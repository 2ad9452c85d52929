#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace tamber::fakes {

// A window's controls, in either program, found by their objectNames (the program's names:
// "cmdRecord", "mnuOutDevice1"). A name that is missing, given twice or of another type fails the
// test at once, rather than leaving it to crash on a null pointer.
class WindowControls
{
public:
    explicit WindowControls(const QObject& window) : m_window(window) {}

    template <typename Control> Control& find(const QString& name) const
    {
        const QList<Control*> found = m_window.findChildren<Control*>(name);
        if (found.size() != 1) {
            const std::string what = "found " + std::to_string(found.size()) + " " +
                                     Control::staticMetaObject.className() + " named \"" +
                                     name.toStdString() + "\" in " +
                                     m_window.objectName().toStdString() + ", not one";
            ADD_FAILURE() << what;
            throw std::runtime_error(what);
        }
        return *found.front();
    }

    // Those of an array carry their index after the name: ("cmdOctave", 3) is "cmdOctave3".
    template <typename Control> Control& find(const QString& name, int index) const
    {
        return find<Control>(name + QString::number(index));
    }

    // How many an array holds: name0, name1, ... up to the first missing.
    template <typename Control> int count(const QString& name) const
    {
        int n = 0;
        while (m_window.findChild<Control*>(name + QString::number(n)))
            ++n;
        return n;
    }

    QPushButton& button(const QString& name) const { return find<QPushButton>(name); }
    QPushButton& button(const QString& name, int index) const
    {
        return find<QPushButton>(name, index);
    }
    QLabel& label(const QString& name) const { return find<QLabel>(name); }
    QLabel& label(const QString& name, int index) const { return find<QLabel>(name, index); }
    QGroupBox& frame(const QString& name) const { return find<QGroupBox>(name); }
    QCheckBox& checkBox(const QString& name) const { return find<QCheckBox>(name); }
    QComboBox& comboBox(const QString& name) const { return find<QComboBox>(name); }
    QListWidget& list(const QString& name) const { return find<QListWidget>(name); }
    QMenu& menu(const QString& name) const { return find<QMenu>(name); }
    QAction& action(const QString& name) const { return find<QAction>(name); }
    QAction& action(const QString& name, int index) const { return find<QAction>(name, index); }

private:
    const QObject& m_window;
};

} // namespace tamber::fakes
