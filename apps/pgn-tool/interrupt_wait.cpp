#include "apps/pgn-tool/interrupt_wait.h"

#include <csignal>
#include <initializer_list>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace {

constexpr int kInterruptedStatus = 130;  // 128 + SIGINT, as shells report it

#ifdef _WIN32
volatile LONG gInterrupted = 0;

// Runs on a thread of its own; returning TRUE keeps the process alive to clean up.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    InterlockedExchange(&gInterrupted, 1);
    return TRUE;
}
#else
volatile std::sig_atomic_t gSignal = 0;

extern "C" void OnSignal(int number) {
    gSignal = number;
}
#endif

}  // namespace

#ifdef _WIN32

void WatchInterrupts() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool InterruptRequested() {
    return InterlockedCompareExchange(&gInterrupted, 0, 0) != 0;
}

void Nap(int64_t nanoseconds) {
    Sleep(static_cast<DWORD>((nanoseconds + 999999) / 1000000));
}

int EndAfterInterrupt() {
    return kInterruptedStatus;
}

#else

void WatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // writes go on; the nap ends at once all the same
    for (const int number : {SIGINT, SIGTERM, SIGHUP})
        sigaction(number, &action, nullptr);
}

bool InterruptRequested() {
    return gSignal != 0;
}

void Nap(int64_t nanoseconds) {
    timespec span{};
    span.tv_sec = static_cast<time_t>(nanoseconds / 1000000000);
    span.tv_nsec = static_cast<long>(nanoseconds % 1000000000);
    nanosleep(&span, nullptr);
}

int EndAfterInterrupt() {
    const int number = gSignal;
    std::signal(number, SIG_DFL);
    std::raise(number);
    return kInterruptedStatus;
}

#endif
