#pragma once
// What both fuzz targets share: a private working folder, and writing the
// input under the data file's name.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>

#include "fileio/file.h"

namespace fuzz {

// In memory where the system offers it: a disk makes every run slow.
inline char katalog[] = "/dev/shm/zmieniarka-fuzz-XXXXXX";
inline char katalogzapasowy[] = "/tmp/zmieniarka-fuzz-XXXXXX";
inline const char* roboczy = nullptr;
inline const char* plikdanych = nullptr;

inline void sprzatnij()
{
    ::unlink(plikdanych);
    if (::chdir("/") == 0)
        ::rmdir(roboczy);
}

inline void przygotuj(const char* nazwa)
{
    plikdanych = nazwa;
    roboczy = ::mkdtemp(katalog);
    if (!roboczy)
        roboczy = ::mkdtemp(katalogzapasowy);
    if (!roboczy || ::chdir(roboczy) != 0) {
        std::perror("zmieniarka-fuzz");
        std::abort();
    }
    std::atexit(sprzatnij);
    // Flushing to the disk is the slow part of a save and not what is
    // searched for here; everything else runs as in the game.
    fileio::calls().fsync = [](int) { return 0; };
}

inline void zapiszwejscie(const std::uint8_t* dane, std::size_t n)
{
    const int fd = ::open(plikdanych, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, dane, n) != static_cast<long>(n) || ::close(fd) != 0)
        std::abort();
}

// The data file as the last save left it.
inline QByteArray trescpliku()
{
    QByteArray tresc;
    const int fd = ::open(plikdanych, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        std::abort();
    char bufor[8192];
    long n;
    while ((n = ::read(fd, bufor, sizeof bufor)) > 0)
        tresc.append(bufor, n);
    if (n < 0 || ::close(fd) != 0)
        std::abort();
    return tresc;
}

// A broken property is a finding, as a crash is.
inline void wymagaj(bool warunek, const char* co)
{
    if (!warunek) {
        std::fprintf(stderr, "zmieniarka-fuzz: %s\n", co);
        std::abort();
    }
}

} // namespace fuzz
