#include "DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tamber {

DataFiles dataFilesIn(const QString& programFolder, const QString& userFolder,
                      const QString& language)
{
    const QDir program(programFolder);
    DataFiles files{program.absoluteFilePath(QStringLiteral("Default.tmk")),
                    helpPageIn(program.absoluteFilePath(QStringLiteral("help")), language)};
    if (!userFolder.isEmpty()) {
        // Only a regular file (or a link to one): a folder or a FIFO of that name is no keymap.
        const QFileInfo own(QDir(userFolder).absoluteFilePath(QStringLiteral("Default.tmk")));
        if (own.isFile())
            files.defaultKeymap = own.absoluteFilePath();
    }
    return files;
}

QString helpPageIn(const QString& helpFolder, const QString& language)
{
    const QDir folder(helpFolder);
    // Only a plain code names a page: nothing in it may lead out of the folder.
    static const QRegularExpression code(QStringLiteral("^[A-Za-z]{2,3}(_[A-Za-z]{2})?$"));
    if (code.match(language).hasMatch()) {
        const QFileInfo page(
            folder.absoluteFilePath(QStringLiteral("index.%1.html").arg(language)));
        if (page.isFile())
            return page.absoluteFilePath();
    }
    return folder.absoluteFilePath(QStringLiteral("index.html"));
}

DataFiles installedDataFiles(const QString& language)
{
    return dataFilesIn(programFolder(), userDataFolder(), language);
}

QString programFolder()
{
    // The relative path from the binaries' folder to the data folder comes from the install
    // layout, so that an installed tree can be moved to any prefix.
    const QDir binDir(QCoreApplication::applicationDirPath());
    const QString installed = binDir.absoluteFilePath(QStringLiteral(TAMBER_DATA_FROM_BINARY));
    if (QFileInfo(installed).isDir())
        return QDir(installed).absolutePath();
    return binDir.absolutePath();
}

QString userDataFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : QDir(base).absoluteFilePath(QStringLiteral("tamber-piano"));
}

} // namespace tamber
