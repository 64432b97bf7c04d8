#pragma once
// Opening the PGN file the Windows way for the shared reader: by wide path, shared with writers.

#include <windows.h>

#include <cstdint>

#include "display/wide_text.h"
#include "pgn/pgn_file_read.h"
#include "text/char_string.h"

// Opens the file for reading, shared with readers and writers, with its size (0 when it cannot
// be taken: read as an empty file rather than a guess); INVALID_HANDLE_VALUE with the Windows
// error when it cannot be opened.
HANDLE OpenSharedPgnFile(const WideChar* path, uint64_t& fileSize, DWORD& systemError);

// The open file as a byte source for the shared reader.
PgnByteSource HandleByteSource(HANDLE file);

// Opens the file with read and write sharing, so that an editor holding it open does not make it
// "missing", and reads it into text (up to its first zero byte, at most kMaxPgnFileBytes).
// systemError receives the Windows error of a failed open or read.
PgnFileResult ReadPgnFile(const WideChar* path, CharString& text, DWORD& systemError);
PgnFileResult ReadPgnFile(const WideChar* path, CharString& text);

// Reads an open file of the given size: at most kMaxPgnFileBytes, and the text ends where the
// bytes actually read end, whatever the size claimed.
PgnFileResult ReadOpenPgnFile(HANDLE file, uint64_t fileSize, CharString& text);
