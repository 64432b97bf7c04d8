#pragma once
// The files the saver plays: one PGN file, or every *.pgn file of a folder (not of its
// subfolders) in file-name order. Listing a folder is the platform's work; the names it finds
// come here in UTF-8 and are chosen and sorted the same way everywhere.

#include <cstdint>
#include <string>
#include <vector>

// Bytewise is Linux's order. Windows users expect the order of the names without regard to case:
// the names' characters compared in upper case (the ordinal order Windows' own comparison
// without case gives, for the letters text/case_fold.h covers), names equal so ordered bytewise.
enum class NameOrder { Bytewise, IgnoringCase };

struct GameSources {
    std::vector<std::string> files;  // file names in play order, UTF-8
    bool folder;                     // the names are a folder's; else one file, named by its path
    NameOrder nameOrder;
};

// A name that ends in .pgn in any case, with something before it.
bool IsPgnFileName(const std::string& name);

// Below 0, 0 or above 0 as a sorts before, with or after b.
int CompareFileNames(const std::string& a, const std::string& b, NameOrder order);

// Whether a and b name the same file: bytewise, or without regard to case.
bool SameFileName(const std::string& a, const std::string& b, NameOrder order);

// One file: its path stands for its name.
GameSources SingleFileSource(const std::string& path);

// The .pgn files among the names a folder listing gave, sorted.
GameSources FolderSource(std::vector<std::string> names, NameOrder order);

// Where name stands among the sorted files: the index of the file of that name, or, when there
// is none (found false), of the first file that sorts after it (files.size() past the last).
struct FilePlace {
    int32_t index;
    bool found;
};

FilePlace PlaceOfFileName(const GameSources& sources, const std::string& name);
