#include "Translations.h"

#include "LanguageChoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

namespace tamber {

namespace {
Q_LOGGING_CATEGORY(lcLanguage, "tamber.language", QtInfoMsg)

bool load(const QString& file, const QStringList& folders)
{
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(file, folder)) {
            QCoreApplication::installTranslator(translator);
            qCDebug(lcLanguage) << "Loaded" << QDir(folder).filePath(file);
            return true;
        }
        delete translator;
    }
    return false;
}
} // namespace

void installTranslations(const QString& language, const QString& catalogue,
                         const QStringList& folders)
{
    qCDebug(lcLanguage) << "Language:" << language;
    if (language == kEnglish)
        return;
    const QString own = catalogue + QLatin1Char('_') + language + QStringLiteral(".qm");
    if (!load(own, folders))
        qCWarning(lcLanguage).noquote() << "No translation" << own << "in" << folders.join(", ")
                                        << "- the program speaks English";
    const QString qt = QStringLiteral("qtbase_") + language + QStringLiteral(".qm");
    if (!load(qt, {QLibraryInfo::path(QLibraryInfo::TranslationsPath)}))
        // Only Qt's standard buttons and dialogs stay English: --verbose says so.
        qCDebug(lcLanguage).noquote()
            << "No translation" << qt << "of Qt's own dialogs (Debian: qt6-translations-l10n)";
}

void installSystemTranslations(const QString& catalogue, const QString& installedFolder)
{
    const QDir here(QCoreApplication::applicationDirPath());
    installTranslations(
        LanguageChoice::choose({}, LanguageChoice::systemEnvironment), catalogue,
        {here.filePath(installedFolder), here.filePath(QStringLiteral("translations"))});
}

} // namespace tamber
