# Read by cpack once per generator: the Debian packages hold the components
# of the Linux build, the ZIP only the Windows bundle, in one archive, and
# the setup only serverconf's Windows programs.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_COMPONENTS_ALL windows)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_PACKAGE_FILE_NAME "cardpayment-windows-${CPACK_PACKAGE_VERSION}")
elseif(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_COMPONENTS_ALL setup)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_PACKAGE_FILE_NAME "serverconf-${CPACK_PACKAGE_VERSION}-win64-setup")
else()
  set(CPACK_COMPONENTS_ALL ${CPACK_CARDPAYMENT_DEB_COMPONENTS})
endif()
