# Installed like other software: the two programs, a menu entry with its icon, man pages made
# from the programs' own --help, AppStream metainfo, and a Debian package whose dependencies
# come from the shared libraries the programs link (cpack -G DEB).

set(TESSEL_APP_ID org.tesselconfig.TesselConfig)
# The date of the release named by the project's version, for the software centres.
set(TESSEL_RELEASE_DATE 2026-12-06)
set(packaging ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS tessel-config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tessel-modsim)
  install(TARGETS tessel-modsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(UNIX AND NOT APPLE)
  install(FILES ${packaging}/${TESSEL_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging}/${TESSEL_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  configure_file(${packaging}/${TESSEL_APP_ID}.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/packaging/${TESSEL_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${TESSEL_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# tessel_man_page(target [NOTES file]): runs the built program's --help at build time.
function(tessel_man_page target)
  cmake_parse_arguments(M "" "NOTES" "" ${ARGN})
  set(page ${PROJECT_BINARY_DIR}/packaging/${target}.1)
  set(notes)
  if(M_NOTES)
    set(notes -DNOTES=${M_NOTES})
  endif()
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
            -DVERSION=${PROJECT_VERSION} ${notes} -DOUTPUT=${page} -P ${packaging}/ManPage.cmake
    DEPENDS ${target} ${packaging}/ManPage.cmake ${M_NOTES}
    COMMENT "Man page of ${target} from its --help"
    VERBATIM)
  add_custom_target(${target}-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# A cross build cannot run the programs it builds.
if(UNIX AND NOT CMAKE_CROSSCOMPILING)
  tessel_man_page(tessel-config NOTES ${packaging}/serial-ports.txt)
  if(TARGET tessel-modsim)
    tessel_man_page(tessel-modsim)
  endif()
endif()

set(CPACK_PACKAGE_NAME tessel-config)
set(CPACK_PACKAGE_VENDOR tessel-config)
set(CPACK_PACKAGE_CONTACT "tessel-config maintainers <maintainers@tesselconfig.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "configure Tessel and Threshold radio input modules over a serial port")
set(CPACK_PACKAGE_DESCRIPTION
  "Identifies a Tessel or Threshold radio input module on a serial port, reads its 256-byte \
configuration memory into a form window, lets the operator edit it and stores it back block \
by block, each block confirmed by the module. Also restores factory defaults, writes a \
plain-text production profile, and does all of this from the command line as well. \
tessel-modsim serves a simulated module on a pseudo-terminal for trying it without hardware.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# Depends: from the libraries the programs link, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
