// Play without a mouse, and what assistive technology is told.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form3.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"

class TestKlawiatura : public QObject {
    Q_OBJECT
    std::unique_ptr<ZestawOkien> okna;

    static void start(int x, int y, int k, int przejscie = 0, bool demo = false)
    {
        ustawienia = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(k), std::uint8_t(przejscie)};
        demo ? Form1->Demo1Click() : Form1->Nowa1Click();
    }
    static void aktywuj(QWidget* w)
    {
        w->activateWindow();
        // The helper strip's first showing may still be activating.
        QTRY_COMPARE(QApplication::activeWindow(), w);
    }
    // The focused place as "column,row", or "-" when no tile has the focus.
    static QString fokus()
    {
        auto* g = qobject_cast<guzik*>(QApplication::focusWidget());
        return g ? QStringLiteral("%1,%2").arg(g->kolumna).arg(g->wiersz) : QStringLiteral("-");
    }
    static void klawisz(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
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
        start(4, 3, 1);
        plansza[0][0]->setFocus();
        for (Qt::Key k : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right})
            klawisz(k);
        QCOMPARE(fokus(), QStringLiteral("2,1"));
        // Without wrap-around the edge stops the focus.
        for (Qt::Key k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right})
            klawisz(k);
        QCOMPARE(fokus(), QStringLiteral("3,0"));
        start(4, 3, 1, 1);
        plansza[0][0]->setFocus();
        klawisz(Qt::Key_Left);
        QCOMPARE(fokus(), QStringLiteral("3,0"));
        klawisz(Qt::Key_Up);
        QCOMPARE(fokus(), QStringLiteral("3,2"));
        klawisz(Qt::Key_Down);
        QCOMPARE(fokus(), QStringLiteral("3,0"));
        QCOMPARE(gra.ruchy, 0);
    }

    // Space, Enter and Return press the tile through the move rule.
    void nacisniecia()
    {
        start(3, 3, 2);
        ustawplansze(QStringLiteral("000/000/000"));
        plansza[0][0]->setFocus();
        klawisz(Qt::Key_Space);
        QCOMPARE(planszajakotekst(), QStringLiteral("110/100/000"));
        klawisz(Qt::Key_Right);
        klawisz(Qt::Key_Return);
        QCOMPARE(planszajakotekst(), QStringLiteral("221/110/000"));
        klawisz(Qt::Key_Enter);
        QCOMPARE(planszajakotekst(), QStringLiteral("002/120/000"));
        QCOMPARE(gra.ruchy, 3);
        // The winning press ends the game as a click does.
        ustawplansze(QStringLiteral("212/111/212"));
        plansza[1][1]->setFocus();
        klawisz(Qt::Key_Space);
        QCOMPARE(gra.zakonczona, std::uint8_t(1));
        QCOMPARE(gra.ruchy, 4);
        QVERIFY(Form5->isVisible());
        // A demonstration's tiles ignore the keys.
        aktywuj(Form1);
        start(3, 3, 1, 0, true);
        const QString demo = planszajakotekst();
        plansza[1][1]->setFocus();
        for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            klawisz(k);
        QCOMPARE(planszajakotekst(), demo);
        QCOMPARE(gra.ruchy, 0);
    }

    // A new board takes the focus only where the player had it on the old one.
    void fokusponowejgrze()
    {
        start(5, 5, 1);
        QCOMPARE(fokus(), QStringLiteral("-"));
        plansza[4][2]->setFocus();
        start(3, 4, 1);
        QCOMPARE(fokus(), QStringLiteral("2,3"));
        QTest::keyClick(Form1, Qt::Key_F2);
        QCOMPARE(fokus(), QStringLiteral("2,3"));
        Opcje->openCentred();
        aktywuj(Opcje);
        start(3, 3, 1);
        aktywuj(Form1);
        QCOMPARE(fokus(), QStringLiteral("-"));
        klawisz(Qt::Key_Tab);
        QCOMPARE(fokus(), QStringLiteral("0,0"));
    }

    // The focus frame shows on every colour; without focus the tile is as before.
    void ramka()
    {
        start(3, 3, 3);
        for (int s = 0; s <= 3; ++s) {
            ustawplansze(QStringLiteral("000/000/000"));
            for (int i = 0; i < s; ++i)
                zmienpole(2, 2);
            const QImage bez = plansza[1][1]->grab().toImage();
            plansza[1][1]->setFocus();
            const QImage z = plansza[1][1]->grab().toImage();
            int ciemne = 0, jasne = 0;
            for (int y = 0; y < z.height(); ++y)
                for (int x = 0; x < z.width(); ++x)
                    if (z.pixel(x, y) != bez.pixel(x, y)) {
                        const int l = qGray(z.pixel(x, y));
                        ciemne += l < 40;
                        jasne += l > 215;
                    }
            QVERIFY2(ciemne >= 100 && jasne >= 100, qPrintable(QStringLiteral("stan %1: %2 ciemnych, %3 jasnych").arg(s).arg(ciemne).arg(jasne)));
            plansza[1][1]->clearFocus();
            QCOMPARE(plansza[1][1]->grab().toImage(), bez);
        }
    }

    void dostepnosc()
    {
        start(4, 3, 2);
        ustawplansze(QStringLiteral("0000/0000/0000"));
        zmienpole(3, 2);
        QCOMPARE(nazwa(plansza[1][2]), QStringLiteral("kolumna 3, wiersz 2, czerwony"));
        QCOMPARE(nazwa(plansza[0][2]), QStringLiteral("kolumna 3, wiersz 1, szary"));
        QTest::mouseClick(plansza[1][2], Qt::LeftButton);
        QCOMPARE(nazwa(plansza[1][2]), QString::fromUtf8("kolumna 3, wiersz 2, żółty"));
        QCOMPARE(nazwa(plansza[0][2]), QStringLiteral("kolumna 3, wiersz 1, czerwony"));
        QCOMPARE(nazwa(Form6->Image4), QStringLiteral("szary")); // the strip's order of colours
        start(3, 3, 3);
        ustawplansze(QStringLiteral("222/222/222"));
        zmienpole(1, 1);
        QCOMPARE(nazwa(plansza[0][0]), QStringLiteral("kolumna 1, wiersz 1, zielony"));
        QCOMPARE(nazwa(Form6->Image4), QStringLiteral("zielony"));

        for (QWidget* w : {static_cast<QWidget*>(Opcje), static_cast<QWidget*>(Form3), static_cast<QWidget*>(Form5)}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QCOMPARE(a->role(), QAccessible::Dialog);
            QCOMPARE(a->text(QAccessible::Name), w->windowTitle());
        }
        QCOMPARE(nazwa(Opcje->TrackBar1), QStringLiteral("Wymiar X"));
        QCOMPARE(nazwa(Opcje->TrackBar3), QString::fromUtf8("Ilość kolorów"));
        QCOMPARE(nazwa(Form5->imiewpis), QString::fromUtf8("Podaj swoje imię:"));
        // The shadows are drawing, not text: each title is read once.
        for (QWidget* w : {static_cast<QWidget*>(Form3), static_cast<QWidget*>(Form5)}) {
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
