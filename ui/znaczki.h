#pragma once
#include <cstdint>

#include <QPixmap>
#include <QStringList>

// Marks for a player who cannot tell the colours apart: the tiles of states
// 1, 2 and 3 (and their pictures in the helper strip) carry one, two and
// three dots, as on a die; grey carries none. Off unless the player asks for
// them with the option --znaczki or ZMIENIARKA_ZNACZKI=1 (0 or empty: off);
// then every picture is the shipped one, pixel for pixel.
extern bool znaczki;

// Switches the marks on from the program's arguments and environment.
// Before the windows are made: they take their glyphs once.
void wybierzznaczki(const QStringList& argumenty);

// The glyph of tile state 0..3 ("kratka2", "kratka1a", "kratka1b",
// "kratka1c"), for the screen's resolution, with its mark when they are on.
QPixmap obrazkratki(std::uint8_t stan);
