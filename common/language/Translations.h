#pragma once

#include <QStringList>

namespace tamber {

// Makes the application speak `language`: the program's catalogue ("<catalogue>_<code>.qm",
// from the first of `folders` that holds it) and Qt's own for its standard dialogs and
// buttons. English needs neither. What is missing is said under tamber.language and the text
// stays English. Call once, after the QCoreApplication exists and before any window.
void installTranslations(const QString& language, const QString& catalogue,
                         const QStringList& folders);

// installTranslations for a program without settings: the system's language, from
// "translations" beside the program (the build tree) or `installedFolder`, relative to it.
void installSystemTranslations(const QString& catalogue, const QString& installedFolder);

} // namespace tamber
