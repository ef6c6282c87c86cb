# Tests of the parameter set, its texts, the configuration file and the
# parameter operations (pure and against a recording network).
set(params_test_dir ${CMAKE_CURRENT_LIST_DIR}/params)

add_executable(params_unit_test
  ${params_test_dir}/device_profile_test.cpp
  ${params_test_dir}/parameter_operations_test.cpp
  ${params_test_dir}/parameter_texts_test.cpp
)
target_compile_definitions(params_unit_test PRIVATE PARAMS_FIXTURE_DIR="${params_test_dir}/fixtures")
target_link_libraries(params_unit_test PRIVATE serverconf_parameter_operations serverconf_test_support GTest::gtest_main)
gtest_discover_tests(params_unit_test TEST_PREFIX "serverconf.params.")

# The code page 936 table that the Windows build answers to as well.
add_executable(gbk_fixture_check ${params_test_dir}/gbk_fixture_check.cpp)
target_link_libraries(gbk_fixture_check PRIVATE serverconf_params)
add_test(NAME serverconf.params.gbk_fixtures COMMAND gbk_fixture_check ${params_test_dir}/fixtures/gbk_pairs.txt)

# Against devicesim in real time, inside a private loopback network.
if(TARGET devicesim_testing AND TARGET serverconf_network_test_main)
  add_executable(params_devicesim_test ${params_test_dir}/parameter_operations_devicesim_test.cpp)
  target_link_libraries(params_devicesim_test PRIVATE
    serverconf_parameter_operations serverconf_discovery serverconf_test_support devicesim_testing
    serverconf_network_test_main Qt6::Test)
  gtest_discover_tests(params_devicesim_test TEST_PREFIX "serverconf.params.devicesim." DISCOVERY_TIMEOUT 30
    PROPERTIES LABELS network)
endif()
