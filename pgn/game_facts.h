#pragma once
// What one game holds beyond the classic texts of GameInfo: the players' titles and ratings,
// the result and how the game ended, the opening's tags, and per ply the move as written, the
// clock after it and the position's key with the named opening reached. Filled anew by every
// ParseGame, so that nothing leaks from the game read before. Fixed capacity, as the game record
// is.

#include <array>
#include <cstdint>

#include "pgn/game_result.h"

#include "chess/game_state.h"
#include "chess/position_end.h"
#include "chess/position_key.h"

// Room for any move a decoded token can make ("exd8=Q#" is seven bytes) and for long forms such
// as "Ng1-f3+"; longer tokens (a hostile file may write megabytes of hyphens) are cut.
constexpr int32_t kSanBytes = 11;
constexpr int32_t kNoClock = -1;
constexpr int16_t kNoOpening = -1;

// One decoded move.
struct MoveFacts {
    char san[kSanBytes];  // the token as written (castling's zeros too), + or #; zero-ended
    bool clockHasTenths;  // the clock comment wrote a fraction of a second
    int32_t clockTenths;  // the mover's time left after the move, from [%clk]; kNoClock if none
};

struct PlayerFacts {
    char title[8];   // "GM", "WIM", "BOT"; empty when the tag is missing
    int32_t rating;  // 0 when missing or not a positive number ("?", "-", "0")
};

struct GameFacts {
    PlayerFacts white;
    PlayerFacts black;
    GameResult result;     // from the Result tag
    char termination[51];  // the Termination tag's text
    char eco[8];           // the ECO, Opening and Variation tags
    char opening[96];
    char variation[96];
    int32_t startSide;        // the side of the first move
    int32_t firstMoveNumber;  // of the first move: the FEN's fullmove number, else 1
    int32_t plyCount;         // moves decoded: the game's final position is position plyCount
    bool complete;            // every move of the text was decoded, so the last position is the
                              // game's own end
    PositionEnd ending;       // of the final position, when the game is complete
    std::array<MoveFacts, kMaxPlies> moves;  // moves[i] made position i + 1
    // Position p, from 0 (the start) to plyCount: its key, and the deepest named opening among
    // positions 0 to p (an index into the opening table). Both only for games without an Opening
    // tag: the tag names the opening, and the keys serve nothing else.
    std::array<PositionKey, kMaxPlies + 1> keys;
    std::array<int16_t, kMaxPlies + 1> openingByPly;
};

// The tags whose values go into GameFacts.
enum class FactTag {
    WhiteTitle,
    BlackTitle,
    WhiteElo,
    BlackElo,
    Result,
    Termination,
    Eco,
    Opening,
    Variation,
};

// Stores a tag's value as the lexer gave it (quotes and surrounding blanks still on). A value
// that says nothing ("", "?", "-") stores nothing; a rating must be a positive whole number.
void StoreFactTag(GameFacts& facts, FactTag tag, const char* value, int32_t count);

// Empties the per-game texts and counts before a game is read; the per-ply arrays are written
// as the game is read, up to plyCount.
void ClearGameFacts(GameFacts& facts);
