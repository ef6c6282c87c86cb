#include "testsupport/pinned_environment.h"

#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace testsupport {

void pinLanguageAndSettings() {
    // C.UTF-8 rather than C: Qt warns on standard error about a locale that is not UTF-8.
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    qunsetenv("LANGUAGE");
    qunsetenv("SERVERCONF_LANG");
    static QTemporaryDir settings;
    if (!settings.isValid()) {
        std::fprintf(stderr, "no temporary folder for the settings: %s\n", qPrintable(settings.errorString()));
        std::exit(1);
    }
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
}

}  // namespace testsupport
