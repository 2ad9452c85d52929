#include "LanguageChoice.h"

#include <QRegularExpression>

namespace tamber {

const QList<Language>& shippedLanguages()
{
    static const QList<Language> languages{
        {kEnglish, QStringLiteral("English")},
#include "ShippedLanguages.inc"
    };
    return languages;
}

bool LanguageChoice::isShipped(const QString& code)
{
    for (const Language& language : shippedLanguages()) {
        if (language.code == code)
            return true;
    }
    return false;
}

QString shippedLanguageFor(const QString& locale)
{
    // language[_TERRITORY][.codeset][@modifier]; BCP 47's "pt-BR" is taken as well.
    static const QRegularExpression form(
        QStringLiteral("^([A-Za-z]{2,3})(?:[_-]([A-Za-z]{2}|[0-9]{3}))?(?:\\..*)?(?:@.*)?$"));
    const QString trimmed = locale.trimmed();
    if (trimmed == QLatin1String("C") || trimmed.startsWith(QLatin1String("C.")) ||
        trimmed == QLatin1String("POSIX"))
        return kEnglish;
    const QRegularExpressionMatch match = form.match(trimmed);
    if (!match.hasMatch())
        return {};
    const QString language = match.captured(1).toLower();
    const QString territory = match.captured(2).toUpper();
    // The one Portuguese and the one (Simplified) Chinese stand in for their kin.
    if (language == QLatin1String("pt"))
        return QStringLiteral("pt_BR");
    if (language == QLatin1String("zh")) {
        if (territory.isEmpty() || territory == QLatin1String("CN") ||
            territory == QLatin1String("SG"))
            return QStringLiteral("zh_CN");
        return {};
    }
    if (!territory.isEmpty() && LanguageChoice::isShipped(language + QLatin1Char('_') + territory))
        return language + QLatin1Char('_') + territory;
    return LanguageChoice::isShipped(language) ? language : QString();
}

QString LanguageChoice::fromEnvironment(const Environment& environment)
{
    for (const QString& entry : environment("LANGUAGE").split(QLatin1Char(':'))) {
        if (const QString found = shippedLanguageFor(entry); !found.isEmpty())
            return found;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString locale = environment(name);
        if (!locale.isEmpty()) {
            const QString found = shippedLanguageFor(locale);
            return found.isEmpty() ? kEnglish : found;
        }
    }
    return kEnglish;
}

QString LanguageChoice::choose(const QString& setting, const Environment& environment)
{
    if (setting != kSystem && isShipped(setting))
        return setting;
    return fromEnvironment(environment);
}

QString LanguageChoice::systemEnvironment(const char* name)
{
    return qEnvironmentVariable(name);
}

} // namespace tamber
