#pragma once

#include "client/keyboard/Keymap.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace tamber {

// What loading or saving a keymap has to tell the user. The shell turns each into its box.
struct KeymapReport
{
    enum class Kind
    {
        NotKeymap,         // no "TMKM" magic (also: a missing file); the keymap is unchanged
        CannotOpen,        // path, reason; the keymap is unchanged
        OtherMajor,        // major; will not work, the keymap is unchanged
        OtherMinor,        // major, minor; may not work, loaded anyway
        InvalidValue,      // one record's note above 28, skipped
        MoreInvalidValues, // count further ones, skipped without a report each
        CannotSave,        // path, reason
        Saved,
    };
    Kind kind;
    int major = 0;
    int minor = 0;
    int count = 0;
    QString path{};
    QString reason{};
    bool operator==(const KeymapReport&) const = default;
};

// The .tmk format, bytes <-> Keymap:
//
//   offset 0  "TMKM"                 magic, read and written as one Long
//          4  major minor revision   one byte each, the version of the writer
//          7  records:  01 key note  key plays semitone offset note (0..28)
//                       00           end of the list
//                       other        ignored; the next byte is read as a tag
//
// A file with m mapped keys is 7 + 3m + 1 bytes. Bytes after the end record are never
// read. Reads past the end give zeros: a short header is read as if zero-padded, and a
// record cut short is completed with zeros.
QByteArray encodeKeymap(const Keymap& keymap);

// Decodes a keymap fed in blocks, front to back, once; however many ignored tags the bytes
// hold, they cost one pass.
class KeymapDecoder
{
public:
    static constexpr int kHeaderSize = 7;
    // Invalid values are reported one by one up to this many; one more report counts the rest.
    static constexpr int kInvalidValueReports = 3;

    // The first kHeaderSize bytes (fewer when the data is shorter). False when the data is
    // no keymap this version can load: reports() says why and nothing may be fed.
    bool readHeader(QByteArrayView header);
    // Records; does nothing once the end record has been read.
    void feed(QByteArrayView bytes);
    bool ended() const { return m_ended; }
    // The keymap the records give, with every report in the order the user is told.
    Keymap finish();
    const std::vector<KeymapReport>& reports() const { return m_reports; }

private:
    enum class Next
    {
        Tag,
        Key,
        Note
    };
    void record(uint8_t note);

    Keymap m_keymap;
    std::vector<KeymapReport> m_reports;
    Next m_next = Next::Tag;
    uint8_t m_key = 0;
    int m_invalid = 0;
    bool m_ended = false;
};

struct DecodedKeymap
{
    std::optional<Keymap> keymap; // none: the keymap in use must stay as it is
    std::vector<KeymapReport> reports;
};
DecodedKeymap decodeKeymap(QByteArrayView bytes);

// Moves the program's keymap between its tables and .tmk files, reporting each outcome.
class KeymapFiles
{
public:
    using Report = std::function<void(const KeymapReport&)>;
    KeymapFiles(Keymap& keymap, Report report);

    // Replaces the keymap with the file's. The keymap changes only once the magic and the
    // major version have been accepted; a file that cannot be read leaves it as it was. A
    // missing file is reported as no keymap but never created.
    void LoadKeymap(const QString& path);
    // Writes the keymap over the start of the file (a longer old tail stays) and reports
    // Saved, or CannotSave.
    void SaveKeymap(const QString& path);

private:
    Keymap& m_keymap;
    Report m_report;
};

} // namespace tamber
