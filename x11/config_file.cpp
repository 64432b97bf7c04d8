#include "x11/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "display/settings_table.h"
#include "display/settings_text.h"
#include "x11/posix_file.h"

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

enum class SettingsRead { Whole, Missing, Refused };

// Every byte of the settings file, zero bytes included, when it is a regular file read to its end
// within the text's limit. Anything less is Refused: such a file is neither read nor rewritten.
SettingsRead ReadSettingsBytes(const std::string& path, CharString& text) {
    PosixFile file = OpenPosixFile(path, StreamFiles::Refused);
    if (file.descriptor < 0) {
        return file.error == ENOENT ? SettingsRead::Missing : SettingsRead::Refused;
    }
    const PgnByteSource source = PosixByteSource(file);
    std::string bytes;
    bool whole = false;
    constexpr int32_t kBlockBytes = 16384;
    char block[kBlockBytes];
    for (;;) {
        int32_t got = 0;
        if (!source.read(source.handle, block, kBlockBytes, got)) break;
        whole = got == 0;
        if (whole || bytes.size() + static_cast<size_t>(got) > kMaxPgnFileBytes) break;
        bytes.append(block, static_cast<size_t>(got));
    }
    ClosePosixFile(file);
    if (!whole) return SettingsRead::Refused;
    text = CharString(bytes.data(), static_cast<int32_t>(bytes.size()));
    return SettingsRead::Whole;
}

// A file its owner made read-only, or one this user may not write, keeps its text.
bool IsReadOnly(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return false;
    return (status.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

// Writes text to a fresh file of an unpredictable name beside path (made with O_EXCL, so a link
// planted there cannot redirect it) and renames it over path; false, path untouched, on failure.
bool ReplaceFile(const std::string& path, const CharString& text) {
    std::string temporary = path + ".XXXXXX";
    const int file = mkostemp(temporary.data(), O_CLOEXEC);
    if (file < 0) return false;
    // The new file keeps the old one's permissions.
    struct stat status {};
    if (stat(path.c_str(), &status) == 0) fchmod(file, status.st_mode & 07777);
    const bool written = WriteAll(file, text) && fsync(file) == 0;
    if (close(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string DefaultConfigPath(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome) + kConfigTail;
    }
    if (home != nullptr && home[0] != 0) return std::string(home) + "/.config" + kConfigTail;
    return std::string();
}

std::string ChosenConfigPath(const std::string& given) {
    if (!given.empty()) return given;
    return DefaultConfigPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
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
    if (!configPath.empty() && ReadSettingsBytes(configPath, text) == SettingsRead::Whole) {
        ApplySettingsText(settings, text);
    }
}

bool StoreSaverPlace(const std::string& givenPath, const SaverSettings& settings) {
    if (givenPath.empty()) return false;
    // A settings file that is a link to another is rewritten where it really lies.
    char* real = realpath(givenPath.c_str(), nullptr);
    const std::string configPath = real != nullptr ? std::string(real) : givenPath;
    std::free(real);
    CharString old;
    switch (ReadSettingsBytes(configPath, old)) {
        case SettingsRead::Whole:
            if (IsReadOnly(configPath)) return false;
            break;
        case SettingsRead::Missing:
            MakeParentFolders(configPath);
            break;
        case SettingsRead::Refused:
            return false;
    }
    return ReplaceFile(configPath, WithKeptSettings(old, settings));
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
