#include "store/rekordy.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

#include <QStringDecoder>
#include <QStringEncoder>

#include "fileio/fileerror.h"
#include "fileio/file.h"

// The file's layout is written out field by field below; the struct mirrors
// it so that a look at an entry in memory shows the file's bytes.
static_assert(offsetof(TRekord, dlugosc) == 0);
static_assert(offsetof(TRekord, imie) == 1);
static_assert(offsetof(TRekord, wypelnienie1) == 31);
static_assert(offsetof(TRekord, czas) == 32);
static_assert(offsetof(TRekord, ruchow) == 40);
static_assert(offsetof(TRekord, wypelnienie2) == 44);
static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8);

const std::uint8_t iloczyny[32] = {9,  12, 15, 16, 18, 20, 21, 24, 25, 27, 28, 30, 32, 35, 36, 40,
                                   42, 45, 48, 49, 50, 54, 56, 60, 63, 64, 70, 72, 80, 81, 90, 100};

TRekordy rekordy;

namespace {

const QString nazwapliku = QStringLiteral("zmieniarka.rek");
constexpr int rozmiarrekordu = 48;
constexpr int rozmiarpliku = 3 * 32 * rozmiarrekordu;
// The entries this game has set and not yet saved.
bool nowe[3][92] = {};
constexpr int najdluzszeimie = 30;
const char* const stronakodowa = "windows-1250";

void dobajtow(const TRekord& r, unsigned char* b)
{
    b[0] = r.dlugosc;
    std::memcpy(b + 1, r.imie, sizeof r.imie);
    b[31] = r.wypelnienie1;
    const auto czas = std::bit_cast<std::uint64_t>(r.czas);
    for (int i = 0; i < 8; ++i)
        b[32 + i] = static_cast<unsigned char>(czas >> (8 * i));
    const auto ruchow = static_cast<std::uint32_t>(r.ruchow);
    for (int i = 0; i < 4; ++i)
        b[40 + i] = static_cast<unsigned char>(ruchow >> (8 * i));
    std::memcpy(b + 44, r.wypelnienie2, sizeof r.wypelnienie2);
}

void zbajtow(const unsigned char* b, TRekord& r)
{
    // The name field holds 30 characters: a longer length is cut to 30 and
    // so written back.
    r.dlugosc = b[0] > najdluzszeimie ? najdluzszeimie : b[0];
    std::memcpy(r.imie, b + 1, sizeof r.imie);
    r.wypelnienie1 = b[31];
    std::uint64_t czas = 0;
    for (int i = 0; i < 8; ++i)
        czas |= std::uint64_t(b[32 + i]) << (8 * i);
    r.czas = std::bit_cast<double>(czas);
    std::uint32_t ruchow = 0;
    for (int i = 0; i < 4; ++i)
        ruchow |= std::uint32_t(b[40 + i]) << (8 * i);
    r.ruchow = static_cast<std::int32_t>(ruchow);
    std::memcpy(r.wypelnienie2, b + 44, sizeof r.wypelnienie2);
}

// Every byte has a character in this code page, so decoding never fails and
// leaves no state behind; one decoder serves all names (opening one costs
// more than decoding a name). Encoders are made afresh: their error flag
// cannot be cleared.
QString odkoduj(QByteArrayView bajty)
{
    thread_local QStringDecoder dekoder(stronakodowa);
    dekoder.resetState();
    return dekoder.decode(bajty);
}

// The bytes of a name, or nothing when the code page cannot hold it exactly.
std::optional<QByteArray> zakoduj(const QString& imie)
{
    const QString tekst = imie.left(najdluzszeimie);
    QStringEncoder koder(stronakodowa);
    QByteArray bajty = koder.encode(tekst);
    // The way back catches both a refused character and one the converter
    // would silently replace by a look-alike.
    if (koder.hasError() || bajty.size() > najdluzszeimie || odkoduj(bajty) != tekst)
        return std::nullopt;
    return bajty;
}

} // namespace

void domyslnerekordy()
{
    TRekord d;
    std::memset(&d, 0, sizeof d);
    d.dlugosc = 5;
    std::memcpy(d.imie, "Gracz", 5);
    d.czas = 999.9;
    d.ruchow = 9999;
    for (int k = 1; k <= 3; ++k)
        for (int p = 9; p <= 100; ++p)
            rekordy[k][p] = d;
}

void wczytajlisterekordow()
{
    fileio::ReadFile f(nazwapliku);
    if (!f.isOpen())
        return;
    for (int k = 1; k <= 3; ++k)
        for (const std::uint8_t p : iloczyny) {
            unsigned char b[rozmiarrekordu];
            // An entry the file ends in the middle of keeps what it had:
            // every entry is either the file's or the default, never half.
            if (f.read(b, sizeof b) < sizeof b)
                throw IoError(100);
            zbajtow(b, rekordy[k][p]);
        }
    f.close();
}

void zapiszlisterekordow(int kolory, int pola)
{
    nowe[kolory - 1][pola - 9] = true;
    TRekordy zapisane = rekordy;
    fileio::update(nazwapliku, rozmiarpliku, [&zapisane](const QByteArray& teraz) {
        QByteArray tresc(rozmiarpliku, '\0');
        auto* b = reinterpret_cast<unsigned char*>(tresc.data());
        const auto* z = reinterpret_cast<const unsigned char*>(teraz.constData());
        int wpis = 0;
        for (int k = 1; k <= 3; ++k)
            for (const std::uint8_t p : iloczyny) {
                // The file's entry, unless this game has a better one not yet
                // saved; an entry the file lacks (no file, a short one) is
                // this game's.
                TRekord& r = zapisane[k][p];
                if (teraz.size() >= (wpis + 1) * rozmiarrekordu) {
                    TRekord zpliku;
                    zbajtow(z + wpis * rozmiarrekordu, zpliku);
                    if (!nowe[k - 1][p - 9] || r.czas >= zpliku.czas)
                        r = zpliku;
                }
                dobajtow(r, b);
                b += rozmiarrekordu;
                ++wpis;
            }
        return tresc;
    });
    rekordy = zapisane;
    std::memset(nowe, 0, sizeof nowe);
}

void przygotujpliki()
{
    fileio::ignoreFileSizeSignal();
    fileio::removeLeftovers(nazwapliku);
    fileio::removeLeftovers(QStringLiteral("zmieniarka.cfg"));
}

QString imierekordu(const TRekord& r)
{
    const int n = r.dlugosc > najdluzszeimie ? najdluzszeimie : r.dlugosc;
    return odkoduj(QByteArrayView(r.imie, n));
}

void ustawimie(TRekord& r, const QString& imie)
{
    const auto bajty = zakoduj(imie);
    if (!bajty)
        throw std::invalid_argument("the name has a character outside Windows-1250");
    // Only the length and the new characters: the rest of the field keeps
    // the bytes it had.
    r.dlugosc = static_cast<std::uint8_t>(bajty->size());
    std::memcpy(r.imie, bajty->constData(), std::size_t(bajty->size()));
}

bool imiedozapisu(const QString& imie)
{
    return zakoduj(imie).has_value();
}
