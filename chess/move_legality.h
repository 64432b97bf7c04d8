#pragma once
// Legal destinations of one piece, and the attack test behind king safety and castling.

#include <cstdint>

#include "chess/bitboard.h"
#include "chess/game_state.h"

// The square of a side's king as the king-safety test uses it: the first king FindKing meets, or
// -1 in both fields when the side has none (then only a king's own moves are tested).
struct KingSquare {
    int32_t file;
    int32_t rank;
};

// Fills candidates and the isTarget markers with the legal moves of the piece on (file, rank),
// which must be of the given colour; otherwise nothing is marked.
void GenerateCandidates(GameState& state, int32_t colour, int32_t file, int32_t rank);

// Tries one proposed move of the piece being examined and keeps it when the own king stays safe.
void TryCandidate(GameState& state, int32_t fromFile, int32_t fromRank, int32_t toFile,
                  int32_t toRank);

// The first king of the colour, scanning a1..h8; file and rank stay untouched when there is none.
bool FindKing(const GameState& state, int32_t colour, int32_t& file, int32_t& rank);

// Whether a piece of the other colour attacks (file, rank). A file of -1 means the square of
// this colour's king (false when there is no such king).
bool IsSquareAttacked(const GameState& state, int32_t colour, int32_t file, int32_t rank);

// A king square not looked up yet; CanMoveTo looks it up when its trial first needs it.
constexpr KingSquare kKingNotLookedUp = {-2, -2};

// The king square GenerateCandidates tests the colour's moves against.
KingSquare KingSquareOf(const GameState& state, int32_t colour);

// Whether the piece of the colour on the from square may legally move to the target square:
// true exactly when GenerateCandidates for that piece would mark the target. Only the one move is
// proposed and tried, against king: KingSquareOf the colour, or kKingNotLookedUp, which the trial
// replaces with it, so that several calls for one position look the king up once. The board is
// left as it was.
bool CanMoveTo(GameState& state, int32_t colour, KingSquare& king, int32_t fromFile,
               int32_t fromRank, int32_t toFile, int32_t toRank);

// What the king-safety trial may take for granted in one position: the king square
// (KingSquareOf), whether that king stands attacked, and the squares on its lines.
struct KingSafety {
    KingSquare king;
    bool attacked;
    Bitboard lines;
};

KingSafety KingSafetyOf(const GameState& state, int32_t colour);

// The squares the piece of the colour on the square may legally move to, as one set: exactly the
// squares GenerateCandidates would mark, by the same proposals and the same trial, without
// touching the candidate list or the markers. safety: KingSafetyOf the colour in this position.
Bitboard LegalTargets(const GameState& state, int32_t colour, const KingSafety& safety,
                      int32_t square);
