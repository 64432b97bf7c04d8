#pragma once
// Texts compared without regard to case: the characters of a tag value or a file name, their
// simple case mappings, and a search for one text inside another.
//
// The mappings cover ASCII, Latin-1 Supplement, Latin Extended-A, Greek and Coptic (U+0370 to
// U+03FF) and Cyrillic (U+0400 to U+04FF), one character to one character as the C library
// lowers them: "ß" stays "ß" (no "ss"), "İ" folds to a plain "i", the final sigma to sigma. Other
// characters (Latin Extended-B, Armenian, CJK, ...) match only themselves.

#include <cstddef>
#include <cstdint>
#include <vector>

// The lower-case form of c used for matching; c itself outside the covered blocks.
uint32_t FoldedCodePoint(uint32_t c);

// The upper-case form of c (the inverse of the folding's letter pairs); c itself when it has none.
uint32_t UpperCodePoint(uint32_t c);

// Reads the characters of a text: as UTF-8 when the whole text is well-formed UTF-8, otherwise
// one byte each as Windows-1252, the way the saver draws such texts.
struct CharReader {
    const char* bytes;
    int32_t count;
    int32_t at;
    bool utf8;
};

CharReader CharReaderOver(const char* bytes, int32_t count);

// The next character into c; false at the end.
bool NextChar(CharReader& reader, uint32_t& c);

// A text to look for, folded, with the fall-back table of a Knuth-Morris-Pratt search so that a
// search costs one step per character of the text searched, whatever both texts hold.
struct FoldedNeedle {
    std::vector<uint32_t> chars;
    std::vector<int32_t> fallback;  // fallback[i]: longest proper border of chars[0..i]
};

FoldedNeedle FoldedNeedleOf(const char* bytes, int32_t count);

// True when needle occurs in the text, compared folded; an empty needle occurs in every text.
bool ContainsFolded(const char* bytes, int32_t count, const FoldedNeedle& needle);
