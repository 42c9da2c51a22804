# Installs the build into a stage, as a package build does it (prefix /usr, DESTDIR), and checks
# that exactly what a user needs lands there and that the pieces point at each other: the menu
# entry's program and icon exist, the metainfo launches that entry, the man page documents the
# exit statuses and the serial-port notes. Then builds the Debian package from that stage and
# checks that its dependencies were found from the libraries the programs link (shlibdeps).
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

# The installed program runs and knows its version.
run("the installed tessel-config" "${STAGE}/usr/bin/tessel-config" --version)
if(NOT output MATCHES "tessel-config ${VERSION}")
  message(FATAL_ERROR "installed tessel-config --version: ${output}")
endif()
expect_contains(usr/share/applications/${APP_ID}.desktop "\nExec=tessel-config %f\n" "\nIcon=${APP_ID}\n")
expect_contains(usr/share/metainfo/${APP_ID}.metainfo.xml
  "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
  "<release version=\"${VERSION}\"")
expect_contains(usr/share/man/man1/tessel-config.1 ".TH TESSEL\\-CONFIG 1" ".SH SYNOPSIS"
  ".SH \"EXIT STATUS\"" "factory\\-reset" "dialout" "ModemManager" "ID_MM_DEVICE_IGNORE")
expect_contains(usr/share/man/man1/tessel-modsim.1 ".SH NAME" "\\-\\-kind")

# Both pages format without a single warning where groff is at hand.
find_program(groff groff)
foreach(name tessel-config tessel-modsim)
  if(groff)
    run("groff on ${name}.1" ${groff} -man -Tutf8 -ww -z "${STAGE}/usr/share/man/man1/${name}.1")
    if(NOT output STREQUAL "")
      message(FATAL_ERROR "groff on ${name}.1: ${output}")
    endif()
  endif()
endforeach()

# The package from the same files (cpack's own install step would first build the whole tree).
find_program(dpkg_deb dpkg-deb)
find_program(dpkg_shlibdeps dpkg-shlibdeps)
if(NOT dpkg_deb OR NOT dpkg_shlibdeps)
  message(STATUS "no Debian package checked: dpkg-deb or dpkg-shlibdeps is not installed")
  return()
endif()
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND ${CPACK} -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT}"
  -D CPACK_INSTALL_CMAKE_PROJECTS= "-D CPACK_INSTALLED_DIRECTORIES=${STAGE};."
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}):\n${output}")
endif()
file(GLOB package "${OUT}/*.deb")
run(dpkg-deb ${dpkg_deb} -f "${package}" Package Depends)
if(NOT output MATCHES "Package: tessel-config")
  message(FATAL_ERROR "wrong package name: ${output}")
endif()
foreach(library libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libc6)
  if(NOT output MATCHES "[ ,]${library} \\(>= [0-9]")
    message(FATAL_ERROR "Depends lacks a versioned ${library}: ${output}")
  endif()
endforeach()
