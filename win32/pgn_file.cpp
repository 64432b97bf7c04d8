#include "win32/pgn_file.h"

namespace {

bool ReadFromHandle(void* handle, char* into, int32_t wanted, int32_t& got) {
    DWORD read = 0;
    const BOOL ok =
        ReadFile(static_cast<HANDLE>(handle), into, static_cast<DWORD>(wanted), &read, nullptr);
    got = static_cast<int32_t>(read);
    return ok != FALSE;
}

}  // namespace

PgnFileResult ReadOpenPgnFile(HANDLE file, uint64_t fileSize, CharString& text) {
    return ReadPgnText(PgnByteSource{file, ReadFromHandle}, fileSize, text);
}

PgnFileResult ReadPgnFile(const WideChar* path, CharString& text, DWORD& systemError) {
    systemError = ERROR_SUCCESS;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        systemError = GetLastError();
        return PgnFileResult::NotOpened;
    }
    LARGE_INTEGER size{};
    // A size that cannot be taken reads as an empty file rather than a guess.
    const uint64_t fileSize =
        GetFileSizeEx(file, &size) && size.QuadPart > 0 ? static_cast<uint64_t>(size.QuadPart) : 0;
    const PgnFileResult result = ReadOpenPgnFile(file, fileSize, text);
    if (result == PgnFileResult::ReadFailed) systemError = GetLastError();
    CloseHandle(file);
    return result;
}

PgnFileResult ReadPgnFile(const WideChar* path, CharString& text) {
    DWORD ignored = 0;
    return ReadPgnFile(path, text, ignored);
}
