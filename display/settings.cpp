#include "display/settings.h"

void SetDefaultSettings(SaverSettings& settings) {
    settings.fontColor = kDefaultFontColor;
    settings.backgroundColor = kDefaultBackgroundColor;
    settings.showInfo = 1;
    settings.timeMode = 1;
    settings.currentGameNumber = 0;
    settings.randomSkin = 1;
    settings.showLastMove = 1;
    // Off by default: a fresh installation shows the classic board.
    settings.fitBoard = 0;
    settings.animateMoves = 0;
    settings.monitors = 0;
    settings.drift = 0;
    WideChar pgnName[kPathCapacity] = {0};
    AppendAsciiText(pgnName, kDefaultPgnName);
    ComposePath(settings.pgnPath, settings.installPath, "\\", pgnName);
    settings.skinName[0] = 0;
    AppendAsciiText(settings.skinName, kDefaultSkinName);
}
