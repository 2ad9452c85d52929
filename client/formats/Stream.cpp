#include "Stream.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

qint64 Stream::ReadBlock(char* out, qint64 count)
{
    if (count <= 0)
        return 0;
    std::memset(out, 0, size_t(count));
    qint64 held = 0;
    if (m_file.isOpen() && offset() >= 0 && m_file.seek(offset())) {
        // A short read (end of file) leaves the rest at zero.
        held = std::max<qint64>(0, m_file.read(out, count));
    }
    advance(count);
    return held;
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
    ReadBlock(reinterpret_cast<char*>(b), 1);
    return b[0];
}

int16_t Stream::ReadInteger()
{
    unsigned char b[2];
    ReadBlock(reinterpret_cast<char*>(b), 2);
    return fromLittleEndian<int16_t>(b);
}

int32_t Stream::ReadLong()
{
    unsigned char b[4];
    ReadBlock(reinterpret_cast<char*>(b), 4);
    return fromLittleEndian<int32_t>(b);
}

QByteArray Stream::ReadString(int32_t Length)
{
    if (Length > 0) {
        // Only the bytes the file holds: a text cut by the end of the file can never pass
        // for a magic text by its zero padding.
        const auto held = int(std::min<qint64>(Length, bytesLeft()));
        QByteArray text(held, '\0');
        ReadBlock(text.data(), held);
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
    ReadBlock(text.data(), held);
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
    if (FileName.isEmpty()) {
        m_error = QCoreApplication::translate("Stream", "No file name was given.");
        return false;
    }
    const QFileInfo info(FileName);
    if (info.isDir()) {
        m_error = QCoreApplication::translate("Stream", "It is a folder, not a file.");
        return false;
    }
    if (mode == Mode::ReadOnly && !info.exists()) {
        m_error = QCoreApplication::translate("Stream", "The file does not exist.");
        return false;
    }
    return openRegular(FileName, mode);
}

#ifdef Q_OS_UNIX
// The file is opened without blocking and checked before use: a FIFO's open() would wait
// for a writer, possibly for ever. Once it is known to be a regular file the descriptor
// goes back to blocking, unbuffered use.
bool Stream::openRegular(const QString& FileName, Mode mode)
{
    const QByteArray path = QFile::encodeName(FileName);
    constexpr int kFlags = O_NONBLOCK | O_CLOEXEC;
    int fd = -1;
    bool writable = false;
    if (mode == Mode::ReadWrite) {
        // ReadWrite neither truncates an existing file nor fails to create a missing one;
        // a file that may not be written is still opened for reading.
        fd = ::open(path.constData(), O_RDWR | O_CREAT | kFlags, 0666);
        writable = fd >= 0;
        const int writeError = errno;
        if (fd < 0 && writeError != ENOENT && QFileInfo::exists(FileName)) {
            m_error = qt_error_string(writeError);
            fd = ::open(path.constData(), O_RDONLY | kFlags);
        }
    } else {
        fd = ::open(path.constData(), O_RDONLY | kFlags);
    }
    if (fd < 0) {
        if (m_error.isEmpty())
            m_error = qt_error_string(errno);
        return false;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        m_error = S_ISDIR(status.st_mode)
                      ? QCoreApplication::translate("Stream", "It is a folder, not a file.")
                      : QCoreApplication::translate("Stream", "It is not a regular file.");
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const QIODevice::OpenMode openMode =
        (writable ? QIODevice::ReadWrite : QIODevice::ReadOnly) | QIODevice::Unbuffered;
    if (!m_file.open(fd, openMode, QFileDevice::AutoCloseHandle)) {
        m_error = m_file.errorString();
        ::close(fd);
        return false;
    }
    m_error.clear();
    return true;
}
#else
bool Stream::openRegular(const QString& FileName, Mode mode)
{
    if (QFileInfo::exists(FileName) && !QFileInfo(FileName).isFile()) {
        m_error = QCoreApplication::translate("Stream", "It is not a regular file.");
        return false;
    }
    m_file.setFileName(FileName);
    if (mode == Mode::ReadWrite && m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return true;
    if ((mode == Mode::ReadOnly || QFileInfo::exists(FileName)) &&
        m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return true;
    m_error = m_file.errorString();
    return false;
}
#endif

void Stream::CloseFile()
{
    if (m_file.isOpen())
        m_file.close();
}

} // namespace tamber
