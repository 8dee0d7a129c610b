// The settings file "zmieniarka.cfg" and the file layer under it.
#include <algorithm>
#include <cerrno>
#include <unistd.h>

#include "katalog.h"
#include "plikitestowe.h"
#include "store/ustawienia.h"

Q_DECLARE_METATYPE(std::optional<int>)

namespace {
const QString cfg = QStringLiteral("zmieniarka.cfg");

QByteArray bajty(std::initializer_list<int> b)
{
    QByteArray w;
    for (int v : b)
        w.append(char(v));
    return w;
}

QByteArray jakobajty(const TUstawienia& u)
{
    return bajty({u.x, u.y, u.kolory, u.przejscie});
}
} // namespace

class TestUstawienia : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { ustawienia = TUstawienia{}; }
    void cleanup() { fileio::restoreCalls(); }

    void wczytanie_data()
    {
        QTest::addColumn<bool>("jestplik");
        QTest::addColumn<QByteArray>("plikcfg");
        QTest::addColumn<QByteArray>("wynik");
        QTest::addColumn<std::optional<int>>("blad");

        const std::optional<int> brak;
        QTest::newRow("no file") << false << QByteArray() << bajty({5, 5, 1, 0}) << brak;
        QTest::newRow("0 bytes") << true << QByteArray() << bajty({5, 5, 1, 0}) << std::optional(100);
        QTest::newRow("2 bytes") << true << bajty({7, 8}) << bajty({7, 8, 1, 0}) << std::optional(100);
        QTest::newRow("3 bytes") << true << bajty({7, 8, 2}) << bajty({7, 8, 2, 0}) << std::optional(100);
        QTest::newRow("4 bytes") << true << bajty({3, 10, 3, 1}) << bajty({3, 10, 3, 1}) << brak;
        QTest::newRow("6 bytes") << true << bajty({4, 9, 2, 2, 0xff, 0xff}) << bajty({4, 9, 2, 2}) << brak;
        QTest::newRow("out of range kept") << true << bajty({0, 255, 9, 7}) << bajty({0, 255, 9, 7}) << brak;
    }
    void wczytanie()
    {
        QFETCH(bool, jestplik);
        QFETCH(QByteArray, plikcfg);
        QFETCH(QByteArray, wynik);
        QFETCH(std::optional<int>, blad);
        KatalogRoboczy katalog;
        if (jestplik)
            nowyplik(cfg, plikcfg);

        QCOMPARE(kodbledu(wczytajkfg), blad);
        QCOMPARE(jakobajty(ustawienia), wynik);
        // The load never changes the file.
        QCOMPARE(QFile::exists(cfg), jestplik);
        QCOMPARE(trescpliku(cfg), plikcfg);
    }

    void zapis_data()
    {
        QTest::addColumn<QByteArray>("dotychczas"); // empty: no file
        QTest::addColumn<QByteArray>("wmapamieci");
        QTest::addColumn<QByteArray>("wpliku");

        QTest::newRow("first run") << QByteArray() << bajty({5, 5, 1, 0}) << bajty({5, 5, 1, 0});
        QTest::newRow("new options") << bajty({3, 3, 1, 0}) << bajty({10, 4, 3, 1})
                                     << bajty({10, 4, 3, 1});
        QTest::newRow("6-byte file") << bajty({4, 9, 2, 2, 0xff, 0xff}) << bajty({4, 9, 2, 2})
                                     << bajty({4, 9, 2, 2});
        QTest::newRow("odd values as they are") << bajty({1, 2}) << bajty({0, 200, 0, 2})
                                                << bajty({0, 200, 0, 2});
    }
    void zapis()
    {
        QFETCH(QByteArray, dotychczas);
        QFETCH(QByteArray, wmapamieci);
        QFETCH(QByteArray, wpliku);
        KatalogRoboczy katalog;
        if (!dotychczas.isEmpty())
            nowyplik(cfg, dotychczas);
        ustawienia = {std::uint8_t(wmapamieci[0]), std::uint8_t(wmapamieci[1]),
                      std::uint8_t(wmapamieci[2]), std::uint8_t(wmapamieci[3])};

        zapiszkfg();

        QCOMPARE(trescpliku(cfg), wpliku);
        QCOMPARE(plikikatalogu(), QStringList{cfg});
        // And the next run reads back what was saved.
        ustawienia = TUstawienia{};
        QCOMPARE(kodbledu(wczytajkfg), std::nullopt);
        QCOMPARE(jakobajty(ustawienia), wpliku);
    }

    // A read-only settings file is neither loaded nor replaced: every run
    // starts with the defaults, and nothing is said.
    void plikdoodczytu()
    {
        KatalogRoboczy katalog;
        dlagracza(QStringLiteral("."));
        nowyplik(cfg, bajty({3, 10, 3, 1}));
        dlagracza(cfg);
        ustawtryb(cfg, 0444);

        JakoGracz gracz;
        QVERIFY2(gracz.dziala(), "cannot check files as an unprivileged user");
        QCOMPARE(kodbledu(wczytajkfg), std::nullopt);
        QCOMPARE(jakobajty(ustawienia), bajty({5, 5, 1, 0}));

        ustawienia = {8, 8, 2, 1};
        zapiszkfg();
        QCOMPARE(trescpliku(cfg), bajty({3, 10, 3, 1}));
        QCOMPARE(plikikatalogu(), QStringList{cfg});
    }

    // A folder that takes no file: the save says nothing and creates nothing.
    void katalogdoodczytu()
    {
        KatalogRoboczy katalog;
        dlagracza(QStringLiteral("."));
        {
            JakoGracz gracz;
            QVERIFY2(gracz.dziala(), "cannot check files as an unprivileged user");
            ustawtryb(QStringLiteral("."), 0555);
            zapiszkfg();
            QVERIFY(plikikatalogu().isEmpty());
            ustawtryb(QStringLiteral("."), 0755);
        }
    }

    // Every way the writing can fail keeps the old file whole and says nothing.
    void nieudanyzapis_data()
    {
        QTest::addColumn<QString>("usterka");
        QTest::newRow("disk full on the first write") << QStringLiteral("write");
        QTest::newRow("short write") << QStringLiteral("short");
        QTest::newRow("flush fails") << QStringLiteral("fsync");
        QTest::newRow("close fails") << QStringLiteral("close");
        QTest::newRow("rename fails") << QStringLiteral("rename");
    }
    void nieudanyzapis()
    {
        QFETCH(QString, usterka);
        KatalogRoboczy katalog;
        nowyplik(cfg, bajty({3, 10, 3, 1}));
        Usterki u;
        auto& w = fileio::calls();
        if (usterka == u"write")
            w.write = [](int, const void*, std::size_t) -> long { errno = ENOSPC; return -1; };
        else if (usterka == u"short")
            w.write = [n = 0](int fd, const void* b, std::size_t k) mutable -> long {
                return n++ == 0 ? ::write(fd, b, std::min<std::size_t>(k, 2)) : 0;
            };
        else if (usterka == u"fsync")
            w.fsync = [](int) { errno = EIO; return -1; };
        else if (usterka == u"close")
            w.close = [](int fd) { ::close(fd); errno = EIO; return -1; };
        else
            w.rename = [](const char*, const char*) { errno = EXDEV; return -1; };

        ustawienia = {8, 8, 2, 1};
        zapiszkfg();
        QCOMPARE(trescpliku(cfg), bajty({3, 10, 3, 1}));
        QCOMPARE(plikikatalogu(), QStringList{cfg});
    }

    // A failing device at load: the system's error, not silence; the bytes
    // that did arrive are kept.
    void bladsystemuprzyodczycie()
    {
        KatalogRoboczy katalog;
        nowyplik(cfg, bajty({3, 10, 3, 1}));
        Usterki u;
        fileio::calls().read = [](int, void*, std::size_t) -> long { errno = EIO; return -1; };
        QCOMPARE(kodbledu(wczytajkfg), std::optional(fileio::errorCode(EIO)));
        QCOMPARE(jakobajty(ustawienia), bajty({5, 5, 1, 0}));

        // Two bytes arrive, then the device fails: those two are kept.
        int doszlo = 0;
        fileio::calls().read = [&doszlo](int fd, void* bufor, std::size_t n) -> long {
            if (doszlo >= 2) {
                errno = EIO;
                return -1;
            }
            const long r = ::read(fd, bufor, std::min<std::size_t>(n, std::size_t(2 - doszlo)));
            doszlo += int(r);
            return r;
        };
        QCOMPARE(kodbledu(wczytajkfg), std::optional(fileio::errorCode(EIO)));
        QCOMPARE(jakobajty(ustawienia), bajty({3, 10, 1, 0}));

        ustawienia = TUstawienia{};
        fileio::restoreCalls();
        fileio::calls().close = [](int fd) { ::close(fd); errno = EIO; return -1; };
        QCOMPARE(kodbledu(wczytajkfg), std::optional(fileio::errorCode(EIO)));
        QCOMPARE(jakobajty(ustawienia), bajty({3, 10, 3, 1}));
    }

    // Not a file at all under the name: nothing is loaded, and start-up is
    // not held up (a pipe would block a plain read for ever).
    void nieplik()
    {
        KatalogRoboczy katalog;
        QVERIFY(QDir().mkdir(cfg));
        QCOMPARE(kodbledu(wczytajkfg), std::nullopt);
        QVERIFY(QDir().rmdir(cfg));
        QVERIFY(::mkfifo("zmieniarka.cfg", 0644) == 0);
        QCOMPARE(kodbledu(wczytajkfg), std::nullopt);
        QCOMPARE(jakobajty(ustawienia), bajty({5, 5, 1, 0}));
    }

    // The system's error numbers as the game's codes and texts.
    void kodysystemu_data()
    {
        QTest::addColumn<int>("errnum");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("ENOENT") << ENOENT << QStringLiteral("File not found");
        QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << QStringLiteral("Invalid filename");
        QTest::newRow("EINVAL") << EINVAL << QStringLiteral("Invalid filename");
        QTest::newRow("EMFILE") << EMFILE << QStringLiteral("Too many open files");
        QTest::newRow("ENFILE") << ENFILE << QStringLiteral("Too many open files");
        QTest::newRow("EACCES") << EACCES << QStringLiteral("File access denied");
        QTest::newRow("EPERM") << EPERM << QStringLiteral("File access denied");
        QTest::newRow("EROFS") << EROFS << QStringLiteral("File access denied");
        QTest::newRow("ENOSPC") << ENOSPC << QStringLiteral("Disk full");
        QTest::newRow("EDQUOT") << EDQUOT << QStringLiteral("Disk full");
        QTest::newRow("EISDIR") << EISDIR << QStringLiteral("I/O error %1").arg(EISDIR);
        // EIO's own number is the code of "File access denied": it must not read so.
        QTest::newRow("EIO") << EIO << QStringLiteral("I/O error %1").arg(1000 + EIO);
    }
    void kodysystemu()
    {
        QFETCH(int, errnum);
        QFETCH(QString, tekst);
        QCOMPARE(IoError::text(fileio::errorCode(errnum)), tekst);
    }
};

QTEST_GUILESS_MAIN(TestUstawienia)
#include "tst_ustawienia.moc"
