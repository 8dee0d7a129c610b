#include "game/mieszanie.h"

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

void pozycjastartowa()
{
    for (int i = 0; i < gra.y; ++i)
        for (int j = 0; j < gra.x; ++j) {
            guzik* g = plansza[i][j];
            g->stan = gra.kolory;
            pokazstan(g);
        }
}

void wymieszaj(bool demo, Klikniecie klik)
{
    pozycjastartowa();
    const int n = Random(50) + 100;
    if (!demo) {
        for (int i = 0; i < n; ++i) {
            const int kolumna = Random(gra.x);
            const int wiersz = Random(gra.y);
            klik(plansza[wiersz][kolumna]);
        }
        return;
    }
    krok = std::uint8_t(n);
    for (int k = n; k >= 1; --k) {
        skrypt[k].kolumna = std::uint8_t(Random(gra.x) + 1);
        skrypt[k].wiersz = std::uint8_t(Random(gra.y) + 1);
        klik(plansza[skrypt[k].wiersz - 1][skrypt[k].kolumna - 1]);
    }
    powtorzenie = 1;
}

void krokpowtorki(Klikniecie klik)
{
    if (krok == 0) // everything undone already; entry 0 is never a click
        return;
    const TKlik& e = skrypt[krok];
    klik(plansza[e.wiersz - 1][e.kolumna - 1]);
    ++powtorzenie;
    if (powtorzenie > gra.kolory) {
        powtorzenie = 1;
        --krok;
    }
}
