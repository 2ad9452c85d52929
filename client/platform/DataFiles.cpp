#include "DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tamber {

DataFiles dataFilesIn(const QString& programFolder, const QString& userFolder)
{
    const QDir program(programFolder);
    DataFiles files{program.absoluteFilePath(QStringLiteral("Default.tmk")),
                    program.absoluteFilePath(QStringLiteral("help/index.html"))};
    if (!userFolder.isEmpty()) {
        // Only a regular file (or a link to one): a folder or a FIFO of that name is no keymap.
        const QFileInfo own(QDir(userFolder).absoluteFilePath(QStringLiteral("Default.tmk")));
        if (own.isFile())
            files.defaultKeymap = own.absoluteFilePath();
    }
    return files;
}

DataFiles installedDataFiles()
{
    return dataFilesIn(programFolder(), userDataFolder());
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
