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

// The saver's own open, so the tool sees a file exactly as the saver does.
PgnFileResult ReadSource(const std::string& path, const PgnReading& read, std::string& reason) {
    DWORD code = 0;
    uint64_t fileSize = 0;
    HANDLE file = OpenSharedPgnFile(Widened(path).c_str(), fileSize, code);
    if (file == INVALID_HANDLE_VALUE) {
        reason = Reason(code);
        return PgnFileResult::NotOpened;
    }
    const PgnFileResult result = read(HandleByteSource(file), fileSize);
    if (result == PgnFileResult::ReadFailed) reason = Reason(GetLastError());
    CloseHandle(file);
    return result;
}

#else

// The native saver's open; unlike the saver, the tool also reads a pipe, as from <(zcat ...).
PgnFileResult ReadSource(const std::string& path, const PgnReading& read, std::string& reason) {
    PosixFile file = OpenPosixFile(path, StreamFiles::Read);
    if (file.descriptor < 0) {
        reason = std::strerror(file.error);
        return PgnFileResult::NotOpened;
    }
    const PgnFileResult result = read(PosixByteSource(file), file.size);
    if (result == PgnFileResult::ReadFailed) reason = std::strerror(file.error);
    ClosePosixFile(file);
    return result;
}

#endif

}  // namespace

bool ReadPgnSource(const std::string& path, const PgnReading& read, std::string& error) {
    std::string reason;
    switch (ReadSource(path, read, reason)) {
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

bool ReadPgnFile(const std::string& path, CharString& text, std::string& error) {
    return ReadPgnSource(
        path,
        [&text](PgnByteSource source, uint64_t fileSize) {
            return ReadPgnText(source, fileSize, text);
        },
        error);
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
