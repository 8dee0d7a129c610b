# The game, and its desktop integration beside it: the menu entry, the
# software-centre listing and the icon in the hicolor theme, all named by
# the program's id; the manual page in English and Polish; the licence and
# the changes. An install straight into a live system also updates the
# desktop's caches and keeps a manifest for dist/uninstall.cmake.

set(ZM_APPS ${CMAKE_INSTALL_DATADIR}/applications)
set(ZM_ICONS ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(ZM_SIZES 16 24 32 48 64 128 256)
# Every folder a file goes to, for the manifest's record of which of them
# (and of their parents) the install had to create.
set(ZM_DIRS ${CMAKE_INSTALL_BINDIR} ${ZM_APPS} ${CMAKE_INSTALL_DATADIR}/metainfo ${ZM_ICONS}/scalable/apps
            ${CMAKE_INSTALL_MANDIR}/man6 ${CMAKE_INSTALL_MANDIR}/pl/man6 ${CMAKE_INSTALL_DOCDIR}
            ${CMAKE_INSTALL_DATADIR}/zmieniarka)
foreach(bok ${ZM_SIZES})
  list(APPEND ZM_DIRS ${ZM_ICONS}/${bok}x${bok}/apps)
endforeach()

# Staged installs (DESTDIR, or a package tool's own prefix) go into no live
# system: they get no caches and no manifest.
install(CODE "set(ZM_DIRS [[${ZM_DIRS}]])
set(ZM_CACHES [[${ZM_APPS}/mimeinfo.cache;${ZM_ICONS}/icon-theme.cache]])
set(ZM_MANIFEST [[${CMAKE_INSTALL_DATADIR}/zmieniarka/manifest]])")
install(CODE [[
  set(ZM_LIVE TRUE)
  if((DEFINED ENV{DESTDIR} AND NOT "$ENV{DESTDIR}" STREQUAL "") OR CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/")
    set(ZM_LIVE FALSE)
  endif()
  # Folders and caches that are not there yet are the install's own.
  set(ZM_NEW_DIRS)
  set(ZM_NEW_CACHES)
  if(ZM_LIVE)
    foreach(d IN LISTS ZM_DIRS ZM_CACHES ZM_MANIFEST)
      if(NOT IS_ABSOLUTE "${d}")
        set(d "${CMAKE_INSTALL_PREFIX}/${d}")
      endif()
      cmake_path(SET d NORMALIZE "${d}")
      string(REGEX REPLACE "(.)/+$" "\\1" d "${d}")
      list(APPEND ZM_PATHS "${d}")
    endforeach()
    list(GET ZM_PATHS -1 ZM_MANIFEST)
    list(LENGTH ZM_DIRS n)
    list(SUBLIST ZM_PATHS ${n} 2 ZM_CACHES)
    foreach(c IN LISTS ZM_CACHES)
      if(NOT EXISTS "${c}")
        list(APPEND ZM_NEW_CACHES "${c}")
      endif()
    endforeach()
    list(SUBLIST ZM_PATHS 0 ${n} ZM_PATHS)
    foreach(d IN LISTS ZM_PATHS)
      while(NOT EXISTS "${d}" AND NOT d STREQUAL "/")
        list(APPEND ZM_NEW_DIRS "${d}")
        get_filename_component(d "${d}" DIRECTORY)
      endwhile()
    endforeach()
  endif()
]])

install(TARGETS zmieniarka RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/zmieniarka.desktop.in ${CMAKE_BINARY_DIR}/${ZM_ID}.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ZM_ID}.desktop DESTINATION ${ZM_APPS})
configure_file(${CMAKE_CURRENT_LIST_DIR}/zmieniarka.metainfo.xml.in ${CMAKE_BINARY_DIR}/${ZM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${ZM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The artwork drawn by tools/make_assets.py.
foreach(bok ${ZM_SIZES})
  install(FILES ${CMAKE_SOURCE_DIR}/assets/ikona-${bok}.png
          DESTINATION ${ZM_ICONS}/${bok}x${bok}/apps RENAME ${ZM_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/assets/ikona.svg
        DESTINATION ${ZM_ICONS}/scalable/apps RENAME ${ZM_ID}.svg)

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

# A live system: let the desktop see the new icon and menu entry at once,
# then write down what the install put in, caches and new folders included.
# An earlier install's manifest at the same prefix is merged in: its new
# folders are still the install's own.
install(CODE [[
  if(ZM_LIVE)
    list(GET ZM_CACHES 0 mime)
    list(GET ZM_CACHES 1 ikony)
    get_filename_component(mime "${mime}" DIRECTORY)
    get_filename_component(ikony "${ikony}" DIRECTORY)
    find_program(ZM_ICON_CACHE gtk-update-icon-cache)
    if(ZM_ICON_CACHE AND EXISTS "${ikony}/index.theme")
      execute_process(COMMAND ${ZM_ICON_CACHE} -q -f "${ikony}" RESULT_VARIABLE ignored ERROR_QUIET)
    endif()
    find_program(ZM_DESKTOP_DB update-desktop-database)
    if(ZM_DESKTOP_DB)
      execute_process(COMMAND ${ZM_DESKTOP_DB} -q "${mime}" RESULT_VARIABLE ignored ERROR_QUIET)
    endif()

    set(wpisy)
    foreach(f IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
      list(APPEND wpisy "file ${f}")
    endforeach()
    list(APPEND wpisy "file ${ZM_MANIFEST}")
    foreach(c IN LISTS ZM_NEW_CACHES)
      if(EXISTS "${c}")
        list(APPEND wpisy "cache ${c}")
      endif()
    endforeach()
    foreach(d IN LISTS ZM_NEW_DIRS)
      list(APPEND wpisy "dir ${d}")
    endforeach()
    if(EXISTS "${ZM_MANIFEST}")
      file(STRINGS "${ZM_MANIFEST}" stare)
      list(APPEND wpisy ${stare})
    endif()
    list(REMOVE_DUPLICATES wpisy)
    list(JOIN wpisy "\n" tekst)
    get_filename_component(d "${ZM_MANIFEST}" DIRECTORY)
    file(MAKE_DIRECTORY "${d}")
    file(WRITE "${ZM_MANIFEST}" "${tekst}\n")
    message(STATUS "Manifest: ${ZM_MANIFEST}")
  endif()
]])
