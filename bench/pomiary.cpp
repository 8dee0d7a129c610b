// The game's routines measured on the platform the program runs on (offscreen
// by default), each a median over repetitions, and the start-up and peak
// memory of the real window set against a bare main window, measured in
// probe processes (bench/sonda.cpp, bench/podloga.cpp).
//
// Run from the build directory: QT_QPA_PLATFORM=offscreen ./bench/zmieniarka_bench
// With DISPLAY set the start-up is measured under that X server as well.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QRegion>
#include <QTemporaryDir>
#include <QTest>

#include "app/start.h"
#include "pomiar.h"
#include "game/plansza.h"
#include "store/rekordy.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "widgets/application.h"

extern char** environ;

namespace {

constexpr int powtorzenia = 15;         // repetitions of each in-process figure
constexpr int powtorzeniastartu = 31;   // probe pairs per platform

// A 10 x 10 game with 3 colours, as the player starts it.
void nowa10x10(bool przejscie = false)
{
    ustawienia = TUstawienia{10, 10, 3, std::uint8_t(przejscie ? 1 : 0)};
    Form1->Nowa1Click();
    QCoreApplication::processEvents();
}

// The tiles one click on g changes, in the game window's coordinates.
QRegion zmienione(const guzik* g)
{
    int kol[5], wie[5];
    const int n = sasiedztwo(g->kolumna, g->wiersz, gra.x, gra.y, gra.przejscie != 0, kol, wie);
    QRegion r;
    for (int i = 0; i < n; ++i) {
        const guzik* t = plansza[wie[i]][kol[i]];
        r += QRect(t->mapTo(Form1, QPoint(0, 0)), t->size());
    }
    return r;
}

// ---- the game's routines ---------------------------------------------------

// Nowa on a 10 x 10 board at 3 colours: the old 100 tiles destroyed, 100 new
// ones built, set to the start position and scrambled. What the event loop
// does afterwards (geometry, the paint) runs outside the timing.
void BM_Nowa1Click(benchmark::State& state)
{
    nowa10x10();
    for (auto _ : state) {
        ustawienia = TUstawienia{10, 10, 3, 0};
        Form1->Nowa1Click();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// The same, with the paint of the whole new board forced inside the timing:
// what the player waits for after F2.
void BM_Nowa1Click_z_malowaniem(benchmark::State& state)
{
    nowa10x10();
    for (auto _ : state) {
        ustawienia = TUstawienia{10, 10, 3, 0};
        Form1->Nowa1Click();
        Form1->repaint();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// One move through the game window's handler, and the repaint of the tiles
// it changed. The clicks walk the board row by row, corners and edges
// included (3, 4 or 5 tiles change).
void BM_przyciskiClick(benchmark::State& state)
{
    nowa10x10(state.range(0) != 0);
    int i = 0;
    for (auto _ : state) {
        guzik* g = plansza[(i / 10) % 10][i % 10];
        ++i;
        Form1->przyciskiClick(g);
        Form1->repaint(zmienione(g));
    }
    if (gra.stan != gratrwa)
        state.SkipWithError("the board was solved during the run");
}

// A player's click: mouse press and release through the application (the
// tile is drawn pressed, then released), the move, and the repaint.
void BM_klikniecie_mysza(benchmark::State& state)
{
    nowa10x10();
    int i = 0;
    for (auto _ : state) {
        guzik* g = plansza[(i / 10) % 10][i % 10];
        ++i;
        QTest::mouseClick(g, Qt::LeftButton);
        Form1->repaint(zmienione(g));
    }
    if (gra.stan != gratrwa)
        state.SkipWithError("the board was solved during the run");
}

// The records list rebuilt (96 rows) while the window is hidden, as after a
// new record; with range 1 the window is open and repainted after each rebuild.
void BM_odswiezlisterekordow(benchmark::State& state)
{
    const bool otwarte = state.range(0) != 0;
    if (otwarte) {
        Form4->openCentred();
        (void)QTest::qWaitForWindowExposed(Form4);
    }
    for (auto _ : state) {
        Form4->odswiezlisterekordow();
        if (otwarte)
            Form4->repaint();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    Form4->hide();
    QCoreApplication::processEvents();
}

// A record saved (the file read again under the folder's lock, then written
// anew: new file, flushed to the disk, put in place of the old one), and the
// file read back.
void BM_zapiszlisterekordow(benchmark::State& state)
{
    for (auto _ : state)
        zapiszlisterekordow(1, 9);
}

void BM_wczytajlisterekordow(benchmark::State& state)
{
    zapiszlisterekordow(1, 9);
    for (auto _ : state)
        wczytajlisterekordow();
}

// ---- start-up and memory, in probe processes -------------------------------

struct Sonda {
    double main_ms = 0;      // process start to main(): exec, the libraries, static data
    double malowanie_ms = 0; // process start to the first paint event of the main window
    double klatka_ms = 0;    // process start to the end of that first frame
    double hwm_start_mb = 0; // peak resident set after start-up
    double hwm_gra_mb = 0;   // ... and after a 10 x 10 game (the game's probe only)
    bool dobra = false;
};

// Starts a probe with QT_QPA_PLATFORM=platforma and reads its report line.
// The time is taken right before the spawn, so it covers exec, loading the
// libraries and everything up to the paint.
Sonda uruchom(const char* program, const char* argument, const char* platforma)
{
    std::vector<std::string> srodowisko;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            srodowisko.emplace_back(*e);
    srodowisko.push_back(std::string("QT_QPA_PLATFORM=") + platforma);
    std::vector<char*> envp;
    for (std::string& s : srodowisko)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    std::string sciezka = QCoreApplication::applicationDirPath().toStdString() + "/" + program;
    std::string arg = argument ? argument : "";
    std::vector<char*> argv{sciezka.data()};
    if (argument)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // Every game probe starts as a first run does, without data files, and
    // so plays its game to a new record.
    std::remove("zmieniarka.rek");
    std::remove("zmieniarka.cfg");

    int rura[2];
    if (pipe2(rura, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t akcje;
    posix_spawn_file_actions_init(&akcje);
    posix_spawn_file_actions_adddup2(&akcje, rura[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&akcje, STDERR_FILENO, "sonda.log", O_WRONLY | O_CREAT | O_APPEND, 0644);

    pid_t pid = 0;
    const std::int64_t start = pomiar::teraz_ns();
    const int blad = posix_spawn(&pid, sciezka.c_str(), &akcje, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&akcje);
    close(rura[1]);
    if (blad != 0) {
        close(rura[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", sciezka.c_str(), std::strerror(blad));
        return {};
    }
    std::string wyjscie;
    char bufor[512];
    for (;;) {
        const ssize_t n = read(rura[0], bufor, sizeof bufor);
        if (n > 0)
            wyjscie.append(bufor, std::size_t(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(rura[0]);
    int status = 0;
    waitpid(pid, &status, 0);

    long long main = 0, malowanie = 0, klatka = 0;
    long hwmstart = 0, hwmgra = 0;
    Sonda s;
    if (std::sscanf(wyjscie.c_str(), "main=%lld malowanie=%lld klatka=%lld hwm_start=%ld hwm_gra=%ld", &main,
                    &malowanie, &klatka, &hwmstart, &hwmgra)
            == 5
        && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        s.main_ms = double(main - start) / 1e6;
        s.malowanie_ms = double(malowanie - start) / 1e6;
        s.klatka_ms = double(klatka - start) / 1e6;
        s.hwm_start_mb = double(hwmstart) / 1024;
        s.hwm_gra_mb = double(hwmgra) / 1024;
        s.dobra = true;
    }
    return s;
}

// One repetition = the floor, the floor with text and the game, one process
// each, in an order that rotates from one repetition to the next so that
// none of them always runs on caches another one warmed.
void BM_start(benchmark::State& state, const char* platforma)
{
    static std::set<std::string> rozgrzane;
    static int ktory = 0;
    struct Program {
        const char* nazwa;
        const char* argument;
    };
    const Program programy[3] = {
        {"zmieniarka_podloga", nullptr}, {"zmieniarka_podloga", "--tekst"}, {"zmieniarka_sonda", "--gra"}};
    if (rozgrzane.insert(platforma).second)
        for (const Program& p : programy) // not counted: the page cache, fontconfig's cache
            uruchom(p.nazwa, p.argument, platforma);
    for (auto _ : state) {
        Sonda wyniki[3];
        for (int i = 0; i < 3; ++i) {
            const int j = (ktory + i) % 3;
            wyniki[j] = uruchom(programy[j].nazwa, programy[j].argument, platforma);
        }
        ++ktory;
        const Sonda& podloga = wyniki[0];
        const Sonda& tekst = wyniki[1];
        const Sonda& gra = wyniki[2];
        if (!podloga.dobra || !tekst.dobra || !gra.dobra) {
            state.SkipWithError("a probe failed (see sonda.log in the working directory)");
            break;
        }
        state.SetIterationTime(gra.malowanie_ms / 1000);
        state.counters["gra_ms"] = gra.malowanie_ms;
        state.counters["podloga_ms"] = podloga.malowanie_ms;
        state.counters["podloga_tekst_ms"] = tekst.malowanie_ms;
        state.counters["iloraz"] = gra.malowanie_ms / podloga.malowanie_ms;
        state.counters["iloraz_tekst"] = gra.malowanie_ms / tekst.malowanie_ms;
        state.counters["gra_main_ms"] = gra.main_ms;
        state.counters["podloga_main_ms"] = podloga.main_ms;
        state.counters["gra_klatka_ms"] = gra.klatka_ms;
        state.counters["hwm_podloga_MB"] = podloga.hwm_start_mb;
        state.counters["hwm_podloga_tekst_MB"] = tekst.hwm_start_mb;
        state.counters["hwm_start_MB"] = gra.hwm_start_mb;
        state.counters["hwm_po_grze_MB"] = gra.hwm_gra_mb;
        state.counters["nadwyzka_start_MB"] = gra.hwm_start_mb - podloga.hwm_start_mb;
        state.counters["nadwyzka_start_tekst_MB"] = gra.hwm_start_mb - tekst.hwm_start_mb;
        state.counters["nadwyzka_po_grze_MB"] = gra.hwm_gra_mb - podloga.hwm_start_mb;
    }
}

// The console table as usual, and at the end one line per figure: the
// medians next to their targets.
class Podsumowanie : public benchmark::ConsoleReporter {
public:
    Podsumowanie() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median" && !r.error_occurred) {
                std::string nazwa = r.run_name.function_name;
                if (!r.run_name.args.empty())
                    nazwa += "/" + r.run_name.args;
                mediany_.emplace(nazwa, r);
            }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nMedians against the targets\n");
        czas("Nowa1Click/10x10/3", "Nowa1Click, 10 x 10, 3 colours", 3.0, "ms");
        czas("Nowa1Click+malowanie/10x10/3", "  the same with the paint of the new board", 0, "ms");
        czas("przyciskiClick+malowanie/10x10/3/przejscie:0", "przyciskiClick + repaint of the changed tiles", 200,
             "us");
        czas("przyciskiClick+malowanie/10x10/3/przejscie:1", "  the same with wrap-around", 200, "us");
        czas("klikniecie_mysza+malowanie/10x10/3", "  a mouse click (press, release) + repaint", 0, "us");
        czas("odswiezlisterekordow/otwarte:0", "odswiezlisterekordow, 96 rows", 2.0, "ms");
        czas("odswiezlisterekordow/otwarte:1", "  the same with the list open, + repaint", 0, "ms");
        czas("zapiszlisterekordow", "zapiszlisterekordow (safe replace, fsync)", 0, "ms");
        czas("wczytajlisterekordow", "wczytajlisterekordow", 0, "us");
        for (const char* p : {"offscreen", "xcb"})
            start(p);
    }

private:
    const Run* znajdz(const std::string& nazwa) const
    {
        const auto it = mediany_.find(nazwa);
        return it == mediany_.end() ? nullptr : &it->second;
    }

    static double licznik(const Run& r, const char* nazwa)
    {
        const auto it = r.counters.find(nazwa);
        return it == r.counters.end() ? 0 : it->second.value;
    }

    static void linia(const std::string& co, const std::string& wartosc, const std::string& cel, int spelniony)
    {
        std::printf("  %-52s %-22s %-20s %s\n", co.c_str(), wartosc.c_str(), cel.c_str(),
                    spelniony < 0 ? "" : spelniony ? "met" : "MISSED");
    }

    static std::string liczba(double v, const char* jednostka)
    {
        char b[64];
        std::snprintf(b, sizeof b, v < 10 ? "%.3f %s" : v < 100 ? "%.2f %s" : "%.1f %s", v, jednostka);
        return b;
    }

    void czas(const char* nazwa, const char* opis, double cel, const char* jednostka) const
    {
        const Run* r = znajdz(nazwa);
        if (!r)
            return;
        const double v = r->GetAdjustedRealTime();
        char c[32];
        std::snprintf(c, sizeof c, "<= %g %s", cel, jednostka);
        linia(opis, liczba(v, jednostka), cel > 0 ? c : "", cel > 0 ? v <= cel : -1);
    }

    void start(const char* platforma) const
    {
        const Run* r = znajdz(std::string("start/") + platforma);
        if (!r)
            return;
        const double gra = licznik(*r, "gra_ms"), podloga = licznik(*r, "podloga_ms");
        const double iloraz = licznik(*r, "iloraz");
        std::printf("  start-up, %s: process start to the first paint of the main window\n", platforma);
        linia("    empty QMainWindow (the floor)", liczba(podloga, "ms"), "", -1);
        linia("    QMainWindow with one label", liczba(licznik(*r, "podloga_tekst_ms"), "ms"), "", -1);
        linia("    the game, all six windows", liczba(gra, "ms"), "", -1);
        // The wall time goes with the load of the machine; the start-up's
        // target is kept in instructions (tools/instrukcje).
        char b[64];
        std::snprintf(b, sizeof b, "%.2f x", iloraz);
        linia("    game / floor (median of the pairs)", b, "", -1);
        std::snprintf(b, sizeof b, "%.2f x", licznik(*r, "iloraz_tekst"));
        linia("    game / floor with one label", b, "", -1);
        const double hwmpodloga = licznik(*r, "hwm_podloga_MB");
        linia("    peak memory (VmHWM): floor", liczba(hwmpodloga, "MB"), "", -1);
        linia("    peak memory (VmHWM): floor with one label", liczba(licznik(*r, "hwm_podloga_tekst_MB"), "MB"),
              "", -1);
        const double nstart = licznik(*r, "nadwyzka_start_MB"), ngra = licznik(*r, "nadwyzka_po_grze_MB");
        const double ntekst = licznik(*r, "nadwyzka_start_tekst_MB");
        linia("    game after start-up, above the floor", "+" + liczba(nstart, "MB"), "", -1);
        linia("    game after start-up, above one label", "+" + liczba(ntekst, "MB"), "<= +3.5 MB", ntekst <= 3.5);
        linia("    game after a 10 x 10 game, above the floor", "+" + liczba(ngra, "MB"), "<= +15 MB", ngra <= 15);
    }

    std::map<std::string, Run> mediany_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));

    // The records and settings files go to a folder of their own.
    QTemporaryDir katalog;
    if (!katalog.isValid() || !QDir::setCurrent(katalog.path())) {
        std::fprintf(stderr, "no temporary working directory\n");
        return 1;
    }
    utworzokna();
    Form1->Timer1->stop(); // the clock has its own program (zmieniarka_zegar)
    if (!QTest::qWaitForWindowExposed(Form1)) {
        std::fprintf(stderr, "the game window was never shown\n");
        return 1;
    }

    auto w = [](benchmark::internal::Benchmark* b) {
        // Wall time, which is what the player waits for (a save mostly waits
        // for the disk).
        return b->Repetitions(powtorzenia)->ReportAggregatesOnly(true)->UseRealTime()->MinTime(0.1);
    };
    w(benchmark::RegisterBenchmark("Nowa1Click/10x10/3", BM_Nowa1Click))->Unit(benchmark::kMillisecond);
    w(benchmark::RegisterBenchmark("Nowa1Click+malowanie/10x10/3", BM_Nowa1Click_z_malowaniem))
        ->Unit(benchmark::kMillisecond);
    w(benchmark::RegisterBenchmark("przyciskiClick+malowanie/10x10/3", BM_przyciskiClick))
        ->ArgName("przejscie")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMicrosecond);
    w(benchmark::RegisterBenchmark("klikniecie_mysza+malowanie/10x10/3", BM_klikniecie_mysza))
        ->Unit(benchmark::kMicrosecond);
    w(benchmark::RegisterBenchmark("odswiezlisterekordow", BM_odswiezlisterekordow))
        ->ArgName("otwarte")
        ->Arg(0)
        ->Arg(1)
        ->Unit(benchmark::kMillisecond);
    w(benchmark::RegisterBenchmark("zapiszlisterekordow", BM_zapiszlisterekordow))->Unit(benchmark::kMillisecond);
    w(benchmark::RegisterBenchmark("wczytajlisterekordow", BM_wczytajlisterekordow))->Unit(benchmark::kMicrosecond);

    std::vector<const char*> platformy{"offscreen"};
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platformy.push_back("xcb");
    for (const char* p : platformy)
        benchmark::RegisterBenchmark((std::string("start/") + p).c_str(), BM_start, p)
            ->Iterations(1)
            ->Repetitions(powtorzeniastartu)
            ->ReportAggregatesOnly(true)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);

    Podsumowanie raport;
    benchmark::RunSpecifiedBenchmarks(&raport);
    benchmark::Shutdown();
    zniszczokna();
    return 0;
}
