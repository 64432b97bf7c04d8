#pragma once
// The games of a file read in order through a window of its bytes, for a reader that takes each
// game once (quorvane-pgn check): the window holds the game being looked for and the next slice
// of the file, so the bytes pass through the processor's cache once and no buffer the size of the
// file is made. The games are exactly those NextGameSpan finds in the text ReadPgnText reads from
// the same file: at most kMaxPgnFileBytes, up to the first zero byte.

#include <cstdint>

#include "pgn/pgn_file_read.h"
#include "pgn/pgn_games.h"
#include "text/char_string.h"

// Bytes asked for at each refill of the window, unless the game it holds is longer.
constexpr int32_t kGameStreamSlice = 1 << 18;

struct GameStream {
    PgnByteSource source;
    uint64_t left;      // bytes the text may still take: the file's size, at most kMaxPgnFileBytes
    int32_t slice;      // bytes asked for at each refill, at the least
    CharString window;  // the text from where the search for the next game starts, or more
    int32_t position;   // where that search starts in window
    bool ended;         // the text has no more bytes: the source's end, a zero byte, or left spent
    PgnFileResult result;  // ReadFailed or OutOfMemory once a refill failed; the stream then ends
};

// A stream before the first game of the open file of the given size.
GameStream StartGameStream(PgnByteSource source, uint64_t fileSize,
                           int32_t slice = kGameStreamSlice);

// The next game's span in stream.window, valid until the next call; false after the last game, or
// when a read failed (result says so; the games before the failure were all given).
bool NextStreamGame(GameStream& stream, GameSpan& span);
