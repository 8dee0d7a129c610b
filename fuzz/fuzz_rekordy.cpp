// Any bytes as the records file: whole entries are taken, a short file is
// reported, every name is at most 30 characters and shown as it is stored,
// and the save gives back the file's bytes (name lengths cut to 30).
#include <cstring>

#include "store/rekordy.h"
#include "fileio/fileerror.h"
#include "wspolne.h"

namespace {
constexpr std::size_t rozmiar = 3 * 32 * 48;
std::uint8_t domyslnywpis[48];
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::przygotuj("zmieniarka.rek");
    // The defaults as the game writes them, taken once from an empty folder.
    domyslnerekordy();
    zapiszlisterekordow(1, 9);
    const QByteArray plik = fuzz::trescpliku();
    if (plik.size() < 48)
        std::abort();
    std::memcpy(domyslnywpis, plik.constData(), 48);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t n)
{
    fuzz::zapiszwejscie(dane, n);
    domyslnerekordy();
    bool krotki = false;
    try {
        wczytajlisterekordow();
    } catch (const IoError& e) {
        fuzz::wymagaj(e.code() == 100, "only a short file may fail");
        krotki = true;
    }
    fuzz::wymagaj(krotki == (n < rozmiar), "a short file must be reported");

    for (int k = 1; k <= 3; ++k)
        for (const std::uint8_t p : iloczyny) {
            TRekord& r = rekordy[k][p];
            fuzz::wymagaj(r.dlugosc <= 30, "a name holds at most 30 characters");
            const QString imie = imierekordu(r);
            fuzz::wymagaj(imie.size() == r.dlugosc, "one character per byte");
            // A loaded name stored again gives the same bytes.
            TRekord kopia = r;
            fuzz::wymagaj(imiedozapisu(imie), "a loaded name can be stored again");
            ustawimie(kopia, imie);
            fuzz::wymagaj(std::memcmp(&kopia, &r, sizeof r) == 0, "a loaded name round-trips");
        }

    zapiszlisterekordow(1, 9);
    const QByteArray zapisany = fuzz::trescpliku();
    fuzz::wymagaj(zapisany.size() == qsizetype(rozmiar), "the save writes 4608 bytes");
    for (std::size_t i = 0; i < 96; ++i) {
        std::uint8_t oczekiwany[48];
        if (48 * (i + 1) <= n) {
            std::memcpy(oczekiwany, dane + 48 * i, 48);
            if (oczekiwany[0] > 30)
                oczekiwany[0] = 30;
        } else {
            std::memcpy(oczekiwany, domyslnywpis, 48);
        }
        fuzz::wymagaj(std::memcmp(zapisany.constData() + 48 * i, oczekiwany, 48) == 0,
                      "the save gives back the bytes loaded");
    }
    return 0;
}
