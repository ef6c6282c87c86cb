# Windows resources of the project's programs and DLLs: a version resource
# (product, version, description, copyright of the cardpayment authors), and
# for programs the icon and the application manifest when given.
#
#   add_windows_resources(TARGET PRODUCT text DESCRIPTION text
#                         [ICON file.ico] [MANIFEST file.manifest])
string(TIMESTAMP resource_year "%Y" UTC)

function(add_windows_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PRODUCT;DESCRIPTION;ICON;MANIFEST" "")
  get_target_property(type ${target} TYPE)
  set(resource_file_type VFT_APP)
  set(suffix .exe)
  if(type STREQUAL "SHARED_LIBRARY")
    set(resource_file_type VFT_DLL)
    set(suffix .dll)
  endif()
  set(resource_internal_name ${target})
  set(resource_file_name ${target}${suffix})
  set(resource_product "${arg_PRODUCT}")
  set(resource_description "${arg_DESCRIPTION}")
  set(resource_icon_line "")
  set(resource_manifest_line "")
  if(arg_ICON)
    # The first icon in the file is the one Explorer shows.
    set(resource_icon_line "1 ICON \"${arg_ICON}\"")
  endif()
  if(arg_MANIFEST)
    set(resource_manifest_line "1 24 \"${arg_MANIFEST}\"")  # CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/resources/${target}.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # windres reads the icon and the manifest while it compiles the .rc.
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${arg_ICON};${arg_MANIFEST}")
endfunction()
