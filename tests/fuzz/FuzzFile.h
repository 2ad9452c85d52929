#pragma once

// The readers under fuzzing take a path, so each input is written to one scratch file of
// the process first, in memory (/dev/shm) where there is one: rewriting a file on disk
// thousands of times a second is what would be measured otherwise. The file goes when the
// fuzzer exits.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

namespace tamber::fuzz {

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

class ScratchFile
{
public:
    explicit ScratchFile(const char* suffix)
        : m_path(folder().filePath(QStringLiteral("tamber-fuzz-%1%2")
                                       .arg(QCoreApplication::applicationPid())
                                       .arg(QLatin1String(suffix))))
    {
    }
    ~ScratchFile() { QFile::remove(m_path); }

    const QString& write(const QByteArray& content)
    {
        QFile file(m_path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(content) == content.size());
        return m_path;
    }

private:
    static QDir folder()
    {
        const QDir shm(QStringLiteral("/dev/shm"));
        return shm.exists() ? shm : QDir::temp();
    }

    QString m_path;
};

// Byte i of the file as its readers see it: zero beyond the end.
inline uint8_t byteAt(const QByteArray& file, qint64 i)
{
    return i >= 0 && i < file.size() ? uint8_t(file[qsizetype(i)]) : 0;
}

inline int32_t longAt(const QByteArray& file, qint64 i)
{
    return int32_t(uint32_t(byteAt(file, i)) | uint32_t(byteAt(file, i + 1)) << 8 |
                   uint32_t(byteAt(file, i + 2)) << 16 | uint32_t(byteAt(file, i + 3)) << 24);
}

} // namespace tamber::fuzz
