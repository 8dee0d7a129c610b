// Any bytes as the settings file: the load takes what arrived, reports a
// short file, and the save writes exactly the four fields.
#include <cstring>

#include "store/ustawienia.h"
#include "fileio/fileerror.h"
#include "wspolne.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::przygotuj("zmieniarka.cfg");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t n)
{
    fuzz::zapiszwejscie(dane, n);
    ustawienia = TUstawienia{};
    bool krotki = false;
    try {
        wczytajkfg();
    } catch (const IoError& e) {
        fuzz::wymagaj(e.code() == 100, "only a short file may fail");
        krotki = true;
    }
    fuzz::wymagaj(krotki == (n < 4), "a short file must be reported");

    const std::uint8_t domyslne[4] = {5, 5, 1, 0};
    std::uint8_t oczekiwane[4];
    for (std::size_t i = 0; i < 4; ++i)
        oczekiwane[i] = i < n ? dane[i] : domyslne[i];
    const std::uint8_t wpamieci[4] = {ustawienia.x, ustawienia.y, ustawienia.kolory, ustawienia.przejscie};
    fuzz::wymagaj(std::memcmp(wpamieci, oczekiwane, 4) == 0, "the fields are the bytes that arrived");

    zapiszkfg();
    const QByteArray zapisany = fuzz::trescpliku();
    fuzz::wymagaj(zapisany.size() == 4 && std::memcmp(zapisany.constData(), oczekiwane, 4) == 0,
                  "the save writes the four fields");
    return 0;
}
