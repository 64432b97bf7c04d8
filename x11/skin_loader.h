#pragma once
// Finding and loading skins for the native program: the .bmp files of the data folder's Skin
// folder, checked as the Windows saver checks them and decoded by stb_image.

#include <string>
#include <vector>

#include "display/board_picture.h"
#include "display/settings.h"
#include "display/skin_scale.h"

// The file as a picture; false (skin untouched) when it cannot be read, is cut short, claims a
// side above kMaxSkinSide, or does not decode.
bool LoadSkinFile(const std::string& path, PixelImage& skin);

// The regular files named *.bmp (any case) in folder, sorted by name, at most kMaxRandomSkins.
std::vector<std::string> ListSkinFiles(const std::string& folder);

// The named file of the Skin folder as a picture; false (skin untouched) when it does not load.
bool LoadNamedSkin(const SaverSettings& settings, const std::string& name, PixelImage& skin);

// The Skin folder's skin files, as ListSkinFiles lists them.
std::vector<std::string> ListSaverSkins(const SaverSettings& settings);

// Whether the skin has a drawing file at scale times the classic cell (x2, x4 below Skin).
bool HasLargeSkin(const SaverSettings& settings, const std::string& name, int32_t scale);

// The skin's drawing at scale times the classic cell; false (skin untouched) when it does not
// load or is not exactly that size.
bool LoadLargeSkin(const SaverSettings& settings, const std::string& name, int32_t scale,
                   PixelImage& skin);
