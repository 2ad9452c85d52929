#include "VirtualKeys.h"

#include <QKeyEvent>

namespace tamber {

namespace {

// X keysyms of the sided modifiers (nativeVirtualKey() under xcb).
constexpr uint32_t kXkShiftR = 0xffe2;
constexpr uint32_t kXkControlR = 0xffe4;
constexpr uint32_t kXkMetaL = 0xffe7;
constexpr uint32_t kXkMetaR = 0xffe8;
constexpr uint32_t kXkAltR = 0xffea;
constexpr uint32_t kXkSuperL = 0xffeb;
constexpr uint32_t kXkSuperR = 0xffec;
constexpr uint32_t kXkIsoLevel3Shift = 0xfe03; // AltGr

constexpr uint8_t kVkShift = 0x10;
constexpr uint8_t kVkControl = 0x11;
constexpr uint8_t kVkMenu = 0x12; // Alt
constexpr uint8_t kVkLShift = 0xA0;
constexpr uint8_t kVkLControl = 0xA2;
constexpr uint8_t kVkLMenu = 0xA4;
constexpr uint8_t kVkLWin = 0x5B;
constexpr uint8_t kVkRWin = 0x5C;

VirtualKeys one(uint8_t vk)
{
    VirtualKeys keys;
    keys.add(vk);
    return keys;
}

VirtualKeys sided(uint8_t generic, uint8_t left, bool right)
{
    VirtualKeys keys;
    keys.add(generic);
    keys.add(uint8_t(left + (right ? 1 : 0)));
    return keys;
}

// The numeric keypad with Num Lock on; with it off the keypad sends navigation keys, which
// Windows reports as those keys, so they fall through to the main table.
uint8_t keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return uint8_t(0x60 + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Asterisk:
        return 0x6A;
    case Qt::Key_Plus:
        return 0x6B;
    case Qt::Key_Minus:
        return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 0x6E; // the decimal key, whatever the locale prints on it
    case Qt::Key_Slash:
        return 0x6F;
    default:
        return 0;
    }
}

// Letters, digits and the US punctuation keys, shifted or not: the code belongs to the
// physical key, so Shift+1 (Key_Exclam) is still the "1" key.
uint8_t characterCode(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return uint8_t(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return uint8_t(key);
    switch (key) {
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 0xDE;
    default:
        return 0;
    }
}

uint8_t controlCode(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return uint8_t(0x70 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Clear:
        return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Select:
        return 0x29;
    case Qt::Key_Printer:
        return 0x2A;
    case Qt::Key_Execute:
        return 0x2B;
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        return 0x2C;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    case Qt::Key_Help:
        return 0x2F;
    case Qt::Key_Super_L:
        return kVkLWin;
    case Qt::Key_Super_R:
        return kVkRWin;
    case Qt::Key_Menu:
        return 0x5D;
    case Qt::Key_Sleep:
        return 0x5F;
    case Qt::Key_NumLock:
        return 0x90;
    case Qt::Key_ScrollLock:
        return 0x91;
    case Qt::Key_VolumeMute:
        return 0xAD;
    case Qt::Key_VolumeDown:
        return 0xAE;
    case Qt::Key_VolumeUp:
        return 0xAF;
    case Qt::Key_MediaNext:
        return 0xB0;
    case Qt::Key_MediaPrevious:
        return 0xB1;
    case Qt::Key_MediaStop:
        return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
        return 0xB3;
    default:
        return 0;
    }
}

} // namespace

VirtualKeys virtualKeysFor(int key, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey)
{
    // Modifiers: without a keysym (synthetic events) the side is unknown and taken as left.
    switch (key) {
    case Qt::Key_Shift:
        return sided(kVkShift, kVkLShift, nativeVirtualKey == kXkShiftR);
    case Qt::Key_Control:
        return sided(kVkControl, kVkLControl, nativeVirtualKey == kXkControlR);
    case Qt::Key_Alt:
        return sided(kVkMenu, kVkLMenu,
                     nativeVirtualKey == kXkAltR || nativeVirtualKey == kXkIsoLevel3Shift);
    case Qt::Key_AltGr:
        return sided(kVkMenu, kVkLMenu, true);
    case Qt::Key_Meta:
        // X gives Meta for Alt pressed with Shift held; Super is the Windows key.
        if (nativeVirtualKey == kXkMetaL || nativeVirtualKey == kXkMetaR)
            return sided(kVkMenu, kVkLMenu, nativeVirtualKey == kXkMetaR);
        return one(nativeVirtualKey == kXkSuperR ? kVkRWin : kVkLWin);
    default:
        break;
    }
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const uint8_t vk = keypadCode(key))
            return one(vk);
    }
    if (const uint8_t vk = characterCode(key))
        return one(vk);
    if (const uint8_t vk = controlCode(key))
        return one(vk);
    if (nativeVirtualKey == kXkSuperL || nativeVirtualKey == kXkSuperR)
        return one(nativeVirtualKey == kXkSuperR ? kVkRWin : kVkLWin);
    return {};
}

VirtualKeys virtualKeysFor(const QKeyEvent& event)
{
    return virtualKeysFor(event.key(), event.modifiers(), event.nativeVirtualKey());
}

uint8_t virtualKeyForMouse(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    case Qt::BackButton:
        return 5; // XButton1
    case Qt::ForwardButton:
        return 6; // XButton2
    default:
        return 0;
    }
}

} // namespace tamber
