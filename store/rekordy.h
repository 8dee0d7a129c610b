#pragma once
#include <cstdint>
#include <QString>

// One best result; 48 bytes, laid out as in the records file.
struct TRekord {
    std::uint8_t dlugosc;     // name length, 0..30
    char imie[30];            // Windows-1250; bytes past the length are kept as read
    std::uint8_t wypelnienie1;
    double czas;              // seconds
    std::int32_t ruchow;
    std::uint8_t wypelnienie2[4];
};
static_assert(sizeof(TRekord) == 48);

// The distinct products x * y for x, y in 3..10, ascending.
extern const std::uint8_t iloczyny[32];

// rekordy[kolory][pola] for kolory 1..3, pola 9..100.
class TRekordy {
public:
    struct Wiersz {
        TRekord* pierwszy;
        TRekord& operator[](int pola) const { return pierwszy[pola - 9]; }
    };
    Wiersz operator[](int kolory) { return {tabela_[kolory - 1]}; }

private:
    TRekord tabela_[3][92] = {};
};
extern TRekordy rekordy;

void domyslnerekordy();         // every entry "Gracz", 999.9, 9999, zero padding
void wczytajlisterekordow();    // "zmieniarka.rek"; throws IoError on a short or failed read
// Saves the new record of the board (kolory, pola), already in rekordy,
// with any earlier one whose save failed. Another game open in the same
// folder may have saved since this one loaded: the file is read again under
// the save's lock, each new record goes in only while it still beats the
// file's entry, and rekordy then holds all that was written, the other
// game's records too. Throws IoError; the old file then keeps its bytes and
// rekordy its new record, for the next save.
void zapiszlisterekordow(int kolory, int pola);

// Start-up, before the loads: a write past the file size limit then fails
// as an error instead of ending the game, and what killed saves of the two
// data files left behind is removed.
void przygotujpliki();

// The name of an entry as text, and storing a new one (only the length byte
// and the new characters are written). A name that Windows-1250 cannot hold
// is refused with std::invalid_argument; at most 30 characters are kept.
QString imierekordu(const TRekord& r);
void ustawimie(TRekord& r, const QString& imie);
bool imiedozapisu(const QString& imie); // can this text be stored as a name?
