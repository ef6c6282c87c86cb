# Tests of the serverconf window: dialogs and seams (offscreen), and the
# device manager window against devicesim in a private network namespace.
if(BUILD_TESTING)
  set(window_test_dir ${CMAKE_CURRENT_LIST_DIR}/window)
  add_library(serverconf_window_test_support STATIC ${window_test_dir}/window_test_support.cpp)
  target_include_directories(serverconf_window_test_support PUBLIC ${window_test_dir})
  target_link_libraries(serverconf_window_test_support PUBLIC serverconf_dialogs)

  add_executable(serverconf_dialogs_test
    ${window_test_dir}/gui_test_main.cpp
    ${window_test_dir}/dialogs_test.cpp
    ${window_test_dir}/framed_window_test.cpp
    ${window_test_dir}/program_test.cpp)
  target_link_libraries(serverconf_dialogs_test PRIVATE
    serverconf_window serverconf_window_test_support Qt6::Test GTest::gtest)
  gtest_discover_tests(serverconf_dialogs_test TEST_PREFIX "serverconf.window."
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()

if(BUILD_TESTING AND TARGET devicesim_testing AND TARGET testsupport_private_network)
  # Shared with the other window tests that run against devicesim.
  add_library(serverconf_window_devicesim_support STATIC
    ${window_test_dir}/device_window_support.cpp ${window_test_dir}/send_recording_environment.cpp)
  target_include_directories(serverconf_window_devicesim_support PUBLIC ${window_test_dir})
  target_link_libraries(serverconf_window_devicesim_support PUBLIC
    serverconf_window serverconf_window_test_support devicesim_testing Qt6::Test GTest::gtest)

  add_executable(serverconf_device_manager_test
    ${window_test_dir}/network_gui_test_main.cpp
    ${window_test_dir}/device_manager_test.cpp)
  target_link_libraries(serverconf_device_manager_test PRIVATE serverconf_window_devicesim_support
    serverconf_window_test_support testsupport_private_network Qt6::Test GTest::gtest)
  gtest_discover_tests(serverconf_device_manager_test TEST_PREFIX "serverconf.window."
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen LABELS network)
endif()
