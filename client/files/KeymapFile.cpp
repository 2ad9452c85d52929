#include "KeymapFile.h"

#include "Stream.h"
#include "client/shell/Version.h"

namespace tamber {

namespace {

// "TMKM" read as a little-endian Long: the "T" is the lowest byte.
constexpr int32_t kKeymapMagic = 'T' | 'M' << 8 | 'K' << 16 | 'M' << 24;
constexpr uint8_t kTagKey = 1;
constexpr uint8_t kTagEnd = 0;

QString notValidText()
{
    return QStringLiteral("This is not a valid keymap file.");
}

} // namespace

KeymapFiles::KeymapFiles(Keymap& keymap, MessageBoxes& boxes) : m_keymap(keymap), m_boxes(boxes) {}

void KeymapFiles::LoadKeymap(const QString& path)
{
    constexpr auto icon = MessageBoxes::Icon::Exclamation;
    Stream file;
    if (!file.OpenFile(path, Stream::Mode::ReadOnly)) {
        if (!QFile::exists(path)) {
            m_boxes.show(notValidText(), QStringLiteral("Invalid File"), icon);
        } else {
            m_boxes.show(QStringLiteral("The keymap file \"%1\" could not be opened: %2")
                             .arg(path, file.errorString()),
                         QStringLiteral("Error"), icon);
        }
        return;
    }

    if (file.ReadLong() != kKeymapMagic) {
        m_boxes.show(notValidText(), QStringLiteral("Invalid File"), icon);
        return;
    }
    const uint8_t major = file.ReadByte();
    if (major != kVersionMajor) {
        m_boxes.show(QStringLiteral("This keymap was designed to work with Tamber Piano v%1.x.x. "
                                    "It will not work with this version of Tamber Piano.")
                         .arg(major),
                     QStringLiteral("Error"), icon);
        return;
    }
    const uint8_t minor = file.ReadByte();
    if (minor != kVersionMinor) {
        m_boxes.show(QStringLiteral("This keymap was designed to work with Tamber Piano v%1.%2.x. "
                                    "It may not work correctly with this version of Tamber Piano.")
                         .arg(major)
                         .arg(minor),
                     QStringLiteral("Warning"), icon);
    }
    file.ReadByte(); // the revision never matters

    m_keymap.clear();
    for (;;) {
        const uint8_t tag = file.ReadByte();
        if (tag == kTagEnd)
            break; // also the end of the file, which reads as 0
        if (tag != kTagKey)
            continue;
        const uint8_t key = file.ReadByte();
        const uint8_t note = file.ReadByte();
        if (note > Keymap::kHighestOffset) {
            m_boxes.show(QStringLiteral("Warning: An invalid value was detected in this keymap."),
                         QStringLiteral("Warning"), icon);
            continue;
        }
        m_keymap.KeyNote[key] = note;
        m_keymap.KeyMapped[key] = true;
    }
}

void KeymapFiles::SaveKeymap(const QString& path)
{
    Stream file;
    const bool opened = file.OpenFile(path, Stream::Mode::ReadWrite);
    bool ok = opened && file.isWritable();
    ok = ok && file.WriteLong(kKeymapMagic);
    ok = ok && file.WriteByte(kVersionMajor);
    ok = ok && file.WriteByte(kVersionMinor);
    ok = ok && file.WriteByte(kVersionRevision);
    for (int key = 0; ok && key < Keymap::kCodes; ++key) {
        if (!m_keymap.KeyMapped[key])
            continue;
        ok = file.WriteByte(kTagKey) && file.WriteByte(uint8_t(key)) &&
             file.WriteByte(m_keymap.KeyNote[key]);
    }
    ok = ok && file.WriteByte(kTagEnd);
    const QString reason = file.errorString();
    file.CloseFile();

    if (!ok) {
        m_boxes.show(
            QStringLiteral("The keymap could not be saved to \"%1\": %2")
                .arg(path, reason.isEmpty() ? QStringLiteral("the file is read-only.") : reason),
            QStringLiteral("Error"), MessageBoxes::Icon::Critical);
        return;
    }
    m_boxes.show(QStringLiteral("Keymap Saved!"), QStringLiteral("Success"),
                 MessageBoxes::Icon::Information);
}

} // namespace tamber
