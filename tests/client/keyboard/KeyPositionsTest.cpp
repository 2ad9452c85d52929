// Keys are positions: whatever a layout types on a key, the key-state source names it by the
// code its position has on a US keyboard, and Key Config labels it with what the layout
// prints. The layouts are compiled by libxkbcommon from the system's XKB data, as a desktop
// with that layout would give them; no X server is needed.
#include "client/keyboard/KeyboardLayout.h"
#include "client/keyboard/KeymapEdit.h"
#include "client/keyboard/QtKeyState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <string>
#include <vector>

namespace tamber {
namespace {

struct Position
{
    std::string name;
    int vk;
};

// The typing keys, row by row, with their US codes; LSGT is the 102nd key left of Z.
std::vector<Position> typingKeys()
{
    std::vector<Position> keys;
    auto row = [&](const std::string& prefix, std::string_view codes) {
        for (size_t i = 0; i < codes.size(); ++i) {
            keys.push_back({prefix + std::to_string(101 + i).substr(1), codes[i]});
        }
    };
    row("AE", "1234567890");
    row("AD", "QWERTYUIOP");
    row("AC", "ASDFGHJKL");
    row("AB", "ZXCVBNM");
    for (const Position& p : std::vector<Position>{{"TLDE", 0xC0},
                                                   {"AE11", 0xBD},
                                                   {"AE12", 0xBB},
                                                   {"AD11", 0xDB},
                                                   {"AD12", 0xDD},
                                                   {"BKSL", 0xDC},
                                                   {"AC10", 0xBA},
                                                   {"AC11", 0xDE},
                                                   {"AB08", 0xBC},
                                                   {"AB09", 0xBE},
                                                   {"AB10", 0xBF},
                                                   {"LSGT", 0xE2},
                                                   {"SPCE", 0x20},
                                                   {"KP1", 0x61}})
        keys.push_back(p);
    return keys;
}

struct Layout
{
    const char* layout;
    const char* variant;
};
const Layout kLayouts[] = {{"us", ""}, {"fr", ""}, {"de", ""}, {"us", "dvorak"}};

// A key press as Qt delivers it from X: the keycode as scan code, the keysym, and the Qt key
// of the character the layout types (letters in capitals).
void sendKey(QWidget& widget, QEvent::Type type, xkb_keymap* keymap, xkb_keycode_t keycode)
{
    const xkb_keysym_t* syms = nullptr;
    const xkb_keysym_t sym =
        xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, 0, &syms) == 1 ? syms[0] : 0;
    const char32_t c = xkb_keysym_to_utf32(sym);
    const QString text = c ? QString::fromUcs4(&c, 1) : QString();
    const int key =
        c > 32 ? int(QString::fromUcs4(&c, 1).toUpper().at(0).unicode()) : int(Qt::Key_unknown);
    QKeyEvent event(type, key, {}, keycode, sym, 0, text);
    // As from the window system, which announces the press to shortcuts with its scan code
    // (sendEvent would make a scan-less announcement of its own).
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(&widget, &event);
}

TEST(KeyPositions, EveryLayoutPlaysTheUsCodeOfThePosition)
{
    for (const Layout& l : kLayouts) {
        KeyboardLayout layout;
        ASSERT_TRUE(layout.compile(QString::fromLatin1(l.layout), QString::fromLatin1(l.variant)))
            << l.layout << " " << l.variant << ": XKB data missing";
        // The test reads the same keymap to make the events an X server would send.
        xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const xkb_rule_names names{"evdev", "pc105", l.layout, *l.variant ? l.variant : nullptr,
                                   nullptr};
        xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, {});
        ASSERT_NE(keymap, nullptr);

        QWidget widget;
        QtKeyState state(layout);
        for (const Position& p : typingKeys()) {
            const xkb_keycode_t keycode = xkb_keymap_key_by_name(keymap, p.name.c_str());
            ASSERT_NE(keycode, XKB_KEYCODE_INVALID) << p.name;
            sendKey(widget, QEvent::KeyPress, keymap, keycode);
            for (int vk = 0; vk < 256; ++vk) {
                EXPECT_EQ(state.isDown(vk), vk == p.vk)
                    << l.layout << " " << l.variant << ": key " << p.name << " ("
                    << layout.label(uint8_t(p.vk)).toStdString() << "), code " << vk;
            }
            sendKey(widget, QEvent::KeyRelease, keymap, keycode);
        }
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
    }
}

