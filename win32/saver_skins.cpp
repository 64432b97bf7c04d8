#include "win32/saver_skins.h"

#include "display/saver_texts.h"
#include "win32/pgn_file.h"
#include "win32/saver_state.h"
#include "win32/skin_catalogue.h"

namespace {

PgnFileResult ReadGames(void*, const WideChar* path, CharString& text) {
    return ReadPgnFile(path, text);
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
    return SaverPlatform{nullptr, ReadGames, kPgnMissingText,
                         SkinSource{nullptr, ListSkins, LoadSkin, HasDrawing}, nullptr};
}

void ReleaseLoadedSkins() {
    Replace(theShell.skinBitmap, nullptr);
    Replace(theShell.largeSkinBitmap, nullptr);
}
