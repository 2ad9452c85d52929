#include "Stream.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace tamber {

namespace {

template <typename T> T fromLittleEndian(const unsigned char* bytes)
{
    uint32_t value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= uint32_t(bytes[i]) << (8 * i);
    return T(value); // two's complement for the signed items
}

template <typename T> void toLittleEndian(T value, char* bytes)
{
    const auto bits = uint32_t(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = char((bits >> (8 * i)) & 0xFF);
}

} // namespace

qint64 Stream::bytesLeft() const
{
    return offset() < 0 ? 0 : std::max<qint64>(0, size() - offset());
}

void Stream::readAt(char* out, int count)
{
    std::memset(out, 0, size_t(count));
    if (m_file.isOpen() && offset() >= 0 && m_file.seek(offset())) {
        // A short read (end of file) leaves the rest at zero.
        m_file.read(out, count);
    }
    advance(count);
}

bool Stream::writeAt(const char* data, int count)
{
    bool written = false;
    if (m_file.isOpen() && m_file.isWritable() && offset() >= 0 && m_file.seek(offset()))
        written = m_file.write(data, count) == count;
    if (m_file.isOpen() && !written)
        m_error = m_file.errorString();
    advance(count);
    return written;
}

uint8_t Stream::ReadByte()
{
    unsigned char b[1];
    readAt(reinterpret_cast<char*>(b), 1);
    return b[0];
}

int16_t Stream::ReadInteger()
{
    unsigned char b[2];
    readAt(reinterpret_cast<char*>(b), 2);
    return fromLittleEndian<int16_t>(b);
}

int32_t Stream::ReadLong()
{
    unsigned char b[4];
    readAt(reinterpret_cast<char*>(b), 4);
    return fromLittleEndian<int32_t>(b);
}

QByteArray Stream::ReadString(int32_t Length)
{
    if (Length > 0) {
        // Only the bytes the file holds: a text cut by the end of the file can never pass
        // for a magic text by its zero padding.
        const auto held = int(std::min<qint64>(Length, bytesLeft()));
        QByteArray text(held, '\0');
        readAt(text.data(), held);
        advance(int64_t(Length) - held);
        return text;
    }
    if (Length < 0)
        return {};
    // Counted form: never trust the prefix further than the file goes.
    const int32_t n = ReadLong();
    if (n <= 0)
        return {};
    const auto held = int(std::min<qint64>(n, bytesLeft()));
    QByteArray text(held, '\0');
    readAt(text.data(), held);
    advance(int64_t(n) - held);
    return text;
}

bool Stream::WriteString(const QByteArray& Value, int32_t Length)
{
    if (Length != 0)
        return writeAt(Value.constData(), int(Value.size()));
    const bool prefix = WriteLong(int32_t(Value.size()));
    const bool body = writeAt(Value.constData(), int(Value.size()));
    return prefix && body;
}

bool Stream::WriteByte(uint8_t Value)
{
    const char b = char(Value);
    return writeAt(&b, 1);
}

bool Stream::WriteInteger(int16_t Value)
{
    char b[2];
    toLittleEndian(Value, b);
    return writeAt(b, 2);
}

bool Stream::WriteLong(int32_t Value)
{
    char b[4];
    toLittleEndian(Value, b);
    return writeAt(b, 4);
}

bool Stream::OpenFile(const QString& FileName, Mode mode)
{
    CloseFile();
    Pointer = 1;
    m_error.clear();
    m_file.setFileName(FileName);
    if (FileName.isEmpty()) {
        m_error = QStringLiteral("No file name was given.");
        return false;
    }
    const QFileInfo info(FileName);
    if (info.isDir()) {
        m_error = QStringLiteral("It is a folder, not a file.");
        return false;
    }
    if (mode == Mode::ReadOnly) {
        if (!info.exists()) {
            m_error = QStringLiteral("The file does not exist.");
            return false;
        }
        if (m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return true;
        m_error = m_file.errorString();
        return false;
    }
    // ReadWrite neither truncates an existing file nor fails to create a missing one.
    if (m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return true;
    m_error = m_file.errorString();
    if (info.exists() && m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return true;
    return false;
}

void Stream::CloseFile()
{
    if (m_file.isOpen())
        m_file.close();
}

} // namespace tamber
