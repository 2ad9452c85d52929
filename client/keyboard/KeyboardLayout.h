#pragma once

#include "KeyPositions.h"

#include <QObject>
#include <QString>
#include <cstdint>

struct xkb_keymap;

namespace tamber {

// The keyboard as the desktop describes it: an XKB keymap and its active layout. It says
// which position each keycode is (so a key plays the same note whatever the layout) and
// what each key prints in the active layout (so Key Config shows the user's own labels).
// Without a keymap, keycodes are read as evdev numbers and no key prints anything.
class KeyboardLayout : public QObject
{
    Q_OBJECT
public:
    explicit KeyboardLayout(QObject* parent = nullptr);
    ~KeyboardLayout() override;

    // Takes a reference on keymap (nullptr: none); layout is the active one (an XKB group).
    void setKeymap(xkb_keymap* keymap, uint32_t layout);
    void setActiveLayout(uint32_t layout);
    // Compiles a keymap from the system's XKB data ("fr", "us" + "dvorak"...) and uses it:
    // what a desktop with that layout would give. False if it cannot be compiled.
    bool compile(const QString& layout, const QString& variant = {});

    const KeycodeTranslation& translation() const { return m_translation; }
    // The character printed on the key of code vk in the active layout, or empty.
    QString label(uint8_t vk) const;

signals:
    void changed();

private:
    xkb_keymap* m_keymap = nullptr;
    uint32_t m_layout = 0;
    KeycodeTranslation m_translation;
};

// What the key with this keycode prints in a layout of the keymap: the character of its
// first level that has one (the keypad's digits hide behind their Num Lock level), a dead
// key as its accent, a letter in capitals as keycaps print it. Empty when it prints none.
QString keyLabel(xkb_keymap* keymap, uint32_t layout, uint32_t keycode);

} // namespace tamber
