#pragma once
#include <cstdint>

class QObject;

// The random source: Random(n) is uniform in 0..n-1. Seeded once from the
// clock by Randomize; tests pin it with ustawziarno.
void Randomize();
void ustawziarno(std::uint32_t ziarno);
int Random(int n);

// One recorded click of a demonstration's scramble, 1-based.
struct TKlik {
    std::uint8_t kolumna;
    std::uint8_t wiersz;
};
constexpr int maksklikow = 149;
extern TKlik skrypt[maksklikow + 1]; // entries 1..n; entry 0 unused
extern std::uint8_t krok;            // the entry the replay clicks next
extern std::uint8_t powtorzenie;     // the click within the entry, 1..K

// Every tile to state K: the solved start position.
void pozycjastartowa();

struct Stany;

// The clicks of a scramble, in the order they are made (1-based places):
// n = 100..149 is drawn first, then a column and a row for each click.
// Returns n.
int losujkliki(int x, int y, TKlik kliki[maksklikow]);

// Bare states at K, scrambled as a new board is; returns n.
int wymieszaj(Stany& s);

// Start position and 100..149 random clicks through `klik` (the move rule).
// The demonstration variant records them in skrypt, first click in entry n.
using Klikniecie = void (*)(QObject* Sender);
void wymieszaj(bool demo, Klikniecie klik);

// The script entry the replay clicks now; moves krok and powtorzenie on:
// each entry K times, from entry n down to entry 1.
TKlik nastepnyklik(std::uint8_t kolory);

// One click of the replay, called on each tick of a running demonstration.
void krokpowtorki(Klikniecie klik);
