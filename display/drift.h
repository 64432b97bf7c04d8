#pragma once
// The slow drift that keeps an ambient board from burning into the screen: every few minutes the
// board and its texts move a few pixels along a small closed path, and after a round of steps
// they stand where they began.

#include <cstdint>

#include "display/board_layout.h"
#include "display/screen_layout.h"

// How long the board stands at each point of the path.
constexpr int64_t kDriftStepMilliseconds = 3 * 60 * 1000;
// Points on the path; the round takes this many steps.
constexpr int32_t kDriftPathSteps = 12;

// The offset at step of the path for a board of cellSize: a point on a circle of six pixels at
// the classic cell, larger with the board; step 0 (and every full round) is no offset.
PixelPoint DriftOffset(int32_t step, int32_t cellSize);

// offset, shortened in each direction so that what stands in occupied stays inside area.
PixelPoint KeepInside(PixelPoint offset, const TextBand& occupied, const ScreenRect& area);
