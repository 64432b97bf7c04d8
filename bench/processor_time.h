#pragma once
// Processor time of the running process in seconds: what the benchmarks report, since on a
// machine shared with builds the wall clock measures the neighbours too. The Windows build asks
// the system (also under Wine); std::clock there counts wall time.

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

inline double ProcessorSeconds() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;  // 100 ns units
#else
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}
