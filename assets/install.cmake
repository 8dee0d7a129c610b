# Desktop integration: a menu entry and the program's icon in the hicolor
# theme, next to the executable that CMakeLists.txt installs.
#
# The icon themes take PNG, the artwork is BMP: a tiny Qt tool converts the
# 32 x 32 icon and its 128 x 128 rendering at build time.

add_executable(zm_ikona_png ${CMAKE_SOURCE_DIR}/tools/ikona_png.cpp)
target_link_libraries(zm_ikona_png PRIVATE Qt6::Gui)

set(ZM_IKONY)
foreach(para "32;ikona.bmp" "128;ikona@4x.bmp")
  list(GET para 0 bok)
  list(GET para 1 plik)
  set(png ${CMAKE_BINARY_DIR}/ikony/${bok}x${bok}/zmieniarka.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/ikony/${bok}x${bok}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:zm_ikona_png> ${CMAKE_SOURCE_DIR}/assets/${plik} ${png}
    DEPENDS zm_ikona_png ${CMAKE_SOURCE_DIR}/assets/${plik}
    COMMENT "Icon ${bok}x${bok} as PNG"
    VERBATIM)
  list(APPEND ZM_IKONY ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${bok}x${bok}/apps)
endforeach()
add_custom_target(zm_ikony ALL DEPENDS ${ZM_IKONY})

install(FILES ${CMAKE_SOURCE_DIR}/assets/zmieniarka.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

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
