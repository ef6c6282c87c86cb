# Qt's translation tools and Qt's own translations on the build machine.
# Cross builds use them too: the Qt for Windows has no tools of its own, and
# the host's lrelease and Qt's .qm files serve every target.
find_program(SERVERCONF_LRELEASE NAMES lrelease-qt6 lrelease HINTS /usr/lib/qt6/bin NO_CMAKE_FIND_ROOT_PATH)
find_program(SERVERCONF_LUPDATE NAMES lupdate-qt6 lupdate HINTS /usr/lib/qt6/bin NO_CMAKE_FIND_ROOT_PATH)
find_path(SERVERCONF_QT_TRANSLATIONS qtbase_zh_CN.qm HINTS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH)
if(NOT SERVERCONF_LRELEASE OR NOT SERVERCONF_LUPDATE)
  message(FATAL_ERROR "lrelease or lupdate not found: install qt6-l10n-tools and qt6-tools-dev "
                      "(scripts/packages.txt)")
endif()
if(NOT SERVERCONF_QT_TRANSLATIONS)
  message(FATAL_ERROR "Qt's translations not found: install qt6-translations-l10n (scripts/packages.txt)")
endif()
