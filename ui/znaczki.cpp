#include "ui/znaczki.h"

#include <QPainter>

#include "widgets/bitmapbutton.h"

bool znaczki = false;

void wybierzznaczki(const QStringList& argumenty)
{
    const QByteArray zmienna = qgetenv("ZMIENIARKA_ZNACZKI");
    znaczki = argumenty.contains(QLatin1String("--znaczki")) || (!zmienna.isEmpty() && zmienna != "0");
}

QPixmap obrazkratki(std::uint8_t stan)
{
    static const char* const nazwy[4] = {"kratka2", "kratka1a", "kratka1b", "kratka1c"};
    if (stan > 3)
        return {};
    QPixmap obraz = screenGlyph(QLatin1String(nazwy[stan]));
    if (!znaczki || stan == 0 || obraz.isNull())
        return obraz;
    // Black dots ringed with white stand out on red, yellow and green alike,
    // and in grey too. They are drawn in the glyph's own units, so a
    // double-resolution glyph gets them twice as sharp. The picture inside
    // the glyph's frame (1 pixel top and left, 2 bottom and right) is 47
    // pixels wide; the dots keep clear of its bevel.
    const QPointF srodek(1 + 47 / 2.0, 1 + 47 / 2.0);
    constexpr qreal odstep = 11, promien = 4.5;
    QList<QPointF> kropki;
    if (stan != 2)
        kropki << srodek;
    if (stan >= 2)
        kropki << srodek - QPointF(odstep, odstep) << srodek + QPointF(odstep, odstep);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    // Not pure white: that is the glyph's transparent colour.
    p.setPen(QPen(QColor(250, 250, 250), 1.5));
    p.setBrush(Qt::black);
    for (const QPointF& k : kropki)
        p.drawEllipse(k, promien, promien);
    return obraz;
}
