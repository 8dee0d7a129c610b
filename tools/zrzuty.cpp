// Screenshots of the game's windows, for the documentation.
//
// Runs the real window set and brings it into each state through the game's
// own handlers (new game, tile clicks, demonstration, menu commands), then
// grabs each window from the screen with its frame. Meant to run under a
// window manager on a virtual screen: tools/screenshots does that.
//
//   zm_zrzuty <output dir>          every window at the screen's scale
//   zm_zrzuty <output dir> 200      only the game window and the strip,
//                                   names ending in -200 (QT_SCALE_FACTOR=2)
#include <algorithm>
#include <cstdio>
#include <utility>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/menu.h"
#include "app/pulpit.h"
#include "app/start.h"
#include "game/plansza.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"
#include "widgets/application.h"

namespace {
QString katalog;
QString przyrostek;

// Lets the window manager and the game's timer do their work meanwhile.
void czekaj(int ms)
{
    QEventLoop petla;
    QTimer::singleShot(ms, &petla, &QEventLoop::quit);
    petla.exec();
}

bool zapisz(const QPixmap& p, const QString& nazwa)
{
    const QString plik = QDir(katalog).filePath(nazwa + przyrostek + QStringLiteral(".png"));
    const bool ok = !p.isNull() && p.save(plik, "PNG", 0);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(plik), p.width(), p.height());
    return ok;
}

// A window as the player sees it: frame and title bar included.
bool zrzut(QWidget* w, const QString& nazwa)
{
    w->raise();
    czekaj(400);
    const QRect r = w->frameGeometry();
    return zapisz(w->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()), nazwa);
}

bool ekran(const QString& nazwa)
{
    czekaj(400);
    return zapisz(Form1->screen()->grabWindow(0), nazwa);
}

void nowa(int x, int y, int k)
{
    ustawienia = {std::uint8_t(x), std::uint8_t(y), std::uint8_t(k), 0};
    Form1->Nowa1Click();
}

void kliknij(int kolumna, int wiersz)
{
    plansza[wiersz][kolumna]->click();
}

// The clicks that fill a small board of colour count 1 with red: each tile
// clicked at most once (two clicks cancel), so trying every set of tiles
// finds them.
QList<int> rozwiazanie()
{
    const int n = gra.x * gra.y;
    for (int zbior = 0; zbior < (1 << n); ++zbior) {
        QList<int> stany;
        for (int i = 0; i < n; ++i)
            stany.append(plansza[i / gra.x][i % gra.x]->stan);
        for (int i = 0; i < n; ++i)
            if (zbior & (1 << i)) {
                int kol[5], wie[5];
                const int ile = sasiedztwo(i % gra.x, i / gra.x, gra.x, gra.y, gra.przejscie, kol, wie);
                for (int s = 0; s < ile; ++s)
                    stany[wie[s] * gra.x + kol[s]] ^= 1;
            }
        if (std::all_of(stany.begin(), stany.end(), [](int s) { return s == 1; })) {
            QList<int> klik;
            for (int i = 0; i < n; ++i)
                if (zbior & (1 << i))
                    klik.append(i);
            return klik;
        }
    }
    return {};
}

bool wszystkieokna()
{
    bool ok = true;
    // The strip for each colour count, under a game of that count.
    nowa(5, 4, 1);
    ok &= zrzut(Form6, QStringLiteral("pomocnik-1"));
    nowa(5, 4, 2);
    ok &= zrzut(Form6, QStringLiteral("pomocnik-2"));

    // A game in progress: a few moves, the clock running.
    nowa(6, 5, 3);
    for (auto [k, w] : {std::pair{1, 1}, {4, 2}, {2, 3}, {0, 4}, {5, 0}})
        kliknij(k, w);
    czekaj(1800);
    ok &= zrzut(Form6, QStringLiteral("pomocnik-3"));
    ok &= zrzut(Form1, QStringLiteral("gra"));
    ok &= ekran(QStringLiteral("pulpit"));

    // A demonstration halfway.
    ustawienia = {5, 5, 2, 0};
    Form1->Demo1Click();
    czekaj(1500);
    ok &= zrzut(Form1, QStringLiteral("demo"));

    MainMenu1->Opcje1Click();
    ok &= zrzut(Opcje, QStringLiteral("opcje"));
    Opcje->close();

    MainMenu1->Oprogramie1Click();
    ok &= zrzut(Form3, QStringLiteral("oprogramie"));
    Form3->close();

    // A won game: the default records are beaten, so the dialog asks for
    // a name.
    nowa(3, 3, 1);
    czekaj(2000);
    const QList<int> klik = rozwiazanie();
    for (int i : klik)
        kliknij(i % 3, i / 3);
    if (Form5->isVisible()) {
        if (auto* imie = Form5->findChild<QLineEdit*>())
            if (imie->isVisible() && imie->isEnabled()) {
                imie->selectAll();
                imie->insert(QStringLiteral("Zosia"));
            }
        ok &= zrzut(Form5, QStringLiteral("koniec"));
        // Its OK stores the record and opens the list at this board's row.
        if (auto* b = Form5->findChild<QPushButton*>(QStringLiteral("Button1")))
            b->click();
    } else {
        std::printf("FAILED the board was not solved (%lld clicks)\n", static_cast<long long>(klik.size()));
        ok = false;
    }
    if (!Form4->isVisible())
        MainMenu1->Listarekordw1Click();
    ok &= zrzut(Form4, QStringLiteral("rekordy"));
    return ok;
}

bool podwojnie()
{
    nowa(4, 4, 3);
    for (auto [k, w] : {std::pair{1, 1}, {3, 2}, {0, 3}})
        kliknij(k, w);
    czekaj(1200);
    bool ok = zrzut(Form1, QStringLiteral("gra"));
    ok &= zrzut(Form6, QStringLiteral("pomocnik-3"));
    MainMenu1->Listarekordw1Click();
    ok &= zrzut(Form4, QStringLiteral("rekordy"));
    Form4->close();
    MainMenu1->Oprogramie1Click();
    ok &= zrzut(Form3, QStringLiteral("oprogramie"));
    Form3->close();
    return ok;
}
} // namespace

int main(int argc, char** argv)
{
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));
    QApplication::setWindowIcon(ikonaprogramu()); // as the game starts
    wczytajtlumaczenia();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: zm_zrzuty <output dir> [scale in %%, e.g. 150]\n");
        return 2;
    }
    katalog = args[1];
    // A scaled screen: the game, the strip, the list and the about window.
    const bool dwa = args.size() > 2;
    if (dwa)
        przyrostek = QLatin1Char('-') + args[2];
    QDir().mkpath(katalog);

    utworzokna();
    czekaj(800);
    const bool ok = dwa ? podwojnie() : wszystkieokna();
    zniszczokna();
    return ok ? 0 : 1;
}
