# The Windows bundle for integrators, made into a ZIP by CPack (component
# "windows", not part of a plain install): the headers, and for each cross
# build its DLLs, their import libraries with the .def files they were made
# from, and the 64-bit cardctl.exe, the one the Wine tests run; serverconf.exe
# and serverconf-cli.exe when the x86_64 build has Qt for MinGW.
set(bundle_install COMPONENT windows EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/cardpurse/include/cardpurse.h ${PROJECT_SOURCE_DIR}/rfwallet/include/rfwallet.h
  DESTINATION include ${bundle_install})
install(FILES bundle-README.txt DESTINATION . RENAME README.txt ${bundle_install})

# The binaries are stripped in the bundle and the setup (the static C++
# runtime linked into them carries debugging information) and then signed
# when a certificate is given (windows/sign.sh: SIGN_CERT, SIGN_KEY).
function(install_windows_binary file destination component strip)
  install(FILES ${file} DESTINATION ${destination} COMPONENT ${component} EXCLUDE_FROM_ALL)
  get_filename_component(name ${file} NAME)
  set(installed "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${name}")
  install(CODE "execute_process(COMMAND ${strip} --strip-unneeded \"${installed}\" COMMAND_ERROR_IS_FATAL ANY)
                execute_process(COMMAND ${PROJECT_SOURCE_DIR}/windows/sign.sh \"${installed}\" COMMAND_ERROR_IS_FATAL ANY)"
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()

find_program(MINGW_I686_STRIP i686-w64-mingw32-strip REQUIRED)
find_program(MINGW_X86_64_STRIP x86_64-w64-mingw32-strip REQUIRED)
foreach(flavour i686 x86_64)
  set(build ${CMAKE_BINARY_DIR}/win-${flavour})
  string(TOUPPER ${flavour} upper)
  set(strip ${MINGW_${upper}_STRIP})
  foreach(library cardpurse rfwallet)
    install_windows_binary(${build}/bin/${library}.dll ${flavour}/bin windows ${strip})
    install(FILES ${build}/lib/${library}.lib DESTINATION ${flavour}/lib ${bundle_install})
    install(FILES ${build}/windows/${library}_import.def DESTINATION ${flavour}/lib
      RENAME ${library}.def ${bundle_install})
  endforeach()
endforeach()
set(bundled_programs cardctl.exe)
if(QT_MINGW_PREFIX)
  list(APPEND bundled_programs serverconf.exe serverconf-cli.exe)
else()
  message(STATUS "The Windows bundle holds no serverconf: configure with QT_MINGW_PREFIX (scripts/build-qt-mingw.sh)")
endif()
foreach(program IN LISTS bundled_programs)
  install_windows_binary(${CMAKE_BINARY_DIR}/win-x86_64/bin/${program} x86_64/bin windows ${MINGW_X86_64_STRIP})
endforeach()
