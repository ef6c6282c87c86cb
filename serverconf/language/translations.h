#pragma once
// The translators of a run: serverconf's own English texts, or Qt's own
// Chinese texts (message box buttons, file dialogs) when it speaks Chinese.

#include "language/language_choice.h"

#include <QStringList>

namespace serverconf {

// Chooses the run's language from the program's arguments (--lang), the
// environment (SERVERCONF_LANG), the stored choice and the system's locale,
// and installs its translators in the running application.
Language setUpLanguage(const QStringList& arguments);

// Installs the translators of `language` in place of any installed before.
void installLanguage(Language language);

// The language set up for this run; Chinese before setUpLanguage.
Language runLanguage();

}  // namespace serverconf
