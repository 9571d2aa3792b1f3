# Shared build rules: warnings, the sanitizer switch and test registration.

set(ZARVO_SANITIZE "" CACHE STRING "Sanitizer build: empty, 'address' (with undefined-behaviour checks) or 'thread'")
set_property(CACHE ZARVO_SANITIZE PROPERTY STRINGS "" address thread)

add_compile_options(-Wall -Wextra)

# Gold links the test programs in two thirds of the default linker's time.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=gold ZARVO_LINKS_WITH_GOLD)
if(ZARVO_LINKS_WITH_GOLD)
    add_link_options(-fuse-ld=gold)
endif()
if(ZARVO_SANITIZE)
    # The sanitizers' own advice, and four times quicker to build than -O2 -g
    # with their instrumentation; placed after the build type's flags, so they win.
    add_compile_options(-O1 -g1)
endif()
if(ZARVO_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(ZARVO_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(ZARVO_SANITIZE)
    message(FATAL_ERROR "ZARVO_SANITIZE must be empty, 'address' or 'thread'")
endif()

# The libFuzzer configuration (clang only): every library is instrumented for
# coverage and the address and undefined-behaviour checks, so the fuzzer sees
# the code it drives; only the fuzz targets link the fuzzer's own main.
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZARVO_FUZZ=ON
option(ZARVO_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(ZARVO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "ZARVO_FUZZ needs clang")
    endif()
    add_compile_options(-O1 -g1 -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# A libFuzzer program of the fuzz configuration.
function(zarvo_fuzz_target name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# A static library of one area, built from every .cpp below its folder
# (subfolders named in EXCLUDE are left to libraries of their own).
function(zarvo_library name)
    cmake_parse_arguments(ARG "" "" "EXCLUDE;LIBS;PUBLIC_LIBS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
    foreach(ex ${ARG_EXCLUDE})
        list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${ex}/")
    endforeach()
    if(NOT sources)
        return()    # an area whose first files have not landed yet
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_LIBS})
    zarvo_precompile_std(${name})
endfunction()

# The standard headers nearly every file includes, precompiled once per library:
# they are most of what each file parses. -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON
# with -DCMAKE_UNITY_BUILD=OFF turns this off (for checking that every file
# includes what it uses).
set(ZARVO_STD_HEADERS <algorithm> <cstdint> <cstring> <functional> <map> <memory> <mutex> <string> <vector>)
function(zarvo_precompile_std target)
    foreach(header ${ZARVO_STD_HEADERS})
        target_precompile_headers(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${header}>")
    endforeach()
endfunction()

# GoogleTest's headers cost more to parse than most tests themselves: every test
# program reuses one precompiled copy of them. Called once GTest is found.
function(zarvo_test_setup)
    set(source ${PROJECT_BINARY_DIR}/zarvo_test_pch.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// The precompiled headers of the test programs.\n")
    add_library(zarvo_test_pch OBJECT ${source})
    target_link_libraries(zarvo_test_pch PRIVATE GTest::gtest GTest::gmock Threads::Threads)
    zarvo_precompile_std(zarvo_test_pch)
    target_precompile_headers(zarvo_test_pch PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
    # The media libraries' flags define _REENTRANT, which the C library's headers
    # test; every test program defines it, so that one copy suits them all.
    target_compile_definitions(zarvo_test_pch PUBLIC _REENTRANT)
endfunction()

# A GoogleTest program registered with ctest. SANITIZE marks it for the
# address-sanitizer pass of scripts/test.sh, THREAD for the thread-sanitizer pass.
function(zarvo_test name)
    cmake_parse_arguments(ARG "SANITIZE;THREAD" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
    if(TARGET zarvo_test_pch)
        target_precompile_headers(${name} REUSE_FROM zarvo_test_pch)
        target_compile_definitions(${name} PRIVATE _REENTRANT)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set(labels ${ARG_LABELS})
    if(ARG_SANITIZE)
        list(APPEND labels sanitize)
        set_property(GLOBAL APPEND PROPERTY ZARVO_SANITIZE_TESTS ${name})
    endif()
    if(ARG_THREAD)
        list(APPEND labels tsan)
        set_property(GLOBAL APPEND PROPERTY ZARVO_TSAN_TESTS ${name})
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${labels}"
        ENVIRONMENT "ZARVO_SOURCE_DIR=${PROJECT_SOURCE_DIR};ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# Targets that build only the tests each sanitizer pass runs.
function(zarvo_finish_sanitizer_targets)
    get_property(asan_tests GLOBAL PROPERTY ZARVO_SANITIZE_TESTS)
    get_property(tsan_tests GLOBAL PROPERTY ZARVO_TSAN_TESTS)
    add_custom_target(sanitizer_tests)
    add_custom_target(tsan_tests)
    if(asan_tests)
        add_dependencies(sanitizer_tests ${asan_tests})
    endif()
    if(tsan_tests)
        add_dependencies(tsan_tests ${tsan_tests})
    endif()
endfunction()

# A Google Benchmark program; it prints its own figures and is never a test.
function(zarvo_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
