# The Windows bundle for integrators, made into a ZIP by CPack (component
# "windows", not part of a plain install): the headers, and for each cross
# build its DLLs, their import libraries with the .def files they were made
# from, and the 64-bit cardctl.exe, the one the Wine tests run.
set(bundle_install COMPONENT windows EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/cardpurse/include/cardpurse.h ${PROJECT_SOURCE_DIR}/rfwallet/include/rfwallet.h
  DESTINATION include ${bundle_install})
install(FILES bundle-README.txt DESTINATION . RENAME README.txt ${bundle_install})

foreach(flavour i686 x86_64)
  set(build ${CMAKE_BINARY_DIR}/win-${flavour})
  foreach(library cardpurse rfwallet)
    install(FILES ${build}/bin/${library}.dll DESTINATION ${flavour}/bin ${bundle_install})
    install(FILES ${build}/lib/${library}.lib DESTINATION ${flavour}/lib ${bundle_install})
    install(FILES ${build}/windows/${library}_import.def DESTINATION ${flavour}/lib
      RENAME ${library}.def ${bundle_install})
  endforeach()
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/win-x86_64/bin/cardctl.exe DESTINATION x86_64/bin ${bundle_install})
