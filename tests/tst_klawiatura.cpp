// Play without a mouse, and what assistive technology is told.
#include <QAccessible>
#include <QLineEdit>
#include <QMenuBar>
#include <QSlider>

#include "game/mieszanie.h"
#include "okna.h"
#include "planszatekstem.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form3.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"
#include "ui/znaczki.h"

class TestKlawiatura : public QObject {
    Q_OBJECT
    std::unique_ptr<ZestawOkien> okna;

    static void aktywuj(QWidget* w)
    {
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w); // the strip may still be activating
    }
    // Presses keys (U D L R arrows, S space, E Enter, N Return, T Tab) on the
    // focus; returns the focused place as "column,row", "-" for none.
    static QString klawisze(const char* k)
    {
        static const QHash<char, Qt::Key> klucz{{'U', Qt::Key_Up}, {'D', Qt::Key_Down}, {'L', Qt::Key_Left},
                                                {'R', Qt::Key_Right}, {'S', Qt::Key_Space}, {'E', Qt::Key_Enter},
                                                {'N', Qt::Key_Return}, {'T', Qt::Key_Tab}};
        for (; *k; ++k)
            QTest::keyClick(QApplication::focusWidget(), klucz.value(*k));
        auto* g = qobject_cast<guzik*>(QApplication::focusWidget());
        return g ? QStringLiteral("%1,%2").arg(g->kolumna).arg(g->wiersz) : QStringLiteral("-");
    }
    static QString nazwa(QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); }

    // The names of the board's tiles, row by row.
    static QStringList nazwypol()
    {
        QStringList w;
        for (int i = 0; i < gra.y; ++i)
            for (int j = 0; j < gra.x; ++j)
                w << plansza[i][j]->accessibleName();
        return w;
    }
    static inline QSet<QStringList> wczasiemieszania;
    // Where the window `w` shows a black ring round `r` (its own
    // coordinates): black pixels on the ring's outer two, white on its inner one.
    static bool pierscien(QWidget* w, QRect r)
    {
        const QImage o = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect zew = r.adjusted(-3, -3, 3, 3);
        for (int x = zew.left(); x <= zew.right(); ++x)
            for (int y : {zew.top(), zew.top() + 1, zew.bottom(), zew.bottom() - 1})
                if (o.pixel(x, y) != qRgb(0, 0, 0))
                    return false;
        for (int x = zew.left() + 2; x <= zew.right() - 2; ++x)
            if (o.pixel(x, zew.top() + 2) != qRgb(255, 255, 255))
                return false;
        return true;
    }

