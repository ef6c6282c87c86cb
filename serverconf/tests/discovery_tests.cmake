# Tests of search, targeted search, change IP and confirm: pure row builders,
# protocol sequences against the recording fake, and end to end against
# devicesim in the test's private loopback network.
add_executable(serverconf_discovery_test
  ${CMAKE_CURRENT_LIST_DIR}/discovery/search_reply_row_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/discovery/discovery_operations_test.cpp)
target_link_libraries(serverconf_discovery_test PRIVATE
  serverconf_discovery serverconf_test_support serverconf_network_test_main)
gtest_discover_tests(serverconf_discovery_test TEST_PREFIX "serverconf.discovery." PROPERTIES LABELS network)

add_executable(serverconf_discovery_sim_test ${CMAKE_CURRENT_LIST_DIR}/discovery/discovery_devicesim_test.cpp)
target_link_libraries(serverconf_discovery_sim_test PRIVATE
  serverconf_discovery devicesim_testing serverconf_network_test_main Qt6::Test)
gtest_discover_tests(serverconf_discovery_sim_test TEST_PREFIX "serverconf.discovery.devicesim."
  PROPERTIES LABELS network)
