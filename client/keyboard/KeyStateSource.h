#pragma once

#include <QObject>
#include <QString>

namespace tamber {

// The up/down state of every virtual-key code 0..255, as the program's own input last saw
// it (GetKeyState's top bit). changed() fires whenever a code goes down or up, so readers
// can sleep until then instead of polling an unchanged table.
//
// A code names a physical key by its position on a US keyboard; label() tells what the
// user's own layout prints on that key.
class KeyStateSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~KeyStateSource() override = default;

    virtual bool isDown(int vk) const = 0;
    // The character printed on the key of code vk in the active layout; empty when the key
    // prints none or the layout is not known.
    virtual QString label(int vk) const = 0;

signals:
    void changed();
    void layoutChanged(); // the layout, and so label(), changed
};

} // namespace tamber
