#pragma once
// The board as text, for the tests that set up or read the tiles' states.
#include <QStringList>

#include "game/plansza.h"

// A board as rows of digits, e.g. "111/101/111".
inline QString planszajakotekst()
{
    QString s;
    for (int i = 0; i < gra.y; ++i) {
        if (i)
            s += QLatin1Char('/');
        for (int j = 0; j < gra.x; ++j)
            s += QChar(u'0' + plansza[i][j]->stan);
    }
    return s;
}

inline void ustawplansze(const QString& tekst)
{
    const QStringList wiersze = tekst.split(QLatin1Char('/'));
    for (int i = 0; i < wiersze.size(); ++i)
        for (int j = 0; j < wiersze[i].size(); ++j) {
            plansza[i][j]->stan = std::uint8_t(wiersze[i][j].unicode() - u'0');
            pokazstan(plansza[i][j]);
        }
}
