#include "common/language/LanguageChoice.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace tamber;

namespace {
struct Case
{
    const char* what;
    QMap<QString, QString> environment;
    QString setting;
    QString expected;
};

QString choose(const Case& c)
{
    return LanguageChoice::choose(
        c.setting, [&c](const char* name) { return c.environment.value(QLatin1String(name)); });
}
} // namespace

TEST(LanguageChoice, FollowsTheSettingThenTheLocaleInGettextsOrder)
{
    const Case cases[] = {
        {"nothing set", {}, {}, "en"},
        {"LANG alone", {{"LANG", "de_DE.UTF-8"}}, {}, "de"},
        {"territory and modifier", {{"LANG", "fr_CA.ISO-8859-1@euro"}}, {}, "fr"},
        {"LC_MESSAGES before LANG", {{"LANG", "de_DE"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, {}, "ja"},
        {"LC_ALL before LC_MESSAGES",
         {{"LC_ALL", "ru_RU.UTF-8"}, {"LC_MESSAGES", "ja_JP"}, {"LANG", "de_DE"}},
         {},
         "ru"},
        {"LANGUAGE first", {{"LANGUAGE", "it"}, {"LC_ALL", "ru_RU.UTF-8"}}, {}, "it"},
        {"LANGUAGE list: first shipped entry", {{"LANGUAGE", "nl:eo:es_MX:fr"}}, {}, "es"},
        {"LANGUAGE with nothing shipped falls to the locale",
         {{"LANGUAGE", "nl:sv"}, {"LANG", "it_IT.UTF-8"}},
         {},
         "it"},
        {"English in LANGUAGE stops there", {{"LANGUAGE", "en_GB:de"}}, {}, "en"},
        {"C locale is English", {{"LC_ALL", "C.UTF-8"}, {"LANG", "de_DE"}}, {}, "en"},
        {"POSIX is English", {{"LANG", "POSIX"}}, {}, "en"},
        {"an unshipped locale is English", {{"LANG", "nl_NL.UTF-8"}}, {}, "en"},
        {"the first set locale decides", {{"LC_ALL", "nl_NL"}, {"LANG", "de_DE"}}, {}, "en"},
        {"Brazilian Portuguese", {{"LANG", "pt_BR.UTF-8"}}, {}, "pt_BR"},
        {"other Portuguese", {{"LANG", "pt_PT.UTF-8"}}, {}, "pt_BR"},
        {"BCP 47 spelling", {{"LANGUAGE", "pt-br"}}, {}, "pt_BR"},
        {"Simplified Chinese", {{"LANG", "zh_CN.UTF-8"}}, {}, "zh_CN"},
        {"Singapore Chinese", {{"LANGUAGE", "zh_SG"}}, {}, "zh_CN"},
        {"Traditional Chinese is not shipped",
         {{"LANGUAGE", "zh_TW:ja"}, {"LANG", "zh_TW.UTF-8"}},
         {},
         "ja"},
        {"junk is skipped", {{"LANGUAGE", "::../de:"}, {"LANG", "\x01"}}, {}, "en"},
        {"the setting wins", {{"LANGUAGE", "de"}}, "zh_CN", "zh_CN"},
        {"English chosen over the locale", {{"LANG", "de_DE"}}, "en", "en"},
        {"System follows the locale", {{"LANG", "es_ES"}}, "System", "es"},
        {"an unknown setting follows the locale", {{"LANG", "es_ES"}}, "xx", "es"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(choose(c), c.expected) << c.what;
}

TEST(LanguageChoice, ShipsEnglishAndEightLanguagesByTheirOwnNames)
{
    QStringList names;
    for (const Language& language : shippedLanguages())
        names << language.code + QLatin1Char(' ') + language.name;
    EXPECT_EQ(names, QStringList({"en English", "de Deutsch", "fr Français", "es Español",
                                  "it Italiano", "pt_BR Português (Brasil)", "ru Русский",
                                  "ja 日本語", "zh_CN 简体中文"}));
}
