#include "KeymapFile.h"

#include "Stream.h"

#include "common/ProgramInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <vector>

namespace tamber {

namespace {

constexpr char kMagic[] = "TMKM";
constexpr uint8_t kTagKey = 1;
constexpr uint8_t kTagEnd = 0;
constexpr qint64 kReadBlockSize = 64 * 1024;

} // namespace

QByteArray encodeKeymap(const Keymap& keymap)
{
    QByteArray bytes(kMagic, 4);
    bytes.append(char(kVersionMajor));
    bytes.append(char(kVersionMinor));
    bytes.append(char(kVersionRevision));
    for (int key = 0; key < Keymap::kCodes; ++key) {
        if (!keymap.KeyMapped[size_t(key)])
            continue;
        bytes.append(char(kTagKey));
        bytes.append(char(key));
        bytes.append(char(keymap.KeyNote[size_t(key)]));
    }
    bytes.append(char(kTagEnd));
    return bytes;
}

bool KeymapDecoder::readHeader(QByteArrayView header)
{
    QByteArray padded = header.first(std::min<qsizetype>(header.size(), kHeaderSize)).toByteArray();
    padded.resize(kHeaderSize, '\0');
    if (!padded.startsWith(QByteArrayView(kMagic, 4))) {
        m_reports.push_back({KeymapReport::Kind::NotKeymap});
        return false;
    }
    const auto major = uint8_t(padded[4]);
    if (major != kVersionMajor) {
        m_reports.push_back({KeymapReport::Kind::OtherMajor, major});
        return false;
    }
    const auto minor = uint8_t(padded[5]);
    if (minor != kVersionMinor)
        m_reports.push_back({KeymapReport::Kind::OtherMinor, major, minor});
    // padded[6], the revision, never matters.
    return true;
}

void KeymapDecoder::record(uint8_t note)
{
    if (note > Keymap::kHighestOffset) {
        // A damaged file may hold thousands: the first few are reported, the rest counted.
        if (++m_invalid <= kInvalidValueReports)
            m_reports.push_back({KeymapReport::Kind::InvalidValue});
        return;
    }
    m_keymap.KeyNote[m_key] = note;
    m_keymap.KeyMapped[m_key] = true;
}

void KeymapDecoder::feed(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size() && !m_ended; ++i) {
        const auto byte = uint8_t(bytes[i]);
        switch (m_next) {
        case Next::Tag:
            m_ended = byte == kTagEnd;
            m_next = byte == kTagKey ? Next::Key : Next::Tag; // other tags are ignored
            break;
        case Next::Key:
            m_key = byte;
            m_next = Next::Note;
            break;
        case Next::Note:
            record(byte);
            m_next = Next::Tag;
            break;
        }
    }
}

Keymap KeymapDecoder::finish()
{
    if (!m_ended && m_next != Next::Tag) {
        if (m_next == Next::Key)
            m_key = 0;
        record(0);
    }
    m_ended = true;
    m_next = Next::Tag;
    if (m_invalid > kInvalidValueReports) {
        m_reports.push_back(
            {KeymapReport::Kind::MoreInvalidValues, 0, 0, m_invalid - kInvalidValueReports});
        m_invalid = kInvalidValueReports;
    }
    return m_keymap;
}

DecodedKeymap decodeKeymap(QByteArrayView bytes)
{
    KeymapDecoder decoder;
    if (!decoder.readHeader(bytes))
        return {std::nullopt, decoder.reports()};
    decoder.feed(bytes.sliced(std::min<qsizetype>(bytes.size(), KeymapDecoder::kHeaderSize)));
    Keymap keymap = decoder.finish();
    return {keymap, decoder.reports()};
}

KeymapFiles::KeymapFiles(Keymap& keymap, Report report)
    : m_keymap(keymap), m_report(std::move(report))
{
}

void KeymapFiles::LoadKeymap(const QString& path)
{
    Stream file;
    if (!file.OpenFile(path, Stream::Mode::ReadOnly)) {
        if (!QFile::exists(path))
            m_report({KeymapReport::Kind::NotKeymap});
        else
            m_report({KeymapReport::Kind::CannotOpen, 0, 0, 0, path, file.errorString()});
        return;
    }

    KeymapDecoder decoder;
    char header[KeymapDecoder::kHeaderSize];
    file.ReadBlock(header, sizeof header);
    if (decoder.readHeader(QByteArrayView(header, sizeof header))) {
        // Read in blocks, once, up to the end record; the end of the file counts as one.
        const qint64 blockSize =
            std::clamp<qint64>(file.size() - (file.Pointer - 1), 1, kReadBlockSize);
        auto block = std::vector<char>(size_t(blockSize));
        while (!decoder.ended()) {
            const qint64 held = file.ReadBlock(block.data(), blockSize);
            decoder.feed(QByteArrayView(block.data(), held));
            if (held < blockSize)
                break;
        }
        m_keymap = decoder.finish();
    }
    file.CloseFile();
    for (const KeymapReport& report : decoder.reports())
        m_report(report);
}

void KeymapFiles::SaveKeymap(const QString& path)
{
    Stream file;
    const bool opened = file.OpenFile(path, Stream::Mode::ReadWrite);
    const QByteArray bytes = encodeKeymap(m_keymap);
    const bool ok = opened && file.isWritable() && file.WriteString(bytes, int32_t(bytes.size()));
    const QString reason = file.errorString();
    file.CloseFile();
    if (!ok) {
        m_report({KeymapReport::Kind::CannotSave, 0, 0, 0, path,
                  reason.isEmpty()
                      ? QCoreApplication::translate("KeymapFile", "the file is read-only.")
                      : reason});
        return;
    }
    m_report({KeymapReport::Kind::Saved});
}

} // namespace tamber
