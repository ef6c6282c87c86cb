# Tests of the property settings: the dialogs, the configuration file
# commands and the list choices offscreen, and the Settings command of the
# window against devicesim in a private network namespace.
if(BUILD_TESTING)
  set(settings_test_dir ${CMAKE_CURRENT_LIST_DIR}/settings)
  add_executable(serverconf_settings_dialogs_test
    ${CMAKE_CURRENT_LIST_DIR}/window/gui_test_main.cpp
    ${settings_test_dir}/property_settings_dialog_test.cpp
    ${settings_test_dir}/advanced_dialogs_test.cpp
    ${settings_test_dir}/device_profile_commands_test.cpp)
  target_link_libraries(serverconf_settings_dialogs_test PRIVATE
    serverconf_settings_dialogs serverconf_window_test_support serverconf_test_support Qt6::Test GTest::gtest)
  target_include_directories(serverconf_settings_dialogs_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/window)
  gtest_discover_tests(serverconf_settings_dialogs_test TEST_PREFIX "serverconf.settings."
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()

if(BUILD_TESTING AND TARGET devicesim_testing AND TARGET testsupport_private_network)
  add_executable(serverconf_settings_devicesim_test
    ${CMAKE_CURRENT_LIST_DIR}/window/network_gui_test_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/settings_devicesim_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings/settings_route_devicesim_test.cpp)
  target_link_libraries(serverconf_settings_devicesim_test PRIVATE serverconf_window serverconf_window_test_support
    serverconf_window_devicesim_support serverconf_test_support devicesim_testing testsupport_private_network Qt6::Test
    GTest::gtest)
  target_include_directories(serverconf_settings_devicesim_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/window)
  gtest_discover_tests(serverconf_settings_devicesim_test TEST_PREFIX "serverconf.settings."
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen LABELS network)
endif()
