#include "language/system_locale.h"

#include <QLocale>

namespace serverconf {

// The user's UI language, first of the languages the system lists.
QString systemLocaleName() { return QLocale::system().uiLanguages().value(0); }

}  // namespace serverconf
