# One static library per subsystem folder, made of every source in it but
# those named after EXCLUDE (a program's main(), say).
function(quantrel_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# One test program per folder: linking a program per test source cost more
# than compiling the sources. MAIN names a source with the program's own
# main() (default: GoogleTest's). QUICK names units whose tests must end
# within seconds: each gets a program of its own with a short timeout, so a
# hang fails by name. The program is <folder>_tests; each test case still
# runs in a process of its own.
function(quantrel_tests folder)
  cmake_parse_arguments(ARG "" "MAIN" "DEPENDS;QUICK" ${ARGN})
  set(main GTest::gtest_main)
  if(ARG_MAIN)
    add_library(${folder}_test_main OBJECT ${ARG_MAIN})
    target_link_libraries(${folder}_test_main PRIVATE ${ARG_DEPENDS} GTest::gtest)
    set(main ${folder}_test_main)
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  set(folder_sources)
  foreach(test ${tests})
    get_filename_component(unit ${test} NAME_WE)
    if(unit IN_LIST ARG_QUICK)
      quantrel_test_program(${folder}_${unit} 20 ${test})
    else()
      list(APPEND folder_sources ${test})
    endif()
  endforeach()
  if(folder_sources)
    quantrel_test_program(${folder}_tests 300 ${folder_sources})
  endif()
endfunction()

# A test program of quantrel_tests (which sets main and ARG_DEPENDS), its
# cases registered with CTest under their own names.
macro(quantrel_test_program target timeout)
  add_executable(${target} ${ARGN})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} GTest::gtest ${main})
  # Test sources run once per case and call into optimised libraries:
  # optimising them took half of their compile time and bought nothing.
  target_compile_options(${target} PRIVATE -O0)
  # The sanitized build keeps AddressSanitizer in test sources but not the
  # undefined-behaviour checks, a third of their compile time there, nor
  # line tables, another sixth: a report still names the test's functions,
  # and the code under test keeps both checks and its lines.
  if(QUANTREL_SANITIZE)
    target_compile_options(${target} PRIVATE -fno-sanitize=undefined -g0)
  endif()
  # Compiled eight at a time, test sources share the parsing of the headers
  # they all include: half the compile time. Names in a test source's
  # anonymous namespace must therefore differ from its neighbours'. GCC
  # takes the included sources for headers and warns of their fixtures in
  # anonymous namespaces, which are right in a source.
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  # GoogleTest's header is the heaviest part of most test sources.
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <string> <vector> <memory> <functional>)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QUANTREL_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp" TIMEOUT ${timeout})
endmacro()

# One benchmark program per bench source; run by hand, never by CTest.
# MAIN names a source with the programs' own main() (default: Google
# Benchmark's), e.g. one that starts a Qt application first.
function(quantrel_benchmarks)
  cmake_parse_arguments(ARG "" "MAIN" "DEPENDS" ${ARGN})
  set(main benchmark::benchmark_main)
  if(ARG_MAIN)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    add_library(${folder}_bench_main OBJECT ${ARG_MAIN})
    target_link_libraries(${folder}_bench_main PRIVATE ${ARG_DEPENDS} benchmark::benchmark)
    set(main ${folder}_bench_main)
  endif()
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_bench.cpp)
  foreach(bench ${benches})
    get_filename_component(unit ${bench} NAME_WE)
    add_executable(${unit} ${bench})
    set_target_properties(${unit} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    target_link_libraries(${unit} PRIVATE ${ARG_DEPENDS} benchmark::benchmark ${main})
  endforeach()
endfunction()

# Programs that start often (tarnsh) and the plug-ins they load carry their
# own copy of the C++ runtime: binding the shared one's symbols was a third
# of tarnsh's start-up. Plug-ins speak C to their host, so a copy per
# module is safe. The sanitizers need the shared runtime.
function(quantrel_static_runtime target)
  if(NOT QUANTREL_SANITIZE AND NOT QUANTREL_FUZZ)
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc -Wl,--exclude-libs,ALL -Wl,--gc-sections)
  endif()
endfunction()
