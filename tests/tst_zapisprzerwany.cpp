// Saves of separate game processes: two games saving at once, one killed at
// random moments, one under a file size limit, and one run as an
// unprivileged player beside other users' links and files.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include "plikitestowe.h"
#include "store/rekordy.h"

namespace {

constexpr uid_t obcy = 65533; // another user of a shared folder
// setpriv's arguments that run a command as the player "nobody"
const QStringList jakonobody{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                             QStringLiteral("--clear-groups")};

// What saves left in the folder: temporary files and journals.
QStringList tymczasowe(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".zmieniarka.rek.*")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

std::uint64_t liczba(const QByteArray& b, int od, int n)
{
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i)
        v |= std::uint64_t(std::uint8_t(b[od + i])) << (8 * i);
    return v;
}

// Does entry i of the file hold this name, time and move count?
bool wpisjest(const QByteArray& b, int i, const QByteArray& imie, double czas, std::int64_t ruchow)
{
    return std::uint8_t(b[48 * i]) == imie.size() && b.mid(48 * i + 1, imie.size()) == imie
           && liczba(b, 48 * i + 32, 8) == std::bit_cast<std::uint64_t>(czas)
           && liczba(b, 48 * i + 40, 4) == std::uint32_t(ruchow);
}

// Is this one whole version of the saving game's file? Entry i holds the
// last number n <= m with n % 96 == i (time -n), m being the largest number
// in it.
bool calawersja(const QByteArray& b)
{
    if (b.size() != 4608)
        return false;
    std::int64_t m = 0;
    for (int i = 0; i < 96; ++i)
        m = std::max<std::int64_t>(m, std::int32_t(liczba(b, 48 * i + 40, 4)));
    for (int i = 0; i < 96; ++i) {
        const std::int64_t n = m - (m - i) % 96;
        if (!wpisjest(b, i, QByteArray::number(n), double(-n), n))
            return false;
    }
    return true;
}

// The records file of folder as the next start of the game finds it.
QByteArray ponastarcie(const QString& folder)
{
    const QString byl = QDir::currentPath();
    QDir::setCurrent(folder);
    try {
        wczytajlisterekordow();
    } catch (const IoError&) {
    }
    QDir::setCurrent(byl);
    return trescpliku(folder + QStringLiteral("/zmieniarka.rek"));
}

int zmiennej(const char* nazwa, int domyslnie)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(nazwa, &ok);
    return ok && n > 0 ? n : domyslnie;
}

struct stat opis(const QString& nazwa)
{
    struct stat st {};
    ::lstat(QFile::encodeName(nazwa).constData(), &st);
    return st;
}

void dla(const QString& nazwa, uid_t kto)
{
    QVERIFY(::lchown(QFile::encodeName(nazwa).constData(), kto, kto) == 0);
}

} // namespace

class TestZapisPrzerwany : public QObject {
    Q_OBJECT

    QTemporaryDir miejsce_;
    QString zapisujacy_;
    bool jakogracz_ = false; // root, and able to run the game as "nobody"

    // Starts the game in folder, as the player.
    void uruchom(QProcess& p, const QString& folder, const char* tryb, const QStringList& dalej = {}) const
    {
        p.setWorkingDirectory(folder);
        const QStringList argumenty = QStringList{QString::fromLatin1(tryb)} + dalej;
        if (jakogracz_)
            p.start(QStringLiteral("setpriv"), jakonobody + QStringList{zapisujacy_} + argumenty);
        else
            p.start(zapisujacy_, argumenty);
    }

