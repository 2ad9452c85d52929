#pragma once

#include "KeyStateSource.h"
#include "VirtualKeys.h"

#include <QElapsedTimer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <map>

class QKeyEvent;

namespace tamber {

// The real key state: an application-wide event filter fed by key and mouse presses and
// releases (and ShortcutOverride, the first sight of keys that shortcuts consume).
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
    // Installs itself on qApp; removed again on destruction.
    explicit QtKeyState(QObject* parent = nullptr);
    ~QtKeyState() override;

    bool isDown(int vk) const override;

    static constexpr int kRepeatGraceMs = 10;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keyDown(const QKeyEvent& event);
    void keyUp(const QKeyEvent& event);
    void press(uint64_t physical, const VirtualKeys& keys);
    void releaseKey(uint64_t physical); // a key's release, with its scan-less twin
    void release(uint64_t physical);
    void releaseAll();
    void releaseDue();
    static uint64_t physicalKey(const QKeyEvent& event, const VirtualKeys& keys);

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
