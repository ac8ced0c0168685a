# The fakes of the platform and the logic's test sources, defined once for every build that
# uses them: the Linux tests, the Windows tests under Wine and the fuzzers. Including this file
# defines rzv_fakes (a virtual clock, an in-memory settings store and file system) and sets
# RZV_LOGIC_TEST_SOURCES, the logic's tests on those fakes (standard C++ only: no Qt, no display).
set(RZV_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR})

add_library(rzv_fakes STATIC ${RZV_TESTS_DIR}/fakes/fake_platform.cpp)
target_include_directories(rzv_fakes PUBLIC ${RZV_TESTS_DIR})
target_link_libraries(rzv_fakes PUBLIC rzv_logic rzv_timing)

set(RZV_LOGIC_TEST_SOURCES
    ${RZV_TESTS_DIR}/unit/about_test.cpp
    ${RZV_TESTS_DIR}/unit/always_on_top_test.cpp
    ${RZV_TESTS_DIR}/unit/command_line_test.cpp
    ${RZV_TESTS_DIR}/unit/control_characters_test.cpp
    ${RZV_TESTS_DIR}/unit/ini_text_test.cpp
    ${RZV_TESTS_DIR}/unit/log_folder_test.cpp
    ${RZV_TESTS_DIR}/unit/logging_test.cpp
    ${RZV_TESTS_DIR}/unit/main_window_test.cpp
    ${RZV_TESTS_DIR}/unit/number_text_test.cpp
    ${RZV_TESTS_DIR}/unit/pacing_test.cpp
    ${RZV_TESTS_DIR}/unit/placement_pixels_test.cpp
    ${RZV_TESTS_DIR}/unit/settings_test.cpp
    ${RZV_TESTS_DIR}/unit/since_boot_test.cpp
    ${RZV_TESTS_DIR}/unit/startup_test.cpp
    ${RZV_TESTS_DIR}/unit/timer_schedule_test.cpp
    ${RZV_TESTS_DIR}/unit/uptime_test.cpp
    ${RZV_TESTS_DIR}/unit/view_rules_test.cpp
    ${RZV_TESTS_DIR}/unit/window_system_test.cpp
)
