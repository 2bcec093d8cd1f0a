# Fails when a source includes a header of a folder its layer may not use,
# or a Qt header outside toolkit/qt/ and the program's main(). Run as a
# test: cmake -DROOT=<source folder> -P CheckLayering.cmake
#
# A folder may use itself and the folders listed for it; folders not listed
# (tests, tools, bench, the shell) may use everything.
set(allowed_runtime runtime)
set(allowed_engine engine runtime)
set(allowed_Numerics Numerics engine runtime)
set(allowed_libraries libraries Numerics engine runtime)
set(allowed_plugins plugins runtime)
set(allowed_toolkit toolkit runtime)
set(allowed_treeview treeview toolkit runtime)
set(allowed_console console engine treeview toolkit runtime)
set(allowed_graphics graphics engine libraries Numerics toolkit runtime)
set(allowed_skin skin toolkit runtime)
set(layers runtime engine Numerics libraries plugins toolkit treeview console graphics skin)

set(crossings "")
foreach(layer ${layers})
  file(GLOB_RECURSE sources ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^#include [\"<]")
    file(RELATIVE_PATH name ${ROOT} ${source})
    foreach(line ${includes})
      if(line MATCHES "^#include \"([A-Za-z]+)/")
        list(FIND allowed_${layer} ${CMAKE_MATCH_1} found)
        if(found EQUAL -1)
          list(APPEND crossings "${name}: ${line}")
        endif()
      elseif(line MATCHES "^#include <Q" AND NOT name MATCHES "^toolkit/qt/")
        list(APPEND crossings "${name}: ${line} (Qt only in toolkit/qt/)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(crossings)
  list(JOIN crossings "\n  " text)
  message(FATAL_ERROR "Headers cross a layer:\n  ${text}")
endif()