TEST(KeyPositions, ModifiersAndKeysOfOtherKeyboards)
{
    const KeycodeTranslation evdev;
    auto codes = [&](uint32_t keycode) {
        const VirtualKeys keys = evdev.keysAt(keycode);
        return std::vector<int>(keys.codes.begin(), keys.codes.begin() + keys.count);
    };
    EXPECT_EQ(codes(50), (std::vector<int>{0x10, 0xA0})) << "left Shift";
    EXPECT_EQ(codes(62), (std::vector<int>{0x10, 0xA1})) << "right Shift";
    EXPECT_EQ(codes(105), (std::vector<int>{0x11, 0xA3})) << "right Ctrl";
    EXPECT_EQ(codes(108), (std::vector<int>{0x12, 0xA5})) << "AltGr";
    EXPECT_EQ(codes(94), std::vector<int>{0xE2}) << "VK_OEM_102";
    EXPECT_EQ(codes(97), std::vector<int>{0xC1}) << "VK_ABNT_C1";
    EXPECT_EQ(codes(129), std::vector<int>{0xC2}) << "VK_ABNT_C2";
    EXPECT_EQ(codes(100), std::vector<int>{0x1C}) << "VK_CONVERT";
    EXPECT_EQ(codes(102), std::vector<int>{0x1D}) << "VK_NONCONVERT";
    EXPECT_TRUE(codes(0).empty());
    EXPECT_TRUE(codes(255).empty());
    EXPECT_EQ(evdev.keycodeOf(0x10), 50u);
    EXPECT_EQ(evdev.keycodeOf(0xA1), 62u);
    EXPECT_EQ(evdev.keycodeOf(0x07), KeycodeTranslation::kNoKeycode);

    // Every code names one position only, so a keymap means one key; the keypad's Enter is
    // Enter, as Windows has it.
    std::vector<int> owners(256, 0);
    for (const KeyPosition& p : keyPositions()) {
        EXPECT_EQ(keyPositionNamed(p.name), &p) << p.name;
        if (p.sidedVk == 0 && p.name != "KPEN") {
            EXPECT_EQ(++owners[p.vk], 1) << p.name;
        }
    }
}

struct Label
{
    int vk;
    const char* printed;
};

TEST(KeyPositions, LabelsShowWhatTheActiveLayoutPrints)
{
    const std::pair<Layout, std::vector<Label>> cases[] = {
        {{"us", ""}, {{'Q', "Q"}, {'1', "1"}, {0xBA, ";"}, {0x61, "1"}, {0x70, ""}, {0x20, ""}}},
        {{"fr", ""},
         {{'Q', "A"},
          {'A', "Q"},
          {'W', "Z"},
          {'M', ","},
          {0xBA, "M"},
          {'1', "&"},
          {'2', "\u00E9"},
          {'0', "\u00E0"},
          {0xDB, "^"}}},
        {{"de", ""},
         {{'Y', "Z"},
          {'Z', "Y"},
          {0xBA, "\u00D6"},
          {0xDE, "\u00C4"},
          {0xDB, "\u00DC"},
          {0xBD, "\u00DF"},
          {0xC0, "^"},
          {0xE2, "<"}}},
        {{"us", "dvorak"}, {{'Q', "'"}, {'W', ","}, {'S', "O"}, {'Z', ";"}}},
    };
    for (const auto& [l, labels] : cases) {
        KeyboardLayout layout;
        ASSERT_TRUE(layout.compile(QString::fromLatin1(l.layout), QString::fromLatin1(l.variant)));
        for (const Label& label : labels) {
            EXPECT_EQ(layout.label(uint8_t(label.vk)), QString::fromUtf8(label.printed))
                << l.layout << " " << l.variant << ", code " << label.vk;
        }
    }

    // A keymap of two layouts: the active one labels the keys, and switching says so.
    KeyboardLayout layout;
    ASSERT_TRUE(layout.compile(QStringLiteral("us,fr")));
    int changes = 0;
    QObject::connect(&layout, &KeyboardLayout::changed, [&] { ++changes; });
    EXPECT_EQ(layout.label('Q'), "Q");
    layout.setActiveLayout(1);
    EXPECT_EQ(layout.label('Q'), "A");
    EXPECT_EQ(changes, 1);
}

TEST(KeyPositions, CaptionsUseTheLabelsAndFallBackToWindows1252)
{
    KeyboardLayout layout;
    ASSERT_TRUE(layout.compile(QStringLiteral("fr")));
    Keymap keymap;
    auto map = [&](int vk, uint8_t note) {
        keymap.KeyNote[size_t(vk)] = note;
        keymap.KeyMapped[size_t(vk)] = true;
    };
    map('Q', 0);
    map('2', 1);
    map(0x70, 2); // F1 prints no character: "p", its Windows-1252 name
    map(0x20, 3); // Space shows nothing, as ever
    const auto captions = keymapCaptions(keymap, [&](uint8_t vk) { return layout.label(vk); });
    EXPECT_EQ(captions[0], "A");
    EXPECT_EQ(captions[1], "\u00E9");
    EXPECT_EQ(captions[2], "p");
    EXPECT_EQ(captions[3], "");
    EXPECT_EQ(keymapCaptions(keymap)[0], "Q") << "no layout known: the code's character";
}

} // namespace
} // namespace tamber
