#include "X11KeyboardWatcher.h"

#include "KeyboardLayout.h"

#include <QGuiApplication>
#include <xkbcommon/xkbcommon-x11.h>

// xcb/xkb.h names a field "explicit", which C++ reserves.
#define explicit xcb_explicit
#include <xcb/xkb.h>
#undef explicit

namespace tamber {

std::unique_ptr<X11KeyboardWatcher> X11KeyboardWatcher::attach(KeyboardLayout& layout)
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return nullptr;
    uint8_t firstEvent = 0;
    if (!xkb_x11_setup_xkb_extension(
            connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &firstEvent, nullptr))
        return nullptr;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    if (device < 0)
        return nullptr;
    std::unique_ptr<X11KeyboardWatcher> watcher(
        new X11KeyboardWatcher(layout, connection, device, firstEvent));
    watcher->reload();
    return watcher;
}

X11KeyboardWatcher::X11KeyboardWatcher(KeyboardLayout& layout, xcb_connection_t* connection,
                                       int32_t device, uint8_t firstEvent)
    : m_layout(layout), m_connection(connection), m_device(device), m_firstEvent(firstEvent)
{
    m_reload.setSingleShot(true);
    m_reload.setInterval(0);
    connect(&m_reload, &QTimer::timeout, this, &X11KeyboardWatcher::reload);
    qApp->installNativeEventFilter(this);
}

X11KeyboardWatcher::~X11KeyboardWatcher()
{
    if (qApp)
        qApp->removeNativeEventFilter(this);
}

void X11KeyboardWatcher::reload()
{
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return;
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(context, m_connection, m_device,
                                                        XKB_KEYMAP_COMPILE_NO_FLAGS);
    uint32_t active = 0;
    if (keymap) {
        if (xkb_state* state = xkb_x11_state_new_from_device(keymap, m_connection, m_device)) {
            active = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_LOCKED);
            xkb_state_unref(state);
        }
        m_layout.setKeymap(keymap, active);
        xkb_keymap_unref(keymap);
    }
    xkb_context_unref(context);
}

bool X11KeyboardWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != m_firstEvent)
        return false;
    const auto* xkb = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event);
    if (xkb->deviceID != m_device)
        return false;
    switch (xkb->xkbType) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY:
    case XCB_XKB_MAP_NOTIFY:
        m_reload.start();
        break;
    case XCB_XKB_STATE_NOTIFY:
        m_layout.setActiveLayout(xkb->lockedGroup);
        break;
    default:
        break;
    }
    return false;
}

} // namespace tamber
