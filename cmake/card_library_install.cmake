# Install rules of a card library for the hosts built against it: the shared
# library with its version and SONAME (lib<name>.so.1) in the runtime
# component, and in the development component its header, the unversioned
# link, a pkg-config file and a CMake package with the imported target
# <name>::<name>.
include(CMakePackageConfigHelpers)

function(install_card_library library header summary)
  set_target_properties(${library} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  target_include_directories(${library} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

  install(TARGETS ${library} EXPORT ${library}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libraries NAMELINK_COMPONENT development)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

  set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/${library})
  install(EXPORT ${library}Targets NAMESPACE ${library}:: DESTINATION ${package_dir} COMPONENT development)
  set(config ${CMAKE_CURRENT_BINARY_DIR}/${library}Config.cmake)
  set(config_version ${CMAKE_CURRENT_BINARY_DIR}/${library}ConfigVersion.cmake)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/card_library_config.cmake.in ${config}
    INSTALL_DESTINATION ${package_dir})
  write_basic_package_version_file(${config_version} VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${config} ${config_version} DESTINATION ${package_dir} COMPONENT development)

  # The prefix is taken relative to the .pc file, so that the file is right
  # under any install prefix, not only the one configured.
  file(RELATIVE_PATH pc_to_prefix /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
  set(pc_file ${CMAKE_CURRENT_BINARY_DIR}/${library}.pc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/card_library.pc.in ${pc_file} @ONLY)
  install(FILES ${pc_file} DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
endfunction()
