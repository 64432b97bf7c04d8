#pragma once
// A PATH that names a folder: telling it from a file, listing its files and joining their names,
// the platform's way. Names and paths are UTF-8.

#include <string>
#include <vector>

#include "display/pgn_folder.h"

// The order file names are expected in here: bytewise on Linux, without regard to case on
// Windows.
NameOrder NativeNameOrder();

bool IsFolder(const std::string& path);

// The names of the files in folder (not in its subfolders); false with a one-line reason when it
// cannot be listed.
bool ListFolder(const std::string& folder, std::vector<std::string>& names, std::string& error);

// The path of the file name in folder.
std::string FilePathInFolder(const std::string& folder, const std::string& name);
