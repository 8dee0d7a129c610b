#pragma once
// Small helpers shared by the benchmark programs and their probes.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace pomiar {

// CLOCK_MONOTONIC is one clock for the whole machine, so a probe's reading
// and its launcher's reading can be subtracted.
inline std::int64_t teraz_ns()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// A field of /proc/self/status in kB (VmHWM: peak resident set; VmRSS: now).
inline long status_kb(const char* pole)
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char linia[256];
    long kb = -1;
    const std::size_t n = std::strlen(pole);
    while (std::fgets(linia, sizeof linia, f))
        if (std::strncmp(linia, pole, n) == 0 && linia[n] == ':') {
            std::sscanf(linia + n + 1, "%ld", &kb);
            break;
        }
    std::fclose(f);
    return kb;
}

} // namespace pomiar
