#include "ui/form1.h"

#include <algorithm>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>

#include "game/mieszanie.h"
#include "game/plansza.h"
#include "store/rekordy.h"
#include "store/ustawienia.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/znaczki.h"
#include "widgets/accessible.h"
#include "widgets/application.h"
#include "widgets/errorbox.h"
#include "widgets/window.h"
#include "widgets/windowset.h"

QPointer<TForm1> Form1;

namespace {
constexpr int bok = 47;      // a tile's side
constexpr int margines = 5;  // around the board
constexpr int pasek = StatusBar::barHeight;

BitmapButton* szablon(QWidget* parent, const char* nazwa, std::uint8_t stan)
{
    auto* b = new BitmapButton(parent);
    b->setObjectName(QLatin1String(nazwa));
    b->setGlyph(obrazkratki(stan));
    b->hide();
    hideFromAccessibility(b);
    return b;
}

// Where the tiles live, right below the menu bar.
QWidget* obszarplanszy(QMainWindow* okno)
{
    auto* obszar = new QWidget(okno);
    obszar->setObjectName(QStringLiteral("obszar"));
    obszar->setBackgroundRole(QPalette::Button);
    obszar->setAutoFillBackground(true);
    okno->setCentralWidget(obszar);
    // The board itself holds the focus until the player tabs into it, so
    // that activating the window never puts it on a tile by itself.
    obszar->setFocusPolicy(Qt::ClickFocus);
    obszar->setFocus(Qt::OtherFocusReason);
    return obszar;
}

void kliknij(QObject* Sender)
{
    Form1->przyciskiClick(Sender);
}
} // namespace

QString tekstczasu(std::int32_t dziesiate)
{
    QString t = QString::number(dziesiate);
    t.insert(t.size() - 1, QLatin1Char('.'));
    return QStringLiteral("Czas: ") + t + QStringLiteral(" sek.");
}

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint)
{
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zmieniarka"));
    setFont(windowFont());

    obszar = obszarplanszy(this);

    StatusBar1 = new StatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ustawrozmiarklienta(361, 311);

    kratka2 = szablon(obszar, "kratka2", 0);
    kratka1a = szablon(obszar, "kratka1a", 1);
    kratka1b = szablon(obszar, "kratka1b", 2);
    kratka1c = szablon(obszar, "kratka1c", 3);

    okna = new WindowSet(this);

    Timer1 = new Timer(this, 100);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();

    runShowingErrors([this] { FormCreate(); });
}

void TForm1::FormCreate()
{
    Randomize();
    // Qt paints every widget double-buffered already: nothing to switch on.
    ustawienia = TUstawienia{};
    gra = TGra{};
    domyslnerekordy();
    // Each load reports its own error; a damaged records file must not keep
    // the settings from loading, or the exit would overwrite them with defaults.
    runShowingErrors(wczytajlisterekordow);
    runShowingErrors(wczytajkfg);
}

void TForm1::ustawrozmiarklienta(int w, int h)
{
    obszar->setFixedSize(w, h - pasek);
    // Only the 3-column window is too narrow for both panels: there the
    // time panel is what "Ruchy: 99999" leaves, and still holds
    // "Czas: 999.9 sek.".
    StatusBar1->fitWidth(w, QStringLiteral("Ruchy: 99999"));
    layout()->activate();
}

QSize TForm1::rozmiarklienta() const
{
    // Everything below the menu bar, as the window manager sizes it.
    const int menu = menuWidget() ? menuWidget()->height() : 0;
    return {width(), height() - menu};
}

const BitmapButton* TForm1::kratka(std::uint8_t stan) const
{
    const BitmapButton* const kratki[4] = {kratka2, kratka1a, kratka1b, kratka1c};
    return kratki[stan];
}

QString TForm1::panel(int i) const
{
    return StatusBar1->panel(i);
}

void TForm1::ustawpanel(int i, const QString& tekst)
{
    StatusBar1->setPanel(i, tekst);
}

void TForm1::wyczyscplansze()
{
    if (gra.stan == bezczynna && gra.zakonczona == 0)
        return;
    for (int i = 0; i < gra.y; ++i)
        for (int j = 0; j < gra.x; ++j) {
            delete plansza[i][j];
            plansza[i][j] = nullptr;
        }
    gra.stan = bezczynna;
    ustawpanel(0, QString());
    ustawpanel(1, QString());
    gra.zakonczona = 0;
}

