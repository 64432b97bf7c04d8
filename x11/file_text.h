#pragma once
// Reading a whole file into a CharString, as the saver reads its PGN and settings files.

#include <string>

#include "text/char_string.h"

enum class FileTextResult { Read, NotOpened, OutOfMemory };

// At most CharString::kMaxStringLength bytes of the file; the text ends at its first zero byte,
// as the PGN reader expects.
FileTextResult ReadFileText(const std::string& path, CharString& text);
