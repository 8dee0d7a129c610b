// The records table and its file "zmieniarka.rek".
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <set>
#include <stdexcept>

#include "katalog.h"
#include "plikitestowe.h"
#include "store/rekordy.h"

Q_DECLARE_METATYPE(std::optional<int>)

namespace {
const QString rek = QStringLiteral("zmieniarka.rek");
constexpr int rozmiar = 4608;

QByteArray le(std::uint64_t v, int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char(v >> (8 * i)));
    return b;
}

// The 48 bytes of a fresh entry, as the file must hold them.
QByteArray domyslnywpis()
{
    return QByteArray::fromHex("05") + "Gracz" + QByteArray(26, '\0')
           + QByteArray::fromHex("33 33 33 33 33 3F 8F 40  0F 27 00 00  00 00 00 00");
}

// Entry i of a sample file: every field, padding and the bytes past the
// name's length different from the defaults and from one another.
QByteArray wpis(int i)
{
    QByteArray b;
    b.append(char(i % 31));
    for (int j = 0; j < 30; ++j)
        b.append(char('a' + (i + j) % 26));
    b.append(char(0xa0 + i % 16));
    b += le(std::bit_cast<std::uint64_t>(i * 1.25 + 0.5), 8);
    b += le(std::uint32_t(-1000 * i - 7), 4);
    b += QByteArray::fromHex("f1223344");
    b[44] = char(0xf0 + i % 4);
    return b;
}

QByteArray plikwzorcowy()
{
    QByteArray b;
    for (int i = 0; i < 96; ++i)
        b += wpis(i);
    return b;
}

// Entry i of the file is rekordy[k][p] with these k and p.
TRekord& wpiswpamieci(int i) { return rekordy[i / 32 + 1][iloczyny[i % 32]]; }

// Does the entry in memory hold exactly these 48 bytes of the file?
bool zgodny(const TRekord& r, const QByteArray& b)
{
    std::uint64_t czas = 0;
    std::uint32_t ruchow = 0;
    for (int i = 0; i < 8; ++i)
        czas |= std::uint64_t(std::uint8_t(b[32 + i])) << (8 * i);
    for (int i = 0; i < 4; ++i)
        ruchow |= std::uint32_t(std::uint8_t(b[40 + i])) << (8 * i);
    return r.dlugosc == std::uint8_t(b[0]) && std::memcmp(r.imie, b.constData() + 1, 30) == 0
           && r.wypelnienie1 == std::uint8_t(b[31]) && std::bit_cast<std::uint64_t>(r.czas) == czas
           && std::uint32_t(r.ruchow) == ruchow && std::memcmp(r.wypelnienie2, b.constData() + 44, 4) == 0;
}

bool jakdomyslny(const TRekord& r) { return zgodny(r, domyslnywpis()); }

// The new record the fault tests try to save.
void nowyrekord()
{
    TRekord& r = rekordy[2][24];
    ustawimie(r, QStringLiteral("Łucja"));
    r.czas = 12.3;
    r.ruchow = 77;
}
constexpr int miejscenowego = 1872;
} // namespace

