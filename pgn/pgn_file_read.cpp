#include "pgn/pgn_file_read.h"

#include <cstring>

namespace {

// Bytes are asked for in slices small enough to stay in the processor's cache, so that the look
// for the zero byte that ends the text finds them fresh, and the reading stops at that byte.
constexpr int32_t kReadSlice = 1 << 18;

}  // namespace

PgnBytesRead ReadPgnBytes(PgnByteSource source, char* into, int32_t wanted) {
    PgnBytesRead read{0, false, false};
    while (read.count < wanted) {
        const int32_t left = wanted - read.count;
        const int32_t asked = left < kReadSlice ? left : kReadSlice;
        int32_t got = 0;
        if (!source.read(source.handle, into + read.count, asked, got)) {
            read.failed = true;
            break;
        }
        if (got <= 0) {
            read.ended = true;
            break;
        }
        if (got > asked) got = asked;
        const void* zero = std::memchr(into + read.count, 0, static_cast<size_t>(got));
        if (zero != nullptr) {
            read.count = static_cast<int32_t>(static_cast<const char*>(zero) - into);
            read.ended = true;
            break;
        }
        read.count += got;
    }
    return read;
}

PgnFileResult ReadPgnText(PgnByteSource source, uint64_t fileSize, CharString& text) {
    const auto capacity =
        static_cast<int32_t>(fileSize < kMaxPgnFileBytes ? fileSize : kMaxPgnFileBytes);
    bool failed = false;
    const bool allocated = text.assignFilled(capacity, [&](char* buffer) {
        const PgnBytesRead read = ReadPgnBytes(source, buffer, capacity);
        failed = read.failed;
        return read.count;
    });
    if (!allocated) return PgnFileResult::OutOfMemory;
    return failed ? PgnFileResult::ReadFailed : PgnFileResult::Read;
}
