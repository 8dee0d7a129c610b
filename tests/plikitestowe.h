#pragma once
// Helpers of the data-file tests: file contents, a player's rights under a
// root test run, faults of the file layer, and the outcome of a call that
// may throw IoError.
#include <algorithm>
#include <cerrno>
#include <functional>
#include <optional>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>

#include "fileio/fileerror.h"
#include "fileio/file.h"

inline QByteArray trescpliku(const QString& nazwa)
{
    QFile f(nazwa);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline void nowyplik(const QString& nazwa, const QByteArray& tresc)
{
    QFile f(nazwa);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(tresc), tresc.size());
}

// Everything in the working directory, hidden files included: a save must
// leave no temporary file behind.
inline QStringList plikikatalogu()
{
    return QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Name);
}

// The code of the IoError a call throws; nothing when it returns normally.
inline std::optional<int> kodbledu(const std::function<void()>& f)
{
    try {
        f();
    } catch (const IoError& e) {
        return e.code();
    }
    return std::nullopt;
}

constexpr uid_t uidgracza = 65534;

// Under root, hands a file or folder to the player "nobody", as a player's
// own files would be.
inline void dlagracza(const QString& nazwa)
{
    if (::geteuid() == 0)
        QVERIFY(::chown(QFile::encodeName(nazwa).constData(), uidgracza, uidgracza) == 0);
}

// Permission checks as a player sees them. Root writes a read-only file
// anyway, so a root test run hands the working folder and all in it to the
// unprivileged user "nobody" and checks files with that user's file-system
// identity for as long as this object lives: the kernel then applies the
// mode bits exactly as for a player, and the game's own code path is
// unchanged. As any other user nothing needs to change.
class JakoGracz {
public:
    JakoGracz()
    {
        if (::geteuid() != 0)
            return;
        for (const QString& n : plikikatalogu() + QStringList{QStringLiteral(".")})
            dlagracza(n);
        ::setfsgid(uidgracza);
        ::setfsuid(uidgracza);
        zmieniony_ = true;
    }
    ~JakoGracz()
    {
        if (zmieniony_) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    // Does the kernel now check files as an unprivileged user?
    bool dziala() const
    {
        // An invalid id changes nothing and returns the current one.
        return !zmieniony_ || int(::setfsuid(uid_t(-1))) == int(uidgracza);
    }

private:
    bool zmieniony_ = false;
};

inline void ustawtryb(const QString& nazwa, mode_t tryb)
{
    QVERIFY(::chmod(QFile::encodeName(nazwa).constData(), tryb) == 0);
}

// The file layer fails as named until the test's cleanup brings the
// system's calls back: "full", "nothing" (the disk takes no byte) from
// write call number `zapis` on, "eio" at that call only (the others take up
// to 1000 bytes each), a flush that finds the disk full, a close or a
// rename that fails.
inline void usterka(const QString& jaka, int zapis = 2)
{
    auto& w = fileio::calls();
    if (jaka == u"fsync")
        w.fsync = [](int) { errno = ENOSPC; return -1; };
    else if (jaka == u"close")
        w.close = [](int fd) { ::close(fd); errno = EIO; return -1; };
    else if (jaka == u"rename")
        w.rename = [](const char*, const char*) { errno = EXDEV; return -1; };
    else
        w.write = [n = 0, zapis, e = jaka == u"full" ? ENOSPC : jaka == u"eio" ? EIO : 0](
                      int fd, const void* b, std::size_t k) mutable -> long {
            if (n++ < zapis || (n - 1 > zapis && e == EIO))
                return ::write(fd, b, std::min<std::size_t>(k, 1000));
            errno = e;
            return e ? -1 : 0;
        };
}

// Reads fail with EIO once this many bytes have arrived.
inline void odczytdo(std::size_t bajtow)
{
    fileio::calls().read = [bajtow](int fd, void* b, std::size_t k) mutable -> long {
        if (bajtow == 0) {
            errno = EIO;
            return -1;
        }
        const long r = ::read(fd, b, std::min(k, bajtow));
        bajtow -= r > 0 ? std::size_t(r) : 0;
        return r;
    };
}
