#include "x11/skin_loader.h"

#include <dirent.h>
#include <sys/stat.h>

#include <stb/stb_image.h>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "display/bitmap_file.h"
#include "display/board_layout.h"
#include "display/skin_choice.h"
#include "x11/config_file.h"

namespace {

// The Windows saver's spelling of the folder.
constexpr const char* kSkinFolder = "/Skin";

bool EndsWithBmp(const std::string& name) {
    if (name.size() < 5) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& ch : tail)
        ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    return tail == ".bmp";
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The whole file, when it is a regular file no larger than any acceptable skin can be.
bool ReadSkinBytes(const std::string& path, std::vector<unsigned char>& bytes) {
    constexpr uint64_t kMaxSkinFileBytes =
        54 + 1024 +
        4ull * static_cast<uint64_t>(kMaxSkinSide) * static_cast<uint64_t>(kMaxSkinSide);
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (static_cast<uint64_t>(status.st_size) > kMaxSkinFileBytes) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

std::string SkinFolderOf(const SaverSettings& settings) {
    return PathBytes(settings.installPath) + kSkinFolder;
}

}  // namespace

bool LoadSkinFile(const std::string& path, PixelImage& skin) {
    std::vector<unsigned char> bytes;
    if (!ReadSkinBytes(path, bytes)) return false;
    const auto head = static_cast<int32_t>(std::min<size_t>(bytes.size(), kBitmapHeadBytes));
    if (!BitmapFitsFile(bytes.data(), head, bytes.size())) return false;
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                               &height, &channels, 3);
    // The file's bytes go before the picture is made: a 4K board's drawing is 14 MB of them.
    std::vector<unsigned char>().swap(bytes);
    if (rgb == nullptr) return false;
    PixelImage loaded = MakePixelImage(width, height, 0);
    for (size_t i = 0; i < loaded.pixels.size(); ++i) {
        loaded.pixels[i] = static_cast<uint32_t>(rgb[3 * i]) << 16 |
                           static_cast<uint32_t>(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    }
    stbi_image_free(rgb);
    skin = std::move(loaded);
    return true;
}

std::vector<std::string> ListSkinFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) return names;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        // A folder whose name ends in .bmp is no skin.
        if (EndsWithBmp(name) && IsRegularFile(folder + "/" + name)) names.push_back(name);
    }
    closedir(directory);
    std::sort(names.begin(), names.end());
    if (names.size() > static_cast<size_t>(kMaxRandomSkins)) names.resize(kMaxRandomSkins);
    return names;
}

namespace {

std::string LargeSkinPath(const SaverSettings& settings, const std::string& name, int32_t scale) {
    char scaleFolder[8];
    LargeSkinFolder(scale, scaleFolder);
    return SkinFolderOf(settings) + "/" + scaleFolder + "/" + name;
}

}  // namespace

bool LoadNamedSkin(const SaverSettings& settings, const std::string& name, PixelImage& skin) {
    return !name.empty() && LoadSkinFile(SkinFolderOf(settings) + "/" + name, skin);
}

bool HasLargeSkin(const SaverSettings& settings, const std::string& name, int32_t scale) {
    return IsRegularFile(LargeSkinPath(settings, name, scale));
}

bool LoadLargeSkin(const SaverSettings& settings, const std::string& name, int32_t scale,
                   PixelImage& skin) {
    PixelImage loaded;
    if (!LoadSkinFile(LargeSkinPath(settings, name, scale), loaded)) return false;
    // A drawing of another size would put the cells out of step with the scale.
    if (loaded.width != kSkinSheetWidth * scale || loaded.height != kSkinSheetHeight * scale) {
        return false;
    }
    skin = std::move(loaded);
    return true;
}

std::vector<std::string> ListSaverSkins(const SaverSettings& settings) {
    return ListSkinFiles(SkinFolderOf(settings));
}
