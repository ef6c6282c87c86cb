#include "language/language_choice.h"

#include <QLoggingCategory>

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(languageLog, "serverconf.language", QtWarningMsg)

}  // namespace

std::optional<Language> languageFromCode(QStringView code) {
    if (code == u"zh") return Language::Chinese;
    if (code == u"en") return Language::English;
    return std::nullopt;
}

QString languageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

Language languageOfLocale(QStringView localeName) {
    // The language part ends at the territory, script, code set or modifier.
    qsizetype end = 0;
    while (end < localeName.size() && localeName[end].isLetter()) ++end;
    const QStringView language = localeName.first(end);
    const bool chinese = language.isEmpty() || language == u"C" || language == u"POSIX" ||
                         language.compare(u"zh", Qt::CaseInsensitive) == 0;
    return chinese ? Language::Chinese : Language::English;
}

QString languageArgument(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--lang") return arguments.value(i + 1);
    }
    return {};
}

Language chooseLanguage(const LanguageSources& sources) {
    for (const QString& code : {sources.commandLine, sources.environment, sources.stored}) {
        if (code.isEmpty()) continue;
        if (const std::optional<Language> language = languageFromCode(code)) return *language;
        qCDebug(languageLog) << "not a language code, passed over:" << code;
    }
    return languageOfLocale(sources.systemLocale);
}

}  // namespace serverconf
