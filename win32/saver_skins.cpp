#include "win32/saver_skins.h"

#include "display/saver_texts.h"
#include "win32/pgn_file.h"
#include "win32/pgn_folder.h"
#include "win32/saver_state.h"
#include "win32/skin_catalogue.h"

namespace {

PgnFileResult ReadGames(void*, const WideChar* path, const std::string& fileName,
                        CharString& text) {
    if (fileName.empty()) return ReadPgnFile(path, text);
    WideChar inFolder[kPathCapacity];
    if (!PathInFolder(path, fileName, inFolder)) return PgnFileResult::NotOpened;
    return ReadPgnFile(inFolder, text);
}

bool ListFolder(void*, const WideChar* path, std::vector<std::string>& names) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    return ListFolderFiles(path, names);
}

std::string TextToUtf8(const WideChar* text) {
    return Utf8Of(text);
}

int32_t ListSkins(void*, SkinName* names, int32_t capacity) {
    return ListSkinNames(theSession.settings, names, capacity);
}

void Replace(HBITMAP& slot, HBITMAP bitmap) {
    if (slot != nullptr) DeleteObject(slot);
    slot = bitmap;
}

bool LoadSkin(void*, const WideChar* name, int32_t scale) {
    if (scale == 1) {
        HBITMAP skin = LoadSkinNamed(theSession.settings, kSaverSkinFolder, name);
        if (skin == nullptr) return false;
        Replace(theShell.skinBitmap, skin);
        return true;
    }
    HBITMAP large = LoadLargeSkin(theSession.settings, name, scale);
    if (large == nullptr) return false;
    Replace(theShell.largeSkinBitmap, large);
    return true;
}

bool HasDrawing(void*, const WideChar* name, int32_t scale) {
    return HasLargeSkinFile(theSession.settings, name, scale);
}

}  // namespace

SaverPlatform SaverWindowPlatform() {
    return SaverPlatform{nullptr,
                         ReadGames,
                         kPgnMissingText,
                         SkinSource{nullptr, ListSkins, LoadSkin, HasDrawing},
                         ListFolder,
                         NameOrder::IgnoringCase,
                         TextToUtf8,
                         WideOf,
                         SharedStore{nullptr, nullptr}};
}

void ReleaseLoadedSkins() {
    Replace(theShell.skinBitmap, nullptr);
    Replace(theShell.largeSkinBitmap, nullptr);
}
