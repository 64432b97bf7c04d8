#include "x11/data_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

bool IsFolder(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The running program's own path, links resolved; empty when the system does not tell.
std::string ProgramPath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return std::string();
    return std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace

std::string DataFolderBeside(const std::string& programPath, const std::string& moduleFolder,
                             const std::string& dataFolder) {
    if (moduleFolder.empty() || moduleFolder.front() == '/' || dataFolder.empty() ||
        dataFolder.front() == '/')
        return std::string();
    const size_t slash = programPath.rfind('/');
    if (slash == std::string::npos) return std::string();
    const std::string programFolder = programPath.substr(0, slash);
    const std::string tail = "/" + moduleFolder;
    if (programFolder.size() < tail.size() ||
        programFolder.compare(programFolder.size() - tail.size(), tail.size(), tail) != 0)
        return std::string();
    return programFolder.substr(0, programFolder.size() - tail.size()) + "/" + dataFolder;
}

std::string DataFolder() {
    const char* override = std::getenv("QUORVANE_DATA_DIR");
    if (override != nullptr && override[0] != 0) return override;
    const std::string beside =
        DataFolderBeside(ProgramPath(), QUORVANE_INSTALL_MODULE_DIR, QUORVANE_INSTALL_DATA_DIR);
    if (!beside.empty() && IsFolder(beside)) return beside;
    return QUORVANE_INSTALLED_DATA_DIR;
}