void TForm1::zbudujplansze(bool klikalne)
{
    for (int i = 0; i < gra.y; ++i)
        for (int j = 0; j < gra.x; ++j) {
            auto* g = new guzik(obszar);
            plansza[i][j] = g;
            g->setGeometry(j * bok + margines, i * bok + margines, bok, bok);
            if (klikalne)
                connect(g, &QPushButton::clicked, this, [this, g] { przyciskiClick(g); });
            connect(g, &guzik::nowystan, g, [this, g](std::uint8_t s) { g->setGlyph(kratka(s)->glyph()); });
            g->kolumna = std::uint8_t(j);
            g->wiersz = std::uint8_t(i);
            ustawstan(g, 0);
            g->installEventFilter(this);
            g->show();
        }
}

void TForm1::rozpocznij(bool demo)
{
    // The new board takes the focus only where the player had it on the old
    // one: a key never starts acting on a board the player has not looked at.
    auto* fokus = qobject_cast<guzik*>(focusWidget());
    const QPoint miejsce = fokus && fokus->hasFocus() ? QPoint(fokus->kolumna, fokus->wiersz) : QPoint(-1, -1);
    if (fokus)
        obszar->setFocus(Qt::OtherFocusReason);
    wyczyscplansze();
    // Only a damaged settings file can hold values out of range; a board
    // never runs outside them.
    gra.x = std::clamp<std::uint8_t>(ustawienia.x, 3, 10);
    gra.y = std::clamp<std::uint8_t>(ustawienia.y, 3, 10);
    gra.kolory = std::clamp<std::uint8_t>(ustawienia.kolory, 1, 3);
    gra.przejscie = ustawienia.przejscie;
    ustawrozmiarklienta(gra.x * bok + 2 * margines, gra.y * bok + 2 * margines + pasek);
    centreOnScreen(this);
    if (Form6)
        Form6->pokazpomocnik();
    Timer1->Tag = 0;
    // The first tenth is counted a full 100 ms after the start, not whenever
    // the free-running timer happens to tick next.
    if (Timer1->isActive())
        Timer1->start();
    {
        const NazwyPozniej nazwy; // named once, scrambled
        zbudujplansze(!demo);
        wymieszaj(demo, kliknij);
    }
    gra.ruchy = 0;
    gra.stan = demo ? demotrwa : gratrwa;
    if (miejsce.x() >= 0)
        plansza[std::min(miejsce.y(), gra.y - 1)][std::min(miejsce.x(), gra.x - 1)]->setFocus(Qt::OtherFocusReason);
}

void TForm1::Nowa1Click()
{
    rozpocznij(false);
}

void TForm1::Demo1Click()
{
    rozpocznij(true);
}

void TForm1::Timer1Timer()
{
    if (gra.stan == bezczynna)
        return;
    ++Timer1->Tag;
    ustawpanel(0, tekstczasu(Timer1->Tag));
    ustawpanel(1, QStringLiteral("Ruchy: ") + QString::number(gra.ruchy));
    if (gra.stan == demotrwa)
        krokpowtorki(kliknij);
}

void TForm1::przyciskiClick(QObject* Sender)
{
    const std::uint8_t koniec = ruch(Sender);
    // A screen reader says the pressed tile's new colour; the neighbours'
    // are read as the arrows reach them, rather than five names per press.
    if (auto* g = qobject_cast<guzik*>(Sender))
        announceFocusAgain(g);
    if (koniec != gratrwa)
        return;
    if (Form5)
        Form5->openCentred();
    ustawpanel(0, QString());
}

// The board's keys: the arrows move the focus over the grid (wrapping round
// the edges when the game wraps, else stopping there); Enter and Return press
// the tile as space does.
bool TForm1::eventFilter(QObject* o, QEvent* e)
{
    auto* g = qobject_cast<guzik*>(o);
    if (!g || e->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(o, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & ~Qt::KeypadModifier)
        return false;
    int dk = 0, dw = 0;
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!k->isAutoRepeat()) // one press, one move, as with space
            g->click();
        return true;
    case Qt::Key_Left: dk = -1; break;
    case Qt::Key_Right: dk = 1; break;
    case Qt::Key_Up: dw = -1; break;
    case Qt::Key_Down: dw = 1; break;
    default:
        return false;
    }
    int kol = g->kolumna + dk, wie = g->wiersz + dw;
    if (gra.przejscie) {
        kol = (kol + gra.x) % gra.x;
        wie = (wie + gra.y) % gra.y;
    }
    if (kol >= 0 && kol < gra.x && wie >= 0 && wie < gra.y)
        plansza[wie][kol]->setFocus(Qt::OtherFocusReason);
    return true;
}

void TForm1::FormClose()
{
    zapiszkfg();
}

void TForm1::closeEvent(QCloseEvent* e)
{
    // A name typed in Koniec gry and not yet stored goes with the game, as OK
    // would store it, rather than being thrown away by the quit.
    if (Form5 && Form5->isVisible())
        Form5->close();
    runShowingErrors([this] { FormClose(); });
    QMainWindow::closeEvent(e);
}