class TestRekordy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { domyslnerekordy(); }
    void cleanup() { fileio::restoreCalls(); }

    void bezpliku()
    {
        KatalogRoboczy katalog;
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        for (int k = 1; k <= 3; ++k)
            for (int p = 9; p <= 100; ++p) {
                QVERIFY(jakdomyslny(rekordy[k][p]));
                QCOMPARE(imierekordu(rekordy[k][p]), QStringLiteral("Gracz"));
            }
        QCOMPARE(rekordy[1][9].czas, 999.9);
        QCOMPARE(rekordy[3][100].ruchow, 9999);

        zapiszlisterekordow();
        const QByteArray plik = trescpliku(rek);
        QCOMPARE(plik.size(), rozmiar);
        for (int i = 0; i < 96; ++i)
            QCOMPARE(plik.mid(48 * i, 48).toHex(' '), domyslnywpis().toHex(' '));
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    void iloczynyplanszy()
    {
        std::set<int> pola;
        for (int x = 3; x <= 10; ++x)
            for (int y = 3; y <= 10; ++y)
                pola.insert(x * y);
        QCOMPARE(int(pola.size()), 32);
        QVERIFY(std::equal(pola.begin(), pola.end(), std::begin(iloczyny), std::end(iloczyny)));
    }

    void miejscewpliku_data()
    {
        QTest::addColumn<int>("kolory");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("miejsce");
        QTest::newRow("3x3, 1 colour") << 1 << 3 << 3 << 0;
        QTest::newRow("10x10, 1 colour") << 1 << 10 << 10 << 1488;
        QTest::newRow("3x3, 2 colours") << 2 << 3 << 3 << 1536;
        QTest::newRow("4x6, 2 colours") << 2 << 4 << 6 << 1872;
        QTest::newRow("3x8, 2 colours") << 2 << 3 << 8 << 1872;
        QTest::newRow("6x4, 2 colours") << 2 << 6 << 4 << 1872;
        QTest::newRow("8x3, 2 colours") << 2 << 8 << 3 << 1872;
        QTest::newRow("10x10, 3 colours") << 3 << 10 << 10 << 4560;
    }
    void miejscewpliku()
    {
        QFETCH(int, kolory);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, miejsce);
        KatalogRoboczy katalog;
        TRekord& r = rekordy[kolory][x * y];
        ustawimie(r, QStringLiteral("Ala"));
        r.czas = 12.3;
        r.ruchow = -2;

        zapiszlisterekordow();
        const QByteArray plik = trescpliku(rek);
        QCOMPARE(plik.size(), rozmiar);
        const QByteArray oczekiwany = QByteArray::fromHex("03") + "Alacz" + QByteArray(25, '\0')
                                      + QByteArray(1, '\0') + le(std::bit_cast<std::uint64_t>(12.3), 8)
                                      + QByteArray::fromHex("feffffff 00000000");
        for (int i = 0; i < 96; ++i)
            QCOMPARE(plik.mid(48 * i, 48).toHex(' '),
                     (48 * i == miejsce ? oczekiwany : domyslnywpis()).toHex(' '));

        domyslnerekordy();
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        QCOMPARE(imierekordu(rekordy[kolory][x * y]), QStringLiteral("Ala"));
        QCOMPARE(rekordy[kolory][x * y].czas, 12.3);
        QCOMPARE(rekordy[kolory][x * y].ruchow, -2);
    }

    // Whole entries come from the file; the one the file ends in, and all
    // after it, keep their defaults.
    void wczytanie_data()
    {
        QTest::addColumn<int>("dlugoscpliku");
        QTest::addColumn<std::optional<int>>("blad");
        QTest::newRow("empty") << 0 << std::optional(100);
        QTest::newRow("one entry") << 48 << std::optional(100);
        QTest::newRow("96 bytes") << 96 << std::optional(100);
        QTest::newRow("ends inside the third entry") << 96 + 20 << std::optional(100);
        QTest::newRow("one byte short") << rozmiar - 1 << std::optional(100);
        QTest::newRow("whole") << rozmiar << std::optional<int>();
        QTest::newRow("longer") << rozmiar + 100 << std::optional<int>();
    }
    void wczytanie()
    {
        QFETCH(int, dlugoscpliku);
        QFETCH(std::optional<int>, blad);
        KatalogRoboczy katalog;
        QByteArray plik = plikwzorcowy() + QByteArray(200, '\x55');
        plik.truncate(dlugoscpliku);
        nowyplik(rek, plik);

        QCOMPARE(kodbledu(wczytajlisterekordow), blad);
        for (int i = 0; i < 96; ++i) {
            if (48 * (i + 1) <= dlugoscpliku)
                QVERIFY2(zgodny(wpiswpamieci(i), wpis(i)), qPrintable(QString::number(i)));
            else
                QVERIFY2(jakdomyslny(wpiswpamieci(i)), qPrintable(QString::number(i)));
        }
        // Field counts no board has are never read.
        QVERIFY(jakdomyslny(rekordy[1][10]));
        QVERIFY(jakdomyslny(rekordy[3][99]));
        QCOMPARE(trescpliku(rek), plik);
    }

    void tekstbledu()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy().left(96));
        try {
            wczytajlisterekordow();
            QFAIL("a 96-byte file must end the load with an error");
        } catch (const IoError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Read beyond end of file"));
        }
    }

    // The bytes without meaning go back into the file as they came.
    void bajtyzachowane()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy() + "overlong tail");
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        zapiszlisterekordow();
        QCOMPARE(trescpliku(rek).toHex(' '), plikwzorcowy().toHex(' '));
    }

    void zadlugieimie_data()
    {
        QTest::addColumn<int>("dlugosc");
        QTest::newRow("31") << 31;
        QTest::newRow("200") << 200;
        QTest::newRow("255") << 255;
    }
    void zadlugieimie()
    {
        QFETCH(int, dlugosc);
        KatalogRoboczy katalog;
        QByteArray plik = plikwzorcowy();
        const int miejsce = 48 * 40;
        plik[miejsce] = char(dlugosc);
        nowyplik(rek, plik);

        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        const TRekord& r = wpiswpamieci(40);
        QCOMPARE(r.dlugosc, 30);
        QCOMPARE(imierekordu(r), QString::fromLatin1(plik.mid(miejsce + 1, 30)));

        zapiszlisterekordow();
        QByteArray oczekiwany = plik;
        oczekiwany[miejsce] = char(30);
        QCOMPARE(trescpliku(rek), oczekiwany);
    }

    // A shorter name overwrites only the length and its own letters.
    void krotszeimie()
    {
        KatalogRoboczy katalog;
        ustawimie(rekordy[1][20], QStringLiteral("Krzysztof"));
        zapiszlisterekordow();
        ustawimie(rekordy[1][20], QStringLiteral("Ola"));
        zapiszlisterekordow();

        const int miejsce = 48 * 5;
        QCOMPARE(trescpliku(rek).mid(miejsce, 31),
                 QByteArray::fromHex("03") + "Olaysztof" + QByteArray(21, '\0'));
        domyslnerekordy();
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        QCOMPARE(imierekordu(rekordy[1][20]), QStringLiteral("Ola"));
    }

    void imiona_data()
    {
        QTest::addColumn<QString>("imie");
        QTest::addColumn<QByteArray>("bajty");
        QTest::newRow("Polish letters") << QStringLiteral("Zażółć gęślą jaźń")
                                        << QByteArray::fromHex("5a 61 bf f3 b3 e6 20 67 ea 9c 6c b9 20 6a 61 9f f1");
        QTest::newRow("capitals") << QStringLiteral("ĄĆĘŁŃÓŚŹŻ")
                                  << QByteArray::fromHex("a5 c6 ca a3 d1 d3 8c 8f af");
        QTest::newRow("euro and dash") << QStringLiteral("€–ő") << QByteArray::fromHex("80 96 f5");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("30 letters") << QString(30, u'ż') << QByteArray(30, '\xbf');
        QTest::newRow("only 30 kept") << QString(30, u'x') + QStringLiteral("yzЖ") << QByteArray(30, 'x');
    }
    void imiona()
    {
        QFETCH(QString, imie);
        QFETCH(QByteArray, bajty);
        KatalogRoboczy katalog;
        QVERIFY(imiedozapisu(imie));
        TRekord& r = rekordy[3][49];
        ustawimie(r, imie);
        QCOMPARE(r.dlugosc, bajty.size());
        QCOMPARE(QByteArray(r.imie, r.dlugosc).toHex(' '), bajty.toHex(' '));

        zapiszlisterekordow();
        domyslnerekordy();
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        QCOMPARE(imierekordu(rekordy[3][49]), imie.left(30));
    }

    // A character the code page cannot hold is refused, never stored as
    // some other letter.
    void obceznaki_data()
    {
        QTest::addColumn<QString>("imie");
        QTest::newRow("Cyrillic") << QStringLiteral("Иван");
        QTest::newRow("Chinese") << QStringLiteral("小明");
        QTest::newRow("emoji") << QStringLiteral("Ola 😀");
        QTest::newRow("Spanish") << QStringLiteral("Ñuño");
        QTest::newRow("A grave") << QStringLiteral("Àla");
        QTest::newRow("full-width") << QStringLiteral("Ａla");
        QTest::newRow("half a pair at the end") << QStringLiteral("Ola") + QChar(0xd83d);
        QTest::newRow("half a pair at 30") << QString(29, u'a') + QStringLiteral("😀");
    }
    void obceznaki()
    {
        QFETCH(QString, imie);
        QVERIFY(!imiedozapisu(imie));
        TRekord& r = rekordy[1][9];
        ustawimie(r, QStringLiteral("Ewa"));
        const TRekord przed = r;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ustawimie(r, imie));
        QVERIFY(std::memcmp(&r, &przed, sizeof r) == 0);
    }

    // A file that cannot be opened for reading and writing is not loaded,
    // and a save keeps its bytes and says "File access denied"; the new
    // record stays in memory for a later save that succeeds. Without a write
    // bit a file is read-only for root too.
    void plikdoodczytu_data()
    {
        QTest::addColumn<int>("tryb");
        QTest::addColumn<bool>("jakogracz");
        QTest::newRow("read-only") << 0444 << true;
        QTest::newRow("write-only") << 0200 << true;
        QTest::newRow("read-only, as the one who runs the tests") << 0444 << false;
    }
    void plikdoodczytu()
    {
        QFETCH(int, tryb);
        QFETCH(bool, jakogracz);
        KatalogRoboczy katalog;
        dlagracza(QStringLiteral("."));
        nowyplik(rek, plikwzorcowy());
        dlagracza(rek);
        ustawtryb(rek, mode_t(tryb));

        std::optional<JakoGracz> gracz;
        if (jakogracz) {
            gracz.emplace();
            QVERIFY2(gracz->dziala(), "cannot check files as an unprivileged user");
        }
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        QVERIFY(jakdomyslny(rekordy[1][9]));

        nowyrekord();
        try {
            zapiszlisterekordow();
            QFAIL("a read-only file must not be replaced");
        } catch (const IoError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("File access denied"));
        }
        gracz.reset();
        QCOMPARE(trescpliku(rek), plikwzorcowy());
        QCOMPARE(plikikatalogu(), QStringList{rek});

        ustawtryb(rek, 0644);
        QCOMPARE(kodbledu(zapiszlisterekordow), std::nullopt);
        QCOMPARE(imierekordu(rekordy[2][24]), QStringLiteral("Łucja"));
        QVERIFY(zgodny(rekordy[2][24], trescpliku(rek).mid(miejscenowego, 48)));
    }

    // A folder that takes no new files: the file is still saved when it may
    // be written; without a file there is nothing to save into.
    void katalogdoodczytu()
    {
        KatalogRoboczy katalog;
        dlagracza(QStringLiteral("."));
        nowyplik(rek, plikwzorcowy());
        dlagracza(rek);

        JakoGracz gracz;
        QVERIFY2(gracz.dziala(), "cannot check files as an unprivileged user");
        ustawtryb(QStringLiteral("."), 0555);
        nowyrekord();
        const auto zplikiem = kodbledu(zapiszlisterekordow);
        const QByteArray zapisany = trescpliku(rek);
        ustawtryb(QStringLiteral("."), 0755);
        QVERIFY(QFile::remove(rek));
        ustawtryb(QStringLiteral("."), 0555);
        const auto bezpliku = kodbledu(zapiszlisterekordow);
        const QStringList pozostale = plikikatalogu();
        ustawtryb(QStringLiteral("."), 0755);

        QCOMPARE(zplikiem, std::nullopt);
        QCOMPARE(zapisany.size(), rozmiar);
        QVERIFY(zgodny(rekordy[2][24], zapisany.mid(miejscenowego, 48)));
        QCOMPARE(bezpliku, std::optional(5));
        QVERIFY(pozostale.isEmpty());
    }

    // A save that fails at any point leaves the old file whole and no
    // temporary file, and reports the error.
    void nieudanyzapis_data()
    {
        QTest::addColumn<QString>("usterka");
        QTest::addColumn<int>("kod");
        QTest::newRow("disk full midway") << QStringLiteral("full") << 101;
        QTest::newRow("write takes nothing") << QStringLiteral("nothing") << 101;
        QTest::newRow("device error") << QStringLiteral("eio") << fileio::errorCode(EIO);
        QTest::newRow("flush finds the disk full") << QStringLiteral("fsync") << 101;
        QTest::newRow("close fails") << QStringLiteral("close") << fileio::errorCode(EIO);
        QTest::newRow("rename fails") << QStringLiteral("rename") << fileio::errorCode(EXDEV);
        // A folder that takes no new files: the save writes over the file itself.
        QTest::newRow("in place, disk full midway") << QStringLiteral("full") << 101;
        QTest::newRow("in place, device error") << QStringLiteral("eio") << fileio::errorCode(EIO);
        QTest::newRow("in place, flush fails") << QStringLiteral("fsync") << 101;
    }
    void nieudanyzapis()
    {
        QFETCH(QString, usterka);
        QFETCH(int, kod);
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());
        std::optional<JakoGracz> gracz;
        if (QByteArray(QTest::currentDataTag()).startsWith("in place")) {
            dlagracza(QStringLiteral("."));
            dlagracza(rek);
            gracz.emplace();
            QVERIFY2(gracz->dziala(), "cannot check files as an unprivileged user");
            ustawtryb(QStringLiteral("."), 0555);
        }
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        nowyrekord();

        Usterki u;
        auto& w = fileio::calls();
        // Up to 1000 bytes a call; the third call meets the fault.
        if (usterka == u"full" || usterka == u"nothing" || usterka == u"eio") {
            const int e = usterka == u"full" ? ENOSPC : usterka == u"eio" ? EIO : 0;
            w.write = [n = 0, e](int fd, const void* b, std::size_t k) mutable -> long {
                if (n++ != 2)
                    return ::write(fd, b, std::min<std::size_t>(k, 1000));
                if (e == 0)
                    return 0;
                errno = e;
                return -1;
            };
        } else if (usterka == u"fsync") {
            w.fsync = [](int) { errno = ENOSPC; return -1; };
        } else if (usterka == u"close") {
            w.close = [](int fd) { ::close(fd); errno = EIO; return -1; };
        } else {
            w.rename = [](const char*, const char*) { errno = EXDEV; return -1; };
        }

        const auto blad = kodbledu(zapiszlisterekordow);
        ustawtryb(QStringLiteral("."), 0755);
        QCOMPARE(blad, std::optional(kod));
        QCOMPARE(trescpliku(rek), plikwzorcowy());
        QCOMPARE(plikikatalogu(), QStringList{rek});
        QCOMPARE(imierekordu(rekordy[2][24]), QStringLiteral("Łucja"));

        fileio::restoreCalls();
        QCOMPARE(kodbledu(zapiszlisterekordow), std::nullopt);
        QByteArray oczekiwany = plikwzorcowy();
        QVERIFY(zgodny(rekordy[2][24], trescpliku(rek).mid(miejscenowego, 48)));
        oczekiwany.replace(miejscenowego, 48, trescpliku(rek).mid(miejscenowego, 48));
        QCOMPARE(trescpliku(rek), oczekiwany);
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    // The leftovers of a killed save go at the next save: only names of the
    // save's own pattern, and only the player's own files.
    void pozostalosci()
    {
        KatalogRoboczy katalog;
        const QStringList obce{QStringLiteral(".zmieniarka.rek.0000cafe"), QStringLiteral(".zmieniarka.rek.bak"),
                               QStringLiteral(".zmieniarka.rek.123456789"), QStringLiteral("zmieniarka.rek.1")};
        for (const QString& n : obce + QStringList{QStringLiteral(".zmieniarka.rek.0"),
                                                   QStringLiteral(".zmieniarka.rek.9f3a07c2")})
            nowyplik(n, "x");
        dlagracza(obce[0]);
        QCOMPARE(kodbledu(zapiszlisterekordow), std::nullopt);
        QStringList zostaje = ::geteuid() == 0 ? obce : obce.mid(1);
        zostaje.append(rek);
        zostaje.sort();
        QCOMPARE(plikikatalogu(), zostaje);
    }

    // A system that takes a few bytes at a time still gets the whole file.
    void zapiswkawalkach()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        Usterki u;
        fileio::calls().write = [](int fd, const void* b, std::size_t k) -> long {
            return ::write(fd, b, std::min<std::size_t>(k, 7));
        };
        QCOMPARE(kodbledu(zapiszlisterekordow), std::nullopt);
        QCOMPARE(trescpliku(rek), plikwzorcowy());
    }

    // A file system that cannot flush at all still takes the whole file.
    void bezsplukiwania()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        nowyrekord();
        Usterki u;
        fileio::calls().fsync = [](int) { errno = EINVAL; return -1; };
        QCOMPARE(kodbledu(zapiszlisterekordow), std::nullopt);
        QVERIFY(zgodny(rekordy[2][24], trescpliku(rek).mid(miejscenowego, 48)));
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    void bladodczytu()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());
        Usterki u;
        fileio::calls().read = [n = 0](int fd, void* b, std::size_t k) mutable -> long {
            if (n++ < 2)
                return ::read(fd, b, k);
            errno = EIO;
            return -1;
        };
        QCOMPARE(kodbledu(wczytajlisterekordow), std::optional(fileio::errorCode(EIO)));
        QVERIFY(zgodny(wpiswpamieci(0), wpis(0)));
        QVERIFY(zgodny(wpiswpamieci(1), wpis(1)));
        QVERIFY(jakdomyslny(wpiswpamieci(2)));
    }

    // The working folder is gone: the system's own error.
    void brakkatalogu()
    {
        KatalogRoboczy katalog;
        QVERIFY(QDir().mkdir(QStringLiteral("znika")));
        QVERIFY(QDir::setCurrent(QStringLiteral("znika")));
        QVERIFY(QDir(katalog.sciezka(QString())).rmdir(QStringLiteral("znika")));
        try {
            zapiszlisterekordow();
            QFAIL("a save into a removed folder cannot succeed");
        } catch (const IoError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("File not found"));
        }
    }

    // Saving through a link writes the file it points to, with its mode.
    void dowiazanie()
    {
        KatalogRoboczy katalog;
        QVERIFY(QDir().mkdir(QStringLiteral("dane")));
        nowyplik(QStringLiteral("dane/prawdziwy.rek"), plikwzorcowy());
        ustawtryb(QStringLiteral("dane/prawdziwy.rek"), 0640);
        QVERIFY(QFile::link(QStringLiteral("dane/prawdziwy.rek"), rek));
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        nowyrekord();

        QCOMPARE(kodbledu(zapiszlisterekordow), std::nullopt);
        QVERIFY(QFileInfo(rek).isSymLink());
        const QByteArray zapisany = trescpliku(QStringLiteral("dane/prawdziwy.rek"));
        QCOMPARE(zapisany.size(), rozmiar);
        QVERIFY(zgodny(rekordy[2][24], zapisany.mid(miejscenowego, 48)));
        struct stat st;
        QVERIFY(::stat("dane/prawdziwy.rek", &st) == 0);
        QCOMPARE(st.st_mode & 07777, 0640u);
        QCOMPARE(QDir(QStringLiteral("dane")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("prawdziwy.rek")});

        // A link to nothing stays a link and gets its file.
        QVERIFY(QFile::remove(QStringLiteral("dane/prawdziwy.rek")));
        QCOMPARE(kodbledu(zapiszlisterekordow), std::nullopt);
        QVERIFY(QFileInfo(rek).isSymLink());
        QCOMPARE(trescpliku(QStringLiteral("dane/prawdziwy.rek")).size(), rozmiar);
    }
};

QTEST_GUILESS_MAIN(TestRekordy)
#include "tst_rekordy.moc"
