# Unit tests and the fuzzer for the portable logic, with the host compiler.
option(DISPORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(DISPORA_FUZZ "Build the libFuzzer target (clang)" OFF)
option(DISPORA_BENCH "Build the settings lookup benchmark" OFF)

set(SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(dispora_portable STATIC ${DISPORA_PORTABLE_SOURCES})
target_include_directories(dispora_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(dispora_portable PRIVATE ${DISPORA_WARNINGS})
if(DISPORA_SANITIZE OR DISPORA_FUZZ)
    target_compile_options(dispora_portable PUBLIC ${SANITIZE_FLAGS})
    target_link_options(dispora_portable PUBLIC ${SANITIZE_FLAGS})
endif()

if(DISPORA_BENCH)
    add_executable(settings_bench tests/bench/settings_bench.cpp)
    target_link_libraries(settings_bench PRIVATE dispora_portable)
elseif(DISPORA_FUZZ)
    # Coverage feedback from the store itself, not only from the harness.
    target_compile_options(dispora_portable PRIVATE -fsanitize=fuzzer-no-link)
    add_executable(settings_fuzzer tests/fuzz/settings_fuzzer.cpp)
    target_link_libraries(settings_fuzzer PRIVATE dispora_portable)
    target_compile_options(settings_fuzzer PRIVATE -fsanitize=fuzzer ${DISPORA_WARNINGS})
    target_link_options(settings_fuzzer PRIVATE -fsanitize=fuzzer)
else()
    find_package(GTest REQUIRED)
    add_executable(dispora_unit_tests
        tests/unit/branch_test.cpp
        tests/unit/host_builds_test.cpp
        tests/unit/log_line_test.cpp
        tests/unit/path_text_test.cpp
        tests/unit/mode_text_test.cpp
        tests/unit/window_placement_test.cpp
        tests/unit/window_shape_test.cpp
        tests/unit/config_test.cpp
        tests/unit/settings_test.cpp)
    target_link_libraries(dispora_unit_tests PRIVATE dispora_portable GTest::gtest_main)
    target_compile_options(dispora_unit_tests PRIVATE ${DISPORA_WARNINGS})
    # The documents test reads the players' files from the source tree.
    target_compile_definitions(dispora_unit_tests PRIVATE DISPORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    include(GoogleTest)
    gtest_discover_tests(dispora_unit_tests)
endif()
