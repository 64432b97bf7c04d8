#pragma once
// Finding and loading skins for the native program: the .bmp files of the data folder's Skin
// folder, checked as the Windows saver checks them and decoded by stb_image.

#include <string>
#include <vector>

#include "display/board_picture.h"
#include "display/settings.h"
#include "display/skin_scale.h"

// At most this many skins take part in a random pick, as on Windows.
constexpr size_t kMaxRandomSkins = 100;

// The file as a picture; false (skin untouched) when it cannot be read, is cut short, claims a
// side above kMaxSkinSide, or does not decode.
bool LoadSkinFile(const std::string& path, PixelImage& skin);

// The regular files named *.bmp (any case) in folder, sorted by name, at most kMaxRandomSkins.
std::vector<std::string> ListSkinFiles(const std::string& folder);

// The skin of a run: the named one when randomSkin is 0 and it loads, else a random one of the
// folder's list, drawing again among the rest while the one drawn does not load; false when none
// loads.
// name receives the chosen file's name.
bool LoadSaverSkin(const SaverSettings& settings, PixelImage& skin, std::string& name);

// Which of the skin's larger drawings are on hand: a regular file of that name in the scale's
// folder below Skin (x2, x4).
void FindLargeSkins(const SaverSettings& settings, const std::string& name,
                    bool (&available)[kLargeSkinScaleCount]);

// The skin's drawing at scale times the classic cell; false (skin untouched) when it does not load.
bool LoadLargeSkin(const SaverSettings& settings, const std::string& name, int32_t scale,
                   PixelImage& skin);
