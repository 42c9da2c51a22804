# SPDX-License-Identifier: Apache-2.0
# Fails when a catalogue is not complete for the sources: lupdate, run over a copy of it as the
# update_translations target runs it, would add a text or drop one, or a text is left without a
# translation. Run as: cmake -DLUPDATE=<lupdate> -DROOT=<project root> -DTS=<catalogue>
#   -DWORK=<scratch folder> -P CheckTranslations.cmake
cmake_minimum_required(VERSION 3.20)
get_filename_component(name ${TS} NAME)
file(COPY ${TS} DESTINATION ${WORK})
execute_process(
  COMMAND ${LUPDATE} -I ${ROOT}/src -locations none -no-obsolete -no-ui-lines
          ${ROOT}/src/core ${ROOT}/src/link ${ROOT}/src/session ${ROOT}/src/ui -ts ${WORK}/${name}
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "lupdate failed on ${name}")
endif()
file(READ ${TS} committed)
file(READ ${WORK}/${name} updated)
if(NOT committed STREQUAL updated)
  message(FATAL_ERROR "${name} is not up to date with the sources: build update_translations")
endif()
string(REGEX MATCHALL "<message>" messages "${updated}")
string(REGEX MATCHALL "type=\"unfinished\"" unfinished "${updated}")
list(LENGTH messages count)
list(LENGTH unfinished open)
if(open GREATER 0)
  message(FATAL_ERROR "${name}: ${open} of ${count} texts have no translation")
endif()
message(STATUS "${name}: all ${count} texts translated")
