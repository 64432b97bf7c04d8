// quorvane-pgn: reads a PGN file exactly as the saver does and reports what it makes of it.

#include <cstdio>
#include <cstring>
#include <string>

#include "apps/pgn-tool/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>  // after windows.h, whose types it uses
#endif

namespace {

constexpr const char* kIntroduction =
    "quorvane-pgn: reads a PGN file as the Quorvane screen saver reads it (its first\n"
    "16,777,216 bytes, up to the first zero byte) and reports the games it finds.\n"
    "\n"
    "Usage: quorvane-pgn COMMAND ARGUMENTS...\n"
    "       quorvane-pgn --help\n"
    "\n"
    "Commands:\n";

constexpr const char* kClosing =
    "\n"
    "Texts are printed as they are when they are UTF-8; other bytes are read as Latin-1,\n"
    "control characters are written \\xNN (in JSON \\u00XX).\n"
    "Exit status: 0 success, 1 some game stops early (check), 2 the file cannot be read or\n"
    "the arguments are wrong.\n";

void PrintHelp() {
    std::fputs(kIntroduction, stdout);
    for (const Command* command = kCommands; command->name != nullptr; ++command) {
        std::printf("\n  %s %s\n", command->name, command->usage);
        std::string help = command->help;
        for (size_t start = 0; start < help.size();) {
            const size_t end = help.find('\n', start);
            const std::string line = help.substr(start, end - start);
            std::printf("      %s\n", line.c_str());
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    std::fputs(kClosing, stdout);
}

#ifdef _WIN32
// The words of the command line in UTF-8, so that any file name reaches CreateFileW intact.
Arguments CommandLineWords() {
    Arguments words;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string word(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, word.data(), size, nullptr, nullptr);
        words.push_back(word);
    }
    LocalFree(wide);
    return words;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Byte for byte the same output as the native tool: no CR added before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    const Arguments words = CommandLineWords();
    (void)argc;
    (void)argv;
#else
    const Arguments words(argv + 1, argv + argc);
#endif
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        PrintHelp();
        return words.empty() ? kExitCannotRun : kExitOk;
    }
    for (const Command* command = kCommands; command->name != nullptr; ++command) {
        if (words[0] == command->name) {
            const int status = command->run(Arguments(words.begin() + 1, words.end()));
            std::fflush(stdout);
            return status;
        }
    }
    return Fail("unknown command '" + words[0] + "' (try --help)");
}
