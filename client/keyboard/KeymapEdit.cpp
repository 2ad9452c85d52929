#include "KeymapEdit.h"

#include "KeyStateSource.h"

namespace tamber {

namespace {
// Windows-1252 0x80..0x9F; the five unassigned bytes stay the C1 code points, as Windows
// converts them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr uint8_t kFirstCaptured = 5;
} // namespace

QString keyCaption(uint8_t vk)
{
    if (vk <= 32)
        return {};
    if (vk >= 0x80 && vk <= 0x9F)
        return QString(QChar(kCp1252High[vk - 0x80]));
    return QString(QChar(char16_t(vk)));
}

std::array<QString, kKeymapNotes> keymapCaptions(const Keymap& keymap, const KeyLabels& labels)
{
    std::array<QString, kKeymapNotes> captions;
    for (int vk = 0; vk < Keymap::kCodes; ++vk) {
        const uint8_t note = keymap.KeyNote[size_t(vk)];
        if (!keymap.KeyMapped[size_t(vk)] || vk <= 32 || note >= kKeymapNotes)
            continue;
        const QString printed = labels ? labels(uint8_t(vk)) : QString();
        captions[note] = printed.isEmpty() ? keyCaption(uint8_t(vk)) : printed;
    }
    return captions;
}

uint8_t firstKeyDown(const KeyStateSource& keys, const std::bitset<256>& passedOver)
{
    for (int vk = kFirstCaptured; vk < Keymap::kCodes; ++vk) {
        if (keys.isDown(vk) && !passedOver.test(size_t(vk)))
            return uint8_t(vk);
    }
    return 0;
}

KeyCapture::KeyCapture(const KeyStateSource& keys) : m_keys(keys)
{
    for (int vk = 0; vk < Keymap::kCodes; ++vk)
        m_heldBefore.set(size_t(vk), keys.isDown(vk));
}

uint8_t KeyCapture::poll()
{
    for (int vk = 0; vk < Keymap::kCodes; ++vk) {
        if (!m_keys.isDown(vk))
            m_heldBefore.reset(size_t(vk));
    }
    return firstKeyDown(m_keys, m_heldBefore);
}

void assignKey(Keymap& keymap, uint8_t note, uint8_t vk)
{
    for (int old = 0; old < Keymap::kCodes; ++old) {
        if (keymap.KeyMapped[size_t(old)] && keymap.KeyNote[size_t(old)] == note) {
            keymap.KeyNote[size_t(old)] = 0;
            keymap.KeyMapped[size_t(old)] = false;
            break;
        }
    }
    keymap.KeyNote[vk] = note;
    keymap.KeyMapped[vk] = true;
}

} // namespace tamber
