# Installs the build into a stage and checks that exactly what a user needs lands there, and
# that the pieces point at each other: the menu entry's program and icon exist, the metainfo
# launches that entry, the man page documents the exit statuses and the serial-port notes.
include(${CMAKE_CURRENT_LIST_DIR}/StageInstall.cmake)
stage_install("${BUILD_DIR}" "${STAGE}")

set(expected
  usr/bin/tessel-config
  usr/bin/tessel-modsim
  usr/share/applications/${APP_ID}.desktop
  usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
  usr/share/man/man1/tessel-config.1
  usr/share/man/man1/tessel-modsim.1
  usr/share/metainfo/${APP_ID}.metainfo.xml)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " installed "${installed}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
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

# The installed program runs and knows its version.
execute_process(COMMAND "${STAGE}/usr/bin/tessel-config" --version
  OUTPUT_VARIABLE version RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version MATCHES "tessel-config ${VERSION}")
  message(FATAL_ERROR "installed tessel-config --version: ${status} ${version}")
endif()

set(desktop usr/share/applications/${APP_ID}.desktop)
expect_contains(${desktop} "\nExec=tessel-config\n" "\nIcon=${APP_ID}\n")
expect_contains(usr/share/metainfo/${APP_ID}.metainfo.xml
  "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
  "<release version=\"${VERSION}\"")

set(page usr/share/man/man1/tessel-config.1)
expect_contains(${page} ".TH TESSEL\\-CONFIG 1" ".SH NAME" ".SH SYNOPSIS" ".SH \"EXIT STATUS\""
  "factory\\-reset" "dialout" "ModemManager" "ID_MM_DEVICE_IGNORE")
expect_contains(usr/share/man/man1/tessel-modsim.1 ".SH NAME" "\\-\\-kind")

# Both pages format without a single warning where groff is at hand.
find_program(groff groff)
if(groff)
  foreach(name tessel-config tessel-modsim)
    execute_process(COMMAND "${groff}" -man -Tutf8 -ww -z "${STAGE}/usr/share/man/man1/${name}.1"
      ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
      message(FATAL_ERROR "groff on ${name}.1: ${warnings}")
    endif()
  endforeach()
endif()
