#include "display/drift.h"

#include <algorithm>

namespace {

constexpr int32_t kClassicRadius = 6;
// Twelve points on the unit circle, times 1024, from the top clockwise back to the top; less the
// top's own position, so that step 0 is where the board stands undrifted.
constexpr PixelPoint kCircle[kDriftPathSteps] = {
    {0, 1024},  {512, 887},   {887, 512},   {1024, 0},  {887, -512}, {512, -887},
    {0, -1024}, {-512, -887}, {-887, -512}, {-1024, 0}, {-887, 512}, {-512, 887}};

int32_t Along(int32_t unit, int32_t radius) {
    return unit * radius / 1024;
}

}  // namespace

PixelPoint DriftOffset(int32_t step, int32_t cellSize) {
    const int32_t radius = kClassicRadius * std::max(cellSize, kSkinCellSize) / kSkinCellSize;
    const PixelPoint point =
        kCircle[((step % kDriftPathSteps) + kDriftPathSteps) % kDriftPathSteps];
    return PixelPoint{Along(point.x, radius), Along(point.y, radius) - radius};
}

PixelPoint KeepInside(PixelPoint offset, const TextBand& occupied, const ScreenRect& area) {
    const int32_t roomLeft = std::max(0, occupied.left - area.left);
    const int32_t roomRight = std::max(0, area.right - occupied.right);
    const int32_t roomUp = std::max(0, occupied.top - area.top);
    const int32_t roomDown = std::max(0, area.bottom - occupied.bottom);
    return PixelPoint{std::clamp(offset.x, -roomLeft, roomRight),
                      std::clamp(offset.y, -roomUp, roomDown)};
}
