# SPDX-License-Identifier: Apache-2.0
# Runs a validator (TOOL, a command and its options) on FILE; skipped when the validator is not
# installed, failed on any complaint.
list(GET TOOL 0 program)
find_program(found "${program}")
if(NOT found)
  message(STATUS "SKIPPED: ${program} is not installed")
  return()
endif()
list(REMOVE_AT TOOL 0)
execute_process(COMMAND "${found}" ${TOOL} "${FILE}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message(STATUS "${program}: ${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${program} refuses ${FILE} (${status})")
endif()
