#include "fileio/file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <optional>
#include <utility>

#include <QDir>
#include <QElapsedTimer>

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
        [](int fd, int op) { return ::flock(fd, op); },
    };
}

Calls& current()
{
    static Calls c = systemCalls();
    return c;
}

[[noreturn]] void fail(int errnum) { throw IoError(errorCode(errnum)); }

// A call made again for as long as a signal interrupts it.
template <class Call>
auto again(Call call)
{
    for (;;) {
        const auto r = call();
        if (r >= 0 || errno != EINTR)
            return r;
    }
}

int lstatOf(const QByteArray& path, struct stat* st)
{
    return again([&] { return current().lstat(path.constData(), st); });
}
int statOf(const QByteArray& path, struct stat* st)
{
    return again([&] { return current().stat(path.constData(), st); });
}
int fstatOf(int fd, struct stat* st)
{
    return again([&] { return current().fstat(fd, st); });
}
int unlinkName(const QByteArray& path)
{
    return again([&] { return current().unlink(path.constData()); });
}

// Linux has let go of the descriptor even when close reports an
// interruption: closing it again could close another file.
int closeFd(int fd)
{
    const int r = current().close(fd);
    return r != 0 && errno == EINTR ? 0 : r;
}

// An open file, closed silently when it goes out of scope; close() reports
// a failure.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            closeFd(fd_);
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
        if (closeFd(release()) != 0)
            fail(errno);
    }

private:
    int fd_;
};

Descriptor openFile(const QByteArray& path, int flags, mode_t mode = 0)
{
    return Descriptor(again([&] { return current().open(path.constData(), flags | O_CLOEXEC | O_NOCTTY, mode); }));
}

// A file with no write bit is read-only for root too: root ignores the bits,
// the game does not.
bool hasWriteBit(const struct stat& st) { return (st.st_mode & 0222) != 0; }

bool isOwn(const struct stat& st) { return st.st_uid == ::geteuid(); }

bool noRoom(int code) { return code == 101; }

void writeAll(int fd, const QByteArray& content)
{
    const char* p = content.constData();
    std::size_t n = std::size_t(content.size());
    while (n > 0) {
        const long r = again([&] { return current().write(fd, p, n); });
        if (r < 0)
            fail(errno);
        if (r == 0)
            fail(ENOSPC); // the disk took nothing more: full
        p += r;
        n -= std::size_t(r);
    }
}

std::size_t readAll(int fd, char* p, std::size_t n)
{
    std::size_t got = 0;
    while (got < n) {
        const long r = again([&] { return current().read(fd, p + got, n - got); });
        if (r < 0)
            fail(errno);
        if (r == 0)
            break;
        got += std::size_t(r);
    }
    return got;
}

QByteArray readFrom(int fd, off_t from, std::size_t n)
{
    QByteArray b(qsizetype(n), '\0');
    if (::lseek(fd, from, SEEK_SET) != from)
        fail(errno);
    b.truncate(qsizetype(readAll(fd, b.data(), n)));
    return b;
}

void writeAt0(int fd, const QByteArray& content)
{
    if (::lseek(fd, 0, SEEK_SET) != 0)
        fail(errno);
    writeAll(fd, content);
}

void truncateTo(int fd, off_t length)
{
    if (again([&] { return current().ftruncate(fd, length); }) != 0)
        fail(errno);
}

// Flushes the file to the disk. A file system that cannot flush at all
// (EINVAL, ENOTSUP) still holds the complete file: not an error.
void flush(int fd)
{
    if (again([&] { return current().fsync(fd); }) != 0 && errno != EINVAL && errno != ENOTSUP)
        fail(errno);
}

// A folder that cannot be flushed still holds its names.
void flushFolder(const QByteArray& folder)
{
    const Descriptor fd = openFile(folder, O_RDONLY | O_DIRECTORY);
    if (fd)
        again([&] { return current().fsync(fd.get()); });
}

