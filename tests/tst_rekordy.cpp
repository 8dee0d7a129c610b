// The records table and its file "zmieniarka.rek".
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>

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
QByteArray domyslnyplik() { return domyslnywpis().repeated(96); }

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

// The new record the save tests write, and the 48 bytes it takes at 1872.
void nowyrekord()
{
    TRekord& r = rekordy[2][24];
    r = TRekord{};
    ustawimie(r, QStringLiteral("Łucja"));
    r.czas = 12.3;
    r.ruchow = 77;
}
void zapisznowy() { zapiszlisterekordow(2, 24); }

// Every other call (the first one too) ends with EINTR before the system
// makes it, as when a signal arrives.
template <class R, class... A>
void przerywaj(std::function<R(A...)>& f)
{
    f = [wlasciwa = f, teraz = true](A... a) mutable -> R {
        if (std::exchange(teraz, !teraz)) {
            errno = EINTR;
            return R(-1);
        }
        return wlasciwa(a...);
    };
}
QByteArray znowym(QByteArray plik)
{
    return plik.replace(1872, 48, QByteArray::fromHex("05 a3 75 63 6a 61") + QByteArray(26, '\0')
                                      + QByteArray::fromHex("9a 99 99 99 99 99 28 40  4d 00 00 00  00 00 00 00"));
}
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
                QCOMPARE(imierekordu(rekordy[k][p]), QStringLiteral("Gracz"));
                QCOMPARE(rekordy[k][p].czas, 999.9);
                QCOMPARE(rekordy[k][p].ruchow, 9999);
            }
        zapiszlisterekordow(1, 9);
        QCOMPARE(trescpliku(rek), domyslnyplik());
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    // The field counts of the boards 3x3 to 10x10, in the file's order.
    void iloczynyplanszy()
    {
        QCOMPARE(QList<int>(std::begin(iloczyny), std::end(iloczyny)),
                 (QList<int>{9,  12, 15, 16, 18, 20, 21, 24, 25, 27, 28, 30, 32, 35, 36, 40,
                             42, 45, 48, 49, 50, 54, 56, 60, 63, 64, 70, 72, 80, 81, 90, 100}));
    }

    // Each board's entry in the file; a shorter name overwrites only the
    // length and its own letters.
    void miejscewpliku_data()
    {
        QTest::addColumn<int>("kolory");
        QTest::addColumn<int>("pola");
        QTest::addColumn<int>("miejsce");
        QTest::newRow("3x3, 1 colour") << 1 << 9 << 0;
        QTest::newRow("10x10, 1 colour") << 1 << 100 << 1488;
        QTest::newRow("3x3, 2 colours") << 2 << 9 << 1536;
        QTest::newRow("4x6, 2 colours") << 2 << 24 << 1872;
        QTest::newRow("10x10, 3 colours") << 3 << 100 << 4560;
    }
    void miejscewpliku()
    {
        QFETCH(int, kolory);
        QFETCH(int, pola);
        QFETCH(int, miejsce);
        KatalogRoboczy katalog;
        TRekord& r = rekordy[kolory][pola];
        ustawimie(r, QStringLiteral("Ala"));
        r.czas = 12.3;
        r.ruchow = -2;

        zapiszlisterekordow(kolory, pola);
        QCOMPARE(trescpliku(rek),
                 domyslnyplik().replace(miejsce, 48,
                                        QByteArray::fromHex("03") + "Alacz" + QByteArray(26, '\0')
                                            + QByteArray::fromHex("9a 99 99 99 99 99 28 40  fe ff ff ff  00 00 00 00")));
        domyslnerekordy();
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        QCOMPARE(imierekordu(r), QStringLiteral("Ala"));
        QCOMPARE(r.czas, 12.3);
        QCOMPARE(r.ruchow, -2);
    }

    // Whole entries come from the file, and go back into it as they came,
    // the bytes without meaning too; the one the file ends or the device
    // fails in (after `awariapo` bytes, -1 never), and all after it, keep
    // their defaults, and a save takes what the file then holds.
    void wczytanie_data()
    {
        QTest::addColumn<int>("dlugoscpliku");
        QTest::addColumn<int>("awariapo");
        QTest::addColumn<int>("zpliku");
        QTest::addColumn<std::optional<int>>("blad");
        QTest::newRow("empty") << 0 << -1 << 0 << std::optional(100);
        QTest::newRow("one entry") << 48 << -1 << 1 << std::optional(100);
        QTest::newRow("ends inside the third entry") << 96 + 20 << -1 << 2 << std::optional(100);
        QTest::newRow("one byte short") << rozmiar - 1 << -1 << 95 << std::optional(100);
        QTest::newRow("whole") << rozmiar << -1 << 96 << std::optional<int>();
        QTest::newRow("longer") << rozmiar + 100 << -1 << 96 << std::optional<int>();
        QTest::newRow("device fails in the third entry") << rozmiar << 96 + 20 << 2 << std::optional(1005);
    }
    void wczytanie()
    {
        QFETCH(int, dlugoscpliku);
        QFETCH(int, awariapo);
        QFETCH(int, zpliku);
        QFETCH(std::optional<int>, blad);
        KatalogRoboczy katalog;
        QByteArray plik = plikwzorcowy() + QByteArray(200, '\x55');
        plik.truncate(dlugoscpliku);
        nowyplik(rek, plik);
        if (awariapo >= 0)
            odczytdo(std::size_t(awariapo));

        QCOMPARE(kodbledu(wczytajlisterekordow), blad);
        fileio::restoreCalls();
        QCOMPARE(trescpliku(rek), plik);
        // Field counts no board has are never read.
        QCOMPARE(rekordy[1][10].ruchow, 9999);
        QCOMPARE(rekordy[3][99].ruchow, 9999);
        for (const int i : {zpliku - 1, zpliku})
            if (i >= 0 && i < 96)
                QCOMPARE(rekordy[i / 32 + 1][iloczyny[i % 32]].ruchow, i < zpliku ? -1000 * i - 7 : 9999);
        zapiszlisterekordow(1, 9);
        const int wpliku = std::min(96, dlugoscpliku / 48);
        QCOMPARE(trescpliku(rek), plikwzorcowy().left(48 * wpliku) + domyslnywpis().repeated(96 - wpliku));
    }

    void zadlugieimie_data()
    {
        QTest::addColumn<int>("dlugosc");
        QTest::newRow("31") << 31;
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
        QCOMPARE(rekordy[2][25].dlugosc, 30);
        QCOMPARE(imierekordu(rekordy[2][25]), QStringLiteral("opqrstuvwxyzabcdefghijklmnopqr"));

        zapiszlisterekordow(1, 9);
        plik[miejsce] = char(30);
        QCOMPARE(trescpliku(rek), plik);
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
        QVERIFY(imiedozapisu(imie));
        TRekord& r = rekordy[3][49];
        ustawimie(r, imie);
        QCOMPARE(QByteArray(r.imie, r.dlugosc).toHex(' '), bajty.toHex(' '));
        QCOMPARE(imierekordu(r), imie.left(30));
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
        nowyplik(rek, plikwzorcowy());
        ustawtryb(rek, mode_t(tryb));

        std::optional<JakoGracz> gracz;
        if (jakogracz) {
            gracz.emplace();
            QVERIFY2(gracz->dziala(), "cannot check files as an unprivileged user");
        }
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        QCOMPARE(rekordy[1][9].ruchow, 9999);

        nowyrekord();
        const auto blad = kodbledu(zapisznowy);
        gracz.reset();
        ustawtryb(rek, 0644); // and a test run by a player can read it
        QCOMPARE(blad, std::optional(5));
        QCOMPARE(trescpliku(rek), plikwzorcowy());
        QCOMPARE(plikikatalogu(), QStringList{rek});
        QCOMPARE(kodbledu(zapisznowy), std::nullopt);
        QCOMPARE(trescpliku(rek), znowym(plikwzorcowy()));
    }

    // A folder that takes no new files: the file is still saved when it may
    // be written; without a file there is nothing to save into.
    void katalogdoodczytu()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());

        JakoGracz gracz;
        QVERIFY2(gracz.dziala(), "cannot check files as an unprivileged user");
        ustawtryb(QStringLiteral("."), 0555);
        nowyrekord();
        const auto zplikiem = kodbledu(zapisznowy);
        const QByteArray zapisany = trescpliku(rek);
        ustawtryb(QStringLiteral("."), 0755);
        QVERIFY(QFile::remove(rek));
        ustawtryb(QStringLiteral("."), 0555);
        const auto bezpliku = kodbledu(zapisznowy);
        const QStringList pozostale = plikikatalogu();
        ustawtryb(QStringLiteral("."), 0755);

        QCOMPARE(zplikiem, std::nullopt);
        QCOMPARE(zapisany, znowym(plikwzorcowy()));
        QCOMPARE(bezpliku, std::optional(5));
        QVERIFY(pozostale.isEmpty());
    }

    // A save that fails at any point leaves the old file whole and no
    // temporary file, and reports the error.
    void nieudanyzapis_data()
    {
        QTest::addColumn<QString>("jaka");
        QTest::addColumn<int>("zapis");
        QTest::addColumn<int>("kod");
        QTest::newRow("disk full midway") << QStringLiteral("full") << 2 << 101;
        QTest::newRow("write takes nothing") << QStringLiteral("nothing") << 2 << 101;
        QTest::newRow("device error") << QStringLiteral("eio") << 2 << 1005;
        QTest::newRow("flush finds the disk full") << QStringLiteral("fsync") << 2 << 101;
        QTest::newRow("close fails") << QStringLiteral("close") << 2 << 1005;
        QTest::newRow("rename fails") << QStringLiteral("rename") << 2 << 18;
        // A folder that takes no new files: the save writes over the file
        // itself, after its journal (writes 0 to 4) in the state folder.
        QTest::newRow("in place, disk full midway") << QStringLiteral("full") << 2 << 101;
        QTest::newRow("in place, device error midway") << QStringLiteral("eio") << 7 << 1005;
        QTest::newRow("in place, flush fails") << QStringLiteral("fsync") << 2 << 101;
    }
    void nieudanyzapis()
    {
        QFETCH(QString, jaka);
        QFETCH(int, zapis);
        QFETCH(int, kod);
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());
        std::optional<JakoGracz> gracz;
        if (QByteArray(QTest::currentDataTag()).startsWith("in place")) {
            gracz.emplace();
            QVERIFY2(gracz->dziala(), "cannot check files as an unprivileged user");
            ustawtryb(QStringLiteral("."), 0555);
        }
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        nowyrekord();
        usterka(jaka, zapis);
        const auto blad = kodbledu(zapisznowy);
        ustawtryb(QStringLiteral("."), 0755);
        QCOMPARE(blad, std::optional(kod));
        QCOMPARE(trescpliku(rek), plikwzorcowy());
        QCOMPARE(plikikatalogu(), QStringList{rek});
        QCOMPARE(katalog.dzienniki(), QStringList());
        QCOMPARE(imierekordu(rekordy[2][24]), QStringLiteral("Łucja"));

        fileio::restoreCalls();
        QCOMPARE(kodbledu(zapisznowy), std::nullopt);
        QCOMPARE(trescpliku(rek), znowym(plikwzorcowy()));
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    // The disk fills up halfway through a rewrite in place, and the old
    // bytes cannot go back either: the next start finishes the new version
    // from the journal instead of keeping half of each.
    void pelnywtrakcie()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());
        std::optional<JakoGracz> gracz;
        gracz.emplace();
        QVERIFY2(gracz->dziala(), "cannot check files as an unprivileged user");
        ustawtryb(QStringLiteral("."), 0555);
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        nowyrekord();
        // Writes of at most 1900 bytes: the journal's three, then the first
        // in place ends inside the new record (1872 to 1919), then the disk is full.
        fileio::calls().write = [n = 0](int fd, const void* b, std::size_t k) mutable -> long {
            if (n++ < 4)
                return ::write(fd, b, std::min<std::size_t>(k, 1900));
            errno = ENOSPC;
            return -1;
        };
        const auto blad = kodbledu(zapisznowy);
        fileio::restoreCalls();
        const auto przystarcie = kodbledu(wczytajlisterekordow);
        gracz.reset();
        ustawtryb(QStringLiteral("."), 0755);
        QCOMPARE(blad, std::optional(101));
        QCOMPARE(przystarcie, std::nullopt);
        QCOMPARE(trescpliku(rek), znowym(plikwzorcowy()));
        QCOMPARE(katalog.dzienniki(), QStringList());
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    // The leftovers of a killed save go at start-up, for both files, and at
    // the next save: only names a save makes (8 hex digits), and only the
    // player's own files.
    void pozostalosci()
    {
        KatalogRoboczy katalog;
        const QStringList obce{QStringLiteral(".zmieniarka.rek.0000cafe"), QStringLiteral(".zmieniarka.rek.bak"),
                               QStringLiteral(".zmieniarka.rek.123456789"), QStringLiteral("zmieniarka.rek.1"),
                               QStringLiteral(".zmieniarka.rek.1"), QStringLiteral(".zmieniarka.rek.cafe"),
                               QStringLiteral(".zmieniarka.rek.2024"), QStringLiteral(".zmieniarka.rek.9F3A07C2")};
        for (const QString& n : obce + QStringList{QStringLiteral(".zmieniarka.rek.9f3a07c2"),
                                                   QStringLiteral(".zmieniarka.cfg.00000000")})
            nowyplik(n, "x");
        dlagracza(obce[0]);
        QStringList zostaje = ::geteuid() == 0 ? obce : obce.mid(1);
        zostaje.sort();
        przygotujpliki();
        QCOMPARE(plikikatalogu(), zostaje);

        nowyplik(QStringLiteral(".zmieniarka.rek.0123abcd"), "x");
        QCOMPARE(kodbledu(zapisznowy), std::nullopt);
        zostaje.append(rek);
        zostaje.sort();
        QCOMPARE(plikikatalogu(), zostaje);
    }

    // Neither the name nor any link under it may lead the save to anything
    // but a plain file: a pipe, a socket, a device or a folder is refused as
    // the load refuses it, and stays as it was.
    void dziwnecele_data()
    {
        QTest::addColumn<QString>("co");
        QTest::newRow("pipe") << QStringLiteral("pipe");
        QTest::newRow("socket") << QStringLiteral("socket");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("link to a pipe") << QStringLiteral("link to a pipe");
        QTest::newRow("link to a device") << QStringLiteral("link to a device");
    }
    void dziwnecele()
    {
        QFETCH(QString, co);
        KatalogRoboczy katalog;
        const QByteArray cel = co.startsWith(u"link") ? "cel" : "zmieniarka.rek";
        if (co.endsWith(u"pipe")) {
            QVERIFY(::mkfifo(cel.constData(), 0666) == 0);
        } else if (co == u"socket") {
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un a{};
            a.sun_family = AF_UNIX;
            std::strcpy(a.sun_path, cel.constData());
            QVERIFY(::bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0);
            ::close(s);
        } else if (co == u"folder") {
            QVERIFY(QDir().mkdir(QString::fromLatin1(cel)));
        }
        if (co == u"link to a device")
            QVERIFY(QFile::link(QStringLiteral("/dev/null"), rek));
        else if (co.startsWith(u"link"))
            QVERIFY(QFile::link(QStringLiteral("cel"), rek));
        const QStringList przed = plikikatalogu();
        nowyrekord();
        QCOMPARE(kodbledu(zapisznowy), std::optional(5));
        QCOMPARE(plikikatalogu(), przed);
        struct stat st;
        QVERIFY(::stat(cel.startsWith("cel") ? "cel" : "zmieniarka.rek", &st) == 0 || co.endsWith(u"device"));
        if (co.endsWith(u"pipe"))
            QVERIFY(S_ISFIFO(st.st_mode) && st.st_size == 0);
    }

    // A full disk: a new file does not fit, but the old one, of the same
    // length, takes the new bytes in place; an old file of another length
    // cannot, and keeps its bytes.
    void pelnydysk_data()
    {
        QTest::addColumn<int>("dlugosc");
        QTest::addColumn<bool>("udany");
        QTest::newRow("same length") << rozmiar << true;
        QTest::newRow("shorter") << rozmiar - 48 << false;
    }
    void pelnydysk()
    {
        QFETCH(int, dlugosc);
        QFETCH(bool, udany);
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy().left(dlugosc));
        const auto inode = [] {
            struct stat st {};
            ::stat("zmieniarka.rek", &st);
            return st.st_ino;
        };
        const ino_t plik = inode();
        nowyrekord();
        // No write to a temporary file of a save gets through.
        fileio::calls().write = [](int fd, const void* b, std::size_t k) -> long {
            char nazwa[4096] = {};
            ::readlink(("/proc/self/fd/" + QByteArray::number(fd)).constData(), nazwa, sizeof nazwa - 1);
            if (QByteArray(nazwa).contains("/.zmieniarka.rek.") && !QByteArray(nazwa).endsWith(".dziennik")) {
                errno = ENOSPC;
                return -1;
            }
            return ::write(fd, b, k);
        };
        QCOMPARE(kodbledu(zapisznowy), udany ? std::nullopt : std::optional(101));
        QCOMPARE(trescpliku(rek), udany ? znowym(plikwzorcowy()) : plikwzorcowy().left(dlugosc));
        QCOMPARE(inode(), plik);
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    // A system that takes a few bytes at a time, that interrupts every
    // other call of each kind by a signal, and a file system that cannot
    // flush at all, still get the whole file.
    void zapiswkawalkach()
    {
        KatalogRoboczy katalog;
        nowyplik(rek, plikwzorcowy());
        QCOMPARE(kodbledu(wczytajlisterekordow), std::nullopt);
        nowyrekord();
        fileio::calls().write = [](int fd, const void* b, std::size_t k) -> long {
            return ::write(fd, b, std::min<std::size_t>(k, 7));
        };
        fileio::calls().fsync = [](int) { errno = EINVAL; return -1; };
        auto& c = fileio::calls();
        przerywaj(c.open), przerywaj(c.stat), przerywaj(c.lstat), przerywaj(c.fstat), przerywaj(c.fchmod);
        przerywaj(c.fchown), przerywaj(c.write), przerywaj(c.read), przerywaj(c.ftruncate), przerywaj(c.fsync);
        przerywaj(c.close), przerywaj(c.rename), przerywaj(c.unlink), przerywaj(c.flock);
        QCOMPARE(kodbledu(zapisznowy), std::nullopt);
        QCOMPARE(trescpliku(rek), znowym(plikwzorcowy()));
        QCOMPARE(plikikatalogu(), QStringList{rek});
    }

    // The working folder is gone: the system's own error.
    void brakkatalogu()
    {
        KatalogRoboczy katalog;
        QVERIFY(QDir().mkdir(QStringLiteral("znika")));
        QVERIFY(QDir::setCurrent(QStringLiteral("znika")));
        QVERIFY(QDir(katalog.sciezka(QString())).rmdir(QStringLiteral("znika")));
        QCOMPARE(kodbledu(zapisznowy), std::optional(2));
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

        QCOMPARE(kodbledu(zapisznowy), std::nullopt);
        QVERIFY(QFileInfo(rek).isSymLink());
        QCOMPARE(trescpliku(QStringLiteral("dane/prawdziwy.rek")), znowym(plikwzorcowy()));
        struct stat st;
        QVERIFY(::stat("dane/prawdziwy.rek", &st) == 0);
        QCOMPARE(st.st_mode & 07777, 0640u);
        QCOMPARE(QDir(QStringLiteral("dane")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("prawdziwy.rek")});

        // A link to nothing stays a link and gets its file.
        QVERIFY(QFile::remove(QStringLiteral("dane/prawdziwy.rek")));
        QCOMPARE(kodbledu(zapisznowy), std::nullopt);
        QVERIFY(QFileInfo(rek).isSymLink());
        QCOMPARE(trescpliku(QStringLiteral("dane/prawdziwy.rek")), znowym(plikwzorcowy()));
    }
};

QTEST_GUILESS_MAIN(TestRekordy)
#include "tst_rekordy.moc"
