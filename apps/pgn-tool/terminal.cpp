#include "apps/pgn-tool/terminal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

constexpr const char* kEnterScreen = "\x1b[?1049h\x1b[?25l\x1b[0m\x1b[H\x1b[2J";
constexpr const char* kLeaveScreen = "\x1b[0m\x1b[?25h\x1b[?1049l";

void WriteNow(const char* text) {
    std::fwrite(text, 1, std::strlen(text), stdout);
    std::fflush(stdout);
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

#ifndef _WIN32
bool EnvironmentIs(const char* name, const char* wanted) {
    const char* value = std::getenv(name);
    return value != nullptr && std::strcmp(value, wanted) == 0;
}
#endif

}  // namespace

#ifdef _WIN32

bool StdoutIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

FrameArea TerminalArea() {
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &screen)) return {0, 0};
    return FrameArea{screen.srWindow.Right - screen.srWindow.Left + 1,
                     screen.srWindow.Bottom - screen.srWindow.Top + 1};
}

bool OpenTerminalSession(TerminalSession& session) {
    session = TerminalSession{};
    if (IsSet("NO_COLOR")) return false;
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(output, &mode)) return false;
    // Older consoles refuse the flag: they get plain frames.
    if (!SetConsoleMode(output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) return false;
    session.savedConsoleMode = mode;
    session.savedConsoleCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);  // the pieces and the names are UTF-8
    session.colours = FrameColours::TrueColour;
    session.open = true;
    WriteNow(kEnterScreen);
    return true;
}

void CloseTerminalSession(TerminalSession& session) {
    if (!session.open) return;
    WriteNow(kLeaveScreen);
    SetConsoleOutputCP(session.savedConsoleCodePage);
    SetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), session.savedConsoleMode);
    session.open = false;
}

#else

bool StdoutIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}

FrameArea TerminalArea() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return {0, 0};
    return FrameArea{size.ws_col, size.ws_row};
}

bool OpenTerminalSession(TerminalSession& session) {
    session = TerminalSession{};
    if (!StdoutIsTerminal() || !IsSet("TERM") || EnvironmentIs("TERM", "dumb") || IsSet("NO_COLOR"))
        return false;
    const bool trueColour =
        EnvironmentIs("COLORTERM", "truecolor") || EnvironmentIs("COLORTERM", "24bit");
    session.colours = trueColour ? FrameColours::TrueColour : FrameColours::Palette256;
    session.open = true;
    WriteNow(kEnterScreen);
    return true;
}

void CloseTerminalSession(TerminalSession& session) {
    if (!session.open) return;
    WriteNow(kLeaveScreen);
    session.open = false;
}

#endif
