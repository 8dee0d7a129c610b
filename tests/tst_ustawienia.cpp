// The settings file "zmieniarka.cfg" and the file layer under it.
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

QByteArray jakobajty(const TUstawienia& u) { return bajty({u.x, u.y, u.kolory, u.przejscie}); }
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

    // The four fields as they are, over whatever file was there.
    void zapis_data()
    {
        QTest::addColumn<QByteArray>("dotychczas"); // empty: no file
        QTest::addColumn<QByteArray>("wpliku");
        QTest::newRow("first run") << QByteArray() << bajty({5, 5, 1, 0});
        QTest::newRow("new options") << bajty({3, 3, 1, 0}) << bajty({10, 4, 3, 1});
        QTest::newRow("6-byte file") << bajty({4, 9, 2, 2, 0xff, 0xff}) << bajty({4, 9, 2, 2});
        QTest::newRow("odd values as they are") << bajty({1, 2}) << bajty({0, 200, 0, 2});
    }
    void zapis()
    {
        QFETCH(QByteArray, dotychczas);
        QFETCH(QByteArray, wpliku);
        KatalogRoboczy katalog;
        if (!dotychczas.isEmpty())
            nowyplik(cfg, dotychczas);
        ustawienia = {std::uint8_t(wpliku[0]), std::uint8_t(wpliku[1]), std::uint8_t(wpliku[2]),
                      std::uint8_t(wpliku[3])};

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
        nowyplik(cfg, bajty({3, 10, 3, 1}));
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
        JakoGracz gracz;
        QVERIFY2(gracz.dziala(), "cannot check files as an unprivileged user");
        ustawtryb(QStringLiteral("."), 0555);
        zapiszkfg();
        QVERIFY(plikikatalogu().isEmpty());
        ustawtryb(QStringLiteral("."), 0755);
    }

    // Every way the writing can fail keeps the old file whole and says nothing.
    void nieudanyzapis_data()
    {
        QTest::addColumn<QString>("jaka");
        QTest::newRow("disk full on the first write") << QStringLiteral("full");
        QTest::newRow("the disk takes nothing") << QStringLiteral("nothing");
        QTest::newRow("flush fails") << QStringLiteral("fsync");
        QTest::newRow("close fails") << QStringLiteral("close");
        QTest::newRow("rename fails") << QStringLiteral("rename");
    }
    void nieudanyzapis()
    {
        QFETCH(QString, jaka);
        KatalogRoboczy katalog;
        nowyplik(cfg, bajty({3, 10, 3, 1}));
        usterka(jaka, 0);
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
        odczytdo(0);
        QCOMPARE(kodbledu(wczytajkfg), std::optional(1005));
        QCOMPARE(jakobajty(ustawienia), bajty({5, 5, 1, 0}));

        // Two bytes arrive, then the device fails: those two are kept.
        odczytdo(2);
        QCOMPARE(kodbledu(wczytajkfg), std::optional(1005));
        QCOMPARE(jakobajty(ustawienia), bajty({3, 10, 1, 0}));

        ustawienia = TUstawienia{};
        fileio::restoreCalls();
        fileio::calls().close = [](int fd) { ::close(fd); errno = EIO; return -1; };
        QCOMPARE(kodbledu(wczytajkfg), std::optional(1005));
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
        QTest::newRow("EISDIR") << EISDIR << QStringLiteral("I/O error 21");
        // EIO's own number is the code of "File access denied": it must not read so.
        QTest::newRow("EIO") << EIO << QStringLiteral("I/O error 1005");
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
