// The records list: its 96 rows in their fixed order, the texts of a row,
// the selection of the game's row with its scrolling, and the OK button.
// List row r (the heading being row 0) is table row r - 1.
#include <optional>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/menu.h"
#include "app/start.h"
#include "game/plansza.h"
#include "okna.h"
#include "pomoc.h"
#include "store/rekordy.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "ui/opcje.h"

namespace {
int gorny() { return Form4->listar->verticalScrollBar()->value(); }

// Is table row t wholly inside the visible area?
bool widoczny(int t)
{
    const QRect r = Form4->listar->visualRect(Form4->listar->model()->index(t, 0));
    return r.top() >= 0 && r.bottom() < Form4->listar->viewport()->height();
}
} // namespace

class TestForm4 : public TestOkien {
    Q_OBJECT
private Q_SLOTS:
    void wyglad()
    {
        MainMenu1->Listarekordw1Click();
        QVERIFY(Form4->isVisible());
        RowTable* t = Form4->listar;
        QStringList kolumny; // heading and width
        for (int c = 0; c < t->columnCount(); ++c)
            kolumny << QStringLiteral("%1 %2").arg(t->horizontalHeaderItem(c)->text()).arg(t->columnWidth(c));
        QCOMPARE(kolumny, (QStringList{"pól 30", "kolorów 29", "imię 165", "czas 54", "ruchów 54"}));
        // 18 and 16 px rows, each with a 1 px grid line below it.
        QCOMPARE(t->horizontalHeader()->height(), 18 + 1);
        QCOMPARE(t->rowHeight(0), 16 + 1);
        QCOMPARE(t->rowHeight(95), 16 + 1);
        QVERIFY(!t->verticalHeader()->isVisible());
        QVERIFY(!t->horizontalScrollBar()->isVisible());
        QVERIFY(t->verticalScrollBar()->isVisible());
        QCOMPARE(t->horizontalHeader()->sectionResizeMode(2), QHeaderView::Interactive);
        // The five columns fill the table up to the scroll bar.
        QCOMPARE(t->horizontalHeader()->length(), t->viewport()->width());
        QCOMPARE(t->visibleRows(), 15);
        QCOMPARE(Form4->Label1->text(), QStringLiteral("Najlepsi zmieniacze"));
        QCOMPARE(Form4->Label1->palette().color(Form4->Label1->foregroundRole()), QColor(Qt::red));

        // A double click edits nothing; a click selects one whole row.
        const QRect r = t->visualRect(t->model()->index(2, 2));
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, r.center());
        for (QLineEdit* e : t->findChildren<QLineEdit*>())
            QVERIFY(!e->isVisible());
        QCOMPARE(wiersz(2)[2], QStringLiteral("Gracz"));
        QCOMPARE(zaznaczone(), QList<int>{2});
        QCOMPARE(t->selectionModel()->selectedIndexes().size(), 5);
    }

    // Per colour count, the field counts in this order, each row with the
    // default record, as the list first opens.
    void wiersze()
    {
        MainMenu1->Listarekordw1Click();
        const QStringList pola = QStringLiteral("  9, 12, 15, 18, 21, 24, 27, 30, 16, 20, 28, 32, 36, 40, 25, 35,"
                                                " 45, 50, 42, 48, 54, 60, 49, 56, 63, 70, 64, 72, 80, 81, 90,100")
                                     .split(QLatin1Char(','));
        QCOMPARE(Form4->listar->rowCount(), 96);
        for (int t = 0; t < 96; ++t)
            QCOMPARE(wiersz(t), (QStringList{pola[t % 32], QString::number(t / 32 + 1), "Gracz", "999.9", "9999"}));
    }

    // Point and one decimal whatever the locale; a minus for a negative count.
    void tekstyrekordu_data()
    {
        QTest::addColumn<double>("czas");
        QTest::addColumn<int>("ruchow");
        QTest::addColumn<QString>("tczas");
        QTest::addColumn<QString>("truchow");
        QTest::newRow("12.3") << 12.3 << 77 << "12.3" << "77";
        QTest::newRow("whole") << 7.0 << 0 << "7.0" << "0";
        QTest::newRow("rounded") << 12.36 << -5 << "12.4" << "-5";
        QTest::newRow("big") << 123456.7 << 2147483647 << "123456.7" << "2147483647";
        QTest::newRow("smallest") << 0.0 << -2147483647 - 1 << "0.0" << "-2147483648";
    }
    void tekstyrekordu()
    {
        QFETCH(double, czas);
        QFETCH(int, ruchow);
        QFETCH(QString, tczas);
        QFETCH(QString, truchow);
        PolskiLokal lokal;
        QCOMPARE(QLocale().toString(1.5, 'f', 1), QStringLiteral("1,5")); // the comma is real
        TRekord& r = rekordy[3][100];
        ustawimie(r, QStringLiteral("Zażółć gęślą jaźń"));
        r.czas = czas;
        r.ruchow = ruchow;
        Form4->odswiezlisterekordow();
        QCOMPARE(wiersz(95), (QStringList{"100", "3", "Zażółć gęślą jaźń", tczas, truchow}));
        QCOMPARE(wiersz(94)[3], QStringLiteral("999.9"));
    }

    // The row of the last game started is selected and brought into view:
    // not moved when wholly visible, else with the selected row half the
    // visible rows (16) below the top, the top not above list row 1.
    void zaznaczenie_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("wiersz"); // list row
        QTest::addColumn<int>("gora");   // top table row after the opening
        QTest::newRow("4x6 at 2") << 4 << 6 << 2 << 38 << 30;
        QTest::newRow("3x8 at 2") << 3 << 8 << 2 << 38 << 30;
        QTest::newRow("8x3 at 2") << 8 << 3 << 2 << 38 << 30;
        QTest::newRow("3x3 at 1, in view") << 3 << 3 << 1 << 1 << 0;
        QTest::newRow("4x4 at 1, in view") << 4 << 4 << 1 << 9 << 0;
        QTest::newRow("last row wholly in view") << 5 << 5 << 1 << 15 << 0;
        QTest::newRow("first row out of view") << 5 << 7 << 1 << 16 << 8;
        QTest::newRow("9 fields at 2") << 3 << 3 << 2 << 33 << 25;
        QTest::newRow("10x10 at 3, the end") << 10 << 10 << 3 << 96 << 81;
    }
    void zaznaczenie()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, k);
        QFETCH(int, wiersz);
        QFETCH(int, gora);
        nowagra(x, y, k);
        MainMenu1->Listarekordw1Click();
        QCOMPARE(Form4->listar->currentRow(), wiersz - 1);
        QCOMPARE(zaznaczone(), QList<int>{wiersz - 1});
        QCOMPARE(gorny(), gora);
        QVERIFY(widoczny(wiersz - 1));
        QCOMPARE(::wiersz(wiersz - 1)[0].trimmed(), QString::number(x * y));
    }

    // From the bottom of the list, an earlier row out of view goes to the
    // middle; the top is never above list row 1.
    void przewijaniewgore()
    {
        nowagra(10, 10, 3);
        MainMenu1->Listarekordw1Click();
        QCOMPARE(gorny(), 81);
        Form4->Button1Click();
        nowagra(3, 4, 1); // list row 2
        MainMenu1->Listarekordw1Click();
        QCOMPARE(Form4->listar->currentRow(), 1);
        QCOMPARE(gorny(), 0);
        Form4->Button1Click();
        nowagra(4, 6, 3); // list row 70
        MainMenu1->Listarekordw1Click();
        QCOMPARE(gorny(), 62);
        // Still wholly in view after the player scrolls a little: no move.
        Form4->Button1Click();
        Form4->listar->verticalScrollBar()->setValue(55);
        nowagra(3, 4, 3); // list row 66, table row 65: rows 55..69 are in view
        MainMenu1->Listarekordw1Click();
        QCOMPARE(Form4->listar->currentRow(), 65);
        QCOMPARE(gorny(), 55);
    }

    // Before any game, or for a board without a row, nothing changes.
    void bezwiersza()
    {
        MainMenu1->Listarekordw1Click();
        QCOMPARE(zaznaczone(), QList<int>{0}); // the table's own first row
        QCOMPARE(gorny(), 0);
        Form4->listar->selectRow(40);
        Form4->listar->verticalScrollBar()->setValue(30);
        Form4->Button1Click();
        gra.x = gra.y = gra.kolory = 1;
        MainMenu1->Listarekordw1Click();
        QCOMPARE(zaznaczone(), QList<int>{40});
        QCOMPARE(gorny(), 30);
    }

    // While the player looks at the game, the list is made ready hidden,
    // telling a screen reader nothing (a selected cell would be read out as
    // the focus); it then opens as a list made at its opening does.
    void zawczasu()
    {
        QTRY_VERIFY(Form4->listar);
        QVERIFY(!Form4->isVisible());
        QCOMPARE(Form4->listar->rowCount(), 96);
        QCOMPARE(Form4->listar->currentRow(), -1);

        MainMenu1->Listarekordw1Click();
        QCOMPARE(zaznaczone(), QList<int>{0});
        const QImage zawczasu = Form4->grab().toImage();
        okna.reset();
        okna.emplace();
        QVERIFY(!Form4->listar);
        MainMenu1->Listarekordw1Click();
        QCOMPARE(Form4->grab().toImage(), zawczasu);
    }

    // Choosing the list again while it is open keeps the player's choice;
    // the selection step is for an opening from hidden.
    void ponowneotwarcie()
    {
        nowagra(4, 6, 2);
        MainMenu1->Listarekordw1Click();
        const QRect r = Form4->listar->visualRect(Form4->listar->model()->index(31, 0));
        QTest::mouseClick(Form4->listar->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(zaznaczone(), QList<int>{31});
        // A row stays selected, whatever the mouse does.
        QTest::mouseClick(Form4->listar->viewport(), Qt::LeftButton, Qt::ControlModifier, r.center());
        QCOMPARE(zaznaczone(), QList<int>{31});
        QTest::mouseClick(Form4->listar->viewport(), Qt::LeftButton, {}, r.center() + QPoint(0, 17));
        QCOMPARE(zaznaczone(), QList<int>{32});
        QTest::mouseClick(Form4->listar->viewport(), Qt::LeftButton, {}, r.center());
        MainMenu1->Listarekordw1Click();
        QVERIFY(Form4->isVisible());
        QCOMPARE(zaznaczone(), QList<int>{31});
        // A rebuild with the list open keeps the selection; the rebuilt
        // table starts from its top and scrolls just far enough to show it.
        Form4->listar->verticalScrollBar()->setValue(25);
        Form4->odswiezlisterekordow();
        QCOMPARE(zaznaczone(), QList<int>{31});
        QCOMPARE(gorny(), 17);
        QCOMPARE(Form4->listar->rowCount(), 96);
    }

    // A new record rebuilds the list from its top: the list left at its
    // bottom opens on its first page when the record's row is there.
    void poprzebudowie()
    {
        nowagra(5, 5, 1); // list row 15
        MainMenu1->Listarekordw1Click();
        Form4->listar->verticalScrollBar()->setValue(81);
        Form4->Button1Click();
        Form4->odswiezlisterekordow();
        Form4->pokazrekord(1, 25, true);
        QCOMPARE(zaznaczone(), QList<int>{14});
        QCOMPARE(gorny(), 0);
    }

    // OK is the default button: Enter from the table closes the list too;
    // Esc does nothing.
    void przyciskok()
    {
        MainMenu1->Listarekordw1Click();
        Form4->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form4));
        QCOMPARE(QApplication::focusWidget(), Form4->Button1);
        QVERIFY(Form4->Button1->isDefault());
        // Tab and Shift+Tab go between the two controls, not from cell to cell.
        QStringList fokus;
        for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Tab}) {
            QTest::keyClick(QApplication::focusWidget(), k, k == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            fokus << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(fokus, (QStringList{"listar", "Button1", "listar", "Button1", "listar"}));
        QTest::keyClick(Form4->listar, Qt::Key_Escape);
        QTest::keyClick(Form4, Qt::Key_Escape);
        QVERIFY(Form4->isVisible());
        QTest::keyClick(Form4->listar, Qt::Key_Down);
        QVERIFY(Form4->isVisible());
        QTest::keyClick(Form4->listar, Qt::Key_Return);
        QVERIFY(!Form4->isVisible());

        MainMenu1->Listarekordw1Click();
        QTest::mouseClick(Form4->Button1, Qt::LeftButton);
        QVERIFY(!Form4->isVisible());
        MainMenu1->Listarekordw1Click();
        QTest::keyClick(Form4->Button1, Qt::Key_Enter);
        QVERIFY(!Form4->isVisible());
    }

};

ZM_TEST_MAIN(TestForm4)
#include "tst_form4.moc"
