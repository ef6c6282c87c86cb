# Tests on several interfaces: device segments (veth pairs into child
# namespaces) built inside the test's private network namespace, with
# neither SERVERCONF_BROADCAST nor SERVERCONF_LOCAL_ADDRESS set. Labelled
# "network".
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()
add_executable(serverconf_interfaces_test ${CMAKE_CURRENT_LIST_DIR}/network/interfaces_segments_test.cpp)
target_link_libraries(serverconf_interfaces_test PRIVATE
  serverconf_cli_core devicesim_testing serverconf_network_test_main testsupport_program_run Qt6::Test)
target_compile_definitions(serverconf_interfaces_test PRIVATE SERVERCONF_CLI_EXECUTABLE="$<TARGET_FILE:serverconf-cli>")
add_dependencies(serverconf_interfaces_test serverconf-cli)
gtest_discover_tests(serverconf_interfaces_test TEST_PREFIX "serverconf.interfaces." PROPERTIES LABELS network)
