// A game that saves its records in the working folder, as the game-over
// dialog does:
// - "raz": once (prints "ok" or the error's text);
// - "petla": over and over, a line after the first save, until it is
//   killed. Save n gives entry n % 96 the name and move count n and the time
//   -n (each one a new record), so that any whole file is one such version.
//   The kernel copies a write page by page and may stop between two pages
//   for a kill: a rewrite in place could then keep half of a changed entry
//   that crosses a page boundary (entry 85, bytes 4080 to 4127). So that
//   such a kill is common rather than rare, every write here stops halfway
//   through the entry being saved and lingers there a little, as a slow
//   disk would.
// - "wygrane A|B n": n wins of one of two games open in the same folder,
//   interleaved with the other's: game A sets entries 0 to 47, game B 48 to
//   95, win i the entry i % 48 with the name A<i> or B<i>, the time
//   900 - i / 1000 and i moves. Prints the errors, then how many of the other
//   game's entries its own table holds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>

#include "fileio/file.h"
#include "fileio/fileerror.h"
#include "store/rekordy.h"

namespace {

struct Miejsce {
    int kolory, pola;
};
Miejsce miejsce(int i) { return {i / 32 + 1, iloczyny[i % 32]}; }
TRekord& wpis(int i) { return rekordy[miejsce(i).kolory][miejsce(i).pola]; }

void ustaw(int i, const QString& imie, double czas, int ruchow)
{
    TRekord& r = wpis(i);
    ustawimie(r, imie);
    r.czas = czas;
    r.ruchow = ruchow;
}

off_t polowa = -1; // halfway through the entry being saved

void zapisz(int i)
{
    polowa = 48 * i + 24;
    zapiszlisterekordow(miejsce(i).kolory, miejsce(i).pola);
}

int wygrane(char gracz, int ile)
{
    const int moje = gracz == 'A' ? 0 : 48;
    const int cudze = 48 - moje;
    int bledy = 0;
    for (int i = 1; i <= ile; ++i) {
        const int e = moje + i % 48;
        ustaw(e, QChar(gracz) + QString::number(i), 900 - i / 1000.0, i);
        try {
            zapisz(e);
        } catch (const IoError& blad) {
            std::printf("%s\n", blad.what());
            ++bledy;
        }
        ::usleep(QRandomGenerator::global()->bounded(1000));
    }
    int widzi = 0;
    for (int i = cudze; i < cudze + 48; ++i)
        widzi += wpis(i).ruchow != 9999;
    std::printf("errors %d, sees %d\n", bledy, widzi);
    return bledy == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const QByteArray tryb = argc > 1 ? argv[1] : "raz";
    przygotujpliki();
    // Flushing guards against a power cut, not a kill; without it the kills
    // land among the steps that matter, and many more of them a second.
    fileio::calls().fsync = [](int) { return 0; };
    domyslnerekordy();
    if (tryb == "wygrane")
        return wygrane(argc > 2 ? argv[2][0] : 'A', argc > 3 ? std::atoi(argv[3]) : 100);

    fileio::calls().write = [](int fd, const void* b, std::size_t n) -> long {
        const off_t od = ::lseek(fd, 0, SEEK_CUR);
        if (polowa > od && polowa < od + off_t(n)) {
            const long r = ::write(fd, b, std::size_t(polowa - od));
            ::usleep(300);
            return r;
        }
        return ::write(fd, b, n);
    };
    // A missing or short file starts again from version 95.
    int n = 95;
    try {
        wczytajlisterekordow();
        if (!QFile::exists(QStringLiteral("zmieniarka.rek")))
            throw IoError(2);
        for (int i = 0; i < 96; ++i)
            n = std::max(n, int(wpis(i).ruchow));
    } catch (const IoError&) {
        for (int i = 0; i <= n; ++i)
            ustaw(i % 96, QString::number(i), -i, i);
    }
    const bool petla = tryb == "petla";
    bool pierwszy = true;
    try {
        do {
            ++n;
            ustaw(n % 96, QString::number(n), -n, n);
            zapisz(n % 96);
            if (petla && pierwszy) {
                std::puts("");
                std::fflush(stdout);
                pierwszy = false;
            }
        } while (petla);
    } catch (const IoError& e) {
        std::puts(e.what());
        return 1;
    }
    std::puts("ok");
    return 0;
}
