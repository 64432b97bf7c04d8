#pragma once
// Which drawing of a skin to draw a board from: the supplied skins come at the classic 64-pixel
// cell and at larger multiples of it, each in a folder of its own below the Skin folder.

#include <cstdint>

// The multiples of the classic cell the supplied skins are also drawn at, smallest first.
constexpr int32_t kLargeSkinScaleCount = 2;
constexpr int32_t kLargeSkinScales[kLargeSkinScaleCount] = {2, 4};

// The folder below Skin that holds the drawings at a scale, such as "x2".
void LargeSkinFolder(int32_t scale, char (&folder)[8]);

// The scale to draw a board of cellSize pixels from, given which scales are on hand (the classic
// scale 1 always is): the smallest whose cells are at least cellSize, so that the board is only
// ever scaled down, else the largest on hand.
int32_t ChooseSkinScale(int32_t cellSize, const bool (&available)[kLargeSkinScaleCount]);
