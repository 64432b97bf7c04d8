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
    settings.gameOrder = 0;
    settings.minimumRating = 0;
    settings.decisiveOnly = 0;
    settings.player[0] = 0;
    settings.currentFile[0] = 0;
    settings.shuffleSeed = 0;
    settings.shufflePosition = 0;
    WideChar pgnName[kPathCapacity] = {0};
    AppendAsciiText(pgnName, kDefaultPgnName);
    ComposePath(settings.pgnPath, settings.installPath, "\\", pgnName);
    settings.skinName[0] = 0;
    AppendAsciiText(settings.skinName, kDefaultSkinName);
}
