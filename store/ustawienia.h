#pragma once
#include <cstdint>

// The options of the next game; the settings file holds exactly these four
// bytes in this order.
struct TUstawienia {
    std::uint8_t x = 5;         // columns, 3..10
    std::uint8_t y = 5;         // rows, 3..10
    std::uint8_t kolory = 1;    // colour count, 1..3
    std::uint8_t przejscie = 0; // wrap-around: 0 off, anything else on
};
static_assert(sizeof(TUstawienia) == 4);
extern TUstawienia ustawienia;

// "zmieniarka.cfg" in the working directory.
// Load: a file that cannot be opened leaves the defaults and says nothing;
// a short or failed read throws IoError.
void wczytajkfg();
// Save: never reports anything.
void zapiszkfg();
