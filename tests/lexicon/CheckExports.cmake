# Checks the binary interface of the built library: it exports exactly Init
# and GetName as functions, and its SONAME carries the major version.
#   cmake -DNM=nm -DOBJDUMP=objdump -DLIBRARY=libLexicon.so -DSONAME=libLexicon.so.1 -P CheckExports.cmake

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE symbols ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} failed (${result}): ${errors}")
endif()

# Each line is "<address> <type> <name>"; keep "<type> <name>".
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(exported)
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]* *([A-Za-z]) (.+)$")
    list(APPEND exported "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
  else()
    message(FATAL_ERROR "unexpected nm line: ${line}")
  endif()
endforeach()
list(SORT exported)
if(NOT exported STREQUAL "T GetName;T Init")
  message(FATAL_ERROR "exports are [${exported}], expected exactly [T GetName;T Init]")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY}
  OUTPUT_VARIABLE headers ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed (${result}): ${errors}")
endif()
if(NOT headers MATCHES "SONAME +([^\n]+)")
  message(FATAL_ERROR "the library has no SONAME")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL SONAME)
  message(FATAL_ERROR "SONAME is ${CMAKE_MATCH_1}, expected ${SONAME}")
endif()
message(STATUS "exports: ${exported}; SONAME ${CMAKE_MATCH_1}")
