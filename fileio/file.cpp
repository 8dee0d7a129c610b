#include "fileio/file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>

#include "fileio/fileerror.h"

namespace fileio {

int errorCode(int errnum)
{
    switch (errnum) {
    case ENOENT: return 2;
    case ENAMETOOLONG:
    case EINVAL: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS: return 5;
    case ENOSPC:
    case EDQUOT: return 101;
    default: break;
    }
    switch (errnum) {
    case 2: case 3: case 4: case 5: case 100: case 101: case 106:
        return 1000 + errnum;
    default:
        return errnum;
    }
}

namespace {

Calls systemowe()
{
    return {
        [](int fd, const void* b, std::size_t n) -> long { return ::write(fd, b, n); },
        [](int fd, void* b, std::size_t n) -> long { return ::read(fd, b, n); },
        [](int fd) { return ::fsync(fd); },
        [](int fd) { return ::close(fd); },
        [](const char* z, const char* na) { return ::rename(z, na); },
    };
}

Calls& biezace()
{
    static Calls w = systemowe();
    return w;
}

[[noreturn]] void blad(int errnum) { throw IoError(errorCode(errnum)); }

int otworz(const QByteArray& nazwa, int flagi, mode_t tryb = 0)
{
    int fd;
    do
        fd = ::open(nazwa.constData(), flagi | O_CLOEXEC | O_NOCTTY, tryb);
    while (fd < 0 && errno == EINTR);
    return fd;
}

void zapiszwszystko(int fd, const QByteArray& tresc)
{
    const char* p = tresc.constData();
    std::size_t n = std::size_t(tresc.size());
    while (n > 0) {
        const long r = biezace().write(fd, p, n);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            blad(errno);
        }
        if (r == 0)
            throw IoError(101); // the disk took nothing more: full
        p += r;
        n -= std::size_t(r);
    }
}

// Flushes the file to the disk. A file system that cannot flush at all
// (EINVAL, ENOTSUP) still holds the complete file: not an error.
void splucz(int fd)
{
    if (biezace().fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        blad(errno);
}

// Closes through the replaceable call; a failure throws.
void zamknijfd(int fd)
{
    if (biezace().close(fd) != 0)
        blad(errno);
}

// The old way, truncate and write: only for a file that cannot be replaced
// (a folder that takes no new files, or something that is not a plain file).
void zapiszwmiejscu(const QByteArray& cel, const QByteArray& tresc, bool zwykly)
{
    const int fd = otworz(cel, O_WRONLY | O_TRUNC | O_NONBLOCK);
    if (fd < 0)
        blad(errno);
    try {
        zapiszwszystko(fd, tresc);
        if (zwykly)
            splucz(fd);
    } catch (...) {
        ::close(fd);
        throw;
    }
    zamknijfd(fd);
}

} // namespace

Calls& calls() { return biezace(); }
void restoreCalls() { biezace() = systemowe(); }

ReadFile::ReadFile(const QString& nazwa)
{
    // Non-blocking, so that a pipe under the file's name cannot hang the
    // start-up; anything but a plain file counts as a file that cannot be opened.
    fd_ = otworz(QFile::encodeName(nazwa), O_RDWR | O_NONBLOCK);
    if (fd_ < 0)
        return;
    struct stat st;
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

ReadFile::~ReadFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t ReadFile::read(void* bufor, std::size_t n)
{
    char* p = static_cast<char*>(bufor);
    std::size_t jest = 0;
    while (jest < n) {
        const long r = biezace().read(fd_, p + jest, n - jest);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            blad(errno);
        }
        if (r == 0)
            break;
        jest += std::size_t(r);
    }
    return jest;
}

void ReadFile::close()
{
    const int fd = fd_;
    fd_ = -1;
    zamknijfd(fd);
}

void save(const QString& nazwa, const QByteArray& tresc)
{
    QByteArray cel = QFile::encodeName(nazwa);
    struct stat st;
    bool jest = false;
    if (::lstat(cel.constData(), &st) == 0) {
        // Through a link, the file it points to is saved, as a plain
        // rewrite would; a link to nothing is replaced by the file.
        jest = true;
        if (S_ISLNK(st.st_mode)) {
            if (char* r = ::realpath(cel.constData(), nullptr)) {
                cel = r;
                std::free(r);
                jest = ::stat(cel.constData(), &st) == 0;
            } else {
                jest = false;
            }
        }
    } else if (errno != ENOENT) {
        blad(errno);
    }

    if (jest) {
        // A rename would replace a read-only file as well: a file that may
        // not be written must keep its bytes.
        const int fd = otworz(cel, O_WRONLY | O_NONBLOCK);
        if (fd < 0)
            blad(errno);
        ::close(fd);
        if (!S_ISREG(st.st_mode)) {
            zapiszwmiejscu(cel, tresc, false);
            return;
        }
    }

    const int ukosnik = cel.lastIndexOf('/');
    const QByteArray folder = ukosnik < 0 ? QByteArray(".") : ukosnik == 0 ? QByteArray("/") : cel.left(ukosnik);
    const QByteArray baza = cel.mid(ukosnik + 1);

    QByteArray tymczasowy;
    int fd = -1;
    for (int proba = 0; proba < 100 && fd < 0; ++proba) {
        tymczasowy = folder + "/." + baza + '.'
                     + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        fd = otworz(tymczasowy, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        if (jest && (errno == EACCES || errno == EPERM)) {
            zapiszwmiejscu(cel, tresc, true);
            return;
        }
        blad(errno);
    }

    try {
        if (jest) {
            // The new file takes the old one's owner and mode, as a rewrite
            // in place keeps them; an owner the player may not give is not
            // given, and the file stays the player's.
            [[maybe_unused]] const int wlasciciel = ::fchown(fd, st.st_uid, st.st_gid);
            ::fchmod(fd, st.st_mode & 07777);
        }
        zapiszwszystko(fd, tresc);
        splucz(fd);
    } catch (...) {
        ::close(fd);
        ::unlink(tymczasowy.constData());
        throw;
    }
    try {
        zamknijfd(fd);
        if (biezace().rename(tymczasowy.constData(), cel.constData()) != 0)
            blad(errno);
    } catch (...) {
        ::unlink(tymczasowy.constData());
        throw;
    }

    // The new name itself must reach the disk; a folder that cannot be
    // flushed still holds the complete file.
    const int katalog = otworz(folder, O_RDONLY | O_DIRECTORY);
    if (katalog >= 0) {
        biezace().fsync(katalog);
        ::close(katalog);
    }
}

} // namespace fileio
