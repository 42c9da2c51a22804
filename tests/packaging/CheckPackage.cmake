# Builds the Debian package from the project's CPack configuration and checks its contents and
# that its dependencies were found from the libraries the programs link (shlibdeps).
#
# The files come from a fresh staged install rather than from cpack's own install step, which
# first runs a build of the whole tree (its "preinstall" target); inside the test suite that
# would rebuild under the running tests and double the time. The package's metadata and the
# dependency scan are the project's own either way.
foreach(tool dpkg-deb dpkg-shlibdeps)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(STATUS "SKIPPED: ${tool} is not installed")
    return()
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/StageInstall.cmake)
stage_install("${BUILD_DIR}" "${STAGE}")
file(REMOVE_RECURSE "${OUT}")
execute_process(
  COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT}"
          -D CPACK_INSTALL_CMAKE_PROJECTS= "-D CPACK_INSTALLED_DIRECTORIES=${STAGE};."
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}):\n${output}")
endif()
file(GLOB packages "${OUT}/*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${OUT}, found: ${packages}")
endif()

execute_process(COMMAND "${found_dpkg-deb}" -f "${packages}" Package Depends
  OUTPUT_VARIABLE fields RESULT_VARIABLE status)
message(STATUS "${fields}")
if(NOT fields MATCHES "Package: tessel-config")
  message(FATAL_ERROR "wrong package name: ${fields}")
endif()
foreach(library libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libc6)
  if(NOT fields MATCHES "[ ,]${library} \\(>= [0-9]")
    message(FATAL_ERROR "Depends lacks a versioned ${library}: ${fields}")
  endif()
endforeach()

execute_process(COMMAND "${found_dpkg-deb}" -c "${packages}" OUTPUT_VARIABLE listing)
foreach(path ./usr/bin/tessel-config ./usr/bin/tessel-modsim ./usr/share/man/man1/tessel-config.1
    ./usr/share/applications/ ./usr/share/metainfo/ ./usr/share/icons/hicolor/scalable/apps/)
  string(FIND "${listing}" " ${path}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package lacks ${path}:\n${listing}")
  endif()
endforeach()
