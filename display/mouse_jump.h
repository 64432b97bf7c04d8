#pragma once
// The full-screen run's mouse rule: a move that finds the pointer far from where the previous
// small move left it ends the run; a slow drift of a few pixels at a time never does.

#include <cstdint>

#include "display/board_layout.h"

// A move that finds the pointer further than this from the anchor, in x or y, ends the run.
constexpr int32_t kMouseJumpLimit = 10;

// Whether the pointer, now at pointer (screen coordinates), jumped from anchor. The anchor follows
// a small move and stays after a jump, so that the next move is judged from the same place.
bool MouseJumped(PixelPoint& anchor, PixelPoint pointer);
