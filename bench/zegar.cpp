// The game clock against the wall clock over a running 10 x 10 game.
//
//   zmieniarka_zegar [spokoj|klikanie|serie] [seconds, default 30]
//
// spokoj:   nobody touches the board;
// klikanie: a player's click (mouse press and release) every 2 ms, painted
//           by the event loop as usual;
// serie:    every 530 ms (out of step with the clock) a burst of 800 clicks,
//           each painted at once, that keeps the event loop busy for tens
//           of milliseconds.
// The clock is read at its own ticks, so the figure carries no rounding to a
// tick: clock = Timer1->Tag tenths, wall = time since the game's start.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <QDir>
#include <QRegion>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/start.h"
#include "pomiar.h"
#include "game/plansza.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "widgets/application.h"

namespace {

int klikniecia = 0;
std::int64_t najdluzszaseria = 0;

guzik* nastepny()
{
    const int i = klikniecia++;
    return plansza[(i / 10) % 10][i % 10];
}

void kliknij(bool odrazu)
{
    if (gra.stan != gratrwa)
        return;
    guzik* g = nastepny();
    QTest::mouseClick(g, Qt::LeftButton);
    if (odrazu)
        g->window()->repaint(QRect(g->mapTo(g->window(), QPoint(-47, -47)), QSize(3 * 47, 3 * 47)));
}

} // namespace

int main(int argc, char** argv)
{
    const char* tryb = argc > 1 ? argv[1] : "spokoj";
    const double sekundy = argc > 2 ? std::atof(argv[2]) : 30.0;
    if (std::strcmp(tryb, "spokoj") != 0 && std::strcmp(tryb, "klikanie") != 0 && std::strcmp(tryb, "serie") != 0) {
        std::fprintf(stderr, "usage: %s [spokoj|klikanie|serie] [seconds]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));
    QTemporaryDir katalog;
    if (!katalog.isValid() || !QDir::setCurrent(katalog.path()))
        return 1;
    utworzokna();
    if (!QTest::qWaitForWindowExposed(Form1))
        return 1;

    ustawienia = TUstawienia{10, 10, 3, 0};
    Form1->Nowa1Click();
    const std::int64_t t0 = pomiar::teraz_ns();
    const std::int64_t koniec = t0 + std::int64_t(sekundy * 1e9);

    std::int64_t pierwszy = 0, ostatni = 0, najdluzsza = 0, spoznienie = 0, najwiekszespoznienie = 0;
    std::int32_t tagpierwszy = 0;
    // Connected after the game window's own handler, so it sees the tick's count.
    QObject::connect(Form1->Timer1, &QTimer::timeout, &app, [&] {
        const std::int64_t t = pomiar::teraz_ns();
        if (pierwszy == 0) {
            pierwszy = t;
            tagpierwszy = Form1->Timer1->Tag;
        } else {
            najdluzsza = std::max(najdluzsza, t - ostatni);
        }
        // Behind its schedule from the first tick: a tick that only comes
        // late is made up by the next one; a lost tick adds 100 ms for good.
        spoznienie = t - (pierwszy + std::int64_t(Form1->Timer1->Tag - tagpierwszy) * 100000000);
        najwiekszespoznienie = std::max(najwiekszespoznienie, spoznienie);
        ostatni = t;
        if (t >= koniec || gra.stan != gratrwa)
            QCoreApplication::quit();
    });

    QTimer obciazenie;
    obciazenie.setTimerType(Qt::PreciseTimer);
    if (std::strcmp(tryb, "klikanie") == 0) {
        obciazenie.setInterval(2);
        QObject::connect(&obciazenie, &QTimer::timeout, [] { kliknij(false); });
    } else if (std::strcmp(tryb, "serie") == 0) {
        obciazenie.setInterval(530);
        QObject::connect(&obciazenie, &QTimer::timeout, [] {
            const std::int64_t t = pomiar::teraz_ns();
            for (int i = 0; i < 800; ++i)
                kliknij(true);
            najdluzszaseria = std::max(najdluzszaseria, pomiar::teraz_ns() - t);
        });
    }
    if (obciazenie.interval() > 0)
        obciazenie.start();

    app.exec();
    obciazenie.stop();
    const bool skonczona = gra.stan != gratrwa;
    const std::int32_t tag = Form1->Timer1->Tag;
    const double scian = double(ostatni - t0) / 1e9;
    const double zegar = tag / 10.0;
    std::printf("zegar %-8s wall %.3f s, clock %.1f s (%d ticks): %+.2f %%; the last tick %.1f ms behind its "
                "schedule, the latest %.1f ms; longest gap between ticks %.1f ms; %d clicks",
                tryb, scian, zegar, tag, 100.0 * (zegar - scian) / scian, double(spoznienie) / 1e6,
                double(najwiekszespoznienie) / 1e6, double(najdluzsza) / 1e6, klikniecia);
    if (najdluzszaseria > 0)
        std::printf(", longest burst %.1f ms", double(najdluzszaseria) / 1e6);
    std::printf("%s\n", skonczona ? " (the board was solved: run cut short)" : "");
    zniszczokna();
    return skonczona ? 1 : 0;
}
