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
