#pragma once
// Reading the PGN file whole, once, at the saver window's creation.

#include <windows.h>

#include <cstdint>

#include "display/wide_text.h"
#include "text/char_string.h"

enum class PgnFileResult : int32_t { Read, NotOpened, OutOfMemory };

// The most of a file that is ever read: a text never holds more.
constexpr uint64_t kMaxPgnFileBytes = CharString::kMaxStringLength;

// Opens the file with read and write sharing, so that an editor holding it open does not make it
// "missing", and reads it into text (up to its first zero byte, at most kMaxPgnFileBytes).
PgnFileResult ReadPgnFile(const WideChar* path, CharString& text);

// Reads an open file of the given size: at most kMaxPgnFileBytes, and the text ends where the
// bytes actually read end, whatever the size claimed.
PgnFileResult ReadOpenPgnFile(HANDLE file, uint64_t fileSize, CharString& text);
