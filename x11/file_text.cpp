#include "x11/file_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <new>

FileTextResult ReadFileText(const std::string& path, CharString& text, ZeroByte zero) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return FileTextResult::NotOpened;
    struct stat status {};
    if (fstat(file, &status) != 0 || S_ISDIR(status.st_mode)) {
        close(file);
        return FileTextResult::NotOpened;
    }
    const auto limit = static_cast<uint64_t>(CharString::kMaxStringLength);
    const uint64_t size = status.st_size > 0 ? static_cast<uint64_t>(status.st_size) : 0;
    const uint64_t wanted = size < limit ? size : limit;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[wanted + 1]);
    if (buffer == nullptr) {
        close(file);
        return FileTextResult::OutOfMemory;
    }
    uint64_t got = 0;
    while (got < wanted) {
        const ssize_t read_now = read(file, buffer.get() + got, wanted - got);
        if (read_now <= 0) break;  // a file that shrank, or a read error: keep what came
        got += static_cast<uint64_t>(read_now);
    }
    close(file);
    buffer[got] = 0;
    text = zero == ZeroByte::EndsText ? CharString(buffer.get())
                                      : CharString(buffer.get(), static_cast<int32_t>(got));
    return FileTextResult::Read;
}
