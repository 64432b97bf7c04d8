#pragma once
// Listing a folder of PGN files the Windows way: the names of the files directly in it, in UTF-8
// for display/pgn_folder.h, which keeps the .pgn ones and sorts them.

#include <string>
#include <vector>

#include "display/wide_text.h"
#include "text/char_string.h"

// The names of the files (not folders) in folder, in the order Windows gives them; false when
// the folder cannot be listed.
bool ListFolderFiles(const WideChar* folder, std::vector<std::string>& names);

// A 16-bit text in UTF-8, and UTF-8 into a 16-bit text (cut at the buffer's end).
std::string Utf8Of(const wchar_t* wide);
void WideOf(const std::string& utf8, WideChar (&wide)[kPathCapacity]);

// folder + "\\" + name; false when the path does not fit.
bool PathInFolder(const WideChar* folder, const std::string& name, WideChar (&path)[kPathCapacity]);
