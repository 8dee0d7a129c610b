// Saves of a separate game process: killed at random moments, and run as an
// unprivileged player beside other users' links and files.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include "plikitestowe.h"

namespace {

constexpr uid_t obcy = 65533; // another user of a shared folder
// setpriv's arguments that run a command as the player "nobody"
const QStringList jakonobody{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                             QStringLiteral("--clear-groups")};

QStringList tymczasowe(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".zmieniarka.rek.*")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

// Is this one whole version of the saving game's file? Entry i holds the
// last number n <= m with n % 96 == i, m being the largest number in it;
// entry 85 is never changed.
bool calawersja(const QByteArray& b)
{
    if (b.size() != 4608)
        return false;
    const auto liczba = [&b](int od, int n) {
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= std::uint64_t(std::uint8_t(b[od + i])) << (8 * i);
        return v;
    };
    std::int64_t m = 0;
    for (int i = 0; i < 96; ++i)
        m = std::max<std::int64_t>(m, std::int32_t(liczba(48 * i + 40, 4)));
    for (int i = 0; i < 96; ++i) {
        const std::int64_t n = i == 85 ? 85 : m - (m - i) % 96;
        const QByteArray imie = QByteArray::number(n);
        if (std::uint8_t(b[48 * i]) != imie.size() || b.mid(48 * i + 1, imie.size()) != imie
            || liczba(48 * i + 32, 8) != std::bit_cast<std::uint64_t>(double(n))
            || liczba(48 * i + 40, 4) != std::uint32_t(n))
            return false;
    }
    return true;
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
    void uruchom(QProcess& p, const QString& folder, const char* tryb) const
    {
        p.setWorkingDirectory(folder);
        if (jakogracz_)
            p.start(QStringLiteral("setpriv"), jakonobody + QStringList{zapisujacy_, QString::fromLatin1(tryb)});
        else
            p.start(zapisujacy_, {QString::fromLatin1(tryb)});
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
    }

    // The game is killed a few hundred times while it saves over and over:
    // the file is always one whole version, and no temporary file outlives
    // the next save. In place: the file has a second name, and as a player
    // the folder takes no new files.
    void zabity_data()
    {
        QTest::addColumn<bool>("wmiejscu");
        QTest::newRow("replaced") << false;
        QTest::newRow("in place") << true;
    }
    void zabity()
    {
        QFETCH(bool, wmiejscu);
        const QString folder = miejsce_.filePath(QString::fromLatin1(QTest::currentDataTag()));
        const QString rek = folder + QStringLiteral("/zmieniarka.rek");
        const QString drugi = folder + QStringLiteral("/drugi.rek");
        QVERIFY(QDir().mkdir(folder));
        if (jakogracz_)
            dla(folder, 65534);
        QCOMPARE(zapisz(folder), QStringLiteral("ok"));
        if (wmiejscu) {
            QVERIFY(::link(QFile::encodeName(rek).constData(), QFile::encodeName(drugi).constData()) == 0);
            ustawtryb(folder, 0555);
        }

        constexpr int zabic = 300;
        int uszkodzone = 0, zresztkami = 0, najwiecejresztek = 0;
        for (int i = 0; i < zabic; ++i) {
            QProcess p;
            uruchom(p, folder, "petla");
            QVERIFY(p.waitForReadyRead(20000));
            QCOMPARE(p.readLine(), QByteArray("\n"));
            QThread::usleep(QRandomGenerator::global()->bounded(3000));
            p.kill();
            QVERIFY(p.waitForFinished(20000));
            if (!calawersja(trescpliku(rek)))
                ++uszkodzone;
            const int resztki = int(tymczasowe(folder).size());
            zresztkami += resztki > 0;
            najwiecejresztek = std::max(najwiecejresztek, resztki);
        }
        QCOMPARE(zapisz(folder), QStringLiteral("ok"));
        const int nakoniec = int(tymczasowe(folder).size());
        qInfo("%s: %d kills, %d damaged files, a temporary file after %d kills (at most %d at once), "
              "%d left after the next save",
              QTest::currentDataTag(), zabic, uszkodzone, zresztkami, najwiecejresztek, nakoniec);
        ustawtryb(folder, 0755);

        QCOMPARE(uszkodzone, 0);
        QVERIFY(najwiecejresztek <= 1);
        QCOMPARE(nakoniec, 0);
        QVERIFY(calawersja(trescpliku(rek)));
        if (wmiejscu) {
            QCOMPARE(opis(rek).st_nlink, nlink_t(2));
            QCOMPARE(trescpliku(drugi), trescpliku(rek));
        }
    }

    // In a shared folder with the sticky bit: a link planted by another user
    // is not written through; the player's own link is; another user's file
    // that anyone may write is saved and stays that user's.
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
