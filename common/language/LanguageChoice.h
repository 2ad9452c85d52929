#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace tamber {

// A language a program speaks: its Qt locale code ("de", "pt_BR") and its name in itself.
struct Language
{
    QString code;
    QString name;
};

// English, the source text, then the translated languages in the order of
// translations/languages.txt.
const QList<Language>& shippedLanguages();
inline const QString kEnglish = QStringLiteral("en");

// The shipped language a locale name asks for ("de_AT.UTF-8" is "de", "pt_PT" and "pt" are
// "pt_BR", "zh" and "zh_SG" are "zh_CN", "C" and "POSIX" are English), or empty when none
// fits ("zh_TW" asks for Traditional Chinese, which is not shipped).
QString shippedLanguageFor(const QString& locale);

// Which language the program speaks. The setting (General/Language) names a shipped
// language, or is "System" or missing: then the system's locale decides, as gettext reads it.
// LANGUAGE, a colon list of preferences, comes first; then the first of LC_ALL, LC_MESSAGES and
// LANG that is set. The first that names a shipped language wins; English if none does.
class LanguageChoice
{
public:
    using Environment = std::function<QString(const char* name)>;
    static inline const QString kSection = QStringLiteral("General");
    static inline const QString kKey = QStringLiteral("Language");
    static inline const QString kSystem = QStringLiteral("System");

    // Whether `code` names a shipped language (English included).
    static bool isShipped(const QString& code);
    static QString choose(const QString& setting, const Environment& environment);
    static QString fromEnvironment(const Environment& environment);
    // The process's own environment.
    static QString systemEnvironment(const char* name);
};

} // namespace tamber
