# Compares the defined dynamic symbols of the shared library LIBRARY with the
# comma-separated names in EXPECTED (any order); fails naming the missing and
# the extra ones. Run with: cmake -DLIBRARY=... -DEXPECTED=a,b,c -P this file.
execute_process(COMMAND nm -D --defined-only --format=posix ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported "")
foreach(line IN LISTS lines)
  # "name type value size"; version nodes (type A) are no functions.
  string(REGEX MATCH "^([^ ]+) ([A-Za-z])" fields "${line}")
  if(NOT CMAKE_MATCH_2 STREQUAL "A")
    list(APPEND exported "${CMAKE_MATCH_1}")
  endif()
endforeach()
string(REPLACE "," ";" expected "${EXPECTED}")
set(missing ${expected})
list(REMOVE_ITEM missing ${exported})
set(extra ${exported})
list(REMOVE_ITEM extra ${expected})
list(LENGTH expected count)
if(missing OR extra)
  message(FATAL_ERROR "exports differ: missing [${missing}] extra [${extra}] (${count} expected)")
endif()
message(STATUS "${LIBRARY} exports exactly the ${count} expected names")
