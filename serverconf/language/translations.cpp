#include "language/translations.h"

#include "language/system_locale.h"
#include "preferences/preferences.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

// The translations are a resource of this library; a static library's
// resource is kept only when it is initialised by name.
static void initialiseTranslationResource() { Q_INIT_RESOURCE(serverconf_translations); }

namespace serverconf {
namespace {

Q_LOGGING_CATEGORY(translationsLog, "serverconf.translations", QtWarningMsg)

Language& installedLanguage() {
    static Language language = Language::Chinese;
    return language;
}

// Loads `name` (.qm) from the first folder that has it and installs it.
void installTranslator(const QString& name, const QStringList& folders) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : folders) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    qCDebug(translationsLog) << "no translation" << name << "in" << folders;
    delete translator;
}

}  // namespace

Language setUpLanguage(const QStringList& arguments, QtTexts qtTexts) {
    const Language language = chooseLanguage({languageArgument(arguments), qEnvironmentVariable("SERVERCONF_LANG"),
                                              storedLanguageCode(), systemLocaleName()});
    installLanguage(language, qtTexts);
    return language;
}

void installLanguage(Language language, QtTexts qtTexts) {
    initialiseTranslationResource();
    qCDebug(translationsLog) << "language" << languageCode(language);
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) delete translator;
    installedLanguage() = language;
    // The program's own texts are Chinese; Qt's own are English. The Windows
    // build carries Qt's Chinese texts inside the program.
    if (language == Language::English) {
        installTranslator(QStringLiteral("serverconf_en"), {QStringLiteral(":/i18n")});
    } else if (qtTexts == QtTexts::Translated) {
        installTranslator(QStringLiteral("qtbase_zh_CN"),
                          {QStringLiteral(":/i18n"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    }
}

Language runLanguage() { return installedLanguage(); }

}  // namespace serverconf
