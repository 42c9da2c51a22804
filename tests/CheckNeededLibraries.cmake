# SPDX-License-Identifier: Apache-2.0
# Fails when a program names a Qt library it must start without: a command pays for no more
# than it asks (the launcher for no Qt at all). Run by CTest:
#   cmake -DREADELF=<readelf> -DPROGRAM=<file> -DALLOWED=<Qt libraries, as a regex> -P ...
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${READELF} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "libQt6[A-Za-z]+" needed "${dynamic}")
list(TRANSFORM needed REPLACE "^lib" "")
set(extra "")
foreach(library IN LISTS needed)
  if(NOT library MATCHES "^(${ALLOWED})$")
    list(APPEND extra ${library})
  endif()
endforeach()
if(extra)
  message(FATAL_ERROR "${PROGRAM} needs ${extra} beyond ${ALLOWED}")
endif()
message(STATUS "${PROGRAM} needs ${needed}")