    // One save in folder: "ok" or the error's text.
    QString zapisz(const QString& folder) const
    {
        QProcess p;
        uruchom(p, folder, "raz");
        p.waitForFinished(20000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Where an unprivileged player may run the game and reach the folders.
        QVERIFY(miejsce_.isValid());
        ustawtryb(miejsce_.path(), 0755);
        zapisujacy_ = miejsce_.filePath(QStringLiteral("zapisujacy"));
        QVERIFY(QFile::copy(QStringLiteral(ZM_ZAPISUJACY), zapisujacy_));
        ustawtryb(zapisujacy_, 0755);
        jakogracz_ = ::geteuid() == 0
                     && QProcess::execute(QStringLiteral("setpriv"), jakonobody + QStringList{QStringLiteral("true")}) == 0;
        // The player's state folder, for the journals of saves in place
        // where the game's folder takes no new files.
        const QString stan = miejsce_.filePath(QStringLiteral("stan"));
        QVERIFY(QDir().mkdir(stan));
        if (jakogracz_)
            dla(stan, 65534);
        qputenv("XDG_STATE_HOME", QFile::encodeName(stan));
    }

    // Two games open in one folder, each winning and saving in turn with the
    // other: neither loses a record of the other, no save fails, and the
    // later one's list shows all the other's records.
    void dwiegry()
    {
        const QString folder = miejsce_.filePath(QStringLiteral("dwiegry"));
        QVERIFY(QDir().mkdir(folder));
        if (jakogracz_)
            dla(folder, 65534);
        const int wygranych = zmiennej("ZM_WYGRANYCH", 1000);
        QProcess a, b;
        uruchom(a, folder, "wygrane", {QStringLiteral("A"), QString::number(wygranych)});
        uruchom(b, folder, "wygrane", {QStringLiteral("B"), QString::number(wygranych)});
        QVERIFY(a.waitForFinished(300000) && b.waitForFinished(300000));
        const QStringList wyjscie{QString::fromUtf8(a.readAllStandardOutput()).trimmed(),
                                  QString::fromUtf8(b.readAllStandardOutput()).trimmed()};

        const QByteArray plik = trescpliku(folder + QStringLiteral("/zmieniarka.rek"));
        int stracone = 0;
        for (const char gracz : {'A', 'B'})
            for (int e = 0; e < 48; ++e) {
                const int i = wygranych - (wygranych - e) % 48; // the game's last win on entry e
                stracone += !wpisjest(plik, (gracz == 'A' ? 0 : 48) + e, gracz + QByteArray::number(i),
                                      900 - i / 1000.0, i);
            }
        qInfo("2 x %d wins: %d of 96 records lost; A: %s; B: %s", wygranych, stracone, qPrintable(wyjscie[0]),
              qPrintable(wyjscie[1]));
        QCOMPARE(stracone, 0);
        QCOMPARE(tymczasowe(folder), QStringList());
        QVERIFY(wyjscie[0].startsWith(QStringLiteral("errors 0, sees ")));
        QVERIFY(wyjscie[1].startsWith(QStringLiteral("errors 0, sees ")));
        QVERIFY(wyjscie.contains(QStringLiteral("errors 0, sees 48")));
    }

    // A file size limit below the file's size: the save fails with the
    // system's error instead of the game dying, and keeps the old file.
    void limitrozmiaru()
    {
        const QString folder = miejsce_.filePath(QStringLiteral("limit"));
        QVERIFY(QDir().mkdir(folder));
        if (jakogracz_)
            dla(folder, 65534);
        QCOMPARE(zapisz(folder), QStringLiteral("ok"));
        const QByteArray przed = trescpliku(folder + QStringLiteral("/zmieniarka.rek"));
        QProcess p;
        p.setChildProcessModifier([] {
            const rlimit limit{4000, 4000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        uruchom(p, folder, "raz");
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QStringLiteral("I/O error 27"));
        QCOMPARE(trescpliku(folder + QStringLiteral("/zmieniarka.rek")), przed);
        QCOMPARE(tymczasowe(folder), QStringList());
    }

    // The game is killed a few hundred times while it saves over and over
    // (ZM_ZABIC times for a longer run): the file is always one whole version
    // by the next start at the latest, and no temporary file or journal
    // outlives the next save. In place: the file has a second name; the
    // journal goes beside it, or, where the folder takes no new files, to
    // the player's state folder.
    void zabity_data()
    {
        QTest::addColumn<bool>("wmiejscu");
        QTest::addColumn<bool>("doodczytu");
        QTest::newRow("replaced") << false << false;
        QTest::newRow("in place, journal beside") << true << false;
        QTest::newRow("in place, journal in the state folder") << true << true;
    }
    void zabity()
    {
        QFETCH(bool, wmiejscu);
        QFETCH(bool, doodczytu);
        const QString folder = miejsce_.filePath(QStringLiteral("zabity%1%2").arg(wmiejscu).arg(doodczytu));
        const QString rek = folder + QStringLiteral("/zmieniarka.rek");
        const QString drugi = folder + QStringLiteral("/drugi.rek");
        QVERIFY(QDir().mkdir(folder));
        if (jakogracz_)
            dla(folder, 65534);
        QCOMPARE(zapisz(folder), QStringLiteral("ok"));
        if (wmiejscu)
            QVERIFY(::link(QFile::encodeName(rek).constData(), QFile::encodeName(drugi).constData()) == 0);
        if (doodczytu)
            ustawtryb(folder, 0555);

        const int zabic = zmiennej("ZM_ZABIC", 200);
        QByteArray ostatnia = trescpliku(rek); // the last whole version
        int rozdarte = 0, uszkodzone = 0, zresztkami = 0, najwiecejresztek = 0, resztkipostarcie = 0;
        for (int i = 0; i < zabic; ++i) {
            QProcess p;
            uruchom(p, folder, "petla");
            QVERIFY(p.waitForReadyRead(20000));
            QCOMPARE(p.readLine(), QByteArray("\n"));
            QThread::usleep(QRandomGenerator::global()->bounded(3000));
            p.kill();
            QVERIFY(p.waitForFinished(20000));
            rozdarte += !calawersja(trescpliku(rek));
            const int resztki = int(tymczasowe(folder).size());
            zresztkami += resztki > 0;
            najwiecejresztek = std::max(najwiecejresztek, resztki);
            const QByteArray po = ponastarcie(folder);
            if (calawersja(po)) {
                ostatnia = po;
            } else {
                // Each kill is counted on its own: the damage is mended.
                ++uszkodzone;
                QFile f(rek);
                QVERIFY(f.open(QIODevice::ReadWrite) && f.write(ostatnia) == ostatnia.size());
            }
            resztkipostarcie += int(QDir(miejsce_.filePath(QStringLiteral("stan/zmieniarka"))).entryList(QDir::Files).size())
                                + QFile::exists(folder + QStringLiteral("/.zmieniarka.rek.dziennik"));
        }
        QCOMPARE(zapisz(folder), QStringLiteral("ok"));
        const int nakoniec = int(tymczasowe(folder).size());
        qInfo("%s: %d kills, %d files torn right after the kill, %d damaged after the next start, "
              "a temporary file or journal after %d kills (at most %d at once), %d journals in the state "
              "folder after a start, %d left after the next save",
              QTest::currentDataTag(), zabic, rozdarte, uszkodzone, zresztkami, najwiecejresztek,
              resztkipostarcie, nakoniec);
        ustawtryb(folder, 0755);

        QCOMPARE(uszkodzone, 0);
        QVERIFY(najwiecejresztek <= 1);
        QCOMPARE(resztkipostarcie, 0);
        QCOMPARE(nakoniec, 0);
        QVERIFY(calawersja(trescpliku(rek)));
        if (wmiejscu) {
            QCOMPARE(opis(rek).st_nlink, nlink_t(2));
            QCOMPARE(trescpliku(drugi), trescpliku(rek));
        }
    }

    // In a shared folder with the sticky bit: a link planted by another user
    // is not written through, nor is the player's own link to such a link;
    // the player's own link is; another user's file that anyone may write is
    // saved and stays that user's.
    void innyuzytkownik()
    {
        if (!jakogracz_)
            QSKIP("cannot run the game as an unprivileged user (needs root and setpriv): "
                  "the planted link and another user's file are not checked");
        const QString wspolny = miejsce_.filePath(QStringLiteral("wspolny"));
        const QString gracza = miejsce_.filePath(QStringLiteral("gracza"));
        const QString wlasny = gracza + QStringLiteral("/wlasny");
        const QString rek = wspolny + QStringLiteral("/zmieniarka.rek");
        QVERIFY(QDir().mkdir(wspolny) && QDir().mkdir(gracza));
        ustawtryb(wspolny, 01777);
        dla(gracza, 65534);
        ustawtryb(gracza, 0700);
        nowyplik(wlasny, "the player's own data");
        dla(wlasny, 65534);
        ustawtryb(wlasny, 0600);

        QVERIFY(QFile::link(wlasny, rek));
        dla(rek, obcy);
        const QString podrzucony = zapisz(wspolny);
        qInfo("a link planted by another user: \"%s\", the file it points to %s", qPrintable(podrzucony),
              trescpliku(wlasny) == "the player's own data" ? "unchanged" : "OVERWRITTEN");
        QCOMPARE(podrzucony, QStringLiteral("File access denied"));
        QCOMPARE(trescpliku(wlasny), QByteArray("the player's own data"));

        const QString trzeci = miejsce_.filePath(QStringLiteral("trzeci"));
        nowyplik(trzeci, "a third user's data");
        dla(trzeci, obcy - 1);
        ustawtryb(trzeci, 0666);
        const QString posredni = wspolny + QStringLiteral("/posredni");
        QVERIFY(QFile::link(trzeci, posredni));
        dla(posredni, obcy);
        QVERIFY(QFile::remove(rek));
        QVERIFY(QFile::link(posredni, rek));
        dla(rek, 65534);
        const QString lancuch = zapisz(wspolny);
        qInfo("the player's link to a link planted by another user: \"%s\", the file at its end %s",
              qPrintable(lancuch), trescpliku(trzeci) == "a third user's data" ? "unchanged" : "OVERWRITTEN");
        QCOMPARE(lancuch, QStringLiteral("File access denied"));
        QCOMPARE(trescpliku(trzeci), QByteArray("a third user's data"));
        QVERIFY(QFile::remove(rek) && QFile::remove(posredni));

        QVERIFY(QFile::link(wlasny, rek));
        dla(rek, 65534);
        QCOMPARE(zapisz(wspolny), QStringLiteral("ok"));
        QVERIFY(QFileInfo(rek).isSymLink());
        QCOMPARE(trescpliku(wlasny).size(), 4608);

        QVERIFY(QFile::remove(rek));
        nowyplik(rek, QByteArray(4608, 'x'));
        dla(rek, obcy);
        ustawtryb(rek, 0666);
        const ino_t plik = opis(rek).st_ino;
        QCOMPARE(zapisz(wspolny), QStringLiteral("ok"));
        const struct stat st = opis(rek);
        QCOMPARE(st.st_ino, plik);
        QCOMPARE(st.st_uid, obcy);
        QCOMPARE(st.st_mode & 07777, 0666u);
        QVERIFY(trescpliku(rek) != QByteArray(4608, 'x'));
        QCOMPARE(tymczasowe(wspolny), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestZapisPrzerwany)
#include "tst_zapisprzerwany.moc"
