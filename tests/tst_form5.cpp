// The game-over dialog: the record decision, the time line, the name box,
// and OK storing, saving, rebuilding the list and opening it; a save that
// fails; the values of the finished game kept against later clicks and games.
#include <cstdlib>
#include <limits>
#include <optional>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/menu.h"
#include "app/start.h"
#include "game/plansza.h"
#include "okna.h"
#include "pomoc.h"
#include "plikitestowe.h"
#include "store/rekordy.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "ui/form5.h"

namespace {
const QString rek = QStringLiteral("zmieniarka.rek");

// Typed key by key, each character as the text of its key event (QTest's
// own keyClicks knows Latin-1 only).
void pisz(QWidget* w, const QString& tekst)
{
    for (const char32_t c : tekst.toUcs4())
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
}
} // namespace

class TestForm5 : public TestOkien {
    Q_OBJECT

    // Plays an x * y game at k colours to its end: `dziesiate` tenths on the
    // clock and `ruchow` moves, the last one a real click on a tile.
    static void wygraj(int x, int y, int k, int dziesiate, int ruchow)
    {
        nowagra(x, y, k);
        // One click on (1, 1) fills the board.
        for (int i = 0; i < y; ++i)
            for (int j = 0; j < x; ++j)
                ustawstan(plansza[i][j], std::uint8_t(std::abs(i - 1) + std::abs(j - 1) <= 1 ? k - 1 : k));
        Form1->Timer1->Tag = dziesiate;
        gra.ruchy = ruchow - 1;
        QVERIFY(!Form5->isVisible());
        QTest::mouseClick(plansza[1][1], Qt::LeftButton);
        QVERIFY(Form5->isVisible());
        QCOMPARE(gra.zakonczona, std::uint8_t(1));
        Form5->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form5));
    }

    // Types a name over whatever the box offers.
    static void wpisz(const QString& imie)
    {
        Form5->imiewpis->selectAll();
        QTest::keyClick(Form5->imiewpis, Qt::Key_Backspace);
        pisz(Form5->imiewpis, imie);
    }

