#pragma once
// Reading a PGN file as the saver reads it: its first 16,777,216 bytes up to the first zero
// byte, taken as they are; the file is opened for reading and shared with other writers.

#include <string>

#include "text/char_string.h"

// Fills text from the file at path (UTF-8). On failure returns false with a one-line reason.
bool ReadPgnFile(const std::string& path, CharString& text, std::string& error);

#ifdef _WIN32
// A UTF-8 path as the wide string Windows' file calls take.
std::wstring Widened(const std::string& utf8);
#endif
