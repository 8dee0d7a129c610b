# The Debian package: make package (built with Debian's compiler flags into
# /usr, the game in /usr/games) -> zmieniarka_1.0_<arch>.deb.

set(CPACK_PACKAGE_NAME zmieniarka)
set(CPACK_PACKAGE_VENDOR "The Zmieniarka developers")
set(CPACK_PACKAGE_CONTACT "The Zmieniarka developers <zmieniarka@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle: fill the whole board with one colour")
set(CPACK_PACKAGE_DESCRIPTION [[
A small single-player puzzle game with a Polish interface. Each tile of a
board of 3 to 10 columns by 3 to 10 rows shows one of up to four colours.
A click advances the tile and its four neighbours to the next colour; with
wrap-around on, the board's edges meet. A new board starts in one colour and
is scrambled: fill it with one colour again, against the clock.

The best time for each colour count and board size is kept with the
player's name; a demonstration solves a board in front of you.]])
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces the game's windows are drawn in, and Qt's own texts in Polish.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, fonts-inter, fonts-urw-base35, qt6-translations-l10n")
# Files are installed root-owned with the usual modes.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
