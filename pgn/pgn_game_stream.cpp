#include "pgn/pgn_game_stream.h"

#include <cstring>
#include <utility>

namespace {

// A new window: the old one's bytes from keepFrom on, then at least a slice of the file, or as
// much again as was kept (a game longer than the slice), so that every byte is read once and
// looked at a bounded number of times.
void Refill(GameStream& stream, int32_t keepFrom) {
    const int32_t kept = stream.window.length() - keepFrom;
    uint64_t wanted = static_cast<uint64_t>(kept > stream.slice ? kept : stream.slice);
    if (wanted > stream.left) wanted = stream.left;
    PgnBytesRead read{0, false, false};
    CharString next;
    const bool allocated =
        next.assignFilled(kept + static_cast<int32_t>(wanted), [&](char* buffer) {
            std::memcpy(buffer, stream.window.chars() + keepFrom, static_cast<size_t>(kept));
            read = ReadPgnBytes(stream.source, buffer + kept, static_cast<int32_t>(wanted));
            return kept + read.count;
        });
    if (!allocated || read.failed) {
        stream.result = allocated ? PgnFileResult::ReadFailed : PgnFileResult::OutOfMemory;
        stream.ended = true;
        return;
    }
    stream.left -= static_cast<uint64_t>(read.count);
    stream.ended = read.ended || stream.left == 0;
    stream.window = std::move(next);
    stream.position = 0;
}

}  // namespace

GameStream StartGameStream(PgnByteSource source, uint64_t fileSize, int32_t slice) {
    GameStream stream{};
    stream.source = source;
    stream.left = fileSize < kMaxPgnFileBytes ? fileSize : kMaxPgnFileBytes;
    stream.slice = slice > 0 ? slice : 1;
    stream.ended = stream.left == 0;
    stream.result = PgnFileResult::Read;
    return stream;
}

bool NextStreamGame(GameStream& stream, GameSpan& span) {
    for (;;) {
        GameTextCursor cursor = {&stream.window, stream.position};
        const bool found = NextGameSpan(cursor, span);
        // A game that runs to the window's end may go on in the bytes not read yet; one that
        // ends before it ends at the [ of the next game, which no later byte changes.
        if (stream.ended || (found && span.start + span.length < stream.window.length())) {
            stream.position = cursor.position;
            return found && stream.result == PgnFileResult::Read;
        }
        // A game found is looked for again from its first [, where the search finds it afresh.
        Refill(stream, found ? span.start : stream.position);
    }
}
