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

struct Stany;

// Bare states at K, scrambled as a new board is; returns n.
int wymieszaj(Stany& s);

// Start position and 100..149 random clicks through `klik` (the move rule).
// The demonstration variant records them in skrypt, first click in entry n.
using Klikniecie = void (*)(QObject* Sender);
void wymieszaj(bool demo, Klikniecie klik);

// One click of the replay, called on each tick of a running demonstration.
void krokpowtorki(Klikniecie klik);
