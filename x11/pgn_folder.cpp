#include "x11/pgn_folder.h"

#include <dirent.h>
#include <sys/stat.h>

bool ListFolderFiles(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = readdir(dir)) {
        struct stat status {};
        if (stat(PathInFolder(folder, entry->d_name).c_str(), &status) == 0 &&
            S_ISREG(status.st_mode))
            names.push_back(entry->d_name);
    }
    closedir(dir);
    return true;
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}
