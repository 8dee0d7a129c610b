// The shipped artwork: the four tile glyphs (normal and double resolution)
// and the program icon, as in the source tree and in the resources built
// into the game.
#include <QFile>
#include <QImage>
#include <QTest>

#include <cstdlib>

namespace {

QString sciezka(const QString& plik) { return QStringLiteral(ZM_ASSETS_DIR "/") + plik; }

QByteArray tresc(const QString& plik)
{
    QFile f(plik);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The shipped file; nothing when it is missing or the resources the game
// loads its artwork from hold other bytes.
QByteArray wysylany(const QString& plik)
{
    const QByteArray b = tresc(sciezka(plik));
    return tresc(QStringLiteral(":/") + plik) == b ? b : QByteArray();
}

QImage wczytaj(const QString& plik) {
    return QImage(plik).convertToFormat(QImage::Format_RGB32);
}

bool bialy(QRgb p) { return qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255; }

int jasnosc(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p); }

// Mean brightness of a rectangle of the image.
double srednia(const QImage& img, const QRect& r) {
    double suma = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            suma += jasnosc(img.pixel(x, y));
    return suma / (r.width() * r.height());
}

} // namespace

class TstZasoby : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void glif_data()
    {
        QTest::addColumn<QString>("plik");
        QTest::addColumn<int>("skala");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("wypukly");
        struct Wiersz { const char* nazwa; int r, g, b; bool wypukly; };
        const Wiersz wiersze[] = {
            {"kratka2", 90, 90, 90, false},
            {"kratka1a", 181, 85, 73, true},
            {"kratka1b", 170, 160, 61, true},
            {"kratka1c", 101, 163, 66, true},
        };
        for (int skala : {1, 2})
            for (const Wiersz& w : wiersze) {
                const QString plik = QString::fromLatin1(w.nazwa)
                                     + (skala == 2 ? QStringLiteral("@2x") : QString()) + QStringLiteral(".bmp");
                QTest::newRow(qPrintable(plik)) << plik << skala << w.r << w.g << w.b << w.wypukly;
            }
    }

    // Size, depth, the white frame, nothing white inside, the mean colour, and
    // which way the relief faces.
    void glif()
    {
        QFETCH(QString, plik);
        QFETCH(int, skala);
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(bool, wypukly);

        const QByteArray bajty = wysylany(plik);
        QVERIFY2(!bajty.isEmpty(), qPrintable(plik));
        // 24 bits per pixel, no compression.
        QVERIFY(bajty.startsWith("BM"));
        QCOMPARE(bajty.mid(28, 6).toHex(' '), QByteArray("18 00 00 00 00 00"));

        const QImage img = QImage::fromData(bajty).convertToFormat(QImage::Format_RGB32);
        const int bok = 50 * skala;
        QCOMPARE(img.size(), QSize(bok, bok));
        // The colour the button takes as transparent.
        QVERIFY(bialy(img.pixel(0, bok - 1)));

        // Frame: top row and left column, two bottom rows and two right columns.
        const QRect obraz(skala, skala, 47 * skala, 47 * skala);
        long long suma[3] = {0, 0, 0};
        for (int y = 0; y < bok; ++y)
            for (int x = 0; x < bok; ++x) {
                const QRgb p = img.pixel(x, y);
                if (!obraz.contains(x, y)) {
                    if (!bialy(p))
                        QFAIL(qPrintable(QStringLiteral("frame pixel %1,%2 not white").arg(x).arg(y)));
                    continue;
                }
                if (bialy(p))
                    QFAIL(qPrintable(QStringLiteral("white pixel %1,%2 inside the picture").arg(x).arg(y)));
                suma[0] += qRed(p);
                suma[1] += qGreen(p);
                suma[2] += qBlue(p);
            }
        const double pikseli = double(obraz.width()) * obraz.height();
        const int cel[3] = {r, g, b};
        for (int k = 0; k < 3; ++k) {
            const double s = suma[k] / pikseli;
            QVERIFY2(std::abs(s - cel[k]) <= 8.0,
                     qPrintable(QStringLiteral("channel %1: mean %2, wanted %3").arg(k).arg(s).arg(cel[k])));
        }

        // A band along the top edge against one along the bottom edge: raised
        // tiles are lit at the top, the sunken grey tile is dark there.
        const int pas = 3 * skala;
        const double gora = srednia(img, QRect(obraz.left() + pas, obraz.top(), obraz.width() - 2 * pas, pas));
        const double dol = srednia(img, QRect(obraz.left() + pas, obraz.bottom() - pas + 1, obraz.width() - 2 * pas, pas));
        const double lewo = srednia(img, QRect(obraz.left(), obraz.top() + pas, pas, obraz.height() - 2 * pas));
        const double prawo = srednia(img, QRect(obraz.right() - pas + 1, obraz.top() + pas, pas, obraz.height() - 2 * pas));
        const int swiatlo = wypukly ? 1 : -1;
        QVERIFY2(swiatlo * (gora - dol) > 60 && swiatlo * (lewo - prawo) > 60,
                 qPrintable(QStringLiteral("%1 %2 %3 %4").arg(gora).arg(dol).arg(lewo).arg(prawo)));
    }

    void podwojnyJakPojedynczy_data()
    {
        QTest::addColumn<QString>("nazwa");
        for (const char* n : {"kratka2", "kratka1a", "kratka1b", "kratka1c"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }

    // The double-resolution glyph, shrunk by averaging 2 x 2 blocks, is the
    // normal one: a screen at 200 % shows the same tile.
    void podwojnyJakPojedynczy()
    {
        QFETCH(QString, nazwa);
        const QImage jeden = wczytaj(sciezka(nazwa + QStringLiteral(".bmp")));
        const QImage dwa = wczytaj(sciezka(nazwa + QStringLiteral("@2x.bmp")));
        QCOMPARE(jeden.size(), QSize(50, 50));
        QCOMPARE(dwa.size(), QSize(100, 100));
        double roznica = 0;
        int najwieksza = 0;
        for (int y = 1; y <= 47; ++y)
            for (int x = 1; x <= 47; ++x) {
                const QRgb p = jeden.pixel(x, y);
                const QRgb q[4] = {dwa.pixel(2 * x, 2 * y), dwa.pixel(2 * x + 1, 2 * y),
                                   dwa.pixel(2 * x, 2 * y + 1), dwa.pixel(2 * x + 1, 2 * y + 1)};
                auto sr = [&](int (*kanal)(QRgb)) { return (kanal(q[0]) + kanal(q[1]) + kanal(q[2]) + kanal(q[3]) + 2) / 4; };
                const int d = std::abs(qRed(p) - sr(qRed)) + std::abs(qGreen(p) - sr(qGreen))
                              + std::abs(qBlue(p) - sr(qBlue));
                roznica += d;
                najwieksza = std::max(najwieksza, d);
            }
        roznica /= 47.0 * 47.0;
        QVERIFY2(roznica < 12.0, qPrintable(QStringLiteral("mean difference %1").arg(roznica)));
        QVERIFY2(najwieksza < 90, qPrintable(QStringLiteral("largest difference %1").arg(najwieksza)));
    }

    void ikona_data()
    {
        QTest::addColumn<QString>("plik");
        QTest::addColumn<int>("bok");
        QTest::newRow("ikona.bmp") << QStringLiteral("ikona.bmp") << 32;
        for (int bok : {16, 24, 32, 48, 64, 128, 256}) // the icon theme's sizes
            QTest::newRow(qPrintable(QString::number(bok))) << QStringLiteral("ikona-%1.png").arg(bok) << bok;
    }

    // A small board of red and grey tiles; for the desktop's icon theme with
    // its corners rounded off into transparency, the 32-px one otherwise the
    // program's bitmap to the pixel.
    void ikona()
    {
        QFETCH(QString, plik);
        QFETCH(int, bok);
        const QByteArray bajty = wysylany(plik);
        QVERIFY2(!bajty.isEmpty(), qPrintable(plik));
        const bool bitmapa = plik.endsWith(QLatin1String(".bmp"));
        if (bitmapa)
            QCOMPARE(bajty.mid(28, 6).toHex(' '), QByteArray("18 00 00 00 00 00"));
        const QImage img = QImage::fromData(bajty).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(bok, bok));
        int czerwone = 0, szare = 0;
        for (int y = 0; y < bok; ++y)
            for (int x = 0; x < bok; ++x) {
                const QRgb p = img.pixel(x, y);
                const int r = qRed(p), g = qGreen(p), b = qBlue(p);
                if (r > 150 && r > g + 80 && r > b + 80)
                    ++czerwone;
                else if (std::abs(r - g) < 10 && std::abs(g - b) < 10 && r > 60 && r < 200)
                    ++szare;
            }
        // Each colour covers at least a tenth of the icon.
        QVERIFY2(czerwone * 10 >= bok * bok, qPrintable(QString::number(czerwone)));
        QVERIFY2(szare * 10 >= bok * bok, qPrintable(QString::number(szare)));
        if (bitmapa)
            return;

        for (QPoint naroznik : {QPoint(0, 0), QPoint(bok - 1, 0), QPoint(0, bok - 1), QPoint(bok - 1, bok - 1)})
            QVERIFY2(qAlpha(img.pixel(naroznik)) < 255, qPrintable(QStringLiteral("corner %1,%2").arg(naroznik.x()).arg(naroznik.y())));
        QCOMPARE(qAlpha(img.pixel(bok / 2, bok / 2)), 255);
        QCOMPARE(qAlpha(img.pixel(bok / 2, 0)), 255);
        if (bok == 32) {
            const QImage bmp = wczytaj(sciezka(QStringLiteral("ikona.bmp")));
            for (int y = 0; y < bok; ++y)
                for (int x = 0; x < bok; ++x)
                    if (qAlpha(img.pixel(x, y)) > 0 && (img.pixel(x, y) | 0xff000000) != bmp.pixel(x, y))
                        QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs from ikona.bmp").arg(x).arg(y)));
        }
    }
};

QTEST_MAIN(TstZasoby)
#include "tst_zasoby.moc"
