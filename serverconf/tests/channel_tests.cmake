# Tests of the datagram channel, and the test main that other serverconf
# network tests share: it enters a private loopback network first.
add_library(serverconf_network_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/channel/network_test_main.cpp)
target_link_libraries(serverconf_network_test_main PUBLIC testsupport_private_network GTest::gtest Qt6::Core)

add_executable(serverconf_channel_test
  ${CMAKE_CURRENT_LIST_DIR}/channel/address_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channel/network_interfaces_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/channel/udp_command_channel_test.cpp)
target_link_libraries(serverconf_channel_test PRIVATE serverconf_channel serverconf_network_test_main)
gtest_discover_tests(serverconf_channel_test TEST_PREFIX "serverconf.channel." PROPERTIES LABELS network)
