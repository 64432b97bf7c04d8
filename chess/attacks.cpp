#include "chess/attacks.h"

namespace {

// Fills the sets of one square: every subset of its blocker squares, visited by the carry-rippler
// step (subset - blockers) & blockers, gets the attacks it leaves.
void FillSquare(SliderAttackTable& table, Slider slider, int32_t square) {
    const MagicEntry& entry = slider == Slider::Rook ? kMagics.rook[static_cast<size_t>(square)]
                                                     : kMagics.bishop[static_cast<size_t>(square)];
    Bitboard subset = kNoSquares;
    do {
        const Bitboard index = (subset * entry.multiplier) >> entry.shift;
        table.sets[entry.offset + static_cast<size_t>(index)] =
            WalkSliderAttacks(slider, square, subset);
        subset = (subset - entry.blockers) & entry.blockers;
    } while (subset != kNoSquares);
}

SliderAttackTable sliderAttacks;

bool FillSliderAttacks() {
    for (int32_t square = 0; square < 64; ++square) {
        FillSquare(sliderAttacks, Slider::Rook, square);
        FillSquare(sliderAttacks, Slider::Bishop, square);
    }
    return true;
}

[[maybe_unused]] const bool sliderAttacksFilled = FillSliderAttacks();

}  // namespace

// Bound to the table at compile time, so it is usable whatever the order of start-up.
const SliderAttackTable& kSliderAttacks = sliderAttacks;

Bitboard WalkSliderAttacks(Slider slider, int32_t square, Bitboard occupied) {
    const size_t first = slider == Slider::Rook ? 0 : kFirstDiagonalLine;
    Bitboard attacks = kNoSquares;
    for (size_t line = first; line < first + 4; ++line) {
        const Bitboard squares = kMovement.lines[line][static_cast<size_t>(square)];
        const Bitboard blockers = squares & occupied;
        if (blockers == kNoSquares) {
            attacks |= squares;
            continue;
        }
        // Up to the nearest blocker: everything on the line short of what lies beyond it.
        const int32_t nearest = LineRisesFrom(line) ? FirstSquare(blockers) : LastSquare(blockers);
        attacks |= squares & ~kMovement.lines[line][static_cast<size_t>(nearest)];
    }
    return attacks;
}
