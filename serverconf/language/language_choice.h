#pragma once
// Which language serverconf speaks in a run. The texts of the program are
// written in Chinese, its default; English is the one translation.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace serverconf {

enum class Language { Chinese, English };

// "zh" or "en", as given to --lang, SERVERCONF_LANG and stored in the settings.
std::optional<Language> languageFromCode(QStringView code);
QString languageCode(Language language);

// The language of a locale name ("zh_CN.UTF-8", "zh-TW", "en_GB", "C",
// "POSIX"): Chinese for Chinese locales and for the C locale (an empty name
// is the C locale); English for every other.
Language languageOfLocale(QStringView localeName);

// The value of "--lang CODE" among a program's arguments;
// empty when not given.
QString languageArgument(const QStringList& arguments);

// Where a run's language can come from, strongest first; an empty or
// unknown code counts as not given.
struct LanguageSources {
    QString commandLine;   // --lang
    QString environment;   // SERVERCONF_LANG
    QString stored;        // chosen in the window's system menu
    QString systemLocale;  // the locale name of the system's messages
};

Language chooseLanguage(const LanguageSources& sources);

}  // namespace serverconf
