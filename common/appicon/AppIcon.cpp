#include "AppIcon.h"

#include <QDirIterator>

namespace tamber {

QIcon appIcon()
{
    // Every rendered size; the window system picks the one that fits.
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/appicon"), {QStringLiteral("*.png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

} // namespace tamber
