# SPDX-License-Identifier: Apache-2.0
# Installed like other software: the programs, a menu entry with its icons, man pages made
# from the programs' own --help and AppStream metainfo. The Debian package (debian/, built by
# `scripts/dev.sh package`) takes exactly these files, as debian/tessel-config.install lists
# them.

set(TESSEL_APP_ID org.tesselconfig.TesselConfig)
# The date of the release named by the project's version, for the software centres.
set(TESSEL_RELEASE_DATE 2026-12-06)
set(packaging ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS tessel-config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tessel-config-commands tessel-config-production tessel-config-window RUNTIME
  DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tessel-config)
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

# tessel-modsim's man page from its --help, at build time.
function(tessel_man_page target)
  set(page ${PROJECT_BINARY_DIR}/packaging/${target}.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page} -P ${packaging}/ManPage.cmake
    DEPENDS ${target} ${packaging}/ManPage.cmake
    COMMENT "Man page of ${target} from its --help"
    VERBATIM)
  add_custom_target(${target}-man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# tessel-config's man page and completions from its command table (tools/docgen), at build
# time; the man page is dated by the release, so that two builds give the same page.
function(tessel_document what output destination)
  set(file ${PROJECT_BINARY_DIR}/packaging/${output})
  add_custom_command(OUTPUT ${file}
    COMMAND tessel-docgen ${what} ${file} ${ARGN}
    DEPENDS tessel-docgen
    COMMENT "${output} from the command table"
    VERBATIM)
  add_custom_target(document-${what} ALL DEPENDS ${file})
  install(FILES ${file} DESTINATION ${destination})
endfunction()

# A cross build cannot run the programs it builds.
if(UNIX AND NOT CMAKE_CROSSCOMPILING)
  tessel_document(man tessel-config.1 ${CMAKE_INSTALL_MANDIR}/man1 ${TESSEL_RELEASE_DATE})
  tessel_document(bash bash/tessel-config ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  tessel_document(zsh zsh/_tessel-config ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
  tessel_document(fish fish/tessel-config.fish ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
  if(TARGET tessel-modsim)
    tessel_man_page(tessel-modsim)
  endif()
endif()
