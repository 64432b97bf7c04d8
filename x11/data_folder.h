#pragma once
// Where the native program's data (Skin/ and varnoth.pgn) lies: named by QUORVANE_DATA_DIR, found
// beside the installed program, or where the build was told it would be installed.

#include <string>

// For a program at programPath that lies in moduleFolder below some prefix (both folders relative,
// as the install layout names them), dataFolder below that prefix; empty when the program's folder
// is not moduleFolder (a build tree) or a folder is not relative.
std::string DataFolderBeside(const std::string& programPath, const std::string& moduleFolder,
                             const std::string& dataFolder);

// QUORVANE_DATA_DIR when set; else the data folder beside the running program when it exists, so
// a copy installed under another prefix than the configured one reads its own data; else the
// configured one.
std::string DataFolder();
