// The game window with the whole window set: sizes, starts, the clock and
// its status texts, the demonstration, the menu keys, minimising, closing.
#include <optional>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "app/menu.h"
#include "app/start.h"
#include "game/mieszanie.h"
#include "okna.h"
#include "planszatekstem.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"

class TestForm1 : public TestOkien {
    Q_OBJECT
private Q_SLOTS:
    void startokien()
    {
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Zmieniarka"));
        QCOMPARE(Form1->rozmiarklienta(), QSize(361, 311));
        QCOMPARE(Form1->StatusBar1->height(), 20);
        QCOMPARE(Form1->StatusBar1->y() + 20, Form1->height());
        QCOMPARE(Form1->panel(0), QString());
        QCOMPARE(Form1->panel(1), QString());
        QCOMPARE(gra.stan, bezczynna);
        QCOMPARE(gra.x, std::uint8_t(1));
        QVERIFY(Form1->obszar->findChildren<guzik*>().isEmpty());
        QVERIFY(Form1->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(Form1->windowFlags() & Qt::WindowMaximizeButtonHint));

        struct Okno { QWidget* w; const char* tytul; QSize rozmiar; bool naWierzchu; bool widoczne; };
        const Okno okna[] = {
            {Opcje, "Opcje", {265, 280}, true, false},
            {Form3, "O programie", {267, 208}, true, false},
            {Form4, "Lista rekordów", {364, 376}, true, false},
            {Form5, "Koniec gry", {286, 222}, false, false},
            {Form6, "Pomocnik", {335, 47}, false, true},
        };
        for (const Okno& o : okna) {
            QVERIFY(o.w);
            QCOMPARE(o.w->windowTitle(), QString::fromUtf8(o.tytul));
            QCOMPARE(o.w->size(), o.rozmiar);
            QCOMPARE(bool(o.w->windowFlags() & Qt::WindowStaysOnTopHint), o.naWierzchu);
            QCOMPARE(o.w->isVisible(), o.widoczne);
            // Kept above the game window, or free to go behind it.
            QCOMPARE((o.w->windowFlags() & Qt::WindowType_Mask) == Qt::Tool, o.naWierzchu);
            QVERIFY(!(o.w->windowFlags() & Qt::WindowCloseButtonHint));
            QVERIFY(o.w->minimumSize() == o.w->maximumSize());
        }

        // The menu: items, captions and keys in order, and the strip's mark.
        QStringList menu;
        for (QAction* m : Form1->menuBar()->actions()) {
            menu << m->text();
            for (QAction* a : m->menu()->actions())
                menu << QStringLiteral("%1 %2%3").arg(a->text(), a->shortcut().toString(), a->isChecked() ? "✓" : "");
        }
        QCOMPARE(menu, (QStringList{"Gra", "Nowa F2", "Demo F3", "Opcje F4", "Lista rekordów F5", "Wyjście F10",
                                    "Pomoc", "O programie F1", "Pomocnik ✓"}));
    }

