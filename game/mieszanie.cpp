#include "game/mieszanie.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "game/plansza.h"

TKlik skrypt[maksklikow + 1] = {};
std::uint8_t krok = 0;
std::uint8_t powtorzenie = 1;

namespace {
std::mt19937 generator;
}

void Randomize()
{
    generator.seed(std::uint32_t(std::chrono::system_clock::now().time_since_epoch().count()));
}

void ustawziarno(std::uint32_t ziarno)
{
    generator.seed(ziarno);
}

int Random(int n)
{
    // Our own reduction (rejection, no bias) rather than a std distribution,
    // so a seed gives the same board with every standard library.
    const std::uint32_t zakres = std::uint32_t(n);
    const std::uint32_t granica = std::uint32_t(-zakres) % zakres; // 2^32 mod n
    for (;;) {
        const std::uint32_t r = generator();
        if (r >= granica)
            return int(r % zakres);
    }
}

// Every tile to state K: the solved start position.
static void pozycjastartowa()
{
    for (int i = 0; i < gra.y; ++i)
        for (int j = 0; j < gra.x; ++j)
            ustawstan(plansza[i][j], gra.kolory);
}

// The clicks of a scramble, in the order they are made (1-based places):
// n = 100..149 is drawn first, then a column and a row for each click.
static int losujkliki(int x, int y, TKlik kliki[maksklikow])
{
    const int n = Random(50) + 100;
    for (int i = 0; i < n; ++i) {
        kliki[i].kolumna = std::uint8_t(Random(x) + 1);
        kliki[i].wiersz = std::uint8_t(Random(y) + 1);
    }
    return n;
}

int wymieszaj(Stany& s)
{
    std::fill(s.pole, s.pole + s.x * s.y, s.kolory);
    TKlik kliki[maksklikow];
    const int n = losujkliki(s.x, s.y, kliki);
    for (int i = 0; i < n; ++i)
        klik(s, kliki[i].kolumna - 1, kliki[i].wiersz - 1);
    return n;
}

void wymieszaj(bool demo, Klikniecie klik)
{
    const NazwyPozniej nazwy;
    pozycjastartowa();
    TKlik kliki[maksklikow];
    const int n = losujkliki(gra.x, gra.y, kliki);
    for (int i = 0; i < n; ++i) {
        klik(plansza[kliki[i].wiersz - 1][kliki[i].kolumna - 1]);
        if (demo)
            skrypt[n - i] = kliki[i];
    }
    if (demo) {
        krok = std::uint8_t(n);
        powtorzenie = 1;
    }
}

// The script entry the replay clicks now; moves krok and powtorzenie on:
// each entry K times, from entry n down to entry 1.
static TKlik nastepnyklik(std::uint8_t kolory)
{
    const TKlik e = skrypt[krok];
    if (++powtorzenie > kolory) {
        powtorzenie = 1;
        --krok;
    }
    return e;
}

void krokpowtorki(Klikniecie klik)
{
    if (krok == 0) // everything undone already; entry 0 is never a click
        return;
    const TKlik e = nastepnyklik(gra.kolory);
    klik(plansza[e.wiersz - 1][e.kolumna - 1]);
}
