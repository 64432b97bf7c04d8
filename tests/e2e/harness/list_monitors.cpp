// Prints the monitors Windows (here Wine) reports, one line each: "monitor <left> <top> <right>
// <bottom>" and " primary" for the primary one, so that a test can see how the X screens it set up
// come out.
#include <windows.h>

#include <cstdio>

namespace {

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    std::printf("monitor %ld %ld %ld %ld%s\n", r.left, r.top, r.right, r.bottom,
                (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? " primary" : "");
    return TRUE;
}

}  // namespace

int main() {
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
    return 0;
}
