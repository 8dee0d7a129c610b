#include "fileio/file.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

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

Calls systemCalls()
{
    return {
        [](const char* p, int f, mode_t m) { return ::open(p, f, m); },
        [](const char* p, struct stat* st) { return ::stat(p, st); },
        [](const char* p, struct stat* st) { return ::lstat(p, st); },
        [](int fd, struct stat* st) { return ::fstat(fd, st); },
        [](int fd, mode_t m) { return ::fchmod(fd, m); },
        [](int fd, uid_t u, gid_t g) { return ::fchown(fd, u, g); },
        [](int fd, const void* b, std::size_t n) -> long { return ::write(fd, b, n); },
        [](int fd, void* b, std::size_t n) -> long { return ::read(fd, b, n); },
        [](int fd, off_t n) { return ::ftruncate(fd, n); },
        [](int fd) { return ::fsync(fd); },
        [](int fd) { return ::close(fd); },
        [](const char* z, const char* na) { return ::rename(z, na); },
        [](const char* p) { return ::unlink(p); },
    };
}

Calls& current()
{
    static Calls c = systemCalls();
    return c;
}

[[noreturn]] void fail(int errnum) { throw IoError(errorCode(errnum)); }

// An open file, closed silently when it goes out of scope; close() reports
// a failure.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            current().close(fd_);
    }
    Descriptor(Descriptor&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& o) noexcept
    {
        std::swap(fd_, o.fd_);
        return *this;
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }
    void close()
    {
        if (current().close(release()) != 0)
            fail(errno);
    }

private:
    int fd_;
};

Descriptor openFile(const QByteArray& path, int flags, mode_t mode = 0)
{
    int fd;
    do
        fd = current().open(path.constData(), flags | O_CLOEXEC | O_NOCTTY, mode);
    while (fd < 0 && errno == EINTR);
    return Descriptor(fd);
}

// A file with no write bit is read-only for root too: root ignores the bits,
// the game does not.
bool hasWriteBit(const struct stat& st) { return (st.st_mode & 0222) != 0; }

void writeAll(int fd, const QByteArray& content)
{
    const char* p = content.constData();
    std::size_t n = std::size_t(content.size());
    while (n > 0) {
        const long r = current().write(fd, p, n);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (r == 0)
            throw IoError(101); // the disk took nothing more: full
        p += r;
        n -= std::size_t(r);
    }
}

