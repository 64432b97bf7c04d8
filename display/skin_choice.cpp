#include "display/skin_choice.h"

#include <memory>

#include "display/board_layout.h"

namespace {

bool LoadNamed(SkinChoice& choice, const SkinSource& source, const WideChar* name) {
    if (name[0] == 0 || !source.loadSkin(source.context, name, 1)) return false;
    CopyWideText(choice.name, name);
    return true;
}

bool PickRandomSkin(SkinChoice& choice, const SkinSource& source, uint32_t& random) {
    auto names = std::make_unique<SkinName[]>(kMaxRandomSkins);
    int32_t count = source.listSkins(source.context, names.get(), kMaxRandomSkins);
    if (count > kMaxRandomSkins) count = kMaxRandomSkins;
    // A file that does not load leaves the draw, and the others are tried: one broken file among
    // good skins never leaves the run without a skin.
    for (size_t left = count > 0 ? static_cast<size_t>(count) : 0; left > 0; --left) {
        const size_t pick = left == 1 ? 0 : NextRandom(random) % left;
        if (LoadNamed(choice, source, names[pick].text)) return true;
        CopyWideText(names[pick].text, names[left - 1].text);
    }
    return false;
}

}  // namespace

uint32_t NextRandom(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

bool ChooseSaverSkin(SkinChoice& choice, const SkinSource& source, const SaverSettings& settings,
                     uint32_t& random) {
    choice = SkinChoice{};
    choice.scale = 1;
    if (source.loadSkin == nullptr || source.listSkins == nullptr) return false;
    choice.loaded = (settings.randomSkin == 0 && LoadNamed(choice, source, settings.skinName)) ||
                    PickRandomSkin(choice, source, random);
    if (!choice.loaded) return false;
    for (int32_t i = 0; i < kLargeSkinScaleCount; ++i) {
        choice.available[i] = source.hasDrawing != nullptr &&
                              source.hasDrawing(source.context, choice.name, kLargeSkinScales[i]);
    }
    return true;
}

int32_t ChooseBoardDrawing(SkinChoice& choice, const SkinSource& source, int32_t cellSize) {
    if (!choice.loaded) return 1;
    for (;;) {
        const int32_t scale = ChooseSkinScale(cellSize, choice.available);
        if (scale == 1 || scale == choice.scale) {
            choice.scale = scale;
            return scale;
        }
        if (source.loadSkin(source.context, choice.name, scale)) {
            choice.scale = scale;
            return scale;
        }
        for (int32_t i = 0; i < kLargeSkinScaleCount; ++i) {
            if (kLargeSkinScales[i] == scale) choice.available[i] = false;
        }
    }
}
