#include "pgn/pgn_file_read.h"

#include <cstring>

namespace {

// Bytes are asked for in slices small enough to stay in the processor's cache, so that the look
// for the zero byte that ends the text finds them fresh, and the reading stops at that byte.
constexpr int32_t kReadSlice = 1 << 18;

}  // namespace

PgnFileResult ReadPgnText(PgnByteSource source, uint64_t fileSize, CharString& text) {
    const auto capacity =
        static_cast<int32_t>(fileSize < kMaxPgnFileBytes ? fileSize : kMaxPgnFileBytes);
    bool failed = false;
    const bool allocated = text.assignFilled(capacity, [&](char* buffer) {
        int32_t count = 0;
        while (count < capacity) {
            const int32_t wanted = capacity - count < kReadSlice ? capacity - count : kReadSlice;
            int32_t got = 0;
            if (!source.read(source.handle, buffer + count, wanted, got)) {
                failed = true;
                break;
            }
            if (got <= 0) break;
            if (got > wanted) got = wanted;
            const void* zero = std::memchr(buffer + count, 0, static_cast<size_t>(got));
            if (zero != nullptr)
                return static_cast<int32_t>(static_cast<const char*>(zero) - buffer);
            count += got;
        }
        return count;
    });
    if (!allocated) return PgnFileResult::OutOfMemory;
    return failed ? PgnFileResult::ReadFailed : PgnFileResult::Read;
}