// Waits for an exclusive lock: a few milliseconds while another game saves.
// False when the file system has no locks; an error when another game has
// held the lock for ten seconds (it hangs, and the player must hear of it).
bool lockExclusively(int fd)
{
    QElapsedTimer waited;
    waited.start();
    for (useconds_t pause = 500;;) {
        if (current().flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return false;
        if (waited.elapsed() > 10000)
            fail(EWOULDBLOCK);
        ::usleep(pause);
        pause = std::min<useconds_t>(pause * 2, 10000);
    }
}

// The lock every save of a folder takes, on the folder itself.
class FolderLock {
public:
    explicit FolderLock(const QByteArray& folder) : fd_(openFile(folder, O_RDONLY | O_DIRECTORY))
    {
        if (fd_ && !lockExclusively(fd_.get()))
            fd_ = Descriptor();
    }

private:
    Descriptor fd_; // closing it lets go of the lock
};

// The file's name, and the folder it is in.
struct Place {
    QByteArray path;
    QByteArray folder;
    QByteArray base;
};

Place placeOf(const QByteArray& path)
{
    Place p{path, {}, {}};
    const int slash = p.path.lastIndexOf('/');
    p.folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : p.path.left(slash);
    p.base = p.path.mid(slash + 1);
    return p;
}

Place placeOf(const QString& name) { return placeOf(QFile::encodeName(name)); }

// A save's temporary file is named "." + the file's name + "." + 8 hex digits.
QByteArray tempPrefix(const Place& p) { return '.' + p.base + '.'; }

bool isTempName(const QByteArray& name, const QByteArray& prefix)
{
    if (!name.startsWith(prefix) || name.size() != prefix.size() + 8)
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
        if (lstatOf(path, &st) != 0 || !S_ISREG(st.st_mode) || !isOwn(st))
            continue;
        const Descriptor fd = openFile(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
        if (fd && again([&] { return current().flock(fd.get(), LOCK_EX | LOCK_NB); }) == 0)
            unlinkName(path);
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
            unlinkName(path);
    }
};

// False, with errno, when the folder takes no new file.
bool createTemporary(const Place& p, mode_t mode, Temporary& t)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray digits = QByteArray::number(QRandomGenerator::global()->generate(), 16);
        t.path = p.folder + '/' + tempPrefix(p) + digits.rightJustified(8, '0');
        Descriptor fd = openFile(t.path, O_WRONLY | O_CREAT | O_EXCL, mode);
        if (!fd) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        // Another save's sweep may have taken the new file between its
        // creation and the lock: then it is that sweep's to remove, and this
        // save takes another name.
        Descriptor lock(::fcntl(fd.get(), F_DUPFD_CLOEXEC, 0));
        struct stat mine, named;
        if (!lock || again([&] { return current().flock(lock.get(), LOCK_EX | LOCK_NB); }) != 0
            || fstatOf(fd.get(), &mine) != 0 || mine.st_nlink == 0 || lstatOf(t.path, &named) != 0
            || named.st_dev != mine.st_dev || named.st_ino != mine.st_ino)
            continue;
        t.fd = std::move(fd);
        t.lock = std::move(lock);
        t.made = true;
        return true;
    }
    errno = EEXIST;
    return false;
}

enum class Replaced { done, refused, noRoom };

