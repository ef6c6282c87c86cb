#include "language/system_locale.h"

#include <QtGlobal>

namespace serverconf {

// The locale of messages: LC_ALL, then LC_MESSAGES, then LANG, the first one set.
QString systemLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) return name;
    }
    return {};
}

}  // namespace serverconf
