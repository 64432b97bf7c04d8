#include "apps/pgn-tool/pgn_file.h"

#include <cstring>

#include "pgn/pgn_file_read.h"

#ifdef _WIN32
#include <windows.h>

#include "win32/pgn_file.h"
#else
#include "x11/posix_file.h"
#endif

namespace {

#ifdef _WIN32

std::string Reason(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return "No such file or directory";
        case ERROR_ACCESS_DENIED:
            return "Permission denied";
        case ERROR_SHARING_VIOLATION:
            return "The file is locked by another program";
        default:
            return "Windows error " + std::to_string(code);
    }
}

// The saver's own open and read, so the tool sees a file exactly as the saver does.
PgnFileResult ReadWhole(const std::string& path, CharString& text, std::string& reason) {
    DWORD code = 0;
    const PgnFileResult result = ReadPgnFile(Widened(path).c_str(), text, code);
    if (result == PgnFileResult::NotOpened || result == PgnFileResult::ReadFailed)
        reason = Reason(code);
    return result;
}

#else

// The native saver's reader; unlike the saver, the tool also reads a pipe, as from <(zcat ...).
PgnFileResult ReadWhole(const std::string& path, CharString& text, std::string& reason) {
    int code = 0;
    const PgnFileResult result = ReadPgnFilePosix(path, text, StreamFiles::Read, code);
    if (result == PgnFileResult::NotOpened || result == PgnFileResult::ReadFailed)
        reason = std::strerror(code);
    return result;
}

#endif

}  // namespace

bool ReadPgnFile(const std::string& path, CharString& text, std::string& error) {
    std::string reason;
    switch (ReadWhole(path, text, reason)) {
        case PgnFileResult::Read:
            return true;
        case PgnFileResult::OutOfMemory:
            reason = "out of memory";
            break;
        case PgnFileResult::NotOpened:
        case PgnFileResult::ReadFailed:
            break;
    }
    error = "cannot read " + path + ": " + reason;
    return false;
}

#ifdef _WIN32
std::wstring Widened(const std::string& utf8) {
    const int count =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), count);
    return wide;
}
#endif