// The new bytes go to a temporary file beside the old one, are flushed and
// renamed over it. Nothing changes when the folder takes no new file or
// refuses the rename (refused), or when the disk has no room for the new
// file (noRoom): the old file may then be written in place.
Replaced replace(const Place& p, const QByteArray& content, const struct stat* old)
{
    Temporary t;
    if (!createTemporary(p, old ? old->st_mode & 07777 : 0666, t)) {
        if (old && (errno == EACCES || errno == EPERM))
            return Replaced::refused;
        if (old && noRoom(errorCode(errno)))
            return Replaced::noRoom;
        fail(errno);
    }
    try {
        if (old) {
            // The mode exactly, without the umask, and the old file's group;
            // a group the player may not give is not given.
            again([&] { return current().fchmod(t.fd.get(), old->st_mode & 07777); });
            again([&] { return current().fchown(t.fd.get(), uid_t(-1), old->st_gid); });
        }
        writeAll(t.fd.get(), content);
        flush(t.fd.get());
        t.fd.close();
    } catch (const IoError& e) {
        if (old && noRoom(e.code()))
            return Replaced::noRoom;
        throw;
    }
    if (again([&] { return current().rename(t.path.constData(), p.path.constData()); }) != 0) {
        if (old && (errno == EACCES || errno == EPERM || errno == EBUSY))
            return Replaced::refused;
        fail(errno);
    }
    t.kept = true;
    // The new name itself must reach the disk.
    flushFolder(p.folder);
    return Replaced::done;
}

// The redo journal of a rewrite in place: "ZMDZIEN1", the file's device and
// inode, the length of the new content (each 8 bytes, little-endian), the
// content, and an FNV-1a checksum of all that.
const QByteArray journalMagic("ZMDZIEN1");
constexpr std::size_t longestJournal = 1 << 20;

void putNumber(QByteArray& b, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        b.append(char(v >> (8 * i)));
}
std::uint64_t numberAt(const QByteArray& b, qsizetype at)
{
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v |= std::uint64_t(std::uint8_t(b[at + i])) << (8 * i);
    return v;
}
std::uint64_t checksum(QByteArrayView b)
{
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : b)
        h = (h ^ std::uint8_t(c)) * 0x100000001b3ULL;
    return h;
}

QByteArray journalOf(const struct stat& st, const QByteArray& content)
{
    QByteArray b = journalMagic;
    putNumber(b, std::uint64_t(st.st_dev));
    putNumber(b, std::uint64_t(st.st_ino));
    putNumber(b, std::uint64_t(content.size()));
    b += content;
    putNumber(b, checksum(b));
    return b;
}

// The new content a whole journal holds for the file st; nothing when the
// journal is not whole or is for another file.
std::optional<QByteArray> contentOf(const QByteArray& journal, const struct stat& st)
{
    constexpr qsizetype header = 32;
    if (journal.size() < header + 8 || !journal.startsWith(journalMagic))
        return std::nullopt;
    const std::uint64_t length = numberAt(journal, 24);
    if (length != std::uint64_t(journal.size() - header - 8)
        || numberAt(journal, journal.size() - 8) != checksum(QByteArrayView(journal).first(journal.size() - 8))
        || numberAt(journal, 8) != std::uint64_t(st.st_dev) || numberAt(journal, 16) != std::uint64_t(st.st_ino))
        return std::nullopt;
    return journal.mid(header, qsizetype(length));
}

QByteArray journalBeside(const Place& p) { return p.folder + "/." + p.base + ".dziennik"; }

// The player's state folder for journals, made when asked to; empty when
// there is none.
QByteArray stateFolder(bool make)
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!base.startsWith(u'/')) {
        const QString home = qEnvironmentVariable("HOME");
        if (!home.startsWith(u'/'))
            return {};
        base = home + QStringLiteral("/.local/state");
    }
    const QString folder = base + QStringLiteral("/zmieniarka");
    if (make && !QDir().mkpath(folder))
        return {};
    return QFile::encodeName(folder);
}

QByteArray journalInState(const QByteArray& folder, const struct stat& st)
{
    return folder + '/' + QByteArray::number(quint64(st.st_dev), 16) + '-'
           + QByteArray::number(quint64(st.st_ino), 16) + ".dziennik";
}

QList<QByteArray> journalsOf(const Place& p, const struct stat& st)
{
    QList<QByteArray> j{journalBeside(p)};
    const QByteArray state = stateFolder(false);
    if (!state.isEmpty())
        j.append(journalInState(state, st));
    return j;
}

bool anyJournal(const Place& p, const struct stat& st)
{
    for (const QByteArray& j : journalsOf(p, st)) {
        struct stat js;
        if (lstatOf(j, &js) == 0)
            return true;
    }
    return false;
}

