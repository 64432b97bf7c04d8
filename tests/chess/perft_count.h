#pragma once
// Perft: the number of leaves of the legal move tree, counted with the engine's own legal targets
// (the proposals and the trial that GenerateCandidates and the SAN interpreter use) and
// ApplyMove, in bulk one ply above the leaves. Shared by the perft tests and the benchmark.

#include <cstdint>
#include <string>
#include <vector>

#include "chess/game_state.h"

// Leaves of the tree of the given depth below the position on the board, colour to move. A pawn
// reaching the last rank counts once per promotion piece. Leaves board and flags as they were.
uint64_t CountLeaves(GameState& state, int32_t colour, int32_t depth);

// One position with its known leaf counts; nodes[d - 1] is the count at depth d.
struct PerftPosition {
    std::string name;
    std::string fen;
    std::vector<uint64_t> nodes;
};

// The initial position, Kiwipete and positions 3 to 6 of the common perft suite.
const std::vector<PerftPosition>& StandardPerftPositions();

// Reads a perft file: "id <name>", "epd <fen>" and "perft <depth> <nodes>" lines, "#" comments.
// Empty when the file cannot be opened.
std::vector<PerftPosition> ReadPerftFile(const std::string& path);

// Sets up the position and counts its tree at depth; the side to move comes from the FEN.
uint64_t RunPerft(GameState& state, const PerftPosition& position, int32_t depth);
