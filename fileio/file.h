#pragma once
#include <cstddef>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>
#include <QByteArray>
#include <QString>

// The game's only way to its data files. Every failure leaves here as an
// IoError (fileio/fileerror.h) whose code is the game's classic error code.
//
// How a file is saved:
// - A file that exists but would not be loaded (it cannot be opened for
//   reading and writing, it has no write bit at all, even for root, or the
//   link under its name is not to be followed) is not written: the save
//   fails with "File access denied" and the file keeps its bytes.
// - A link under the name is followed only when it is the player's own or
//   the folder owner's, as the kernel allows in a shared folder with the
//   sticky bit; the file it leads to is written in place, and a link to
//   nothing gets its file created where it points.
// - No file yet, or a plain file of the player's with one name: it is
//   replaced. The bytes go to a new file in the same folder (owner's mode
//   and group copied), are flushed, the new file is renamed over the old one
//   and the folder is flushed: a kill at any instant leaves the old file or
//   the new one.
// - Any other file (someone else's, one with more names), or when the folder
//   takes no new files or refuses the rename: it is rewritten in place, so
//   that its owner, mode and names stay. The old bytes are read first; the
//   new ones are written over them without truncating, flushed, and only
//   then is any excess cut. Our files are of fixed length, so a kill leaves
//   the old or the new version, never a shorter file; a failure puts the old
//   bytes back where it can and reports the error.
// - Every save first removes the temporary files earlier saves left in the
//   folder when they were killed: only names of the save's own pattern, only
//   the player's own files, and only those no living save holds.
namespace fileio {

// A system error number (errno) as the game's error code: ENOENT 2;
// ENAMETOOLONG, EINVAL 3; EMFILE, ENFILE 4; EACCES, EPERM, EROFS 5;
// ENOSPC, EDQUOT 101. Any other number stays itself ("I/O error 21" for
// EISDIR), unless it equals one of the codes with a text of their own
// (EIO is 5 on Linux): those read as 1000 + the number, so an I/O error
// is never shown as "File access denied".
int errorCode(int errnum);

// An existing plain file with a write bit, opened for reading and writing
// (so a read-only file is not opened at all); closed at the latest by the
// destructor, silently.
class ReadFile {
public:
    explicit ReadFile(const QString& name);
    ~ReadFile();
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;

    // False when the open failed, for whatever reason.
    bool isOpen() const { return fd_ >= 0; }
    // Reads up to n bytes into buffer and returns how many arrived: fewer
    // only at the end of the file. A system error throws.
    std::size_t read(void* buffer, std::size_t n);
    // A failed close throws.
    void close();

private:
    int fd_ = -1;
};

// Puts content in place of the file name, as the policy above says. Throws IoError.
void save(const QString& name, const QByteArray& content);

// The system calls the layer makes, replaceable so that the tests can
// simulate a full disk, a failing device or a short transfer. Each behaves
// as its POSIX namesake (result, errno).
struct Calls {
    std::function<int(const char* path, int flags, mode_t mode)> open;
    std::function<int(const char* path, struct stat* st)> stat;
    std::function<int(const char* path, struct stat* st)> lstat;
    std::function<int(int fd, struct stat* st)> fstat;
    std::function<int(int fd, mode_t mode)> fchmod;
    std::function<int(int fd, uid_t owner, gid_t group)> fchown;
    std::function<long(int fd, const void* buffer, std::size_t n)> write;
    std::function<long(int fd, void* buffer, std::size_t n)> read;
    std::function<int(int fd, off_t length)> ftruncate;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;
    std::function<int(const char* path)> unlink;
};
Calls& calls();      // the calls in use
void restoreCalls(); // the system's own again

} // namespace fileio
