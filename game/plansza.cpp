#include "game/plansza.h"

#include <algorithm>
#include <stdexcept>

TGra gra;
guzik* plansza[10][10] = {};

QString nazwakoloru(std::uint8_t stan)
{
    static const char* const kolory[4] = {"szary", "czerwony", "żółty", "zielony"};
    return stan <= 3 ? QString::fromUtf8(kolory[stan]) : QString();
}

namespace {
int wstrzymane = 0; // how many NazwyPozniej live

void nazwij(guzik* g)
{
    const QString nazwa
        = QStringLiteral("kolumna %1, wiersz %2, %3").arg(g->kolumna + 1).arg(g->wiersz + 1).arg(nazwakoloru(g->stan));
    if (g->accessibleName() != nazwa)
        g->setAccessibleName(nazwa);
}
} // namespace

NazwyPozniej::NazwyPozniej()
{
    ++wstrzymane;
}

NazwyPozniej::~NazwyPozniej()
{
    if (--wstrzymane > 0)
        return;
    for (int i = 0; i < gra.y; ++i)
        for (int j = 0; j < gra.x; ++j)
            if (guzik* g = plansza[i][j]; g && g->stan <= 3)
                nazwij(g);
}

void pokazstan(guzik* g)
{
    if (g->stan > 3)
        return;
    Q_EMIT g->nowystan(g->stan);
    if (wstrzymane == 0)
        nazwij(g);
}

void ustawstan(guzik* g, std::uint8_t stan)
{
    g->stan = stan;
    pokazstan(g);
}

void zmienpole(std::uint8_t kolumna, std::uint8_t wiersz)
{
    guzik* g = plansza[wiersz - 1][kolumna - 1];
    ustawstan(g, nastepnystan(g->stan, gra.kolory));
}

int sasiedztwo(int k, int w, int X, int Y, bool przejscie, int kolumny[5], int wiersze[5])
{
    int n = 0;
    auto dodaj = [&](int kk, int ww) {
        kolumny[n] = kk;
        wiersze[n] = ww;
        ++n;
    };
    dodaj(k, w);
    if (k > 0)
        dodaj(k - 1, w);
    else if (przejscie)
        dodaj(X - 1, w);
    if (k < X - 1)
        dodaj(k + 1, w);
    else if (przejscie)
        dodaj(0, w);
    if (w > 0)
        dodaj(k, w - 1);
    else if (przejscie)
        dodaj(k, Y - 1);
    if (w < Y - 1)
        dodaj(k, w + 1);
    else if (przejscie)
        dodaj(k, 0);
    return n;
}

void klik(Stany& s, int k, int w)
{
    int kol[5], wie[5];
    const int n = sasiedztwo(k, w, s.x, s.y, s.przejscie, kol, wie);
    for (int i = 0; i < n; ++i)
        s(kol[i], wie[i]) = nastepnystan(s(kol[i], wie[i]), s.kolory);
}

bool ulozona(const Stany& s)
{
    const int pola = s.x * s.y;
    // The first state decides which colour the rest must match.
    return s.pole[0] >= 1 && s.pole[0] <= s.kolory
        && std::all_of(s.pole, s.pole + pola, [&](std::uint8_t p) { return p == s.pole[0]; });
}

Stany stanyplanszy()
{
    Stany s;
    s.x = gra.x;
    s.y = gra.y;
    s.kolory = gra.kolory;
    s.przejscie = gra.przejscie != 0;
    for (int i = 0; i < gra.y; ++i)
        for (int j = 0; j < gra.x; ++j)
            s(j, i) = plansza[i][j]->stan;
    return s;
}

bool ulozona()
{
    return ulozona(stanyplanszy());
}

std::uint8_t ruch(QObject* Sender)
{
    ++gra.ruchy;
    guzik* g = dynamic_cast<guzik*>(Sender);
    if (!g)
        throw std::invalid_argument("Invalid class typecast");
    int kol[5], wie[5];
    const int n = sasiedztwo(g->kolumna, g->wiersz, gra.x, gra.y, gra.przejscie != 0, kol, wie);
    for (int i = 0; i < n; ++i)
        zmienpole(std::uint8_t(kol[i] + 1), std::uint8_t(wie[i] + 1));
    if (gra.stan == bezczynna || !ulozona())
        return bezczynna;
    const std::uint8_t skonczona = gra.stan;
    gra.stan = bezczynna;
    gra.zakonczona = 1;
    return skonczona;
}
