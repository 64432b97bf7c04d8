#pragma once
// A private folder for a test's files, removed with everything in it when the test ends.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

struct TempFolder {
    std::filesystem::path path;

    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
