#include "game/plansza.h"

#include <stdexcept>

TGra gra;
guzik* plansza[10][10] = {};
BitmapButton* kratki[4] = {};

QString nazwakoloru(std::uint8_t stan)
{
    static const char* const kolory[4] = {"szary", "czerwony", "żółty", "zielony"};
    return stan <= 3 ? QString::fromUtf8(kolory[stan]) : QString();
}

void pokazstan(guzik* g)
{
    if (g->stan > 3)
        return;
    if (kratki[g->stan])
        g->setGlyph(kratki[g->stan]->glyph());
    g->setAccessibleName(
        QStringLiteral("kolumna %1, wiersz %2, %3").arg(g->kolumna + 1).arg(g->wiersz + 1).arg(nazwakoloru(g->stan)));
}

void zmienpole(std::uint8_t kolumna, std::uint8_t wiersz)
{
    guzik* g = plansza[wiersz - 1][kolumna - 1];
    ++g->stan;
    if (g->stan > gra.kolory)
        g->stan = 0;
    pokazstan(g);
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

bool ulozona()
{
    for (int s = 1; s <= gra.kolory; ++s) {
        bool wszystkie = true;
        for (int i = 0; i < gra.y && wszystkie; ++i)
            for (int j = 0; j < gra.x && wszystkie; ++j)
                wszystkie = plansza[i][j]->stan == s;
        if (wszystkie)
            return true;
    }
    return false;
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
