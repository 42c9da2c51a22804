# SPDX-License-Identifier: Apache-2.0
# Fails when the tests grow past their share of the code they test: code lines (neither blank
# nor only a comment) of .cpp, .h, .cmake and .txt files under tests/ against src/ and tools/.
# Run as: cmake -DROOT=<project root> [-DPERCENT=<share, default 33>] -P CheckTestBudget.cmake
cmake_minimum_required(VERSION 3.20)
if(NOT PERCENT)
  set(PERCENT 33)
endif()

function(count_code_lines out)
  set(total 0)
  foreach(folder ${ARGN})
    file(GLOB_RECURSE files ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h
         ${ROOT}/${folder}/*.cmake ${ROOT}/${folder}/*.txt)
    foreach(file ${files})
      file(READ ${file} text)
      # Characters that would split or group a CMake list are not needed to tell code lines.
      string(REGEX REPLACE "[][;\\\\]" "" text "${text}")
      string(REPLACE "\n" ";" lines "${text}")
      if(file MATCHES "\\.(cpp|h)$")
        list(FILTER lines INCLUDE REGEX "^[ \t]*([^ \t\r/*]|/[^/*])")
      else()
        list(FILTER lines INCLUDE REGEX "^[ \t]*[^ \t\r#]")
      endif()
      list(LENGTH lines count)
      math(EXPR total "${total} + ${count}")
    endforeach()
  endforeach()
  set(${out} ${total} PARENT_SCOPE)
endfunction()

count_code_lines(tests tests)
count_code_lines(code src tools)
math(EXPR budget "${code} * ${PERCENT} / 100")
message(STATUS "tests: ${tests} code lines; src and tools: ${code}; budget: ${budget}")
if(tests GREATER budget)
  message(FATAL_ERROR "tests/ has ${tests} code lines, more than ${PERCENT}% of the ${code} in "
                      "src/ and tools/ (${budget}): fold new cases into an existing table or "
                      "bench, or drop a test that restates the code.")
endif()
