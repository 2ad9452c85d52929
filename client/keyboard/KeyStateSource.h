#pragma once

#include <QObject>

namespace tamber {

// The up/down state of every virtual-key code 0..255, as the program's own input last saw
// it (GetKeyState's top bit). changed() fires whenever a code goes down or up, so readers
// can sleep until then instead of polling an unchanged table.
class KeyStateSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~KeyStateSource() override = default;

    virtual bool isDown(int vk) const = 0;

signals:
    void changed();
};

} // namespace tamber
