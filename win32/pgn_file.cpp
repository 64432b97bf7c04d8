#include "win32/pgn_file.h"

#include <memory>
#include <new>

PgnFileResult ReadOpenPgnFile(HANDLE file, uint64_t fileSize, CharString& text) {
    const uint64_t wanted = fileSize < kMaxPgnFileBytes ? fileSize : kMaxPgnFileBytes;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[wanted + 1]);
    if (buffer == nullptr) return PgnFileResult::OutOfMemory;
    uint64_t got = 0;
    while (got < wanted) {
        DWORD read = 0;
        if (!ReadFile(file, buffer.get() + got, static_cast<DWORD>(wanted - got), &read, nullptr) ||
            read == 0) {
            break;
        }
        got += read;
    }
    buffer[got] = 0;
    text = CharString(buffer.get());  // ends at the first zero byte, as the reader expects
    return PgnFileResult::Read;
}

PgnFileResult ReadPgnFile(const WideChar* path, CharString& text) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return PgnFileResult::NotOpened;
    LARGE_INTEGER size{};
    // A size that cannot be taken reads as an empty file rather than a guess.
    const uint64_t fileSize =
        GetFileSizeEx(file, &size) && size.QuadPart > 0 ? static_cast<uint64_t>(size.QuadPart) : 0;
    const PgnFileResult result = ReadOpenPgnFile(file, fileSize, text);
    CloseHandle(file);
    return result;
}
