#include "pgn/pgn_file_read.h"

PgnFileResult ReadPgnText(PgnByteSource source, uint64_t fileSize, CharString& text) {
    const auto capacity =
        static_cast<int32_t>(fileSize < kMaxPgnFileBytes ? fileSize : kMaxPgnFileBytes);
    bool failed = false;
    const bool allocated = text.assignFilled(capacity, [&](char* buffer) {
        int32_t count = 0;
        while (count < capacity) {
            int32_t got = 0;
            if (!source.read(source.handle, buffer + count, capacity - count, got)) {
                failed = true;
                break;
            }
            if (got <= 0) break;
            count += got < capacity - count ? got : capacity - count;
        }
        return count;
    });
    if (!allocated) return PgnFileResult::OutOfMemory;
    return failed ? PgnFileResult::ReadFailed : PgnFileResult::Read;
}
