#pragma once
// The games of one PGN text that the saver may play: every game, numbered as LoadCurrentGame
// numbers them, with what the filters look at, and the numbers of those that pass. Built in one
// pass over the text that reads only the tag sections; moves are decoded when a game is shown.
// Memory: the text stays the caller's; the list holds 12 bytes per game, and 4 more per game
// that passes.

#include <cstdint>
#include <string>
#include <vector>

#include "pgn/filter_tags.h"
#include "pgn/pgn_games.h"
#include "text/case_fold.h"
#include "text/char_string.h"

// What the saver skips. Every filter is off in the default value.
struct GameFilters {
    int32_t minimumRating = 0;  // > 0: both WhiteElo and BlackElo at least this
    bool decisiveOnly = false;  // Result 1-0 or 0-1 only
    std::string player;         // UTF-8; not empty: in White or Black, without regard to case
};

// Bits of the filters that refuse a game.
enum GameRefusal : uint8_t {
    kRefusedRating = 1u << 0,
    kRefusedNotDecisive = 1u << 1,
    kRefusedPlayer = 1u << 2,
};

// One game of the text. The filters read the game's own tags (the last of a name counts, as in
// ParseGame), not the texts a game without White or Black carries over on screen.
struct ListedGame {
    int32_t start;      // its first byte; it runs to the next game's start (the last to listEnd)
    uint16_t whiteElo;  // 0 when the tag is missing or not a whole number from 1 to 65535
    uint16_t blackElo;
    GameResult result;
    uint8_t refusals;  // GameRefusal bits; 0 when the game plays
};

struct GameList {
    std::vector<ListedGame> games;  // every game, in the order of the text
    std::vector<int32_t> playable;  // numbers of the games that pass, ascending
    int32_t listEnd;                // where the last game ends
};

// The text the player filter looks for: the setting less its surrounding spaces (a space typed
// before or after a name would only make it match less); empty when the filter is off.
std::string PlayerText(const std::string& player);

// A filter's player text ready for the search, folded.
struct PlayerFilter {
    bool active;
    FoldedNeedle needle;
};

PlayerFilter PlayerFilterOf(const std::string& player);

// The list of text under the filters.
GameList BuildGameList(const CharString& text, const GameFilters& filters);

// Where game number lies in the text the list was built from; as NextGameSpan gives it.
GameSpan ListedGameSpan(const GameList& list, int32_t number);
