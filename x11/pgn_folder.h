#pragma once
// Listing a folder of PGN files the POSIX way: the names of the files directly in it, for
// display/pgn_folder.h, which keeps the .pgn ones and sorts them.

#include <string>
#include <vector>

// The names of the regular files in folder (a link counts as what it names, as opening it reads
// that), in the order the system gives them; false with errno set when the folder cannot be read.
bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names);

// The path of a file name in folder.
std::string PathInFolder(const std::string& folder, const std::string& name);
