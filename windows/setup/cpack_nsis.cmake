# CPack settings of the Windows setup program, read by the packaging folder
# before it includes CPack: the project's NSIS template (this folder) gets
# the icon, the signing command and the copyright year through these
# variables.
list(APPEND CPACK_GENERATOR NSIS)
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PACKAGE_INSTALL_DIRECTORY serverconf)
set(CPACK_SERVERCONF_ICON ${SERVERCONF_WINDOWS_ICON})
set(CPACK_SERVERCONF_SIGN_COMMAND ${CMAKE_CURRENT_LIST_DIR}/../sign.sh)
string(TIMESTAMP CPACK_SERVERCONF_YEAR "%Y" UTC)
