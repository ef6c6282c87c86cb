# Documents installed compressed, as Debian keeps them: gzip -9 without the
# file's name and time stamp (-n), so that the same text gives the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)

# compressed_copy(<source> <output variable>): a build-time <name>.gz of the
# source in a folder "compressed" of the current binary folder; its path goes
# into the variable. The copy is made in that folder of its own, so that a
# source that lies in the binary folder itself is never replaced by its .gz.
function(compressed_copy source out_var)
  get_filename_component(name ${source} NAME)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/compressed
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${GZIP_PROGRAM} -9nf ${copy}
    DEPENDS ${source}
    VERBATIM)
  add_custom_target(compressed_${name} ALL DEPENDS ${copy}.gz)
  set(${out_var} ${copy}.gz PARENT_SCOPE)
endfunction()

# install_manual_page(<page> <component>): a roff page such as cardctl.1,
# into man<section> of the install tree.
function(install_manual_page page component)
  string(REGEX MATCH "[0-9]$" section ${page})
  compressed_copy(${CMAKE_CURRENT_SOURCE_DIR}/${page} compressed)
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endfunction()
