# The setup program of serverconf for 64-bit Windows (CPack's NSIS
# generator; the packaging folder adds it to the generators): install
# component "setup", serverconf.exe and serverconf-cli.exe of the x86_64
# build, stripped and signed like the bundle's.
foreach(program serverconf.exe serverconf-cli.exe)
  install_windows_binary(${CMAKE_BINARY_DIR}/win-x86_64/bin/${program} . setup ${MINGW_X86_64_STRIP})
endforeach()
set_property(GLOBAL PROPERTY WINDOWS_SETUP_CPACK ${CMAKE_CURRENT_LIST_DIR}/cpack_nsis.cmake)
