#include "store/ustawienia.h"

#include <cstddef>

#include "fileio/fileerror.h"
#include "fileio/file.h"

static_assert(offsetof(TUstawienia, x) == 0 && offsetof(TUstawienia, y) == 1
              && offsetof(TUstawienia, kolory) == 2 && offsetof(TUstawienia, przejscie) == 3);

TUstawienia ustawienia;

namespace {
const QString nazwapliku = QStringLiteral("zmieniarka.cfg");
}

void wczytajkfg()
{
    fileio::ReadFile f(nazwapliku);
    if (!f.isOpen())
        return;
    // The bytes that arrive replace the fields from x on, even when the file
    // ends early or a read fails (hence byte by byte); out-of-range values
    // are kept (the options dialog and the start of a game bring them into
    // range).
    for (std::uint8_t* pole : {&ustawienia.x, &ustawienia.y, &ustawienia.kolory, &ustawienia.przejscie}) {
        std::uint8_t b;
        if (f.read(&b, 1) < 1)
            throw IoError(100);
        *pole = b;
    }
    f.close();
}

void zapiszkfg()
{
    const char b[4] = {char(ustawienia.x), char(ustawienia.y), char(ustawienia.kolory),
                       char(ustawienia.przejscie)};
    try {
        fileio::save(nazwapliku, QByteArray(b, sizeof b));
    } catch (const IoError&) {
        // Closing the game must never be held up: a settings file that cannot
        // be written keeps its old contents, and nothing is said.
    }
}
