#pragma once

#include "KeyStateSource.h"
#include "VirtualKeys.h"

#include <QElapsedTimer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <map>
#include <memory>

class QKeyEvent;

namespace tamber {

class KeyboardLayout;
class X11KeyboardWatcher;

// The real key state: an application-wide event filter fed by key and mouse presses and
// releases (and ShortcutOverride, the first sight of keys that shortcuts consume).
//
// A key is named by its position: the native scan code (the X keycode) goes through the
// keyboard layout's translation, whatever the key types. Only events without a scan code,
// made by programs rather than keyboards, are named by the Qt key they carry.
//
// Presses and releases are paired by the physical key (native scan code), because Qt::Key
// depends on the modifiers: "1" pressed before Shift is released as "!". The codes are
// decided at the press and that same set goes up at the release.
//
// Auto-repeat is ignored. Qt marks it (isAutoRepeat) only when the repeated press is already
// queued as the release arrives; otherwise X's repeat shows as a plain release followed
// within a millisecond by a press, both stamped with one time. So a release takes effect
// kRepeatGraceMs later unless the same key is pressed again first with that stamp. A press
// stamped later is the player's own and is never swallowed: the release takes effect at once
// and the press follows right after the poll that sees the key up.
// X never delivers the releases of keys held while the program loses the focus, and Qt drops
// those meant for a window that a modal dialog blocks, so deactivation and blocking mark every
// key up.
class QtKeyState : public KeyStateSource
{
    Q_OBJECT
public:
    // Installs itself on qApp; removed again on destruction. Follows the X server's
    // keyboard where there is one.
    explicit QtKeyState(QObject* parent = nullptr);
    // Uses `layout` as it is (tests give it a compiled keymap).
    explicit QtKeyState(const KeyboardLayout& layout, QObject* parent = nullptr);
    ~QtKeyState() override;

    bool isDown(int vk) const override;
    QString label(int vk) const override;

    static constexpr int kRepeatGraceMs = 10;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start();
    void keyDown(const QKeyEvent& event);
    void keyUp(const QKeyEvent& event);
    void press(uint64_t physical, const VirtualKeys& keys);
    void releaseKey(uint64_t physical); // a key's release, with its scan-less twin
    void release(uint64_t physical);
    void releaseAll();
    void releaseDue();
    VirtualKeys keysOf(const QKeyEvent& event) const;
    static uint64_t physicalKey(const QKeyEvent& event, const VirtualKeys& keys);

    std::unique_ptr<KeyboardLayout> m_ownLayout;
    std::unique_ptr<X11KeyboardWatcher> m_watcher;
    const KeyboardLayout& m_layout;

    // Physical keys held now and the codes each one set; a code is down while any holds it.
    std::map<uint64_t, VirtualKeys> m_held;
    std::array<uint8_t, 256> m_holders{};

    struct Pending
    {
        qint64 due = 0;         // when the release takes effect (m_clock)
        quint64 releasedAt = 0; // its X timestamp
    };
    std::map<uint64_t, Pending> m_pending;          // physical key -> its release
    std::map<uint64_t, VirtualKeys> m_pressedAgain; // new presses that follow their release
    QTimer m_releaseTimer;
    QElapsedTimer m_clock;
};

} // namespace tamber
