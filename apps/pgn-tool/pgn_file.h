#pragma once
// Reading a PGN file as the saver reads it: its first 16,777,216 bytes up to the first zero
// byte, taken as they are; the file is opened for reading and shared with other writers.

#include <cstdint>
#include <functional>
#include <string>

#include "pgn/pgn_file_read.h"
#include "text/char_string.h"

// What is done with an open file: its bytes, as a source, and its size (for a stream, the most
// that is ever read).
using PgnReading = std::function<PgnFileResult(PgnByteSource source, uint64_t fileSize)>;

// Opens the file at path (UTF-8) as the saver does and hands it to read; false with a one-line
// reason when it cannot be opened, or read ends in ReadFailed or OutOfMemory.
bool ReadPgnSource(const std::string& path, const PgnReading& read, std::string& error);

// Fills text from the file at path (UTF-8). On failure returns false with a one-line reason.
bool ReadPgnFile(const std::string& path, CharString& text, std::string& error);

#ifdef _WIN32
// A UTF-8 path as the wide string Windows' file calls take.
std::wstring Widened(const std::string& utf8);
#endif
