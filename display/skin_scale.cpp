#include "display/skin_scale.h"

#include <cstdio>

#include "display/board_layout.h"

void LargeSkinFolder(int32_t scale, char (&folder)[8]) {
    std::snprintf(folder, sizeof(folder), "x%d", static_cast<int>(scale));
}

int32_t ChooseSkinScale(int32_t cellSize, const bool (&available)[kLargeSkinScaleCount]) {
    int32_t largest = 1;
    if (cellSize <= kSkinCellSize) return 1;
    for (int32_t i = 0; i < kLargeSkinScaleCount; ++i) {
        if (!available[i]) continue;
        largest = kLargeSkinScales[i];
        if (kSkinCellSize * largest >= cellSize) return largest;
    }
    return largest;
}
