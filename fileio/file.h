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
// - Every save holds a lock on the folder the name is in (flock on the
//   folder itself) from before it looks at the file until the file is in
//   place. Two games open in one folder so take turns: the one that saves
//   second reads what the first wrote (update below). The folder and not
//   the file is locked because a replaced file is a new file, whose old lock
//   nobody would see, and because a lock file would be one more file in the
//   player's folder that a folder taking no new files could not even hold.
//   A folder that cannot be opened or locked (no read bit, a network file
//   system without locks) is saved into without the lock, as before.
// - A file that exists but would not be loaded (it cannot be opened for
//   reading and writing, it has no write bit at all, even for root, or it
//   is not a plain file: a pipe, a socket, a device, a folder) is not
//   written: the save fails with "File access denied" and the file keeps
//   its bytes.
// - A link under the name is followed only when it is the player's own or
//   the owner's of the folder it is in, as the kernel allows in a shared
//   folder with the sticky bit; so is every further link it leads to. The
//   file at the end is written in place, and a link to nothing gets its file
//   created where it points.
// - No file yet, or a plain file of the player's with one name: it is
//   replaced. The bytes go to a new file in the same folder (owner's mode
//   and group copied), are flushed, the new file is renamed over the old one
//   and the folder is flushed: a kill at any instant leaves the old file or
//   the new one.
// - Any other file (someone else's, one with more names), or when the folder
//   takes no new files or refuses the rename, or when the disk has no room
//   for a new file and the old one is as long as the new: it is rewritten in
//   place, so that its owner, mode and names stay. A kill between two pages
//   of that write would leave half of each version, so the new bytes are
//   first written and flushed to a redo journal: beside the file as
//   "." + name + ".dziennik", or where the folder takes no new file, in the
//   player's state folder ($XDG_STATE_HOME, else ~/.local/state, then
//   "zmieniarka/") named by the file's device and inode. It holds the
//   file's identity, the new bytes and a checksum. Only then is the file
//   written, flushed and the journal removed. The next save or load of the
//   file that finds a whole journal for it writes it again; one that is not
//   whole is dropped (the file was not touched yet). Where no journal can
//   be made anywhere for want of rights, the file is written in place
//   without one, as it always could be; for want of room, the save fails
//   with "Disk full" and the file keeps its bytes.
// - Every save first removes the temporary files earlier saves left in the
//   folder when they were killed: only names of the save's own pattern (8
//   hex digits), only the player's own files, and only those no living save
//   holds; the game does the same for its two files once at start-up.
// - A call the system interrupts (EINTR) is made again.
namespace fileio {

// A system error number (errno) as the game's error code: ENOENT 2;
// ENAMETOOLONG, EINVAL 3; EMFILE, ENFILE 4; EACCES, EPERM, EROFS 5;
// ENOSPC, EDQUOT 101. Any other number stays itself ("I/O error 27" for
// EFBIG), unless it equals one of the codes with a text of their own
// (EIO is 5 on Linux): those read as 1000 + the number, so an I/O error
// is never shown as "File access denied".
int errorCode(int errnum);

// An existing plain file with a write bit, opened for reading and writing
// (so a read-only file is not opened at all); closed at the latest by the
// destructor, silently. A whole journal of a killed save is written into it
// first.
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

// The same with what `change` makes of the file's bytes as they are at that
// moment, read under the folder's lock: up to `length` bytes, fewer when the
// file is shorter, none when there is no file. Throws IoError (also for a
// failed read); `change` is then not called or its result not written.
void update(const QString& name, std::size_t length, const std::function<QByteArray(const QByteArray& now)>& change);

// Removes what killed saves of the file left behind (see above).
void removeLeftovers(const QString& name);

// A write past the file size limit (ulimit -f) then fails with EFBIG like
// any other failed write, instead of the system ending the game.
void ignoreFileSizeSignal();

// The system calls the layer makes, replaceable so that the tests can
// simulate a full disk, a failing device, a short transfer or an
// interrupted call. Each behaves as its POSIX namesake (result, errno).
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
    std::function<int(int fd, int operation)> flock;
};
Calls& calls();      // the calls in use
void restoreCalls(); // the system's own again

} // namespace fileio
