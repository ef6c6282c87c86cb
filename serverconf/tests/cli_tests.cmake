# Tests of serverconf-cli: its arguments and parameter edits (pure), and
# every command end to end against devicesim.
add_executable(serverconf_cli_test
  ${CMAKE_CURRENT_LIST_DIR}/cli/cli_arguments_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/cli_output_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/parameter_edits_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/cli_devicesim_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/cli_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/cli_several_devices_test.cpp)
target_link_libraries(serverconf_cli_test PRIVATE serverconf_cli_core serverconf_test_support devicesim_testing
  serverconf_network_test_main testsupport_program_run)
target_compile_definitions(serverconf_cli_test PRIVATE SERVERCONF_CLI_EXECUTABLE="$<TARGET_FILE:serverconf-cli>")
add_dependencies(serverconf_cli_test serverconf-cli)
gtest_discover_tests(serverconf_cli_test TEST_PREFIX "serverconf.cli." PROPERTIES LABELS network)
