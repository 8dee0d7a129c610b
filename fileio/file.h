#pragma once
#include <cstddef>
#include <functional>
#include <QByteArray>
#include <QString>

// The game's only way to its data files. Every failure leaves here as an
// IoError (fileio/fileerror.h) whose code is the game's classic error code.
namespace fileio {

// A system error number (errno) as the game's error code: ENOENT 2;
// ENAMETOOLONG, EINVAL 3; EMFILE, ENFILE 4; EACCES, EPERM, EROFS 5;
// ENOSPC, EDQUOT 101. Any other number stays itself ("I/O error 21" for
// EISDIR), unless it equals one of the codes with a text of their own
// (EIO is 5 on Linux): those read as 1000 + the number, so an I/O error
// is never shown as "File access denied".
int errorCode(int errnum);

// An existing file opened for reading and writing (so a read-only file is
// not opened at all); closed at the latest by the destructor, silently.
class ReadFile {
public:
    explicit ReadFile(const QString& nazwa);
    ~ReadFile();
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;

    // False when the open failed, for whatever reason.
    bool isOpen() const { return fd_ >= 0; }
    // Reads up to n bytes into bufor and returns how many arrived: fewer
    // only at the end of the file. A system error throws.
    std::size_t read(void* bufor, std::size_t n);
    // A failed close throws.
    void close();

private:
    int fd_ = -1;
};

// Puts tresc in place of the file nazwa, whole or not at all: the bytes go
// to a new file in the same folder, are flushed to the disk, and only then
// replace the old file. An existing file that may not be written keeps its
// bytes and the save fails with "File access denied". When the folder takes
// no new files but the file itself may be written, the file is rewritten in
// place, as there is no other way to save it. Throws IoError; no temporary
// file is left behind.
void save(const QString& nazwa, const QByteArray& tresc);

// The system calls the layer makes on an open file, replaceable so that the
// tests can simulate a full disk, a failing device or a short transfer.
// Each behaves as its POSIX namesake (result, errno).
struct Calls {
    std::function<long(int fd, const void* bufor, std::size_t n)> write;
    std::function<long(int fd, void* bufor, std::size_t n)> read;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const char* z, const char* na)> rename;
};
Calls& calls();   // the calls in use
void restoreCalls();  // the system's own again

} // namespace fileio
