#pragma once
// Listing a folder of PGN files the Windows way: the names of the files directly in it, in UTF-8
// for display/pgn_folder.h, which keeps the .pgn ones and sorts them.

#include <string>
#include <vector>

#include "text/char_string.h"

// The names of the files (not folders) in folder, in the order Windows gives them; false when
// the folder cannot be listed.
bool ListFolderFiles(const WideChar* folder, std::vector<std::string>& names);
