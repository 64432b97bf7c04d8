#include "apps/pgn-tool/folder_listing.h"

#ifdef _WIN32
#include <windows.h>

#include "apps/pgn-tool/pgn_file.h"
#include "win32/pgn_folder.h"
#else
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "x11/pgn_folder.h"
#endif

#ifdef _WIN32

NameOrder NativeNameOrder() {
    return NameOrder::IgnoringCase;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widened(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names, std::string& error) {
    if (ListFolderFiles(Widened(folder).c_str(), names)) return true;
    error = "cannot list " + folder + ": Windows error " + std::to_string(GetLastError());
    return false;
}

std::string FilePathInFolder(const std::string& folder, const std::string& name) {
    const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    return separated ? folder + name : folder + "\\" + name;
}

#else

NameOrder NativeNameOrder() {
    return NameOrder::Bytewise;
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names, std::string& error) {
    if (ListFolderFiles(folder, names)) return true;
    error = "cannot list " + folder + ": " + std::strerror(errno);
    return false;
}

std::string FilePathInFolder(const std::string& folder, const std::string& name) {
    return PathInFolder(folder, name);
}

#endif
