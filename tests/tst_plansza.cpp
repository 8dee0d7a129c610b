// The move rule, the solved test, the scramble and the replay, on a board
// of real tiles but without the game window.
#include <stdexcept>
#include <memory>
#include <vector>

#include "game/mieszanie.h"
#include "game/plansza.h"
#include "planszatekstem.h"
#include "pomoc.h"

class TestPlansza : public QObject {
    Q_OBJECT

    QWidget okno;
    BitmapButton szablony[4];
    std::vector<std::unique_ptr<guzik>> tiles;

    void zbuduj(int x, int y, int k, bool przejscie, const QString& stany = {})
    {
        tiles.clear();
        gra = TGra{};
        gra.x = std::uint8_t(x);
        gra.y = std::uint8_t(y);
        gra.kolory = std::uint8_t(k);
        gra.przejscie = przejscie;
        for (int i = 0; i < y; ++i)
            for (int j = 0; j < x; ++j) {
                tiles.push_back(std::make_unique<guzik>(&okno));
                guzik* g = tiles.back().get();
                g->kolumna = std::uint8_t(j);
                g->wiersz = std::uint8_t(i);
                plansza[i][j] = g;
                QObject::connect(g, &guzik::nowystan, g, [this, g](std::uint8_t s) { g->setGlyph(szablony[s].glyph()); });
            }
        if (!stany.isEmpty())
            ustawplansze(stany);
    }

    static void klik(QObject* s) { ::ruch(s); }

private Q_SLOTS:
    void initTestCase()
    {
        // Distinct glyphs per state, so a wrong glyph shows.
        const QColor kolory[4] = {Qt::darkGray, Qt::red, Qt::yellow, Qt::green};
        for (int s = 0; s < 4; ++s) {
            QPixmap p(50, 50);
            p.fill(kolory[s]);
            szablony[s].setGlyph(p);
        }
    }