private Q_SLOTS:
    void cleanup() { fileio::restoreCalls(); TestOkien::cleanup(); }

    void wyglad()
    {
        wygraj(3, 3, 1, 50, 3);
        QCOMPARE(Form5->Label1->text(), QStringLiteral("BRAWO!"));
        QCOMPARE(Form5->Label2->text(), QStringLiteral("BRAWO!"));
        QCOMPARE(Form5->Label2->geometry().topLeft() - Form5->Label1->geometry().topLeft(), QPoint(8, 8));
        QCOMPARE(Form5->Label1->palette().color(Form5->Label1->foregroundRole()), QColor(Qt::red));
        QVERIFY(Form5->Label2->palette().color(Form5->Label2->foregroundRole()) != QColor(Qt::red));
        QCOMPARE(Form5->Label3->text(), QStringLiteral("Udało ci się zapełnić całą planszę!"));
        QCOMPARE(Form5->Label4->text(), QStringLiteral("Podaj swoje imię:"));
        // The red word lies over its shadow.
        QVERIFY(Form5->childAt(Form5->Label1->geometry().center()) == Form5->Label1);
        QCOMPARE(Form5->imiewpis->maxLength(), 30);
        QVERIFY(Form5->Button1->isDefault());
    }

    // Strictly lower than the stored time asks for a name; equal does not;
    // a stored time that is not a number is beaten by any.
    void rekord_data()
    {
        QTest::addColumn<int>("dziesiate");
        QTest::addColumn<double>("zapisany");
        QTest::addColumn<bool>("nowy");
        QTest::addColumn<QString>("linia");
        QTest::newRow("default beaten") << 123 << 999.9 << true << "Twój czas: 12.3 sek.";
        QTest::newRow("just under the default") << 9998 << 999.9 << true << "Twój czas: 999.8 sek.";
        QTest::newRow("equal to the default") << 9999 << 999.9 << false << "Twój czas: 999.9 sek.";
        QTest::newRow("over the default") << 12345 << 999.9 << false << "Twój czas: 1234.5 sek.";
        QTest::newRow("equal to the tenth") << 123 << 12.3 << false << "Twój czas: 12.3 sek.";
        QTest::newRow("a tenth lower") << 122 << 12.3 << true << "Twój czas: 12.2 sek.";
        QTest::newRow("zero") << 0 << 0.1 << true << "Twój czas: 0.0 sek.";
        QTest::newRow("not a number") << 99999 << std::numeric_limits<double>::quiet_NaN() << true
                                      << "Twój czas: 9999.9 sek.";
        QTest::newRow("below zero stored") << 1 << -1.0 << false << "Twój czas: 0.1 sek.";
    }
    void rekord()
    {
        QFETCH(int, dziesiate);
        QFETCH(double, zapisany);
        QFETCH(bool, nowy);
        QFETCH(QString, linia);
        PolskiLokal lokal; // a comma locale changes nothing
        rekordy[2][24].czas = zapisany;
        wygraj(4, 6, 2, dziesiate, 20);
        QCOMPARE(Form5->nowyrekord, nowy);
        QCOMPARE(Form5->Label4->isVisible(), nowy);
        QCOMPARE(Form5->imiewpis->isVisible(), nowy);
        QCOMPARE(Form5->wyswczas->text(), linia);
    }

    // A new record on 4 x 6 at 2 colours: stored, saved, the list rebuilt
    // and opened on its row; Enter in the name box presses OK.
    void zapis()
    {
        PolskiLokal lokal;
        wygraj(4, 6, 2, 123, 40);
        QCOMPARE(QApplication::focusWidget(), Form5->imiewpis);
        wpisz(QStringLiteral("Łucja Żółć"));
        QTest::keyClick(Form5->imiewpis, Qt::Key_Return);
        QVERIFY(!Form5->isVisible());
        QVERIFY(Form4->isVisible());

        const TRekord& r = rekordy[2][24];
        QCOMPARE(imierekordu(r), QStringLiteral("Łucja Żółć"));
        QCOMPARE(r.czas, 12.3);
        QCOMPARE(r.ruchow, 40);
        const QByteArray plik = trescpliku(rek);
        QCOMPARE(plik.size(), 4608);
        QCOMPARE(plik.mid(1872, 11), QByteArray("\x0a\xa3ucja \xaf\xf3\xb3\xe6")); // length, Windows-1250

        QCOMPARE(zaznaczone(), QList<int>{37}); // list row 38
        QCOMPARE(wiersz(37), (QStringList{" 24", "2", "Łucja Żółć", "12.3", "40"}));
        QCOMPARE(wiersz(38)[2], QStringLiteral("Gracz"));

        // 3 x 8 at 2 colours competes for the same record: 12.3 again is
        // no record, OK only opens the list on that row.
        Form4->Button1Click();
        Form4->listar->selectRow(0);
        const QByteArray przed = trescpliku(rek);
        wygraj(3, 8, 2, 123, 5);
        QVERIFY(!Form5->nowyrekord);
        QVERIFY(!Form5->imiewpis->isVisible());
        QCOMPARE(QApplication::focusWidget(), Form5->Button1);
        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        QVERIFY(!Form5->isVisible());
        QVERIFY(Form4->isVisible());
        QCOMPARE(zaznaczone(), QList<int>{37});
        QCOMPARE(r.ruchow, 40);
        QCOMPARE(trescpliku(rek), przed);

        // 6 x 4 beats it.
        Form4->Button1Click();
        wygraj(6, 4, 2, 122, 9);
        QVERIFY(Form5->nowyrekord);
        QTest::keyClick(Form5, Qt::Key_Enter);
        QCOMPARE(wiersz(37), (QStringList{" 24", "2", "Łucja Żółć", "12.2", "9"}));
        QCOMPARE(zaznaczone(), QList<int>{37});
    }

    // No record, no file: OK only opens the list.
    void bezrekordu()
    {
        wygraj(3, 3, 1, 9999, 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // no cancel
        QVERIFY(Form5->isVisible());
        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        QVERIFY(!Form5->isVisible());
        QVERIFY(Form4->isVisible());
        QCOMPARE(zaznaczone(), QList<int>{0});
        QVERIFY(!QFile::exists(rek));
        QCOMPARE(imierekordu(rekordy[1][9]), QStringLiteral("Gracz"));
    }

    // The name box is never cleared: a second record in the same run
    // offers the name typed for the first; an empty name is stored empty.
    void imie()
    {
        wygraj(3, 3, 1, 100, 3);
        wpisz(QStringLiteral("Ewa"));
        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        Form4->Button1Click();

        wygraj(5, 5, 3, 200, 7);
        QVERIFY(Form5->imiewpis->isVisible());
        QCOMPARE(Form5->imiewpis->text(), QStringLiteral("Ewa"));
        QTest::keyClick(Form5->imiewpis, Qt::Key_Return);
        QCOMPARE(imierekordu(rekordy[3][25]), QStringLiteral("Ewa"));
        Form4->Button1Click();

        wygraj(4, 4, 2, 300, 8);
        QCOMPARE(Form5->imiewpis->text(), QStringLiteral("Ewa"));
        wpisz(QString());
        QCOMPARE(Form5->imiewpis->text(), QString());
        QTest::keyClick(Form5->imiewpis, Qt::Key_Return);
        QCOMPARE(rekordy[2][16].dlugosc, std::uint8_t(0));
        QCOMPARE(wiersz(40)[2], QString());
        QCOMPARE(trescpliku(rek).at(1680), '\0');
    }

    // Only what Windows-1250 holds is typed in; nothing is turned into a
    // look-alike; at most 30 characters.
    void znaki_data()
    {
        QTest::addColumn<QString>("klawisze");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("Polish") << "Zażółć gęślą jaźń ŁĄĘŚŹŻĆŃÓ" << "Zażółć gęślą jaźń ŁĄĘŚŹŻĆŃÓ";
        QTest::newRow("Greek and Cyrillic") << "aΩbШcж" << "abc";
        QTest::newRow("no look-alikes") << "xāyõzñ" << "xyz";
        QTest::newRow("in the code page") << "Müller ß €" << "Müller ß €";
        QTest::newRow("symbols") << "a✓b😀c" << "abc";
        QTest::newRow("30 at most") << QString(35, QLatin1Char('q')) << QString(30, QLatin1Char('q'));
    }
    void znaki()
    {
        QFETCH(QString, klawisze);
        QFETCH(QString, tekst);
        wygraj(3, 3, 2, 10, 1);
        wpisz(QString());
        pisz(Form5->imiewpis, klawisze);
        QCOMPARE(Form5->imiewpis->text(), tekst);
        // Pasted text is held to the same rule.
        Form5->imiewpis->insert(QStringLiteral("Ω"));
        QCOMPARE(Form5->imiewpis->text(), tekst);
        QTest::keyClick(Form5->imiewpis, Qt::Key_Return);
        QCOMPARE(imierekordu(rekordy[2][9]), tekst);
    }

    // Clicks on the finished board and a new game while the dialog is open
    // change nothing of what OK stores: the finished game's board, time and
    // moves, and the list opens on its row.
    void wartoscizkonca()
    {
        wygraj(4, 6, 2, 123, 40);
        QTest::mouseClick(plansza[0][0], Qt::LeftButton);
        QTest::mouseClick(plansza[0][1], Qt::LeftButton);
        QCOMPARE(gra.ruchy, 42);
        wpisz(QStringLiteral("Ola"));
        QTest::mouseClick(plansza[0][0], Qt::LeftButton);
        nowagra(3, 3, 1);
        Form1->Timer1->Tag = 7;
        QTest::mouseClick(plansza[2][2], Qt::LeftButton);
        QVERIFY(Form5->isVisible());

        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        QCOMPARE(imierekordu(rekordy[2][24]), QStringLiteral("Ola"));
        QCOMPARE(rekordy[2][24].czas, 12.3);
        QCOMPARE(rekordy[2][24].ruchow, 40);
        QCOMPARE(imierekordu(rekordy[1][9]), QStringLiteral("Gracz"));
        QCOMPARE(rekordy[1][9].czas, 999.9);
        QVERIFY(Form4->isVisible());
        QCOMPARE(zaznaczone(), QList<int>{37});
        QCOMPARE(Form4->listar->verticalScrollBar()->value(), 30);
        // The new game goes on.
        QCOMPARE(gra.stan, gratrwa);
    }

    // With the list already open, OK rebuilds it and points at the new row
    // (10 x 10 at 2 colours: list row 64, not the last).
    void listaotwarta()
    {
        MainMenu1->Listarekordw1Click();
        Form4->listar->selectRow(3);
        wygraj(10, 10, 2, 500, 60);
        QTest::keyClick(Form5->imiewpis, Qt::Key_Return);
        QVERIFY(Form4->isVisible());
        QCOMPARE(zaznaczone(), QList<int>{63});
        QCOMPARE(wiersz(63), (QStringList{"100", "2", "", "50.0", "60"})); // the box starts empty
        // No record, no rebuild: the open list keeps the player's row.
        Form4->listar->selectRow(3);
        wygraj(10, 10, 2, 600, 60);
        QVERIFY(!Form5->imiewpis->isVisible());
        QTest::keyClick(Form5->Button1, Qt::Key_Return);
        QVERIFY(!Form5->isVisible());
        QVERIFY(Form4->isVisible());
        QCOMPARE(zaznaczone(), QList<int>{3});
    }

    // A read-only records file: the error box, the record in memory only,
    // the dialog still open, no list; OK again repeats the whole step and,
    // once the file may be written, saves it.
    void plikdoodczytu()
    {
        nowyplik(rek, QByteArray(4608, 'x'));
        ustawtryb(rek, 0444);
        JakoGracz gracz;
        QVERIFY2(gracz.dziala(), "cannot check files as an unprivileged user");

        wygraj(4, 6, 2, 123, 40);
        wpisz(QStringLiteral("Ala"));
        LapaczBledow bledy;
        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        QCOMPARE(bledy.teksty, QStringList{QStringLiteral("File access denied.")});
        QCOMPARE(bledy.tytuly, QStringList{QStringLiteral("Zmieniarka")});
        QCOMPARE(bledy.ikony, QList<QMessageBox::Icon>{QMessageBox::Critical});
        QVERIFY(Form5->isVisible());
        QVERIFY(!Form4->isVisible());
        QCOMPARE(imierekordu(rekordy[2][24]), QStringLiteral("Ala"));
        QCOMPARE(rekordy[2][24].czas, 12.3);
        QCOMPARE(trescpliku(rek), QByteArray(4608, 'x'));
        // Not rebuilt: the list, opened now, still shows the stored record.
        MainMenu1->Listarekordw1Click();
        QCOMPARE(wiersz(37)[2], QStringLiteral("Gracz"));
        Form4->close();

        // Again, still read-only: the same once more.
        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        QCOMPARE(bledy.teksty.size(), 2);
        QVERIFY(Form5->isVisible());

        ustawtryb(rek, 0644);
        Form5->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form5));
        QTest::keyClick(Form5->imiewpis, Qt::Key_Return);
        QCOMPARE(bledy.teksty.size(), 2);
        QVERIFY(!Form5->isVisible());
        QVERIFY(Form4->isVisible());
        QCOMPARE(wiersz(37), (QStringList{" 24", "2", "Ala", "12.3", "40"}));
        QCOMPARE(zaznaczone(), QList<int>{37});
        const QByteArray plik = trescpliku(rek);
        QCOMPARE(plik.size(), 4608);
        QCOMPARE(plik.mid(1873, 3), QByteArray("Ala"));
    }

    // Closed from the window manager: a new record is stored as OK stores
    // it, with the name as typed, and the dialog goes; a save that fails
    // keeps it open, as after OK. The list then shows what the file holds,
    // also a record another game open in the folder saved meanwhile.
    void zamknietyzokna()
    {
        const QByteArray gracz = QByteArray::fromHex("05") + "Gracz" + QByteArray(26, '\0')
                                 + QByteArray::fromHex("33 33 33 33 33 3F 8F 40  0F 27 00 00  00 00 00 00");
        nowyplik(rek, gracz.repeated(96).replace(0, 48, QByteArray::fromHex("03") + "Ewa" + QByteArray(28, '\0')
                                                             + QByteArray::fromHex("00 00 00 00 00 00 F0 3F  07 00 00 00  00 00 00 00")));
        wygraj(4, 6, 2, 123, 40);
        wpisz(QStringLiteral("Ola"));
        usterka(QStringLiteral("full"), 0);
        LapaczBledow bledy;
        Form5->windowHandle()->close();
        QCOMPARE(bledy.teksty, QStringList{QStringLiteral("Disk full.")});
        QVERIFY(Form5->isVisible());
        fileio::restoreCalls();
        Form5->windowHandle()->close();
        QVERIFY(!Form5->isVisible());
        QVERIFY(!Form4->isVisible());
        QCOMPARE(bledy.teksty.size(), 1);
        QCOMPARE(trescpliku(rek).mid(1872, 4), QByteArray("\x03Ola"));
        QCOMPARE(wiersz(37), (QStringList{" 24", "2", "Ola", "12.3", "40"}));
        QCOMPARE(wiersz(0), (QStringList{"  9", "1", "Ewa", "1.0", "7"}));
    }

    // A full disk at OK: the same path, with its own text.
    void pelnydysk()
    {
        wygraj(3, 3, 3, 42, 2);
        usterka(QStringLiteral("full"), 0);
        LapaczBledow bledy;
        QTest::keyClick(Form5->imiewpis, Qt::Key_Return);
        QCOMPARE(bledy.teksty, QStringList{QStringLiteral("Disk full.")});
        QVERIFY(Form5->isVisible());
        QVERIFY(!Form4->isVisible());
        fileio::restoreCalls();
        QTest::mouseClick(Form5->Button1, Qt::LeftButton);
        QVERIFY(!Form5->isVisible());
        QCOMPARE(trescpliku(rek).size(), 4608);
        QCOMPARE(rekordy[3][9].czas, 4.2);
    }

    // Quitting the game with a name typed and not yet stored keeps the record.
    void wyjsciezgry()
    {
        wygraj(3, 4, 1, 55, 9);
        wpisz(QStringLiteral("Ala"));
        Form1->close();
        QVERIFY(!Form5->isVisible());
        QCOMPARE(trescpliku(rek).mid(48, 4), QByteArray("\x03" "Ala"));
    }
};

ZM_TEST_MAIN(TestForm5)
#include "tst_form5.moc"
