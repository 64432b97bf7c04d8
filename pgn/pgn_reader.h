#pragma once
// From PGN text to a playable game: finds game n, reads its tags and decodes its main line.
// A forgiving scanner: it never reports an error; what it does not recognise it passes over.

#include <cstdint>

#include "chess/game_state.h"
#include "pgn/game_info.h"
#include "pgn/pgn_games.h"
#include "pgn/pgn_lexer.h"
#include "text/char_string.h"

// How far the decoding of one game got; the saver ignores it, diagnostics read it.
struct ParseOutcome {
    int32_t tokensFound;    // move tokens collected, at most kMaxPlies
    int32_t surplusTokens;  // tokens met after the kMaxPlies-th, dropped unread
    int32_t pliesDecoded;   // tokens applied, from the first; equals the state's ply
    TokenSpan refused;      // the first token the interpreter refused; length 0 when none was
    int32_t refusedAfter;   // where the text before the refused token begins: the end of the
                            // token or tag pair read before it
};

// What a read gathers beyond the moves: everything the screen shows, or (for a caller that only
// checks the moves, such as quorvane-pgn check) the move count and the start position of the FEN
// tag, without the other tags, the moves as written, the clocks, the position keys, the opening
// and how the game ended.
enum class GameFactsWanted { All, MovesOnly };

// Reads one game's text: tags into info, start position and decoded moves into state. Leaves the
// game's final decoded position on the board.
ParseOutcome ParseGame(GameState& state, GameInfo& info, const CharString& gameText);

// The same for count bytes of a larger text, such as one game's stretch of the whole file; the
// outcome's offsets count from gameBytes.
ParseOutcome ParseGame(GameState& state, GameInfo& info, const char* gameBytes, int32_t count,
                       GameFactsWanted wanted = GameFactsWanted::All);

// Loads game currentGameNumber of pgnText, wrapping to game 0 (and setting the number to 0)
// when there is no such game; leaves the game's start position on show with moveCount set.
void LoadCurrentGame(GameState& state, GameInfo& info, int32_t& currentGameNumber,
                     const CharString& pgnText);
