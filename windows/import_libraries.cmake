# Import libraries <library>.lib for hosts that bind to the DLLs when they are
# linked, made with dlltool from the library's export list (<library>.def).
#
# On 32-bit Windows the linker's own import library (lib<library>.dll.a)
# is of no use to a host: it gives the export _AddMoney@8 the symbol
# __AddMoney@8, while a host compiled against the header calls the __stdcall
# function _AddMoney@8. Here that symbol is bound to that export name
# ("AddMoney@8 == _AddMoney@8"). On 64-bit Windows names carry no decoration.
function(add_host_import_library library def_file)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_file})
  file(STRINGS ${def_file} entries REGEX "^[ \t]+_[A-Za-z]+@[0-9]+")
  set(exports "")
  foreach(entry IN LISTS entries)
    string(REGEX MATCH "_([A-Za-z]+)@([0-9]+)" decorated "${entry}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(APPEND exports "    ${CMAKE_MATCH_1}@${CMAKE_MATCH_2} == ${decorated}\n")
    else()
      string(APPEND exports "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  set(import_def ${CMAKE_CURRENT_BINARY_DIR}/${library}_import.def)
  file(GENERATE OUTPUT ${import_def} CONTENT "LIBRARY ${library}.dll\nEXPORTS\n${exports}")

  set(import_lib ${CMAKE_BINARY_DIR}/lib/${library}.lib)
  add_custom_command(OUTPUT ${import_lib}
    COMMAND ${CMAKE_DLLTOOL} --dllname ${library}.dll --input-def ${import_def} --output-lib ${import_lib}
    DEPENDS ${import_def}
    COMMENT "Import library ${library}.lib"
    VERBATIM)
  add_custom_target(${library}_import_library ALL DEPENDS ${import_lib})
  set(${library}_import_library_file ${import_lib} PARENT_SCOPE)
endfunction()
