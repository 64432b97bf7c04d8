#include "win32/pgn_folder.h"

#include <windows.h>

std::string Utf8Of(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return std::string();
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();  // the terminator
    return utf8;
}

void WideOf(const std::string& utf8, WideChar (&wide)[kPathCapacity]) {
    wide[0] = 0;
    if (utf8.empty()) return;
    const int written = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                            wide, kPathCapacity - 1);
    wide[written > 0 ? written : 0] = 0;
}

bool PathInFolder(const WideChar* folder, const std::string& name,
                  WideChar (&path)[kPathCapacity]) {
    WideChar wideName[kPathCapacity];
    WideOf(name, wideName);
    return ComposePath(path, folder, "\\", wideName);
}

bool ListFolderFiles(const WideChar* folder, std::vector<std::string>& names) {
    // Every name, not "*.pgn": the pattern also matches short 8.3 names, so "games.pgnx" (short
    // name GAMES~1.PGN) would slip in; the caller picks the .pgn names itself.
    std::wstring pattern(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(Utf8Of(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}
