# Desktop integration, next to the executable that CMakeLists.txt installs:
# the menu entry, the software-centre listing and the icon in the hicolor
# theme, all named by the program's id; the manual page in English and
# Polish; the licence and the changes.

configure_file(${CMAKE_CURRENT_LIST_DIR}/zmieniarka.desktop.in ${CMAKE_BINARY_DIR}/${ZM_ID}.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ZM_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zmieniarka.metainfo.xml.in ${CMAKE_BINARY_DIR}/${ZM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ZM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The artwork drawn by tools/make_assets.py.
foreach(bok 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/ikona-${bok}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${bok}x${bok}/apps RENAME ${ZM_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/assets/ikona.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${ZM_ID}.svg)

# Manual pages and the changelog go compressed, as man and Debian expect.
set(ZM_GZ)
foreach(para "zmieniarka.6;man6" "zmieniarka.pl.6;pl/man6" "changelog;doc")
  list(GET para 0 plik)
  list(GET para 1 gdzie)
  set(gz ${CMAKE_BINARY_DIR}/gz/${gdzie}/${plik}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/gz/${gdzie}
    COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/${plik} > ${gz}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${plik}
    VERBATIM)
  list(APPEND ZM_GZ ${gz})
endforeach()
add_custom_target(zm_gz ALL DEPENDS ${ZM_GZ})
install(FILES ${CMAKE_BINARY_DIR}/gz/man6/zmieniarka.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/gz/pl/man6/zmieniarka.pl.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/pl/man6 RENAME zmieniarka.6.gz)
install(FILES ${CMAKE_BINARY_DIR}/gz/doc/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Straight into a live system (no DESTDIR staging): let the desktop see the
# new icon and menu entry at once. Packagers' staged installs skip this.
install(CODE [[
  if(NOT DEFINED ENV{DESTDIR} OR "$ENV{DESTDIR}" STREQUAL "")
    find_program(ZM_ICON_CACHE gtk-update-icon-cache)
    if(ZM_ICON_CACHE AND EXISTS "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/index.theme")
      execute_process(COMMAND ${ZM_ICON_CACHE} -q -f "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor"
                      RESULT_VARIABLE ignored ERROR_QUIET)
    endif()
    find_program(ZM_DESKTOP_DB update-desktop-database)
    if(ZM_DESKTOP_DB)
      execute_process(COMMAND ${ZM_DESKTOP_DB} -q "${CMAKE_INSTALL_PREFIX}/share/applications"
                      RESULT_VARIABLE ignored ERROR_QUIET)
    endif()
  endif()
]])
