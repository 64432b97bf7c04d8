#pragma once
// Reading a PGN file's bytes into the text the reader works on, as the saver and quorvane-pgn
// both do: at most 16 MiB, up to the first zero byte, straight into the text's own storage with
// one allocation. The platform's open stays with the caller, which hands over a read function.

#include <cstdint>

#include "text/char_string.h"

enum class PgnFileResult : int32_t { Read, NotOpened, OutOfMemory, ReadFailed };

// The most of a file that is ever read: a text never holds more.
constexpr uint64_t kMaxPgnFileBytes = CharString::kMaxStringLength;

// An open file: read fills into with up to wanted bytes and sets got (0 at the end); false on a
// read error.
struct PgnByteSource {
    void* handle;
    bool (*read)(void* handle, char* into, int32_t wanted, int32_t& got);
};

// Reads the file of the given size (at most kMaxPgnFileBytes of it); the text ends where the
// bytes actually read end, whatever the size claimed. OutOfMemory leaves text unchanged;
// ReadFailed keeps the bytes read before the error.
PgnFileResult ReadPgnText(PgnByteSource source, uint64_t fileSize, CharString& text);
