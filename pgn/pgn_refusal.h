#pragma once
// Why a game's decoding stopped early, in plain words, for the diagnostics of the command-line
// tool. Looks at the refused token, the text just before and after it, and the position it was
// refused in; the saver itself never asks.

#include "chess/game_state.h"
#include "pgn/pgn_reader.h"
#include "text/char_string.h"

enum class StopReason {
    None,                // every collected token was applied
    TooManyPlies,        // the move text goes on past the last ply the game record holds
    NullMove,            // -- or Z0 yields no token, so the next move came for the wrong side
    PieceDrop,           // N@f3 and the like
    UnknownPieceLetter,  // a letter such as the S of Sf3 yields no token of its own
    CastlingNotAllowed,  // O-O or O-O-O (or 0-0, 0-0-0) where the king cannot castle
    NoPromotionPiece,    // a pawn reaching the last rank without a capital promotion letter
    CoordinateMove,      // g1f3: an origin square without the piece letter of a non-pawn
    AnnotationGlued,     // a move with letters or digits run on to it, such as exd6e.p.
    MovesRunTogether,    // e4e5: two moves without a byte between them
    WrongSide,           // a move the other side could make
    Ambiguous,           // more than one piece can make the move
    Illegal,             // no piece of the side to move can make it
    NotAMove,            // not written like a move at all
};

// A short plain phrase for the reason, such as "illegal move".
const char* StopReasonText(StopReason reason);

// The reason game decoding stopped early; state must hold the position ParseGame left (the one
// the refused token was tried in), and gameText and outcome must be the ones it read and gave.
StopReason ClassifyStop(const GameState& state, const CharString& gameText,
                        const ParseOutcome& outcome);

// The same for a game text given as count bytes, such as its stretch of the whole file.
StopReason ClassifyStop(const GameState& state, const char* gameBytes, int32_t count,
                        const ParseOutcome& outcome);
