#pragma once
// Reading a whole file into a CharString, as the saver reads its PGN and settings files.

#include <string>

#include "text/char_string.h"

enum class FileTextResult { Read, NotOpened, OutOfMemory };

enum class ZeroByte { EndsText, Kept };

// At most CharString::kMaxStringLength bytes of the file. With ZeroByte::EndsText the text ends
// at its first zero byte, as the PGN reader expects; a settings file keeps all its bytes.
FileTextResult ReadFileText(const std::string& path, CharString& text,
                            ZeroByte zero = ZeroByte::EndsText);
