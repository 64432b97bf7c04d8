#pragma once
// A look at a bitmap file's headers before it is loaded: some loaders read past the end of a
// cut-short file, so a skin whose headers promise more bytes than the file holds is refused.

#include <cstdint>

// Bytes of the file's start that BitmapFitsFile needs: file header and the longest info header
// fields it reads.
constexpr int32_t kBitmapHeadBytes = 54;

// The widest and tallest skin taken: a compressed file of a few bytes may claim any size, and the
// loader would commit memory for all of it.
constexpr uint64_t kMaxSkinSide = 8192;

// Whether head (the first headLength bytes of a file of fileSize bytes) starts a bitmap of at most
// kMaxSkinSide pixels a side whose headers and pixel data all lie inside the file.
bool BitmapFitsFile(const unsigned char* head, int32_t headLength, uint64_t fileSize);
