#pragma once
// Boards as text, e.g. "111/101/111": bare states, and the tiles on screen.
#include <QStringList>

#include "game/plansza.h"

inline Stany stany(const QString& tekst, int k, bool wrap = false)
{
    const QStringList wiersze = tekst.split(QLatin1Char('/'));
    Stany s{std::uint8_t(wiersze[0].size()), std::uint8_t(wiersze.size()), std::uint8_t(k), wrap};
    for (int w = 0; w < s.y; ++w)
        for (int c = 0; c < s.x; ++c)
            s(c, w) = std::uint8_t(wiersze[w][c].unicode() - u'0');
    return s;
}

inline QString tekst(const Stany& s)
{
    QString t;
    for (int w = 0; w < s.y; ++w)
        for (int c = 0; c < s.x; ++c)
            t += (w && !c ? QStringLiteral("/") : QString()) + QChar(u'0' + s(c, w));
    return t;
}

inline QString planszajakotekst()
{
    return tekst(stanyplanszy());
}

inline void ustawplansze(const QString& tekst)
{
    const Stany s = stany(tekst, 0);
    for (int w = 0; w < s.y; ++w)
        for (int c = 0; c < s.x; ++c)
            ustawstan(plansza[w][c], s(c, w));
}