    void ruch_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("w");
        QTest::addColumn<QString>("po");
        QTest::newRow("corner") << 3 << 3 << false << 0 << 0 << "110/100/000";
        QTest::newRow("corner wrap") << 3 << 3 << true << 0 << 0 << "111/100/100";
        QTest::newRow("far corner wrap") << 3 << 3 << true << 2 << 2 << "001/001/111";
        QTest::newRow("edge") << 4 << 3 << false << 0 << 1 << "1000/1100/1000";
        QTest::newRow("edge wrap") << 4 << 3 << true << 0 << 1 << "1000/1101/1000";
        QTest::newRow("bottom edge wrap") << 4 << 3 << true << 2 << 2 << "0010/0010/0111";
        QTest::newRow("centre") << 3 << 3 << false << 1 << 1 << "010/111/010";
        QTest::newRow("centre wrap") << 3 << 3 << true << 1 << 1 << "010/111/010";
        QTest::newRow("centre 5x4") << 5 << 4 << true << 2 << 1 << "00100/01110/00100/00000";
    }
    void ruch()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, wrap);
        QFETCH(int, k);
        QFETCH(int, w);
        QFETCH(QString, po);
        const QString przed = QString(po).replace(QLatin1Char('1'), QLatin1Char('0'));
        Stany s = stany(przed, 3, wrap);
        ::klik(s, k, w);
        QCOMPARE(tekst(s), po);
        zbuduj(x, y, 3, wrap, przed);
        QCOMPARE(::ruch(plansza[w][k]), bezczynna);
        QCOMPARE(planszajakotekst(), po);
        QCOMPARE(gra.ruchy, 1);
        // The glyph follows the state.
        QCOMPARE(plansza[w][k]->glyph().cacheKey(), szablony[1].glyph().cacheKey());
    }

    void cykl_data()
    {
        QTest::addColumn<int>("k");
        QTest::newRow("K=1") << 1;
        QTest::newRow("K=2") << 2;
        QTest::newRow("K=3") << 3;
    }
    void cykl()
    {
        QFETCH(int, k);
        zbuduj(3, 3, k, true);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                plansza[i][j]->stan = std::uint8_t((i + 2 * j) % (k + 1));
        const QString przed = planszajakotekst();
        for (int i = 0; i <= k; ++i)
            ::ruch(plansza[1][2]);
        QCOMPARE(planszajakotekst(), przed);
        QCOMPARE(gra.ruchy, k + 1);
        // The highest state wraps to grey.
        ustawstan(plansza[1][1], std::uint8_t(k));
        zmienpole(2, 2);
        QCOMPARE(plansza[1][1]->stan, 0);
        QCOMPARE(plansza[1][1]->glyph().cacheKey(), szablony[0].glyph().cacheKey());
    }

    void ulozona_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("stany");
        QTest::addColumn<bool>("wynik");
        for (int k = 1; k <= 3; ++k) {
            const QString K = QStringLiteral("K=%1 ").arg(k);
            QTest::newRow(qPrintable(K + "all grey")) << k << "000/000/000" << false;
            for (int s = 1; s <= k; ++s) {
                const QString d = QString(3, QChar(u'0' + s));
                QTest::newRow(qPrintable(K + "all " + QString::number(s))) << k << d + "/" + d + "/" + d << true;
            }
            QTest::newRow(qPrintable(K + "one off")) << k << "111/111/110" << false;
        }
        QTest::newRow("mixed non-grey") << 3 << "123/123/123" << false;
    }
    void ulozona()
    {
        QFETCH(int, k);
        QFETCH(QString, stany);
        QFETCH(bool, wynik);
        QCOMPARE(::ulozona(::stany(stany, k)), wynik);
        zbuduj(3, 3, k, false, stany);
        QCOMPARE(::ulozona(), wynik);
    }

    // The move that solves: only while something runs, counted before the end;
    // the play state that ended is returned.
    void koniec_data()
    {
        QTest::addColumn<int>("stan");
        QTest::newRow("idle: scramble or finished board") << int(bezczynna);
        QTest::newRow("game") << int(gratrwa);
        QTest::newRow("demonstration") << int(demotrwa);
    }
    void koniec()
    {
        QFETCH(int, stan);
        // K=2: one click on the centre brings the cross from 1 to 2.
        zbuduj(3, 3, 2, false, QStringLiteral("212/111/212"));
        gra.stan = std::uint8_t(stan);
        gra.ruchy = 7;
        QCOMPARE(int(::ruch(plansza[1][1])), stan);
        QCOMPARE(planszajakotekst(), QStringLiteral("222/222/222"));
        QCOMPARE(gra.ruchy, 8);
        QCOMPARE(gra.stan, bezczynna);
        QCOMPARE(gra.zakonczona, std::uint8_t(stan != bezczynna ? 1 : 0));
    }

    void obcynadawca()
    {
        zbuduj(3, 3, 1, false);
        QObject obcy;
        gra.ruchy = 4;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ::ruch(&obcy));
        // Counted before the type test, as every call is; nothing else moves.
        QCOMPARE(gra.ruchy, 5);
        QCOMPARE(planszajakotekst(), QStringLiteral("000/000/000"));
    }

    // Literal draws and boards: another generator, or another reduction of
    // its output, gives other boards from the same seed.
    void losowanie()
    {
        ustawziarno(42);
        QList<int> a;
        for (int i = 0; i < 10; ++i)
            a << Random(7);
        QCOMPARE(a, (QList<int>{1, 2, 4, 5, 4, 3, 5, 5, 0, 0}));
        int licz[7] = {};
        for (int i = 0; i < 1000; ++i) {
            const int r = Random(7);
            QVERIFY(r >= 0 && r < 7);
            ++licz[r];
        }
        for (int c : licz)
            QVERIFY2(c > 90 && c < 200, "every value turns up about as often");
    }

    // Seed 7 draws n = 115 clicks; bare states and tiles agree.
    void mieszaniegry_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QString>("po");
        QTest::newRow("5x5 K3") << 3 << false << "03000/02303/13101/00301/03012";
        QTest::newRow("10x3 K3 wrap") << 3 << true << "1213221030/3221201301/3011313021";
        QTest::newRow("3x10 K2") << 2 << false << "122/011/211/102/010/020/111/202/221/211";
    }
    void mieszaniegry()
    {
        QFETCH(int, k);
        QFETCH(bool, wrap);
        QFETCH(QString, po);
        Stany s = stany(po, k, wrap);
        ustawziarno(7);
        QCOMPARE(wymieszaj(s), 115);
        QCOMPARE(tekst(s), po);
        zbuduj(s.x, s.y, k, wrap);
        const std::uint8_t krokprzed = krok;
        ustawziarno(7);
        wymieszaj(false, klik);
        QCOMPARE(planszajakotekst(), po);
        QCOMPARE(gra.ruchy, 115);
        QCOMPARE(gra.stan, bezczynna);
        QCOMPARE(krok, krokprzed); // a game leaves the script alone
    }

    // The same clicks, recorded: the first in entry n, the last in entry 1.
    void mieszaniedema()
    {
        zbuduj(5, 5, 3, false);
        powtorzenie = 5;
        ustawziarno(7);
        wymieszaj(true, klik);
        QCOMPARE(planszajakotekst(), QStringLiteral("03000/02303/13101/00301/03012"));
        QCOMPARE(int(krok), 115);
        QCOMPARE(int(powtorzenie), 1);
        QCOMPARE(QPoint(skrypt[115].kolumna, skrypt[115].wiersz), QPoint(3, 2));
        QCOMPARE(QPoint(skrypt[1].kolumna, skrypt[1].wiersz), QPoint(5, 2));
    }

    // The replay undoes the scramble: each entry K times, from entry n down.
    void powtorka_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<bool>("wrap");
        QTest::newRow("K=1") << 1 << false;
        QTest::newRow("K=2 wrap") << 2 << true;
        QTest::newRow("K=3") << 3 << false;
    }
    void powtorka()
    {
        QFETCH(int, k);
        QFETCH(bool, wrap);
        zbuduj(4, 5, k, wrap);
        ustawziarno(2024);
        wymieszaj(true, klik);
        const int n = krok;
        QCOMPARE(n, 112);
        gra.ruchy = 0;
        gra.stan = demotrwa;
        // Entry n is clicked on ticks 1..K, entry n-1 on ticks K+1..2K.
        krokpowtorki(klik);
        QCOMPARE(QPoint(krok, powtorzenie), k == 1 ? QPoint(111, 1) : QPoint(112, 2));
        int tykniecia = 1;
        while (gra.stan == demotrwa && tykniecia < 1000) {
            krokpowtorki(klik);
            ++tykniecia;
        }
        // The whole replay: n × K ticks, back to the start position.
        QCOMPARE(tykniecia, n * k);
        QCOMPARE(gra.ruchy, n * k);
        QCOMPARE(gra.stan, bezczynna);
        QCOMPARE(gra.zakonczona, std::uint8_t(1));
        QCOMPARE(int(krok), 0);
        QCOMPARE(planszajakotekst(), QString(QStringLiteral("kkkk/kkkk/kkkk/kkkk/kkkk")).replace(QLatin1Char('k'), QChar(u'0' + k)));
        // A stray step after the end clicks nothing.
        const QString koniec = planszajakotekst();
        krok = 0;
        krokpowtorki(klik);
        QCOMPARE(planszajakotekst(), koniec);
    }
};

ZM_TEST_MAIN(TestPlansza)
#include "tst_plansza.moc"
