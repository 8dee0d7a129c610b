// The options dialog: sliders and check box written into ustawienia at
// once, out-of-range stored values brought into range at the opening, the
// keys, the tab order, and no default or cancel button.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>

#include "app/menu.h"
#include "app/start.h"
#include "game/plansza.h"
#include "okna.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/opcje.h"

class TestOpcje : public TestOkien {
    Q_OBJECT

    static void otworz()
    {
        MainMenu1->Opcje1Click();
        QVERIFY(Opcje->isVisible());
        Opcje->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Opcje));
    }

private Q_SLOTS:
    void domyslne()
    {
        otworz();
        QCOMPARE(Opcje->ilex->text(), QStringLiteral("5"));
        QCOMPARE(Opcje->iley->text(), QStringLiteral("5"));
        QCOMPARE(Opcje->ilek->text(), QStringLiteral("1"));
        QVERIFY(!Opcje->CheckBox1->isChecked());
        QCOMPARE(Opcje->CheckBox1->text(), QStringLiteral("Przechodzenie na brzegach na drugą stronę"));
        for (QSlider* s : {Opcje->TrackBar1, Opcje->TrackBar2, Opcje->TrackBar3}) {
            QCOMPARE(s->tickPosition(), QSlider::TicksBothSides);
            QCOMPARE(s->tickInterval(), 1);
        }
        QCOMPARE(Opcje->TrackBar1->maximum(), 10);
        QCOMPARE(Opcje->TrackBar3->maximum(), 3);
        // Bold reads as bold: the stem of the "1" is 2 px of ink, not 1.
        const QPixmap jedynka = Opcje->ilek->grab();
        const QList<int> wiersze = wierszezatramentem(jedynka);
        const QImage obraz = jedynka.toImage();
        int ciemne = 0;
        for (int x = 0; x < obraz.width(); ++x)
            ciemne += qGray(obraz.pixel(x, wiersze[wiersze.size() / 2])) < 128;
        QCOMPARE(ciemne, 2);
    }

    // A damaged settings file: the sliders clamp, and the clamped values go
    // back into ustawienia as soon as the dialog opens.
    void zakres_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("po"); // x y K on the sliders, on their labels, in ustawienia
        QTest::newRow("zeros") << 0 << 0 << 0 << "3 3 1";
        QTest::newRow("too big") << 200 << 200 << 7 << "10 10 3";
        QTest::newRow("7 fits the sizes") << 7 << 7 << 7 << "7 7 3";
        QTest::newRow("the slider's own position") << 5 << 200 << 1 << "5 10 1";
        QTest::newRow("just outside") << 2 << 11 << 4 << "3 10 3";
        QTest::newRow("255") << 255 << 255 << 255 << "10 10 3";
    }
    void zakres()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, k);
        QFETCH(QString, po);
        ustawienia = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(k), 0};
        otworz();
        const auto trzy = [](auto a, auto b, auto c) { return QStringLiteral("%1 %2 %3").arg(a).arg(b).arg(c); };
        QCOMPARE(trzy(Opcje->TrackBar1->value(), Opcje->TrackBar2->value(), Opcje->TrackBar3->value()), po);
        QCOMPARE(trzy(Opcje->ilex->text(), Opcje->iley->text(), Opcje->ilek->text()), po);
        QCOMPARE(trzy(int(ustawienia.x), int(ustawienia.y), int(ustawienia.kolory)), po);

        // Again on the next opening, also while the dialog is open.
        ustawienia.x = 0;
        ustawienia.kolory = 9;
        MainMenu1->Opcje1Click();
        QCOMPARE(int(ustawienia.x), 3);
        QCOMPARE(int(ustawienia.kolory), 3);
        QCOMPARE(Opcje->ilex->text(), QStringLiteral("3"));
    }

    // Any non-zero byte checks the box; the byte is rewritten, as 1 or 0,
    // only when the box changes its state, by the player or by the opening.
    void przejscie()
    {
        ustawienia.przejscie = 7;
        otworz();
        QVERIFY(Opcje->CheckBox1->isChecked());
        QCOMPARE(int(ustawienia.przejscie), 1); // the box went from clear to checked
        QTest::mouseClick(Opcje->CheckBox1, Qt::LeftButton);
        QCOMPARE(int(ustawienia.przejscie), 0);
        QTest::keyClick(Opcje->CheckBox1, Qt::Key_Space);
        QCOMPARE(int(ustawienia.przejscie), 1);

        // The box is checked already: a stored 200 stays as it is.
        ustawienia.przejscie = 200;
        MainMenu1->Opcje1Click();
        QVERIFY(Opcje->CheckBox1->isChecked());
        QCOMPARE(int(ustawienia.przejscie), 200);
        ustawienia.przejscie = 0;
        MainMenu1->Opcje1Click();
        QVERIFY(!Opcje->CheckBox1->isChecked());
        QCOMPARE(int(ustawienia.przejscie), 0);
    }

    // Arrows by 1, page keys by 2, stopped at the ends; every step lands in
    // the label and in ustawienia at once.
    void klawisze_data()
    {
        QTest::addColumn<int>("suwak");
        QTest::addColumn<QList<int>>("klawisze");
        QTest::addColumn<QList<int>>("pozycje");
        const int prawo = Qt::Key_Right, lewo = Qt::Key_Left, gora = Qt::Key_PageUp, dol = Qt::Key_PageDown;
        QTest::newRow("x arrows") << 1 << QList<int>{prawo, prawo, lewo} << QList<int>{6, 7, 6};
        QTest::newRow("x pages") << 1 << QList<int>{gora, gora, gora, gora} << QList<int>{7, 9, 10, 10};
        QTest::newRow("y down to 3") << 2 << QList<int>{dol, lewo, lewo} << QList<int>{3, 3, 3};
        QTest::newRow("colours") << 3 << QList<int>{prawo, prawo, prawo, dol, gora} << QList<int>{2, 3, 3, 1, 3};
    }
    void klawisze()
    {
        QFETCH(int, suwak);
        QFETCH(QList<int>, klawisze);
        QFETCH(QList<int>, pozycje);
        otworz();
        QSlider* s = suwak == 1 ? Opcje->TrackBar1 : suwak == 2 ? Opcje->TrackBar2 : Opcje->TrackBar3;
        QLabel* l = suwak == 1 ? Opcje->ilex : suwak == 2 ? Opcje->iley : Opcje->ilek;
        std::uint8_t& pole = suwak == 1 ? ustawienia.x : suwak == 2 ? ustawienia.y : ustawienia.kolory;
        s->setFocus();
        for (int i = 0; i < klawisze.size(); ++i) {
            QTest::keyClick(s, Qt::Key(klawisze[i]));
            QCOMPARE(s->value(), pozycje[i]);
            QCOMPARE(l->text(), QString::number(pozycje[i]));
            QCOMPARE(int(pole), pozycje[i]);
        }
        QVERIFY(Opcje->isVisible());
    }

    // Dragging: every position on the way is stored, before any OK.
    void przeciaganie()
    {
        otworz();
        QSlider* s = Opcje->TrackBar1;
        QList<int> widziane;
        connect(s, &QSlider::valueChanged, this, [&] { widziane.append(ustawienia.x); });
        QStyleOptionSlider o;
        o.initFrom(s);
        o.orientation = s->orientation();
        o.minimum = s->minimum();
        o.maximum = s->maximum();
        o.sliderPosition = o.sliderValue = s->value();
        o.tickPosition = s->tickPosition();
        o.tickInterval = s->tickInterval();
        o.subControls = QStyle::SC_All;
        const QPoint uchwyt = s->style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, s).center();
        QTest::mousePress(s, Qt::LeftButton, {}, uchwyt);
        for (int dx = 0; dx <= 100; dx += 10)
            QTest::mouseMove(s, uchwyt + QPoint(dx, 0));
        QTest::mouseRelease(s, Qt::LeftButton, {}, uchwyt + QPoint(100, 0));
        QVERIFY(widziane.size() >= 2);
        QCOMPARE(widziane.last(), s->value());
        QVERIFY(s->value() > 6);
        QCOMPARE(Opcje->ilex->text(), QString::number(s->value()));
    }

    void kolejnosctabulacji()
    {
        otworz();
        QCOMPARE(QApplication::focusWidget(), Opcje->TrackBar1);
        const QList<QWidget*> kolejne = {Opcje->TrackBar2, Opcje->OK, Opcje->CheckBox1, Opcje->TrackBar3,
                                         Opcje->TrackBar1};
        for (QWidget* w : kolejne) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w);
        }
    }

    // OK is no default button and there is no cancel: Enter acts only on
    // OK itself, Esc never closes the dialog.
    void entereskape()
    {
        otworz();
        QTest::keyClick(Opcje->TrackBar1, Qt::Key_Right);
        QTest::keyClick(Opcje->TrackBar1, Qt::Key_Return);
        QTest::keyClick(Opcje->TrackBar1, Qt::Key_Escape);
        QTest::keyClick(Opcje, Qt::Key_Escape);
        QVERIFY(Opcje->isVisible());
        Opcje->CheckBox1->setFocus();
        QTest::keyClick(Opcje->CheckBox1, Qt::Key_Return);
        QVERIFY(Opcje->isVisible());
        QVERIFY(!Opcje->OK->isDefault());

        Opcje->OK->setFocus();
        QTest::keyClick(Opcje->OK, Qt::Key_Escape);
        QVERIFY(Opcje->isVisible());
        QTest::keyClick(Opcje->OK, Qt::Key_Return);
        QVERIFY(!Opcje->isVisible());
        QCOMPARE(int(ustawienia.x), 6); // kept, nothing undone

        otworz();
        QTest::mouseClick(Opcje->OK, Qt::LeftButton);
        QVERIFY(!Opcje->isVisible());
    }

    // The game on screen keeps its copy; the next start takes the new
    // values, also with the dialog still open. Never confirmed, they are
    // still saved when the game window closes.
    void zmianapodczasgry()
    {
        Form1->Nowa1Click();
        otworz();
        QTest::keyClick(Opcje->TrackBar1, Qt::Key_Right);
        QTest::keyClick(Opcje->TrackBar3, Qt::Key_Right);
        QTest::mouseClick(Opcje->CheckBox1, Qt::LeftButton);
        Form1->Timer1Timer();
        QCOMPARE(int(gra.x), 5);
        QCOMPARE(int(gra.kolory), 1);
        QCOMPARE(int(gra.przejscie), 0);
        QCOMPARE(Form1->rozmiarklienta(), QSize(245, 265));
        Form1->Nowa1Click();
        QVERIFY(Opcje->isVisible());
        QCOMPARE(int(gra.x), 6);
        QCOMPARE(int(gra.kolory), 2);
        QCOMPARE(int(gra.przejscie), 1);
        QCOMPARE(Form1->rozmiarklienta(), QSize(292, 265));

        Form1->close();
        QFile f(okna->sciezka(QStringLiteral("zmieniarka.cfg")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray::fromHex("06050201"));
    }
};

ZM_TEST_MAIN(TestOpcje)
#include "tst_opcje.moc"
