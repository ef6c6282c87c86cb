# Test support the serverconf tests share: the recording fake network,
# parameter sets built from literal values and the expected write series.
add_library(serverconf_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/support/fake_network.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/write_series.cpp)
target_include_directories(serverconf_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR}/support)
target_link_libraries(serverconf_test_support PUBLIC serverconf_channel serverconf_params)
