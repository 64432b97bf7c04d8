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

PgnByteSource HandleByteSource(HANDLE file) {
    return PgnByteSource{file, ReadFromHandle};
}

PgnFileResult ReadOpenPgnFile(HANDLE file, uint64_t fileSize, CharString& text) {
    return ReadPgnText(HandleByteSource(file), fileSize, text);
}

HANDLE OpenSharedPgnFile(const WideChar* path, uint64_t& fileSize, DWORD& systemError) {
    systemError = ERROR_SUCCESS;
    fileSize = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        systemError = GetLastError();
        return file;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
        fileSize = static_cast<uint64_t>(size.QuadPart);
    return file;
}

PgnFileResult ReadPgnFile(const WideChar* path, CharString& text, DWORD& systemError) {
    uint64_t fileSize = 0;
    HANDLE file = OpenSharedPgnFile(path, fileSize, systemError);
    if (file == INVALID_HANDLE_VALUE) return PgnFileResult::NotOpened;
    const PgnFileResult result = ReadOpenPgnFile(file, fileSize, text);
    if (result == PgnFileResult::ReadFailed) systemError = GetLastError();
    CloseHandle(file);
    return result;
}

PgnFileResult ReadPgnFile(const WideChar* path, CharString& text) {
    DWORD ignored = 0;
    return ReadPgnFile(path, text, ignored);
}
