#pragma once
// Word and line splitting: a WordList is a text whose words stand on CR LF separated lines.

#include <cstdint>

#include "text/char_string.h"

using WordList = CharString;

// Number of CR LF separated lines: 0 for the empty text, else 1 + the number of CR LF pairs.
int32_t lineCount(const CharString& text);

// Replaces out by line n (from 0); leaves out untouched when there is no line n.
void line(const CharString& text, int32_t n, CharString& out);

// Word n of the list, or the empty string when there is none.
CharString word(const WordList& words, int32_t n);

// The program's command line: quoted words, the switch prefix "/" or "-" dropped after word 0.
WordList SplitCommandLine(const CharString& text);

// Space-separated fields, as a FEN text has them; with mostWords, only the first that many (the
// list is then the first mostWords lines of the whole one).
WordList SplitWords(const CharString& text, int32_t mostWords = INT32_MAX);

// The first run of decimal digits in word, held at 2147483647; 0 when there is none.
int32_t ParseNumber(const char* word);
