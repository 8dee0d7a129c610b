#pragma once
// Helpers of the window tests: the program's window set, starting a game,
// the records list's rows, and what its text looks like on screen.
#include <optional>

#include <QLabel>
#include <QLocale>
#include <QTest>

#include "app/start.h"
#include "katalog.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "ui/form6.h"

// A game or demonstration started from these options, as the menu starts it.
inline void nowagra(int x, int y, int k, int przejscie = 0, bool demo = false)
{
    ustawienia = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(k), std::uint8_t(przejscie)};
    demo ? Form1->Demo1Click() : Form1->Nowa1Click();
}

// The five texts of table row t of the records list.
inline QStringList wiersz(int t)
{
    QStringList w;
    for (int c = 0; c < 5; ++c)
        w << Form4->listar->item(t, c)->text();
    return w;
}

// The selected table rows of the records list.
inline QList<int> zaznaczone()
{
    QList<int> w;
    for (const QModelIndex& i : Form4->listar->selectionModel()->selectedRows())
        w << i.row();
    return w;
}

// A Polish system, whose decimal comma the game's numbers must not take.
class PolskiLokal {
public:
    PolskiLokal() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    ~PolskiLokal() { QLocale::setDefault(QLocale::c()); }
};

// The rows of a picture, from the top, that hold ink: any pixel darker than
// mid-grey.
inline QList<int> wierszezatramentem(const QPixmap& obraz)
{
    const QImage o = obraz.toImage().convertToFormat(QImage::Format_RGB32);
    QList<int> wiersze;
    for (int y = 0; y < o.height(); ++y)
        for (int x = 0; x < o.width(); ++x)
            if (qGray(o.pixel(x, y)) < 128) {
                wiersze << y;
                break;
            }
    return wiersze;
}

// The ink rows of capitals without (0) and with accents (1) in a cell of the
// records list (row 4, the name column) and in the label `l`.
struct Wersaliki {
    QList<int> komorka[2], etykieta[2];
};
inline Wersaliki wersaliki(QLabel* l)
{
    RowTable* t = Form4->listar;
    const QRect r = t->visualRect(t->model()->index(4, 2));
    Wersaliki w;
    for (int akcenty = 0; akcenty < 2; ++akcenty) {
        const QString s = akcenty ? QStringLiteral("ĄĘŚŹŻĆŃÓŁ") : QStringLiteral("AESZZCNOL");
        t->item(4, 2)->setText(s);
        l->setText(s);
        w.komorka[akcenty] = wierszezatramentem(t->viewport()->grab(r));
        w.etykieta[akcenty] = wierszezatramentem(l->grab());
    }
    return w;
}

// The program's windows as at start-up, in a fresh working directory, with
// the clock stopped: the test gives the ticks.
class ZestawOkien : public KatalogRoboczy {
public:
    ZestawOkien()
    {
        utworzokna();
        Form1->Timer1->stop();
    }
    ~ZestawOkien() { zniszczokna(); }
};

// The base of the window tests: each test function runs in its own window
// set, up and on screen. One with more to undo overrides cleanup() and
// calls this one last.
class TestOkien : public QObject {
    Q_OBJECT
protected:
    std::optional<ZestawOkien> okna;
protected Q_SLOTS:
    void init()
    {
        okna.emplace();
        QVERIFY(QTest::qWaitForWindowExposed(Form1) && QTest::qWaitForWindowExposed(Form6));
    }
    void cleanup() { okna.reset(); }
};