std::size_t readAll(int fd, char* p, std::size_t n)
{
    std::size_t got = 0;
    while (got < n) {
        const long r = current().read(fd, p + got, n - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (r == 0)
            break;
        got += std::size_t(r);
    }
    return got;
}

// Flushes the file to the disk. A file system that cannot flush at all
// (EINVAL, ENOTSUP) still holds the complete file: not an error.
void flush(int fd)
{
    if (current().fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        fail(errno);
}

// The file's name, and the folder it is in.
struct Place {
    QByteArray path;
    QByteArray folder;
    QByteArray base;
};

Place placeOf(const QString& name)
{
    Place p{QFile::encodeName(name), {}, {}};
    const int slash = p.path.lastIndexOf('/');
    p.folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : p.path.left(slash);
    p.base = p.path.mid(slash + 1);
    return p;
}

// A save's temporary file is named "." + the file's name + "." + 8 hex digits.
QByteArray tempPrefix(const Place& p) { return '.' + p.base + '.'; }

bool isTempName(const QByteArray& name, const QByteArray& prefix)
{
    if (!name.startsWith(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 8)
        return false;
    for (const char c : name.mid(prefix.size()))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

// Removes what killed saves left behind. A living save holds a lock on its
// temporary file, so it keeps it.
void removeLeftovers(const Place& p)
{
    DIR* d = ::opendir(p.folder.constData());
    if (!d)
        return;
    const QByteArray prefix = tempPrefix(p);
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (!isTempName(name, prefix))
            continue;
        const QByteArray path = p.folder + '/' + name;
        struct stat st;
        if (current().lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        const Descriptor fd = openFile(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
        if (fd && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            current().unlink(path.constData());
    }
    ::closedir(d);
}

// A new temporary file, locked for as long as it lives, and removed unless kept.
struct Temporary {
    QByteArray path;
    Descriptor fd;
    Descriptor lock; // a second descriptor, so that the lock outlasts closing fd
    bool made = false;
    bool kept = false;

    ~Temporary()
    {
        if (made && !kept)
            current().unlink(path.constData());
    }
};

void createTemporary(const Place& p, mode_t mode, Temporary& t)
{
    for (int attempt = 0; attempt < 100 && !t.fd; ++attempt) {
        const QByteArray digits = QByteArray::number(QRandomGenerator::global()->generate(), 16);
        t.path = p.folder + '/' + tempPrefix(p) + digits.rightJustified(8, '0');
        t.fd = openFile(t.path, O_WRONLY | O_CREAT | O_EXCL, mode);
        if (!t.fd && errno != EEXIST)
            return;
    }
    if (t.fd) {
        t.made = true;
        t.lock = Descriptor(::fcntl(t.fd.get(), F_DUPFD_CLOEXEC, 0));
        if (t.lock)
            ::flock(t.lock.get(), LOCK_EX | LOCK_NB);
    }
}

// The new bytes go to a temporary file beside the old one, are flushed and
// renamed over it. False, and nothing changed, when the folder takes no new
// file or refuses the rename: the old file is then written in place.
bool replace(const Place& p, const QByteArray& content, const struct stat* old)
{
    Temporary t;
    createTemporary(p, old ? old->st_mode & 07777 : 0666, t);
    if (!t.fd) {
        if (old && (errno == EACCES || errno == EPERM))
            return false;
        fail(errno);
    }
    if (old) {
        // The mode exactly, without the umask, and the old file's group;
        // a group the player may not give is not given.
        current().fchmod(t.fd.get(), old->st_mode & 07777);
        current().fchown(t.fd.get(), uid_t(-1), old->st_gid);
    }
    writeAll(t.fd.get(), content);
    flush(t.fd.get());
    t.fd.close();
    if (current().rename(t.path.constData(), p.path.constData()) != 0) {
        if (old && (errno == EACCES || errno == EPERM || errno == EBUSY))
            return false;
        fail(errno);
    }
    t.kept = true;

    // The new name itself must reach the disk; a folder that cannot be
    // flushed still holds the complete file.
    const Descriptor folder = openFile(p.folder, O_RDONLY | O_DIRECTORY);
    if (folder)
        current().fsync(folder.get());
    return true;
}

// The new bytes over the old ones, then the excess cut: never shorter than
// the old file. On failure the old bytes go back where they can.
void writeInPlace(Descriptor& fd, const struct stat& st, const QByteArray& content)
{
    if (!S_ISREG(st.st_mode)) {
        writeAll(fd.get(), content);
        fd.close();
        return;
    }
    QByteArray old(content.size(), '\0');
    old.truncate(qsizetype(readAll(fd.get(), old.data(), std::size_t(old.size()))));
    const off_t oldSize = st.st_size;
    const off_t newSize = content.size();
    try {
        if (::lseek(fd.get(), 0, SEEK_SET) != 0)
            fail(errno);
        writeAll(fd.get(), content);
        if (oldSize > newSize && current().ftruncate(fd.get(), newSize) != 0)
            fail(errno);
        flush(fd.get());
    } catch (const IoError&) {
        if (::lseek(fd.get(), 0, SEEK_SET) == 0) {
            try {
                writeAll(fd.get(), old);
            } catch (const IoError&) {
            }
        }
        if (oldSize < newSize)
            current().ftruncate(fd.get(), oldSize);
        current().fsync(fd.get());
        throw;
    }
    fd.close();
}

// The file under the name opened for a save, with what it is. A file that
// the load would not take is not written.
Descriptor openForSave(const QByteArray& path, int flags, struct stat& st)
{
    Descriptor fd = openFile(path, flags | O_RDWR | O_NONBLOCK, 0666);
    if (!fd || current().fstat(fd.get(), &st) != 0)
        fail(errno);
    if (S_ISREG(st.st_mode) && !hasWriteBit(st))
        fail(EACCES);
    return fd;
}

// Only the player's own link, or the folder owner's, is followed: a link
// someone else planted in a shared folder must not make the game write a
// file the player never named.
void saveThroughLink(const Place& p, const struct stat& link, const QByteArray& content)
{
    struct stat folder;
    if (link.st_uid != ::geteuid()
        && (current().stat(p.folder.constData(), &folder) != 0 || folder.st_uid != link.st_uid))
        fail(EACCES);
    struct stat st;
    Descriptor fd = openForSave(p.path, O_CREAT, st);
    writeInPlace(fd, st, content);
}

} // namespace

Calls& calls() { return current(); }
void restoreCalls() { current() = systemCalls(); }

ReadFile::ReadFile(const QString& name)
{
    // Non-blocking, so that a pipe under the file's name cannot hang the
    // start-up; anything but a plain file with a write bit counts as a file
    // that cannot be opened.
    Descriptor fd = openFile(QFile::encodeName(name), O_RDWR | O_NONBLOCK);
    struct stat st;
    if (!fd || current().fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || !hasWriteBit(st))
        return;
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    fd_ = fd.release();
}

ReadFile::~ReadFile() { const Descriptor closedSilently(fd_); }

std::size_t ReadFile::read(void* buffer, std::size_t n)
{
    return readAll(fd_, static_cast<char*>(buffer), n);
}

void ReadFile::close() { Descriptor(std::exchange(fd_, -1)).close(); }

void save(const QString& name, const QByteArray& content)
{
    const Place p = placeOf(name);
    removeLeftovers(p);

    struct stat st;
    if (current().lstat(p.path.constData(), &st) != 0) {
        if (errno != ENOENT)
            fail(errno);
        replace(p, content, nullptr);
        return;
    }
    if (S_ISLNK(st.st_mode)) {
        saveThroughLink(p, st, content);
        return;
    }
    Descriptor fd = openForSave(p.path, O_NOFOLLOW, st);
    if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1 && replace(p, content, &st))
        return;
    writeInPlace(fd, st, content);
}

} // namespace fileio
