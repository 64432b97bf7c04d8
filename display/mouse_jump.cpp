#include "display/mouse_jump.h"

#include <cstdlib>

bool MouseJumped(PixelPoint& anchor, PixelPoint pointer) {
    if (std::abs(pointer.x - anchor.x) > kMouseJumpLimit ||
        std::abs(pointer.y - anchor.y) > kMouseJumpLimit) {
        return true;
    }
    anchor = pointer;
    return false;
}
