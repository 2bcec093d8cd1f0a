# One static library per subsystem folder, made of every source in it.
function(quantrel_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# One test program per test source, so a unit's tests build and run on their own.
# MAIN names a source with the program's own main() (default: GoogleTest's).
# QUICK names units whose tests must end within seconds: a hang fails by name.
function(quantrel_tests folder)
  cmake_parse_arguments(ARG "" "MAIN" "DEPENDS;QUICK" ${ARGN})
  set(main GTest::gtest_main)
  if(ARG_MAIN)
    add_library(${folder}_test_main OBJECT ${ARG_MAIN})
    target_link_libraries(${folder}_test_main PRIVATE ${ARG_DEPENDS} GTest::gtest)
    set(main ${folder}_test_main)
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(test ${tests})
    get_filename_component(unit ${test} NAME_WE)
    set(target ${folder}_${unit})
    add_executable(${target} ${test})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} GTest::gtest ${main})
    set(timeout 300)
    if(unit IN_LIST ARG_QUICK)
      set(timeout 20)
    endif()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QUANTREL_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp" TIMEOUT ${timeout})
  endforeach()
endfunction()

# One benchmark program per bench source; run by hand, never by CTest.
# MAIN names a source with the programs' own main() (default: Google
# Benchmark's), e.g. one that starts a Qt application first; OWN_MAIN: each
# source starts its program itself.
function(quantrel_benchmarks)
  cmake_parse_arguments(ARG "OWN_MAIN" "MAIN" "DEPENDS" ${ARGN})
  set(main benchmark::benchmark_main)
  if(ARG_OWN_MAIN)
    set(main "")
  elseif(ARG_MAIN)
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
