// A game that saves its records in the working folder: once ("raz", prints
// "ok" or the error's text), or over and over ("petla", a line after the
// first save) until it is killed. Save n gives entry n % 96 the name, time
// and move count n, so that any whole file is one such version.
//
// Entry 85 (bytes 4080 to 4127) crosses the 4096-byte page boundary. The
// kernel copies a write page by page and stops between two pages for a
// kill, so a file written in place could keep half of a change to that one
// entry: it is left alone here, and keeps the number 85.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include <QFile>

#include "fileio/file.h"
#include "fileio/fileerror.h"
#include "store/rekordy.h"

namespace {

TRekord& wpis(int i) { return rekordy[i / 32 + 1][iloczyny[i % 32]]; }

void ustaw(int n)
{
    TRekord& r = wpis(n % 96);
    ustawimie(r, QString::number(n));
    r.czas = n;
    r.ruchow = n;
}

} // namespace

int main(int argc, char** argv)
{
    const bool petla = argc > 1 && std::strcmp(argv[1], "petla") == 0;
    // Flushing guards against a power cut, not a kill; without it the kills
    // land among the steps that matter, and many more of them a second.
    fileio::calls().fsync = [](int) { return 0; };
    domyslnerekordy();
    // A missing or short file starts again from version 95, so that every
    // damaged file the test finds was damaged by the last kill.
    int n = 95;
    try {
        wczytajlisterekordow();
        if (!QFile::exists(QStringLiteral("zmieniarka.rek")))
            throw IoError(2);
        for (int i = 0; i < 96; ++i)
            n = std::max(n, int(wpis(i).ruchow));
    } catch (const IoError&) {
        for (int i = 0; i <= n; ++i)
            ustaw(i);
    }
    bool pierwszy = true;
    try {
        do {
            n += n % 96 == 84 ? 2 : 1;
            ustaw(n);
            zapiszlisterekordow();
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
