#pragma once
// Which writing system a character belongs to, for the few scripts whose fonts the platform can
// find by script when the information font lacks a name's letters.

#include <cstdint>

#include "text/char_string.h"

enum class TextScript : int32_t {
    Latin = 0,  // and everything not listed below
    Greek,
    Cyrillic,
    Hebrew,
    Arabic,
    Thai,
    Hangul,
    Kana,  // Japanese syllables
    Han,   // Chinese characters
};

// The script of one UTF-16 code unit; surrogates count as Latin.
TextScript ScriptOf(WideChar unit);

// The script of the first character of text that is not Latin; Latin when all are.
TextScript FirstNonLatinScript(const WideChar* text, int32_t length);
