#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace tamber {

class KeyboardLayout;

// Keeps a KeyboardLayout in step with the X server's keyboard: its keymap at start and after
// every change (setxkbmap, another keyboard plugged in) and the active layout as the user
// switches between layouts. Qt selects the XKB events for itself; they are watched here on
// their way, never taken.
class X11KeyboardWatcher : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    // Null unless the program shows its windows on an X server with XKB.
    static std::unique_ptr<X11KeyboardWatcher> attach(KeyboardLayout& layout);
    ~X11KeyboardWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11KeyboardWatcher(KeyboardLayout& layout, xcb_connection_t* connection, int32_t device,
                       uint8_t firstEvent);
    void reload();

    KeyboardLayout& m_layout;
    xcb_connection_t* m_connection;
    int32_t m_device;
    uint8_t m_firstEvent;
    QTimer m_reload; // a layout change sends several map events: one reload for them all
};

} // namespace tamber
