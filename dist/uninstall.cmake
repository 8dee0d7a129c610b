# Takes out what an install straight into a live system put in, by the
# manifest it left in the prefix:
#   cmake -D ZM_PREFIX=<prefix> -P dist/uninstall.cmake
# Files and the caches the install created go; folders the install created
# go when they are empty; a cache that was there before is brought up to
# date instead, so that it no longer names the game.
cmake_minimum_required(VERSION 3.25)
if(NOT ZM_PREFIX)
  message(FATAL_ERROR "usage: cmake -D ZM_PREFIX=<prefix> -P dist/uninstall.cmake")
endif()
if(NOT ZM_DATADIR)
  set(ZM_DATADIR share)
endif()
set(manifest "${ZM_PREFIX}/${ZM_DATADIR}/zmieniarka/manifest")
cmake_path(SET manifest NORMALIZE "${manifest}")
if(NOT EXISTS "${manifest}")
  message(STATUS "Nothing to uninstall: no ${manifest}")
  return()
endif()

file(STRINGS "${manifest}" wpisy)
set(katalogi)
foreach(w IN LISTS wpisy)
  if(w MATCHES "^(file|cache) (.+)$")
    if(EXISTS "${CMAKE_MATCH_2}" OR IS_SYMLINK "${CMAKE_MATCH_2}")
      message(STATUS "Removing: ${CMAKE_MATCH_2}")
      file(REMOVE "${CMAKE_MATCH_2}")
    endif()
  elseif(w MATCHES "^dir (.+)$")
    list(APPEND katalogi "${CMAKE_MATCH_1}")
  endif()
endforeach()

# Caches the install only updated: refreshed, where the tool is here.
set(mime "${ZM_PREFIX}/${ZM_DATADIR}/applications")
set(ikony "${ZM_PREFIX}/${ZM_DATADIR}/icons/hicolor")
find_program(ZM_DESKTOP_DB update-desktop-database)
if(ZM_DESKTOP_DB AND EXISTS "${mime}/mimeinfo.cache")
  execute_process(COMMAND ${ZM_DESKTOP_DB} -q "${mime}" RESULT_VARIABLE ignored ERROR_QUIET)
endif()
find_program(ZM_ICON_CACHE gtk-update-icon-cache)
if(ZM_ICON_CACHE AND EXISTS "${ikony}/icon-theme.cache" AND EXISTS "${ikony}/index.theme")
  execute_process(COMMAND ${ZM_ICON_CACHE} -q -f "${ikony}" RESULT_VARIABLE ignored ERROR_QUIET)
endif()

# Deepest first, so that a folder is empty when its turn comes.
list(SORT katalogi ORDER DESCENDING)
foreach(d IN LISTS katalogi)
  if(IS_DIRECTORY "${d}" AND NOT IS_SYMLINK "${d}")
    execute_process(COMMAND rmdir -- "${d}" RESULT_VARIABLE niepusty ERROR_QUIET)
    if(NOT niepusty)
      message(STATUS "Removing: ${d}/")
    endif()
  endif()
endforeach()
