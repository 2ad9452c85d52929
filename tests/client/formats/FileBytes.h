#pragma once

// Small helpers for tests that compare files byte for byte.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <initializer_list>
#include <sys/stat.h>

namespace tamber::testing {

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline void writeAll(const QString& path, const QByteArray& content)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
}

// A named pipe: opening it for reading blocks until a writer comes.
inline QString makeFifo(const QTemporaryDir& dir, const char* name)
{
    const QString path = dir.filePath(QLatin1String(name));
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
}

// `head`, then a hole up to `size` bytes: no disk space, but the size a reader sees.
inline void writeSparse(const QString& path, const QByteArray& head, qint64 size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(head);
        f.resize(size);
    }
}

inline void makeReadOnly(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}

// Permission bits mean nothing to root; tests of read-only files skip there.
inline bool permissionsAreEnforced(const QTemporaryDir& dir)
{
    const QString probe = dir.filePath(QStringLiteral("probe"));
    writeAll(probe, "x");
    makeReadOnly(probe);
    QFile f(probe);
    const bool writable = f.open(QIODevice::ReadWrite);
    f.close();
    QFile::setPermissions(probe, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(probe);
    return !writable;
}

} // namespace tamber::testing

namespace tamber::testing {

// A file that exists and can be read but not opened for writing: a read-only copy in `dir`
// where permissions hold, else (running as root) a read-only attribute of the kernel.
// Empty when this machine offers none.
inline QString readOnlyFile(const QTemporaryDir& dir)
{
    auto writable = [](const QString& path) {
        QFile f(path);
        const bool ok = f.open(QIODevice::ReadWrite); // opened and closed, nothing written
        f.close();
        return ok;
    };
    const QString local = dir.filePath(QStringLiteral("read-only.bin"));
    writeAll(local, QByteArray(40, 'x'));
    makeReadOnly(local);
    if (!writable(local))
        return local;
    for (const char* candidate : {"/sys/kernel/mm/transparent_hugepage/hpage_pmd_size",
                                  "/sys/kernel/address_bits", "/sys/power/pm_test"}) {
        const QString path = QString::fromLatin1(candidate);
        QFile f(path);
        if (f.exists() && !writable(path) && f.open(QIODevice::ReadOnly))
            return path;
    }
    return {};
}

} // namespace tamber::testing
