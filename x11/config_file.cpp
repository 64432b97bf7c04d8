#include "x11/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "display/settings_table.h"
#include "display/settings_text.h"
#include "x11/file_text.h"

namespace {

constexpr const char* kConfigTail = "/quorvane/quorvane.conf";

bool WriteAll(int file, const CharString& text) {
    int32_t done = 0;
    while (done < text.length()) {
        const ssize_t wrote =
            write(file, text.chars() + done, static_cast<size_t>(text.length() - done));
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<int32_t>(wrote);
    }
    return true;
}

// Makes every missing folder of path's parent.
void MakeParentFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

}  // namespace

std::string DefaultConfigPath(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome) + kConfigTail;
    }
    if (home != nullptr && home[0] != 0) return std::string(home) + "/.config" + kConfigTail;
    return std::string();
}

std::string DataFolder() {
    const char* override = std::getenv("QUORVANE_DATA_DIR");
    if (override != nullptr && override[0] != 0) return override;
    return QUORVANE_INSTALLED_DATA_DIR;
}

void LoadSettingsFile(SaverSettings& settings, const std::string& configPath,
                      const std::string& dataFolder) {
    settings.installPath[0] = 0;
    for (size_t i = 0; i < dataFolder.size() && i + 1 < kPathCapacity; ++i) {
        settings.installPath[i] = static_cast<WideChar>(static_cast<unsigned char>(dataFolder[i]));
        settings.installPath[i + 1] = 0;
    }
    if (dataFolder.size() >= kPathCapacity) settings.installPath[0] = 0;
    SetDefaultSettings(settings);
    CharString text;
    if (configPath.empty() ||
        ReadFileText(configPath, text, ZeroByte::Kept) != FileTextResult::Read)
        return;
    ApplySettingsText(settings, text);
}

bool StoreGameNumber(const std::string& givenPath, int32_t number) {
    if (givenPath.empty()) return false;
    // A settings file that is a link to another is rewritten where it really lies.
    char* real = realpath(givenPath.c_str(), nullptr);
    const std::string configPath = real != nullptr ? std::string(real) : givenPath;
    std::free(real);
    CharString old;
    if (ReadFileText(configPath, old, ZeroByte::Kept) != FileTextResult::Read) {
        old = CharString();
        MakeParentFolders(configPath);
    }
    const CharString text = WithCurrentGameNumber(old, number);
    const std::string temporary = configPath + ".new-" + std::to_string(getpid());
    const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file < 0) return false;
    // The new file keeps the old one's permissions.
    struct stat status {};
    if (stat(configPath.c_str(), &status) == 0) fchmod(file, status.st_mode & 07777);
    const bool written = WriteAll(file, text) && fsync(file) == 0;
    if (close(file) != 0 || !written || std::rename(temporary.c_str(), configPath.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::string PathBytes(const WideChar* text) {
    std::string bytes;
    for (int32_t i = 0; i < kPathCapacity && text[i] != 0; ++i) {
        bytes.push_back(static_cast<char>(text[i] & 0xFF));
    }
    return bytes;
}

std::string ExpandHome(const std::string& path, const char* home) {
    if (home == nullptr || home[0] == 0) return path;
    if (path == "~") return home;
    if (path.rfind("~/", 0) == 0) return std::string(home) + path.substr(1);
    return path;
}

std::string PgnMissingTextFor(const std::string& configPath) {
    return "PGN file not found. Please edit the settings file \"" + configPath +
           "\" for select (a line \"" + PgnPathRow().name + "=/path/to/games.pgn\")";
}
