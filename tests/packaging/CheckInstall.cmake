# SPDX-License-Identifier: Apache-2.0
# Installs the build into a stage, as the package build does it (prefix /usr, DESTDIR), and
# checks that it gives exactly the files the Debian package takes (debian/tessel-config.install)
# and that the pieces point at each other: the menu entry's program and icon exist, the
# metainfo launches that entry, the man page documents the exit statuses and the serial-port
# notes and passes the man page linter.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${STAGE}")
run("cmake --install" ${CMAKE_COMMAND} -E env "DESTDIR=${STAGE}"
  ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr)
file(STRINGS "${SOURCE_DIR}/debian/tessel-config.install" expected REGEX "^[^#]")
list(TRANSFORM expected STRIP)
list(SORT expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()

function(expect_contains file)
  file(READ "${STAGE}/${file}" text)
  foreach(piece IN LISTS ARGN)
    string(FIND "${text}" "${piece}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${file} lacks \"${piece}\"")
    endif()
  endforeach()
endfunction()

# The installed program runs and knows its version, and finds the command program it hands
# every other run to.
run("the installed tessel-config" "${STAGE}/usr/bin/tessel-config" --version)
if(NOT output STREQUAL "tessel-config ${VERSION}\n")
  message(FATAL_ERROR "installed tessel-config --version: ${output}")
endif()
run("the installed tessel-config's commands" "${STAGE}/usr/bin/tessel-config" --help)
if(NOT output MATCHES "^Usage: tessel-config ")
  message(FATAL_ERROR "installed tessel-config --help: ${output}")
endif()
# ...and the production program it hands `records` and `program` to: only that program can
# say that the record is not there.
execute_process(COMMAND "${STAGE}/usr/bin/tessel-config" records --record "${STAGE}/none.sqlite"
  RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT status EQUAL 2 OR NOT said MATCHES "there is no record ")
  message(FATAL_ERROR "installed tessel-config records (${status}): ${said}")
endif()
expect_contains(usr/share/applications/${APP_ID}.desktop "\nExec=tessel-config %f\n" "\nIcon=${APP_ID}\n")
expect_contains(usr/share/metainfo/${APP_ID}.metainfo.xml
  "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
  "<release version=\"${VERSION}\"")
expect_contains(usr/share/man/man1/tessel-config.1 ".TH TESSEL\\-CONFIG 1"
  ".SH \"NAME\"" ".SH \"SYNOPSIS\"" ".SH \"DESCRIPTION\"" ".SH \"OPTIONS\"" ".SH \"EXIT STATUS\""
  ".SH \"ENVIRONMENT\"" ".SH \"FILES\"" ".SH \"EXAMPLES\"" ".SH \"SEE ALSO\""
  "\n.br\n\\fBtessel\\-config\\fR \\fBprogram\\fR" "dialout" "ID_MM_DEVICE_IGNORE")
expect_contains(usr/share/man/man1/tessel-modsim.1 ".SH NAME" "\\-\\-kind")

# Both pages pass the man page linter (or format without a warning where only groff is at hand).
find_program(mandoc mandoc)
find_program(groff groff)
foreach(name tessel-config tessel-modsim)
  set(page "${STAGE}/usr/share/man/man1/${name}.1")
  if(mandoc)
    execute_process(COMMAND ${mandoc} -Tlint -W warning "${page}" OUTPUT_VARIABLE output
      ERROR_VARIABLE output)
  elseif(groff)
    run("groff on ${name}.1" ${groff} -man -Tutf8 -ww -z "${page}")
  endif()
  if(NOT output STREQUAL "")
    message(FATAL_ERROR "${name}.1: ${output}")
  endif()
endforeach()

# The shells take the completions, and bash completes from the installed program's table.
run("the completions" bash "${SOURCE_DIR}/tests/packaging/check_completions.sh" "${STAGE}")