private Q_SLOTS:
    void init()
    {
        okna = std::make_unique<ZestawOkien>();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        aktywuj(Form1);
    }
    void cleanup() { okna.reset(); }

    void strzalki()
    {
        nowagra(4, 3, 1);
        plansza[0][0]->setFocus();
        QCOMPARE(klawisze("DRR"), QStringLiteral("2,1"));
        QCOMPARE(klawisze("UURRR"), QStringLiteral("3,0")); // the edges stop it
        nowagra(4, 3, 1, 1);
        plansza[0][0]->setFocus();
        QCOMPARE(klawisze("L"), QStringLiteral("3,0")); // with wrap-around it wraps
        QCOMPARE(klawisze("U"), QStringLiteral("3,2"));
        QCOMPARE(klawisze("D"), QStringLiteral("3,0"));
        QCOMPARE(gra.ruchy, 0);
    }

    // Space, Enter and Return press the tile through the move rule.
    void nacisniecia()
    {
        nowagra(3, 3, 2);
        ustawplansze(QStringLiteral("000/000/000"));
        plansza[0][0]->setFocus();
        klawisze("S");
        QCOMPARE(planszajakotekst(), QStringLiteral("110/100/000"));
        klawisze("RN");
        QCOMPARE(planszajakotekst(), QStringLiteral("221/110/000"));
        klawisze("E");
        QCOMPARE(planszajakotekst(), QStringLiteral("002/120/000"));
        QCOMPARE(gra.ruchy, 3);
        ustawplansze(QStringLiteral("212/111/212"));
        klawisze("DS"); // the winning press ends the game as a click does
        QCOMPARE(gra.zakonczona, std::uint8_t(1));
        QCOMPARE(gra.ruchy, 4);
        QVERIFY(Form5->isVisible());
        aktywuj(Form1);
        nowagra(3, 3, 1, 0, true); // a demonstration's tiles ignore the keys and the mouse
        const QString demo = planszajakotekst();
        plansza[1][1]->setFocus();
        klawisze("SNE");
        QTest::mouseClick(plansza[1][1], Qt::LeftButton);
        QCOMPARE(planszajakotekst(), demo);
        QCOMPARE(gra.ruchy, 0);
    }

    // A new board takes the focus only where the player had it on the old one.
    void fokusponowejgrze()
    {
        nowagra(5, 5, 1);
        QCOMPARE(klawisze(""), QStringLiteral("-"));
        plansza[4][2]->setFocus();
        nowagra(3, 4, 1);
        QCOMPARE(klawisze(""), QStringLiteral("2,3"));
        Opcje->openCentred();
        aktywuj(Opcje);
        nowagra(3, 3, 1);
        aktywuj(Form1);
        QCOMPARE(klawisze(""), QStringLiteral("-"));
        QCOMPARE(klawisze("T"), QStringLiteral("0,0"));
    }

    // A black and white frame on every colour; without focus, the tile as before.
    void ramka()
    {
        nowagra(3, 3, 3);
        for (int s = 0; s <= 3; ++s) {
            ustawstan(plansza[1][1], std::uint8_t(s));
            const QImage bez = plansza[1][1]->grab().toImage();
            plansza[1][1]->setFocus();
            const QImage z = plansza[1][1]->grab().toImage();
            int ciemne = 0, jasne = 0;
            for (int y = 0; y < z.height(); ++y)
                for (int x = 0; x < z.width(); ++x)
                    if (z.pixel(x, y) != bez.pixel(x, y)) {
                        ciemne += qGray(z.pixel(x, y)) < 40;
                        jasne += qGray(z.pixel(x, y)) > 215;
                    }
            QVERIFY2(ciemne >= 100 && jasne >= 100, qPrintable(QStringLiteral("stan %1").arg(s)));
            plansza[1][1]->clearFocus();
            QCOMPARE(plansza[1][1]->grab().toImage(), bez);
        }
    }

    // A board is named once, after its scramble: a screen reader is not sent
    // the hundreds of colours it passes through. A press has the pressed tile
    // read again: for assistive technology it is a tile it has not read yet.
    void nazwyposcramble()
    {
        nowagra(3, 3, 2);
        const QStringList przed = nazwypol();
        wczasiemieszania.clear();
        wymieszaj(false, [](QObject* g) {
            Form1->przyciskiClick(g);
            wczasiemieszania << nazwypol();
        });
        QCOMPARE(wczasiemieszania, QSet<QStringList>{przed});
        for (int i = 0; i < 9; ++i) // and then with the colours the scramble left
            QVERIFY(plansza[i / 3][i % 3]->accessibleName().endsWith(nazwakoloru(plansza[i / 3][i % 3]->stan)));

        ustawplansze(QStringLiteral("000/000/000"));
        plansza[1][1]->setFocus();
        const auto id = [](QWidget* w) { return QAccessible::uniqueId(QAccessible::queryAccessibleInterface(w)); };
        const QAccessible::Id srodek = id(plansza[1][1]), obok = id(plansza[1][2]);
        klawisze("S");
        QVERIFY(id(plansza[1][1]) != srodek);
        QCOMPARE(id(plansza[1][2]), obok); // a tile without the focus keeps its identity
        QCOMPARE(nazwa(plansza[1][1]), QStringLiteral("kolumna 2, wiersz 2, czerwony"));
    }

    // Round every control the keyboard reaches, a black and white ring, once
    // a key is pressed; none after a mouse press: the windows as before.
    void znakfokusu()
    {
        Form4->FormShow();
        aktywuj(Form4);
        QTest::mouseClick(Form4->Label1, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Form4->Button1);
        const QImage mysz = Form4->grab().toImage();
        QTest::keyClick(Form4, Qt::Key_Shift);
        QVERIFY(pierscien(Form4, Form4->Button1->geometry()));
        QTest::keyClick(Form4, Qt::Key_Tab);
        QVERIFY(pierscien(Form4, Form4->listar->geometry()));
        QTest::keyClick(Form4, Qt::Key_Tab);
        QTest::mouseClick(Form4->Label1, Qt::LeftButton);
        QCOMPARE(Form4->grab().toImage(), mysz);

        Opcje->openCentred();
        aktywuj(Opcje);
        QTest::keyClick(Opcje, Qt::Key_Shift);
        QCOMPARE(QApplication::focusWidget(), Opcje->TrackBar1);
        // Round the slider's groove and handle, clear of the label above it.
        const QImage o = Opcje->grab().toImage();
        const QRect s = Opcje->TrackBar1->geometry();
        int czarne = 0;
        for (int y = s.top() - 3; y < s.bottom() + 3; ++y)
            czarne += o.pixel(s.left() + 100, y) == qRgb(0, 0, 0);
        QCOMPARE(czarne, 4);
        int gora = 0;
        while (o.pixel(s.left() + 100, gora) != qRgb(0, 0, 0))
            ++gora;
        QVERIFY(gora >= s.top());
        QTest::mouseClick(Opcje->Label1, Qt::LeftButton);

        // Alt takes the focus into the menu bar: the ring lies in its first item.
        aktywuj(Form1);
        QTest::keyClick(Form1, Qt::Key_Alt);
        QMenuBar* m = Form1->menuBar();
        QTRY_COMPARE(QApplication::focusWidget(), m);
        QTRY_VERIFY(m->activeAction());
        const QRect r = m->actionGeometry(m->activeAction()).adjusted(3, 3, -3, -3);
        QTRY_VERIFY(pierscien(Form1, r.translated(m->pos())));
        QTest::keyClick(m, Qt::Key_Escape);
    }

    // Colour-blind marks when asked for: one, two and three dots on states
    // 1 to 3, on the board and on the strip, so that the four tell apart in
    // grey; asked for by the argument too.
    void znaczkikolorow()
    {
        qputenv("ZMIENIARKA_ZNACZKI", "1");
        okna.reset();
        okna = std::make_unique<ZestawOkien>();
        qunsetenv("ZMIENIARKA_ZNACZKI");
        nowagra(4, 3, 3);
        ustawplansze(QStringLiteral("0123/0000/0000"));
        QList<int> kropki;
        for (int s = 0; s <= 3; ++s) {
            const QImage t = plansza[0][s]->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
            int czarne = 0;
            for (int y = 0; y < t.height(); ++y)
                for (int x = 0; x < t.width(); ++x)
                    czarne += qGray(t.pixel(x, y)) < 24;
            kropki << czarne;
        }
        QVERIFY2(kropki[0] < 10 && kropki[1] > 25 && kropki[2] > kropki[1] + 25 && kropki[3] > kropki[2] + 25,
                 qPrintable(QString::number(kropki[0]) + ' ' + QString::number(kropki[1]) + ' '
                            + QString::number(kropki[2]) + ' ' + QString::number(kropki[3])));
        QCOMPARE(plansza[0][0]->glyph().toImage(), BitmapButton::masked(QPixmap(QStringLiteral(":/kratka2.bmp"))).toImage());
        const auto srodek = [](const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_RGB32).copy(1, 1, 47, 47); };
        QCOMPARE(srodek(Form6->Image3->picture()), srodek(Form1->kratka(2)->glyph()));
        QVERIFY(srodek(Form6->Image3->picture()) != srodek(QPixmap(QStringLiteral(":/kratka1b.bmp"))));

        wybierzznaczki({QStringLiteral("zmieniarka")});
        QVERIFY(!znaczki);
        wybierzznaczki({QStringLiteral("zmieniarka"), QStringLiteral("--znaczki")});
        QVERIFY(znaczki);
        znaczki = false;
    }

    void dostepnosc()
    {
        nowagra(4, 3, 2);
        ustawplansze(QStringLiteral("0000/0010/0000"));
        QCOMPARE(nazwa(plansza[1][2]), QStringLiteral("kolumna 3, wiersz 2, czerwony"));
        QTest::mouseClick(plansza[1][2], Qt::LeftButton);
        QCOMPARE(nazwa(plansza[1][2]), QString::fromUtf8("kolumna 3, wiersz 2, żółty"));
        QCOMPARE(nazwa(plansza[0][2]), QStringLiteral("kolumna 3, wiersz 1, czerwony"));
        QCOMPARE(nazwa(Form6->Image4), QStringLiteral("szary")); // the strip's order of colours
        nowagra(3, 3, 3);
        QCOMPARE(nazwa(Form6->Image4), QStringLiteral("zielony"));
        // The strip is read from the left, pictures as pictures; the records
        // table by its heading.
        QAccessibleInterface* p = QAccessible::queryAccessibleInterface(Form6);
        QStringList pasek;
        for (int i = 0; i < 4; ++i)
            pasek << p->child(i)->text(QAccessible::Name) + (p->child(i)->role() == QAccessible::Graphic ? "*" : "");
        QCOMPARE(pasek.join(' '), QString::fromUtf8("szary* ⇒ czerwony* ⇒"));
        Form4->show(); // its table is made as it first opens
        QCOMPARE(nazwa(Form4->listar), QStringLiteral("Najlepsi zmieniacze"));

        for (QWidget* w : std::initializer_list<QWidget*>{Opcje, Form3, Form5}) {
            QCOMPARE(QAccessible::queryAccessibleInterface(w)->role(), QAccessible::Dialog);
            QCOMPARE(nazwa(w), w->windowTitle());
        }
        QCOMPARE(nazwa(Opcje->TrackBar1), QStringLiteral("Wymiar X"));
        QCOMPARE(nazwa(Opcje->TrackBar3), QString::fromUtf8("Ilość kolorów"));
        Form5->show(); // its name box is made as it first opens
        QCOMPARE(nazwa(Form5->imiewpis), QString::fromUtf8("Podaj swoje imię:"));
        // ... and read between its prompt and OK.
        QAccessibleInterface* koniec = QAccessible::queryAccessibleInterface(Form5);
        QList<QObject*> kolejnosc;
        for (int i = 0; i < koniec->childCount(); ++i)
            kolejnosc << koniec->child(i)->object();
        QCOMPARE(kolejnosc.indexOf(Form5->imiewpis), kolejnosc.indexOf(Form5->Label4) + 1);
        QCOMPARE(kolejnosc.indexOf(Form5->Button1), kolejnosc.indexOf(Form5->imiewpis) + 1);
        // The shadows are drawing, not text: each title is read once.
        for (QWidget* w : std::initializer_list<QWidget*>{Form3, Form5}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QStringList teksty;
            for (int i = 0; i < a->childCount(); ++i)
                teksty << a->child(i)->text(QAccessible::Name);
            QCOMPARE(teksty.filter(QRegularExpression(QStringLiteral("^(ZMIENIARKA|BRAWO!)"))).size(), 1);
        }
    }
};

ZM_TEST_MAIN(TestKlawiatura)
#include "tst_klawiatura.moc"
