#include "KeyboardLayout.h"

#include <QByteArray>
#include <xkbcommon/xkbcommon.h>

namespace tamber {

namespace {

// A dead key prints its accent on the keycap; as a keysym it has no character of its own.
char32_t deadKeyAccent(xkb_keysym_t sym)
{
    switch (sym) {
    case XKB_KEY_dead_grave:
        return U'`';
    case XKB_KEY_dead_acute:
        return U'\u00B4';
    case XKB_KEY_dead_circumflex:
        return U'^';
    case XKB_KEY_dead_tilde:
        return U'~';
    case XKB_KEY_dead_macron:
        return U'\u00AF';
    case XKB_KEY_dead_breve:
        return U'\u02D8';
    case XKB_KEY_dead_abovedot:
        return U'\u02D9';
    case XKB_KEY_dead_diaeresis:
        return U'\u00A8';
    case XKB_KEY_dead_abovering:
        return U'\u02DA';
    case XKB_KEY_dead_doubleacute:
        return U'\u02DD';
    case XKB_KEY_dead_caron:
        return U'\u02C7';
    case XKB_KEY_dead_cedilla:
        return U'\u00B8';
    case XKB_KEY_dead_ogonek:
        return U'\u02DB';
    default:
        return 0;
    }
}

QString printable(xkb_keysym_t sym)
{
    char32_t c = deadKeyAccent(sym);
    if (c == 0)
        c = xkb_keysym_to_utf32(sym);
    if (c == 0)
        return {};
    const QString text = QString::fromUcs4(&c, 1);
    // Space, Tab, Enter and the like print nothing on their keys.
    if (text.isEmpty() || !text.at(0).isPrint() || text.at(0).isSpace())
        return {};
    return text;
}

xkb_keysym_t symAt(xkb_keymap* keymap, uint32_t keycode, uint32_t layout, uint32_t level)
{
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, layout, level, &syms);
    return count == 1 ? syms[0] : XKB_KEY_NoSymbol;
}

} // namespace

QString keyLabel(xkb_keymap* keymap, uint32_t layout, uint32_t keycode)
{
    if (!keymap || keycode < xkb_keymap_min_keycode(keymap) ||
        keycode > xkb_keymap_max_keycode(keymap))
        return {};
    // A key defined for fewer layouts than the keymap has repeats them, as XKB does.
    const uint32_t layouts = xkb_keymap_num_layouts_for_key(keymap, keycode);
    if (layouts == 0)
        return {};
    layout %= layouts;
    const uint32_t levels = xkb_keymap_num_levels_for_key(keymap, keycode, layout);
    for (uint32_t level = 0; level < levels; ++level) {
        const xkb_keysym_t sym = symAt(keymap, keycode, layout, level);
        if (printable(sym).isEmpty())
            continue;
        // Letters print in capitals on their keycaps: "A", not "a", but "é" stays as it is
        // where Shift gives a digit instead.
        const xkb_keysym_t upper = xkb_keysym_to_upper(sym);
        if (level == 0 && upper != sym && levels > 1 && symAt(keymap, keycode, layout, 1) == upper)
            return printable(upper);
        return printable(sym);
    }
    return {};
}

KeyboardLayout::KeyboardLayout(QObject* parent) : QObject(parent) {}

KeyboardLayout::~KeyboardLayout()
{
    xkb_keymap_unref(m_keymap);
}

void KeyboardLayout::setKeymap(xkb_keymap* keymap, uint32_t layout)
{
    if (keymap)
        xkb_keymap_ref(keymap);
    xkb_keymap_unref(m_keymap);
    m_keymap = keymap;
    m_layout = layout;
    if (!keymap) {
        m_translation = KeycodeTranslation();
    } else {
        m_translation = KeycodeTranslation([keymap](uint32_t keycode) -> std::string_view {
            const char* name = xkb_keymap_key_get_name(keymap, keycode);
            return name ? std::string_view(name) : std::string_view();
        });
    }
    emit changed();
}

void KeyboardLayout::setActiveLayout(uint32_t layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    emit changed();
}

bool KeyboardLayout::compile(const QString& layout, const QString& variant)
{
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return false;
    const QByteArray layoutName = layout.toUtf8();
    const QByteArray variantName = variant.toUtf8();
    const xkb_rule_names names{"evdev", "pc105", layoutName.constData(),
                               variantName.isEmpty() ? nullptr : variantName.constData(), nullptr};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    if (!keymap)
        return false;
    setKeymap(keymap, 0);
    xkb_keymap_unref(keymap);
    return true;
}

QString KeyboardLayout::label(uint8_t vk) const
{
    const uint32_t keycode = m_translation.keycodeOf(vk);
    if (keycode == KeycodeTranslation::kNoKeycode)
        return {};
    return keyLabel(m_keymap, m_layout, keycode);
}

} // namespace tamber
