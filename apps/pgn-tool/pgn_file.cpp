#include "apps/pgn-tool/pgn_file.h"

#include <cstring>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#endif

namespace {

constexpr size_t kMostBytes = static_cast<size_t>(CharString::kMaxStringLength);

// The text ends at the first zero byte, as the saver's zero-terminated copy does.
CharString TextOf(const std::vector<char>& bytes, size_t count) {
    const void* zero = std::memchr(bytes.data(), 0, count);
    if (zero != nullptr) count = static_cast<size_t>(static_cast<const char*>(zero) - bytes.data());
    return CharString(bytes.data(), static_cast<int32_t>(count));
}

#ifdef _WIN32

std::wstring Widened(const std::string& utf8) {
    const int count =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), count);
    return wide;
}

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

bool ReadBytes(const std::string& path, std::vector<char>& bytes, size_t& count,
               std::string& error) {
    const HANDLE file = CreateFileW(Widened(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = Reason(GetLastError());
        return false;
    }
    count = 0;
    bool ok = true;
    while (count < bytes.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(bytes.size() - count);
        if (!ReadFile(file, bytes.data() + count, wanted, &read, nullptr)) {
            error = Reason(GetLastError());
            ok = false;
            break;
        }
        if (read == 0) break;
        count += read;
    }
    CloseHandle(file);
    return ok;
}

#else

bool ReadBytes(const std::string& path, std::vector<char>& bytes, size_t& count,
               std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    count = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    if (failed) error = std::strerror(errno);
    std::fclose(file);
    return !failed;
}

#endif

}  // namespace

bool ReadPgnFile(const std::string& path, CharString& text, std::string& error) {
    std::vector<char> bytes(kMostBytes);
    size_t count = 0;
    if (!ReadBytes(path, bytes, count, error)) {
        error = "cannot read " + path + ": " + error;
        return false;
    }
    text = TextOf(bytes, count);
    return true;
}
