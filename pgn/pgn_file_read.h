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

// What a read of up to so many bytes gave: count bytes; ended when the source ended or a zero
// byte ended the text before wanted bytes, failed on a read error (count: the bytes before it).
struct PgnBytesRead {
    int32_t count;
    bool ended;
    bool failed;
};

// Reads up to wanted bytes into into, in slices that stay in the processor's cache, stopping at
// the source's end, at the first zero byte (not counted) and at a read error.
PgnBytesRead ReadPgnBytes(PgnByteSource source, char* into, int32_t wanted);

// Reads the file of the given size (at most kMaxPgnFileBytes of it); the text ends where the
// bytes actually read end, whatever the size claimed. OutOfMemory leaves text unchanged;
// ReadFailed keeps the bytes read before the error.
PgnFileResult ReadPgnText(PgnByteSource source, uint64_t fileSize, CharString& text);