// Finishes the rewrite a killed save left journalled: a whole journal for
// the open file fd is written into it; a journal that is not whole is
// dropped, as the file was not touched before its journal was complete.
// Only the player's journals count, or the file owner's.
void redo(const Place& p, int fd, struct stat& st)
{
    for (const QByteArray& path : journalsOf(p, st)) {
        struct stat js;
        if (lstatOf(path, &js) != 0 || !S_ISREG(js.st_mode) || (!isOwn(js) && js.st_uid != st.st_uid)
            || std::size_t(js.st_size) > longestJournal)
            continue;
        const Descriptor j = openFile(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
        if (!j)
            continue;
        QByteArray journal(js.st_size, '\0');
        journal.truncate(qsizetype(readAll(j.get(), journal.data(), std::size_t(journal.size()))));
        if (const auto content = contentOf(journal, st)) {
            writeAt0(fd, *content);
            if (st.st_size > content->size())
                truncateTo(fd, content->size());
            flush(fd);
            if (fstatOf(fd, &st) != 0)
                fail(errno);
        }
        unlinkName(path);
    }
}

// Writes the journal of a rewrite in place of the file st: its path, or
// empty when no folder takes one for want of rights. No room anywhere is
// "Disk full"; any other failure is reported as it is.
QByteArray writeJournal(const Place& p, const struct stat& st, const QByteArray& content)
{
    const QByteArray journal = journalOf(st, content);
    QList<int> failures;
    for (int where = 0; where < 2; ++where) {
        const QByteArray folder = where == 0 ? p.folder : stateFolder(true);
        if (folder.isEmpty())
            continue;
        const QByteArray path = where == 0 ? journalBeside(p) : journalInState(folder, st);
        Descriptor fd = openFile(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
        if (!fd) {
            failures.append(errno == EEXIST ? 5 : errorCode(errno)); // EEXIST: someone else's file
            continue;
        }
        try {
            writeAll(fd.get(), journal);
            flush(fd.get());
            fd.close();
        } catch (const IoError& e) {
            unlinkName(path);
            failures.append(e.code());
            continue;
        }
        flushFolder(folder);
        return path;
    }
    if (failures.contains(101))
        throw IoError(101);
    for (const int code : failures)
        if (code != 5 && code != 2)
            throw IoError(code);
    return {};
}

// The new bytes over the old ones, then the excess cut, with the journal
// written first. On failure the old bytes go back where they can, and the
// journal goes; where they cannot, the journal stays, so that the next start
// finishes the new version rather than keep half of each.
void writeInPlace(const Place& p, Descriptor& fd, const struct stat& st, const QByteArray& content)
{
    const QByteArray old = readFrom(fd.get(), 0, std::size_t(content.size()));
    const QByteArray journal = writeJournal(p, st, content);
    const off_t oldSize = st.st_size;
    const off_t newSize = content.size();
    try {
        writeAt0(fd.get(), content);
        if (oldSize > newSize)
            truncateTo(fd.get(), newSize);
        flush(fd.get());
    } catch (const IoError&) {
        bool restored = true;
        try {
            writeAt0(fd.get(), old);
        } catch (const IoError&) {
            restored = false;
        }
        if (oldSize < newSize)
            again([&] { return current().ftruncate(fd.get(), oldSize); });
        again([&] { return current().fsync(fd.get()); });
        if (restored && !journal.isEmpty())
            unlinkName(journal);
        throw;
    }
    if (!journal.isEmpty())
        unlinkName(journal);
    fd.close();
}

// The end of the chain of links under the name, each link followed only
// when it is the player's own or its folder owner's: a link someone else
// planted in a shared folder must not make the game write a file the player
// never named. Its lstat in st, or exists false.
QByteArray followLinks(const QByteArray& name, struct stat& st, bool& exists)
{
    QByteArray path = name;
    for (int link = 0; link < 40; ++link) {
        if (lstatOf(path, &st) != 0) {
            if (errno != ENOENT)
                fail(errno);
            exists = false;
            return path;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            return path;
        }
        const Place here = placeOf(path);
        struct stat folder;
        if (!isOwn(st) && (statOf(here.folder, &folder) != 0 || folder.st_uid != st.st_uid))
            fail(EACCES);
        QByteArray target(4096, '\0');
        const ssize_t n = ::readlink(path.constData(), target.data(), std::size_t(target.size()));
        if (n < 0 || n >= target.size())
            fail(n < 0 ? errno : ENAMETOOLONG);
        target.truncate(n);
        path = target.startsWith('/') ? target : here.folder + '/' + target;
    }
    fail(ELOOP);
}

// What a save does once it holds the folder's lock.
void updateLocked(const Place& p, std::size_t length, const std::function<QByteArray(const QByteArray&)>& change)
{
    removeLeftovers(p);

    struct stat st;
    if (lstatOf(p.path, &st) != 0) {
        if (errno != ENOENT)
            fail(errno);
        replace(p, change({}), nullptr);
        return;
    }
    const bool link = S_ISLNK(st.st_mode);
    bool exists = true;
    const QByteArray file = link ? followLinks(p.path, st, exists) : p.path;
    // A pipe or a device is not opened at all: opening some has effects.
    if (exists && !S_ISREG(st.st_mode))
        fail(EACCES);
    Descriptor fd = openFile(file, O_RDWR | O_NOFOLLOW | O_NONBLOCK | (exists ? 0 : O_CREAT | O_EXCL), 0666);
    if (!fd || fstatOf(fd.get(), &st) != 0)
        fail(errno);
    if (!S_ISREG(st.st_mode) || !hasWriteBit(st))
        fail(EACCES);
    // Games in other folders may reach this file through their links.
    if (link)
        lockExclusively(fd.get());
    redo(p, fd.get(), st);

    const QByteArray content = change(readFrom(fd.get(), 0, length));
    if (!link && isOwn(st) && st.st_nlink == 1) {
        switch (replace(p, content, &st)) {
        case Replaced::done:
            return;
        case Replaced::noRoom:
            if (st.st_size != content.size())
                fail(ENOSPC);
            break; // the same blocks take the new bytes
        case Replaced::refused:
            break;
        }
    }
    writeInPlace(p, fd, st, content);
}

} // namespace

Calls& calls() { return current(); }
void restoreCalls() { current() = systemCalls(); }

ReadFile::ReadFile(const QString& name)
{
    // Non-blocking, so that a pipe under the file's name cannot hang the
    // start-up; anything but a plain file with a write bit counts as a file
    // that cannot be opened.
    const Place p = placeOf(name);
    Descriptor fd = openFile(p.path, O_RDWR | O_NONBLOCK);
    struct stat st;
    if (!fd || fstatOf(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || !hasWriteBit(st))
        return;
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    if (anyJournal(p, st)) {
        try {
            const FolderLock lock(p.folder);
            redo(p, fd.get(), st);
        } catch (const IoError&) {
            // The journal stays for the next start; the file is read as it is.
        }
        ::lseek(fd.get(), 0, SEEK_SET);
    }
    fd_ = fd.release();
}

ReadFile::~ReadFile() { const Descriptor closedSilently(fd_); }

std::size_t ReadFile::read(void* buffer, std::size_t n)
{
    return readAll(fd_, static_cast<char*>(buffer), n);
}

void ReadFile::close() { Descriptor(std::exchange(fd_, -1)).close(); }

void update(const QString& name, std::size_t length, const std::function<QByteArray(const QByteArray& now)>& change)
{
    const Place p = placeOf(name);
    const FolderLock lock(p.folder);
    updateLocked(p, length, change);
}

void save(const QString& name, const QByteArray& content)
{
    update(name, 0, [&content](const QByteArray&) { return content; });
}

void removeLeftovers(const QString& name) { removeLeftovers(placeOf(name)); }

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

} // namespace fileio
