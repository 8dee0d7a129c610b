// Play without a mouse, and what assistive technology is told.
#include <QAccessible>
#include <QLineEdit>
#include <QSlider>

#include "okna.h"
#include "planszatekstem.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form3.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"

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
            QCOMPARE(teksty.filter(QRegularExpression(QStringLiteral("^(ZMIENIARKA|BRAWO!)$"))).size(), 1);
        }
    }
};

ZM_TEST_MAIN(TestKlawiatura)
#include "tst_klawiatura.moc"
