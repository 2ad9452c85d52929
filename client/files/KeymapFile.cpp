#include "KeymapFile.h"

#include "Stream.h"
#include "common/ProgramInfo.h"

#include <algorithm>
#include <vector>

namespace tamber {

namespace {

// "TMKM" read as a little-endian Long: the "T" is the lowest byte.
constexpr int32_t kKeymapMagic = 'T' | 'M' << 8 | 'K' << 16 | 'M' << 24;
constexpr uint8_t kTagKey = 1;
constexpr uint8_t kTagEnd = 0;
constexpr qint64 kReadBlockSize = 64 * 1024;

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
    readRecords(file);
}

// The records are read front to back in blocks, once, up to the end record; the end of
// the file counts as one. A record cut short by the end of the file is completed with
// zeros, as reads past the end give.
void KeymapFiles::readRecords(Stream& file)
{
    enum class Next
    {
        Tag,
        Key,
        Note
    };
    Next next = Next::Tag;
    uint8_t key = 0;
    int invalid = 0;
    auto record = [&](uint8_t note) {
        if (note > Keymap::kHighestOffset) {
            // A damaged file may hold thousands: the first few are shown, the rest counted.
            if (++invalid <= kInvalidValueBoxes)
                m_boxes.show(
                    QStringLiteral("Warning: An invalid value was detected in this keymap."),
                    QStringLiteral("Warning"), MessageBoxes::Icon::Exclamation);
            return;
        }
        m_keymap.KeyNote[key] = note;
        m_keymap.KeyMapped[key] = true;
    };

    const qint64 blockSize =
        std::clamp<qint64>(file.size() - (file.Pointer - 1), 1, kReadBlockSize);
    auto block = std::vector<char>(size_t(blockSize));
    bool ended = false;
    while (!ended) {
        const qint64 held = file.ReadBlock(block.data(), blockSize);
        for (qint64 i = 0; i < held && !ended; ++i) {
            const auto byte = uint8_t(block[size_t(i)]);
            switch (next) {
            case Next::Tag:
                ended = byte == kTagEnd;
                next = byte == kTagKey ? Next::Key : Next::Tag; // other tags are ignored
                break;
            case Next::Key:
                key = byte;
                next = Next::Note;
                break;
            case Next::Note:
                record(byte);
                next = Next::Tag;
                break;
            }
        }
        if (held < blockSize)
            break;
    }
    if (!ended && next != Next::Tag) {
        if (next == Next::Key)
            key = 0;
        record(0);
    }
    if (invalid > kInvalidValueBoxes) {
        m_boxes.show(QStringLiteral("Warning: %1 more invalid values were detected in this keymap "
                                    "and skipped.")
                         .arg(invalid - kInvalidValueBoxes),
                     QStringLiteral("Warning"), MessageBoxes::Icon::Exclamation);
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