    void rozmiary_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QSize>("klient");
        QTest::addColumn<QRect>("ostatni"); // the last tile, 5 px from the right and bottom edges
        QTest::newRow("3x3") << 3 << 3 << QSize(151, 171) << QRect(99, 99, 47, 47);
        QTest::newRow("10x10") << 10 << 10 << QSize(480, 500) << QRect(428, 428, 47, 47);
        QTest::newRow("10x3") << 10 << 3 << QSize(480, 171) << QRect(428, 99, 47, 47);
        QTest::newRow("4x7") << 4 << 7 << QSize(198, 359) << QRect(146, 287, 47, 47);
    }
    void rozmiary()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QSize, klient);
        QFETCH(QRect, ostatni);
        for (bool demo : {false, true}) {
            nowagra(x, y, 2, 0, demo);
            QCOMPARE(Form1->rozmiarklienta(), klient);
            QCOMPARE(Form1->obszar->size(), klient - QSize(0, 20));
            // Both panels inside the window, the move panel to its right
            // edge; the time panel is 115 px wherever there is room for it.
            auto* czas = Form1->StatusBar1->findChild<QLabel*>(QStringLiteral("panel0"));
            auto* ruchy = Form1->StatusBar1->findChild<QLabel*>(QStringLiteral("panel1"));
            QCOMPARE(ruchy->geometry().right(), klient.width() - 1);
            QVERIFY(ruchy->width() >= 50);
            QVERIFY(czas->geometry().right() < ruchy->x());
            if (klient.width() >= 173)
                QCOMPARE(czas->width(), 115);
            QCOMPARE(Form1->obszar->findChildren<guzik*>().size(), x * y);
            QCOMPARE(plansza[0][0]->geometry(), QRect(5, 5, 47, 47));
            QCOMPARE(plansza[y - 1][x - 1]->geometry(), ostatni);
            QCOMPARE(gra.stan, demo ? demotrwa : gratrwa);
            QCOMPARE(gra.ruchy, 0);
        }
    }

    // Only a damaged settings file can hold these; no game runs with them.
    void zakresy_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("naplanszy"); // x y K of the board
        QTest::newRow("zeros") << 0 << 0 << 0 << "3 3 1";
        QTest::newRow("too big") << 200 << 11 << 7 << "10 10 3";
        QTest::newRow("edges") << 3 << 10 << 3 << "3 10 3";
    }
    void zakresy()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, k);
        QFETCH(QString, naplanszy);
        for (bool demo : {false, true}) {
            nowagra(x, y, k, 5, demo);
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(int(gra.x)).arg(int(gra.y)).arg(int(gra.kolory)), naplanszy);
            QCOMPARE(Form1->obszar->findChildren<guzik*>().size(), gra.x * gra.y);
            for (int i = 0; i < gra.y; ++i)
                for (int j = 0; j < gra.x; ++j)
                    QVERIFY(plansza[i][j]->stan <= gra.kolory);
            // ustawienia itself is left as read; the options dialog clamps it.
            QCOMPARE(int(ustawienia.x), x);
        }
    }

    void zegar()
    {
        nowagra(5, 5, 1);
        QCOMPARE(Form1->panel(0), QString()); // empty until the first tick
        Form1->Timer1Timer();
        QCOMPARE(Form1->panel(0), QStringLiteral("Czas: .1 sek."));
        QCOMPARE(Form1->panel(1), QStringLiteral("Ruchy: 0"));
        Form1->Timer1->Tag = 8;
        Form1->Timer1Timer();
        QCOMPARE(Form1->panel(0), QStringLiteral("Czas: .9 sek."));
        QTest::mouseClick(plansza[2][2], Qt::LeftButton);
        QTest::mouseClick(plansza[0][0], Qt::LeftButton);
        QCOMPARE(gra.ruchy, 2);
        QCOMPARE(Form1->panel(1), QStringLiteral("Ruchy: 0")); // trails until the tick
        Form1->Timer1Timer();
        QCOMPARE(Form1->panel(0), QStringLiteral("Czas: 1.0 sek."));
        QCOMPARE(Form1->panel(1), QStringLiteral("Ruchy: 2"));
        Form1->Timer1->Tag = 999;
        Form1->Timer1Timer();
        QCOMPARE(Form1->panel(0), QStringLiteral("Czas: 100.0 sek."));
        QCOMPARE(tekstczasu(1234), QStringLiteral("Czas: 123.4 sek."));

        // A new game discards the running one: clock from 0, texts empty.
        Form1->Nowa1Click();
        QCOMPARE(Form1->Timer1->Tag, 0);
        QCOMPARE(Form1->panel(0), QString());
        QCOMPARE(Form1->panel(1), QString());
        QVERIFY(!Form5->isVisible());

        // No board, no clock.
        Form1->wyczyscplansze();
        Form1->Timer1Timer();
        QCOMPARE(Form1->Timer1->Tag, 0);
        QCOMPARE(Form1->panel(0), QString());
    }

    // The winning click of a played game: counted, dialog open, clock stopped.
    void wygrana()
    {
        nowagra(3, 3, 2);
        Form1->Timer1->Tag = 41;
        Form1->Timer1Timer();
        QCOMPARE(Form1->panel(1), QStringLiteral("Ruchy: 0"));
        ustawplansze(QStringLiteral("212/111/212"));
        gra.ruchy = 5;
        QTest::mouseClick(plansza[1][1], Qt::LeftButton);
        QCOMPARE(planszajakotekst(), QStringLiteral("222/222/222"));
        QCOMPARE(gra.ruchy, 6);
        QCOMPARE(gra.stan, bezczynna);
        QCOMPARE(gra.zakonczona, std::uint8_t(1));
        QVERIFY(Form5->isVisible());
        QCOMPARE(Form1->panel(0), QString());
        QCOMPARE(Form1->panel(1), QStringLiteral("Ruchy: 0"));
        Form1->Timer1Timer();
        QCOMPARE(Form1->Timer1->Tag, 42);
        // The finished board still takes clicks, without a second ending.
        Form5->hide();
        QTest::mouseClick(plansza[0][0], Qt::LeftButton);
        QCOMPARE(gra.ruchy, 7);
        QTest::mouseClick(plansza[0][0], Qt::LeftButton);
        QTest::mouseClick(plansza[0][0], Qt::LeftButton);
        QCOMPARE(planszajakotekst(), QStringLiteral("222/222/222"));
        QVERIFY(!Form5->isVisible());
        // A new game removes the finished board and empties both texts.
        Form1->Timer1Timer();
        nowagra(4, 3, 1);
        QCOMPARE(Form1->panel(1), QString());
        QCOMPARE(gra.zakonczona, std::uint8_t(0));
        QCOMPARE(Form1->obszar->findChildren<guzik*>().size(), 12);
    }

    // A demonstration solves its own board on the timer, without a dialog:
    // seed 7 scrambles with 115 clicks, undone on 115 ticks at one colour.
    void demonstracja()
    {
        ustawziarno(7);
        nowagra(3, 4, 1, 0, true);
        Form1->Timer1->setInterval(1);
        Form1->Timer1->start();
        QTRY_COMPARE_WITH_TIMEOUT(gra.zakonczona, std::uint8_t(1), 20000);
        Form1->Timer1->stop();
        QCOMPARE(gra.stan, bezczynna);
        QCOMPARE(planszajakotekst(), QStringLiteral("111/111/111/111"));
        QVERIFY(!Form5->isVisible());
        QCOMPARE(gra.ruchy, 115);
        // Both texts as the last tick left them, the move count before its click.
        QCOMPARE(Form1->panel(0), QStringLiteral("Czas: 11.5 sek."));
        QCOMPARE(Form1->panel(1), QStringLiteral("Ruchy: 114"));
    }

    // A new game or demonstration during a demonstration stops the replay.
    void demoprzerwane()
    {
        nowagra(5, 5, 3, 0, true);
        for (int i = 0; i < 4; ++i)
            Form1->Timer1Timer();
        QCOMPARE(gra.ruchy, 4);
        ustawienia.kolory = 1;
        Form1->Nowa1Click();
        QCOMPARE(gra.stan, gratrwa);
        QCOMPARE(gra.kolory, std::uint8_t(1));
        const QString plansza1 = planszajakotekst();
        Form1->Timer1Timer();
        QCOMPARE(planszajakotekst(), plansza1);
        Form1->Demo1Click();
        QCOMPARE(gra.stan, demotrwa);
        QCOMPARE(gra.ruchy, 0);
        QCOMPARE(Form1->Timer1->Tag, 0);
    }

    void klawisze_data()
    {
        QTest::addColumn<QString>("okno");
        QTest::newRow("game window") << "Form1";
        QTest::newRow("options") << "Opcje";
        QTest::newRow("helper strip") << "Form6";
        QTest::newRow("records list") << "Form4";
    }
    void klawisze()
    {
        QFETCH(QString, okno);
        QWidget* w = nullptr;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == okno)
                w = t;
        const auto aktywuj = [w] {
            w->activateWindow();
            return QTest::qWaitForWindowActive(w);
        };
        w->show();
        QVERIFY(aktywuj());
        auto nacisnij = [&](Qt::Key key) {
            QWidget* cel = QApplication::focusWidget() ? QApplication::focusWidget() : w;
            QTest::keyClick(cel, key);
        };
        ustawienia = {3, 3, 1, 0};
        nacisnij(Qt::Key_F2);
        QCOMPARE(gra.stan, gratrwa);
        nacisnij(Qt::Key_F3);
        QCOMPARE(gra.stan, demotrwa);
        Form1->activateWindow();
        // Each key opens its window centred: hidden, or moved aside where the
        // key is pressed in that window itself.
        const std::pair<Qt::Key, QWidget*> otwierane[] = {{Qt::Key_F1, Form3}, {Qt::Key_F4, Opcje}, {Qt::Key_F5, Form4}};
        for (const auto& [klawisz, otwarte] : otwierane) {
            otwarte->move(0, 0);
            QVERIFY(aktywuj());
            nacisnij(klawisz);
            QVERIFY(otwarte->isVisible());
            QVERIFY(otwarte->pos() != QPoint(0, 0));
        }
        QVERIFY(aktywuj());
        // F10 ends the program: its event loop returns once the game window
        // has closed, whatever tool windows are still open.
        QTimer::singleShot(0, w, [&] { nacisnij(Qt::Key_F10); });
        QTimer zawieszenie;
        zawieszenie.setSingleShot(true);
        QObject::connect(&zawieszenie, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        zawieszenie.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!Form1->isVisible());
        QVERIFY(QFile::exists(QStringLiteral("zmieniarka.cfg"))); // settings written on the way out
    }

    // Every way of closing the game window saves the options first.
    void zamkniecie()
    {
        ustawienia = {7, 4, 3, 1};
        QTest::keyClick(Form1, Qt::Key_F10);
        QVERIFY(!Form1->isVisible());
        QFile f(QStringLiteral("zmieniarka.cfg"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\x07\x04\x03\x01", 4));
        f.close();
        QFile::remove(QStringLiteral("zmieniarka.cfg"));
        Form1->show();
        ustawienia = {5, 6, 2, 0};
        QVERIFY(Form1->close());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\x05\x06\x02\x00", 4));
    }

    void pomocnik()
    {
        QVERIFY(Form6->isVisible());
        QSignalSpy pokazania(Form6, &ToolWindow::shown);
        MainMenu1->Pomocnik1->trigger();
        QVERIFY(!Form6->isVisible());
        QVERIFY(!MainMenu1->Pomocnik1->isChecked());
        MainMenu1->Pomocnik1->trigger();
        QVERIFY(Form6->isVisible());
        QVERIFY(MainMenu1->Pomocnik1->isChecked());
        QCOMPARE(pokazania.count(), 1);
        QVERIFY(!Form6->windowHandle()->transientParent());

        // A close from the window manager hides the strip; the mark follows.
        Form6->windowHandle()->close();
        QVERIFY(!Form6->isVisible() && Form1->isVisible());
        QVERIFY(!MainMenu1->Pomocnik1->isChecked());
    }

    // Minimising the game window takes the program's other windows with it.
    void minimalizacja()
    {
        Opcje->openCentred();
        QVERIFY(Form6->isVisible() && Opcje->isVisible());
        QVERIFY(!Form3->isVisible());
        // They were never closed: their show handlers do not run again.
        QSignalSpy pokazania(Form6, &ToolWindow::shown);
        const QRect miejsce = Form6->geometry();
        Form1->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!Form6->isVisible());
        QVERIFY(!Opcje->isVisible());
        // Where a window manager puts a withdrawn window, 35 px higher.
        Form6->move(Form6->pos() - QPoint(0, 35));
        Form1->setWindowState(Qt::WindowNoState);
        QTRY_VERIFY(Form6->isVisible());
        QVERIFY(Opcje->isVisible());
        QVERIFY(!Form3->isVisible());
        QVERIFY(MainMenu1->Pomocnik1->isChecked());
        QCOMPARE(pokazania.count(), 0);
        QCOMPARE(Form6->geometry(), miejsce);

        // KDE hides a dialog that stays on top while another program is
        // active: that takes nothing else down.
        Opcje->setWindowState(Qt::WindowMinimized);
        QTest::qWait(20);
        QVERIFY(!Form1->isMinimized());
        QVERIFY(Form6->isVisible());
        Opcje->setWindowState(Qt::WindowNoState);

        // A minimise button on the strip's title bar takes the program down.
        Form6->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(Form1->isMinimized());
        QVERIFY(!Form6->isVisible() && !Opcje->isVisible());
        Form1->setWindowState(Qt::WindowNoState);
        QTRY_VERIFY(Form6->isVisible());
        QVERIFY(!Form6->isMinimized());
        QVERIFY(Opcje->isVisible());
    }

    // X11 where an X server answers, unless the player named a platform; and
    // whether there is anything to show the windows on at all.
    void platforma()
    {
        const QByteArray bylo = qgetenv("QT_QPA_PLATFORM");
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray waylanddisplay = qgetenv("WAYLAND_DISPLAY");
        qputenv("WAYLAND_DISPLAY", "");
        char nazwa[] = "zmieniarka";
        char opcja[] = "-platform";
        char wayland[] = "wayland";
        char* bez[] = {nazwa};
        char* z[] = {nazwa, opcja, wayland};
        const auto wybor = [&](const char* zmienna, const char* ekran, int argc, char** argv) {
            qputenv("QT_QPA_PLATFORM", zmienna);
            qputenv("DISPLAY", ekran);
            if (!wybierzplatforme(argc, argv))
                return QByteArray("koniec");
            return qgetenv("QT_QPA_PLATFORM");
        };
        QCOMPARE(wybor("wayland", ":9999", 1, bez), QByteArray("wayland"));
        QCOMPARE(wybor("", ":9999", 3, z), QByteArray());
        QCOMPARE(wybor("", "", 1, bez), QByteArray());
        QCOMPARE(wybor("", ":9999", 1, bez), QByteArray("koniec")); // no X server answers there
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        QCOMPARE(wybor("", ":9999", 1, bez), QByteArray()); // Wayland may

        // Without a display only a platform that needs none can start.
        char offscreen[] = "offscreen";
        char* zoffscreen[] = {nazwa, opcja, offscreen};
        const auto ekran = [&](const char* zmienna, const char* x, const char* w, int argc, char** argv) {
            qputenv("QT_QPA_PLATFORM", zmienna);
            qputenv("DISPLAY", x);
            qputenv("WAYLAND_DISPLAY", w);
            return jestekran(argc, argv);
        };
        QVERIFY(!ekran("", "", "", 1, bez));
        QVERIFY(!ekran("xcb;wayland", "", "", 1, bez));
        QVERIFY(!ekran("", "", "", 3, z));
        QVERIFY(ekran("", ":0", "", 1, bez));
        QVERIFY(ekran("", "", "wayland-0", 1, bez));
        QVERIFY(ekran("offscreen", "", "", 1, bez));
        QVERIFY(ekran("xcb;offscreen", "", "", 1, bez));
        QVERIFY(ekran("xcb", "", "", 3, zoffscreen));
        QVERIFY(ekran("vnc:size=800x600", "", "", 1, bez));
        qputenv("WAYLAND_DISPLAY", waylanddisplay);
        qputenv("QT_QPA_PLATFORM", bylo);
        qputenv("DISPLAY", display);
    }

    // Every opening centres a dialog again, also after the player moved it.
    void centrowanie()
    {
        // The outer frame's corner at half the free space, rounded down,
        // for odd and even sizes alike.
        const auto naSrodku = [](QWidget* w) {
            const QRect ekran = w->screen()->geometry();
            const QRect f = w->frameGeometry();
            return f.topLeft() - ekran.topLeft()
                == QPoint((ekran.width() - f.width()) / 2, (ekran.height() - f.height()) / 2);
        };
        QVERIFY(naSrodku(Form1)); // at start-up, menu bar included
        Opcje->openCentred();
        QVERIFY(naSrodku(Opcje));
        Opcje->move(10, 10);
        Opcje->close();
        QVERIFY(!Opcje->isVisible());
        Opcje->openCentred();
        QVERIFY(naSrodku(Opcje));
        QCOMPARE(Opcje->size(), QSize(265, 280));
        MainMenu1->Oprogramie1Click();
        QVERIFY(naSrodku(Form3));
        for (int x : {6, 3}) {
            nowagra(x, 5, 1);
            QVERIFY(naSrodku(Form1));
        }
    }
};

ZM_TEST_MAIN(TestForm1)
#include "tst_form1.moc"
