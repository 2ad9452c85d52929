#include "VirtualKeys.h"

#include "KeyPositions.h"

#include <QKeyEvent>
#include <string_view>

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

// The numeric keypad with Num Lock on; with it off the keypad sends navigation keys, which
// fall through to the main keys.
std::string_view keypadPosition(int key)
{
    static constexpr std::string_view kDigits[] = {"KP0", "KP1", "KP2", "KP3", "KP4",
                                                   "KP5", "KP6", "KP7", "KP8", "KP9"};
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return kDigits[key - Qt::Key_0];
    switch (key) {
    case Qt::Key_Asterisk:
        return "KPMU";
    case Qt::Key_Plus:
        return "KPAD";
    case Qt::Key_Minus:
        return "KPSU";
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return "KPDL"; // the decimal key, whatever the locale prints on it
    case Qt::Key_Slash:
        return "KPDV";
    default:
        return {};
    }
}

// Letters, digits and the US punctuation keys, shifted or not, where a US keyboard has them:
// Shift+1 (Key_Exclam) is still the "1" key.
std::string_view characterPosition(int key)
{
    static constexpr std::string_view kLetters[] = {
        "AC01", "AB05", "AB03", "AC03", "AD03", "AC04", "AC05", "AC06", "AD08",
        "AC07", "AC08", "AC09", "AB07", "AB06", "AD09", "AD10", "AD01", "AD04",
        "AC02", "AD05", "AD07", "AB04", "AD02", "AB02", "AD06", "AB01"};
    static constexpr std::string_view kDigits[] = {"AE10", "AE01", "AE02", "AE03", "AE04",
                                                   "AE05", "AE06", "AE07", "AE08", "AE09"};
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return kLetters[key - Qt::Key_A];
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return kDigits[key - Qt::Key_0];
    switch (key) {
    case Qt::Key_ParenRight:
        return "AE10";
    case Qt::Key_Exclam:
        return "AE01";
    case Qt::Key_At:
        return "AE02";
    case Qt::Key_NumberSign:
        return "AE03";
    case Qt::Key_Dollar:
        return "AE04";
    case Qt::Key_Percent:
        return "AE05";
    case Qt::Key_AsciiCircum:
        return "AE06";
    case Qt::Key_Ampersand:
        return "AE07";
    case Qt::Key_Asterisk:
        return "AE08";
    case Qt::Key_ParenLeft:
        return "AE09";
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return "AC10";
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return "AE12";
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return "AB08";
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return "AE11";
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return "AB09";
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return "AB10";
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return "TLDE";
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return "AD11";
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return "BKSL";
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return "AD12";
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return "AC11";
    default:
        return {};
    }
}

std::string_view controlPosition(int key)
{
    static constexpr std::string_view kFunctionKeys[] = {
        "FK01", "FK02", "FK03", "FK04", "FK05", "FK06", "FK07", "FK08",
        "FK09", "FK10", "FK11", "FK12", "FK13", "FK14", "FK15", "FK16",
        "FK17", "FK18", "FK19", "FK20", "FK21", "FK22", "FK23", "FK24"};
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return kFunctionKeys[key - Qt::Key_F1];
    switch (key) {
    case Qt::Key_Backspace:
        return "BKSP";
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return "TAB";
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return "RTRN";
    case Qt::Key_Pause:
        return "PAUS";
    case Qt::Key_CapsLock:
        return "CAPS";
    case Qt::Key_Escape:
        return "ESC";
    case Qt::Key_Space:
        return "SPCE";
    case Qt::Key_PageUp:
        return "PGUP";
    case Qt::Key_PageDown:
        return "PGDN";
    case Qt::Key_End:
        return "END";
    case Qt::Key_Home:
        return "HOME";
    case Qt::Key_Left:
        return "LEFT";
    case Qt::Key_Up:
        return "UP";
    case Qt::Key_Right:
        return "RGHT";
    case Qt::Key_Down:
        return "DOWN";
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        return "PRSC";
    case Qt::Key_Insert:
        return "INS";
    case Qt::Key_Delete:
        return "DELE";
    case Qt::Key_Super_L:
        return "LWIN";
    case Qt::Key_Super_R:
        return "RWIN";
    case Qt::Key_Menu:
        return "COMP";
    case Qt::Key_NumLock:
        return "NMLK";
    case Qt::Key_ScrollLock:
        return "SCLK";
    case Qt::Key_VolumeMute:
        return "MUTE";
    case Qt::Key_VolumeDown:
        return "VOL-";
    case Qt::Key_VolumeUp:
        return "VOL+";
    case Qt::Key_MediaNext:
        return "I171";
    case Qt::Key_MediaPrevious:
        return "I173";
    case Qt::Key_MediaStop:
        return "I174";
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
        return "I172";
    default:
        return {};
    }
}

std::string_view positionOf(int key, Qt::KeyboardModifiers modifiers, uint32_t keysym)
{
    // Modifiers: without a keysym (synthetic events) the side is unknown and taken as left.
    switch (key) {
    case Qt::Key_Shift:
        return keysym == kXkShiftR ? "RTSH" : "LFSH";
    case Qt::Key_Control:
        return keysym == kXkControlR ? "RCTL" : "LCTL";
    case Qt::Key_Alt:
        return keysym == kXkAltR || keysym == kXkIsoLevel3Shift ? "RALT" : "LALT";
    case Qt::Key_AltGr:
        return "RALT";
    case Qt::Key_Meta:
        // X gives Meta for Alt pressed with Shift held; Super is the Windows key.
        if (keysym == kXkMetaL || keysym == kXkMetaR)
            return keysym == kXkMetaR ? "RALT" : "LALT";
        return keysym == kXkSuperR ? "RWIN" : "LWIN";
    default:
        break;
    }
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const std::string_view name = keypadPosition(key); !name.empty())
            return name;
    }
    if (const std::string_view name = characterPosition(key); !name.empty())
        return name;
    if (const std::string_view name = controlPosition(key); !name.empty())
        return name;
    if (keysym == kXkSuperL || keysym == kXkSuperR)
        return keysym == kXkSuperR ? "RWIN" : "LWIN";
    return {};
}

} // namespace

VirtualKeys virtualKeysFor(int key, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey)
{
    const KeyPosition* position = keyPositionNamed(positionOf(key, modifiers, nativeVirtualKey));
    return position ? position->codes() : VirtualKeys{};
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
