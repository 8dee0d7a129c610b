// The game's start-up as the real program runs it (app/main.cpp, with the
// same libraries), with a probe that ends it at the game window's first
// frame. With --gra it then plays a 10 x 10 game to its end, a new record
// included, before it reports the peak memory. With --okna it first opens
// each dialog once, as a player would, and reports how long each first
// opening took, from the command to the end of the dialog's first frame
// (wall time, and the CPU time of the program's one thread):
//   opcje=<ns>/<ns> oprogramie=... rekordy=... koniec=...
#include <cstring>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>
#include <QWindow>

#include "app/menu.h"
#include "app/pulpit.h"
#include "app/start.h"
#include "sonda.h"
#include "game/plansza.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form5.h"
#include "ui/opcje.h"
#include "widgets/application.h"

namespace {

// Press and release in the middle of w, as the window system delivers them.
void kliknij(QWidget* w)
{
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    const QPointF g = w->mapToGlobal(p);
    QMouseEvent wcisniecie(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &wcisniecie);
    QMouseEvent puszczenie(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &puszczenie);
    QCoreApplication::processEvents();
}

// Runs the event loop until w is on screen and painted (at most 2 s).
void pokazane(QWidget* w)
{
    const QDeadlineTimer koniec(2000);
    while (!koniec.hasExpired() && !(w->windowHandle() && w->windowHandle()->isExposed())) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    QCoreApplication::processEvents();
}

// Nowa (10 x 10, 3 colours), 300 clicks each painted, then a winning click,
// a name in the game-over dialog and its OK: the records file is written and
// the records list opens.
long zagraj()
{
    ustawienia = TUstawienia{10, 10, 3, 0};
    Form1->Nowa1Click();
    QCoreApplication::processEvents();
    for (int i = 0; i < 300; ++i)
        kliknij(plansza[(i / 10) % 10][i % 10]);
    // One move from the end: everything green but the cross around (5, 5).
    for (int w = 0; w < 10; ++w)
        for (int k = 0; k < 10; ++k)
            ustawstan(plansza[w][k], 3);
    for (auto [k, w] : {std::pair{5, 5}, {4, 5}, {6, 5}, {5, 4}, {5, 6}})
        ustawstan(plansza[w][k], 2);
    kliknij(plansza[5][5]);
    if (Form5->isVisible()) {
        pokazane(Form5);
        Form5->imiewpis->setText(QStringLiteral("Sonda"));
        kliknij(Form5->Button1);
        if (Form4->isVisible())
            pokazane(Form4);
    } else {
        std::fprintf(stderr, "sonda: the winning click did not end the game\n");
    }
    return pomiar::status_kb("VmHWM");
}

std::int64_t procesor_ns()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Marks the start and the end of each first opening: under callgrind,
// --dump-before=zm_otwarcie counts each opening apart.
extern "C" __attribute__((noinline, used)) void zm_otwarcie()
{
    asm volatile("");
}

// Runs `otworz` and the event loop until the first frame of `okno` has been
// painted and handed to the screen; prints " nazwa=<wall ns>/<cpu ns>" to
// the end of that frame and closes the window again. The repaint that
// follows when the window manager activates the window is a second frame.
void pierwszeotwarcie(const char* nazwa, QWidget* okno, const std::function<void()>& otworz)
{
    struct Klatka : QObject {
        QWidget* okno = nullptr;
        bool malowane = false, wsrodku = false;
        std::int64_t sciana = 0, cpu = 0; // at the end of the first frame
        void koniec()
        {
            if (malowane && !sciana) {
                sciana = pomiar::teraz_ns();
                cpu = procesor_ns();
                zm_otwarcie();
            }
        }
        bool eventFilter(QObject* o, QEvent* e) override
        {
            auto* w = qobject_cast<QWidget*>(o);
            if (e->type() == QEvent::Paint && w && w->window() == okno)
                malowane = true;
            // A frame is painted and flushed within one update request of
            // the window: delivered here, to time where it ends.
            if (e->type() == QEvent::UpdateRequest && o == okno && !wsrodku && !sciana) {
                wsrodku = true;
                QCoreApplication::sendEvent(o, e);
                wsrodku = false;
                koniec();
                return true;
            }
            return false;
        }
    } klatka;
    klatka.okno = okno;
    qApp->installEventFilter(&klatka);
    zm_otwarcie();
    const std::int64_t sciana = pomiar::teraz_ns(), cpu = procesor_ns();
    otworz();
    const QDeadlineTimer koniec(2000);
    while (!klatka.malowane && !koniec.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    klatka.koniec(); // painted otherwise (an expose): the frame ends with it
    qApp->removeEventFilter(&klatka);
    if (klatka.sciana)
        std::printf(" %s=%lld/%lld", nazwa, static_cast<long long>(klatka.sciana - sciana),
                    static_cast<long long>(klatka.cpu - cpu));
    else
        std::printf(" %s=never", nazwa);
    okno->close();
    QCoreApplication::processEvents();
}

// Each dialog opened for the first time: the three of the menu a second
// after start-up, the game-over dialog by the winning click of a 3 x 3 game, a
// new record (so with its name box).
long otworzokna()
{
    // A player opens the first dialog a moment after the game window
    // appears, by when the game has made the dialogs ready (the game-over
    // dialog last, with its name box); under valgrind that takes longer.
    const QDeadlineTimer chwila(1000);
    while (!chwila.hasExpired() || !Form5->imiewpis)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    std::printf("okna:");
    pierwszeotwarcie("opcje", Opcje, [] { MainMenu1->Opcje1Click(); });
    pierwszeotwarcie("oprogramie", Form3, [] { MainMenu1->Oprogramie1Click(); });
    pierwszeotwarcie("rekordy", Form4, [] { MainMenu1->Listarekordw1Click(); });
    ustawienia = TUstawienia{3, 3, 1, 0};
    Form1->Nowa1Click();
    QCoreApplication::processEvents();
    for (int w = 0; w < 3; ++w)
        for (int k = 0; k < 3; ++k)
            ustawstan(plansza[w][k], 1);
    for (auto [k, w] : {std::pair{1, 1}, {0, 1}, {2, 1}, {1, 0}, {1, 2}})
        ustawstan(plansza[w][k], 0);
    QCoreApplication::processEvents();
    pierwszeotwarcie("koniec", Form5, [] { Form1->przyciskiClick(plansza[1][1]); });
    std::printf("\n");
    return pomiar::status_kb("VmHWM");
}

} // namespace

int main(int argc, char** argv)
{
    const std::int64_t poczatek = pomiar::teraz_ns();
    const bool gra = argc > 1 && std::strcmp(argv[1], "--gra") == 0;
    const bool okna = argc > 1 && std::strcmp(argv[1], "--okna") == 0;
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));
    QApplication::setWindowIcon(ikonaprogramu()); // as the game starts
    wczytajtlumaczenia();
    PierwszeMalowanie sonda(poczatek, [] { return static_cast<QWidget*>(Form1); },
                            gra    ? std::function<long()>(zagraj)
                            : okna ? std::function<long()>(otworzokna)
                                   : nullptr);
    utworzokna();
    const int wynik = app.exec();
    zniszczokna();
    return wynik;
}
