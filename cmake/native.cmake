# Native builds of the text logic that does not touch Windows: unit tests
# (GoogleTest, with AddressSanitizer and UndefinedBehaviorSanitizer), fuzzers
# (libFuzzer; needs clang: configure with CC=clang CXX=clang++) and the
# history benchmark (Google Benchmark).
enable_testing()
include(GoogleTest)

if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()
set(CMAKE_CXX_EXTENSIONS OFF)

set(PELORIN_WARNINGS -Wall -Wextra)
set(PELORIN_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

# The logic as the program builds it (C++11), once plain for the benchmark
# and once with the sanitizers for the unit tests.
add_library(pelorin_logic STATIC ${PELORIN_LOGIC_SOURCES})
target_include_directories(pelorin_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(pelorin_logic PRIVATE ${PELORIN_WARNINGS})
set_target_properties(pelorin_logic PROPERTIES CXX_STANDARD 11 CXX_STANDARD_REQUIRED ON)

add_library(pelorin_logic_checked STATIC ${PELORIN_LOGIC_SOURCES})
target_include_directories(pelorin_logic_checked PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(pelorin_logic_checked PRIVATE ${PELORIN_WARNINGS} PUBLIC ${PELORIN_SANITIZERS})
target_link_options(pelorin_logic_checked PUBLIC ${PELORIN_SANITIZERS})
set_target_properties(pelorin_logic_checked PROPERTIES CXX_STANDARD 11 CXX_STANDARD_REQUIRED ON)

# Unit tests.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
file(GLOB PELORIN_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/test_*.cpp)
add_executable(unittests ${PELORIN_UNIT_TESTS})
target_link_libraries(unittests PRIVATE pelorin_logic_checked gtest_main)
target_compile_options(unittests PRIVATE ${PELORIN_WARNINGS})
set_target_properties(unittests PROPERTIES CXX_STANDARD 14 CXX_STANDARD_REQUIRED ON)
gtest_discover_tests(unittests
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "UBSAN_OPTIONS=print_stacktrace=1;ASAN_OPTIONS=detect_leaks=1"
)

# Fuzzers: a short run of each is a test; fuzz-long runs each for a million
# executions. New inputs go to build/fuzz/<name>, never into the seed corpus.
set(PELORIN_FUZZERS history subdir browser registry params cmdline)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(PELORIN_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_library(pelorin_logic_fuzz STATIC ${PELORIN_LOGIC_SOURCES})
    target_include_directories(pelorin_logic_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(pelorin_logic_fuzz PUBLIC ${PELORIN_FUZZ_FLAGS})
    set_target_properties(pelorin_logic_fuzz PROPERTIES CXX_STANDARD 11 CXX_STANDARD_REQUIRED ON)

    set(PELORIN_FUZZ_LONG)
    foreach(name ${PELORIN_FUZZERS})
        set(work ${CMAKE_BINARY_DIR}/fuzz/${name})
        set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
        add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_${name}.cpp)
        target_link_libraries(fuzz_${name} PRIVATE pelorin_logic_fuzz)
        target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        set_target_properties(fuzz_${name} PROPERTIES CXX_STANDARD 14 CXX_STANDARD_REQUIRED ON)
        add_custom_command(TARGET fuzz_${name} POST_BUILD COMMAND ${CMAKE_COMMAND} -E make_directory ${work})
        add_test(NAME fuzz.${name}
            COMMAND fuzz_${name} -max_total_time=3 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                    -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz/${name}- ${work} ${seeds})
        set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 60)
        list(APPEND PELORIN_FUZZ_LONG
            COMMAND fuzz_${name} -runs=1000000 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                    -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz/${name}- ${work} ${seeds})
    endforeach()
    add_custom_target(fuzz-long ${PELORIN_FUZZ_LONG} USES_TERMINAL)
    foreach(name ${PELORIN_FUZZERS})
        add_dependencies(fuzz-long fuzz_${name})
    endforeach()
else()
    message(STATUS "Fuzzers need clang (configure with CC=clang CXX=clang++); not built")
endif()

# The history benchmark; run by scripts/bench.sh, not by the tests.
find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(bench_history ${CMAKE_SOURCE_DIR}/tests/bench/bench_history.cpp)
    target_link_libraries(bench_history PRIVATE pelorin_logic benchmark::benchmark)
    set_target_properties(bench_history PROPERTIES CXX_STANDARD 14 CXX_STANDARD_REQUIRED ON)
else()
    message(STATUS "Google Benchmark not found; bench_history not built")
endif()
