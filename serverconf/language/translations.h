#pragma once
// The translators of a run: serverconf's own English texts, or, for the
// window, Qt's own Chinese texts (message box buttons, file dialogs) when it
// speaks Chinese.

#include "language/language_choice.h"

#include <QStringList>

namespace serverconf {

// Whether Qt's own texts follow a Chinese run: yes for the window; no for
// serverconf-cli, whose output (file errors) stays as Qt words it.
enum class QtTexts { Translated, AsQtWritesThem };

// Chooses the run's language from the program's arguments (--lang), the
// environment (SERVERCONF_LANG), the stored choice and the system's locale,
// and installs its translators in the running application.
Language setUpLanguage(const QStringList& arguments, QtTexts qtTexts);

// Installs the translators of `language` in place of any installed before.
void installLanguage(Language language, QtTexts qtTexts = QtTexts::Translated);

// The language set up for this run; Chinese before setUpLanguage.
Language runLanguage();

}  // namespace serverconf
