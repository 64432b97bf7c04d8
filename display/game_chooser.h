#pragma once
// Which game the saver plays next: the games of one file or of a folder's files that pass the
// filters, in file order or shuffled, continuing after a restart where the last run stopped.
//
// File order ("Game order" 0, as the saver always played): each file's playable games by number,
// the files by name, then the first file again.
// Shuffled ("Game order" 1): rounds in which every playable game plays once. A round puts the
// folder's files in an order of its own and each file's playable games in an order of their own,
// so one file at a time is in memory; the next round takes a new seed derived from the last, and
// never opens with the game (or, in a folder, the file) that closed the round before.
//
// What the saver stores between runs is a ResumePoint. A restart continues with the stored game
// when it is still there and passes the filters, at its place in the round; with the next
// playable game (file order) or the game at the stored place (shuffled) when it is not; and with
// the first game of the next file when the stored file is gone from the folder. Adding a file to
// the folder or games to a file never moves a restart to another game. Within a round no game
// repeats, across restarts too, as long as the files stay as they were; when a file's playable
// games change in number, its order changes with them for the rest of the round.

#include <cstdint>
#include <string>
#include <vector>

#include "chess/game_state.h"
#include "display/pgn_folder.h"
#include "pgn/game_info.h"
#include "pgn/game_list.h"
#include "text/char_string.h"

enum class GameOrder : int32_t { FileOrder = 0, Shuffled = 1 };

// The order a stored "Game order" value names: 1 shuffled, anything else file order.
GameOrder GameOrderOf(int32_t setting);

// The names of the settings that choose the games and keep the place, as stored.
constexpr const char* kGameOrderName = "Game order";
constexpr const char* kMinimumRatingName = "Minimum rating";
constexpr const char* kDecisiveOnlyName = "Decisive games only";
constexpr const char* kPlayerName = "Player";
constexpr const char* kCurrentFileName = "Current file";
constexpr const char* kShuffleSeedName = "Shuffle seed";
constexpr const char* kShufflePositionName = "Shuffle position";

// Where the saver stands, as it is stored when a run ends.
struct ResumePoint {
    std::string file;             // "Current file": the file's name in its folder; "" for one file
    int32_t gameNumber = 0;       // "Current game number": the game in that file, from 0
    uint32_t shuffleSeed = 0;     // "Shuffle seed": the round's seed; 0 before any
    int32_t shufflePosition = 0;  // "Shuffle position": the game's place in its file this round
};

// Reads a file of the sources into text (at most 16 MiB, up to the first zero byte, as the saver
// reads one file); false when it cannot be read. The chooser passes over such a file.
struct PgnTextSource {
    void* context;
    bool (*read)(void* context, const std::string& fileName, CharString& text);
};

// Why no game was chosen.
enum class ChoiceResult {
    Chosen,
    NothingRead,   // no file could be read
    NoGame,        // the files read hold no game at all
    NoneFiltered,  // games there are, but none passes the filters
};

struct GameChooser {
    GameSources sources;
    GameOrder order;
    GameFilters filters;
    PgnTextSource source;
    // The one file in memory: its text, which the chosen game's span points into, and its list.
    int32_t fileIndex;
    CharString text;
    GameList list;
    int32_t filePosition;          // fileIndex's place in the round's order of files
    ResumePoint at;                // the chosen game, as it is to be stored
    std::vector<bool> passedOver;  // files found unreadable or without a playable game this run
};

GameChooser MakeGameChooser(const GameSources& sources, GameOrder order, const GameFilters& filters,
                            PgnTextSource source);

// Chooses the game to start a run with, from what the last run stored. freshSeed seeds the first
// shuffled round when none is stored (the caller's clock or random source; 0 counts as 1).
ChoiceResult ChooseStartingGame(GameChooser& chooser, const ResumePoint& stored,
                                uint32_t freshSeed);

// Chooses the game after the chosen one.
ChoiceResult ChooseNextGame(GameChooser& chooser);

// Where the chosen game lies in chooser.text.
GameSpan ChosenGameSpan(const GameChooser& chooser);

// Loads the chosen game as LoadCurrentGame loads game n: its tags into info, its moves decoded,
// moveCount set, and its start position on show with ply 0.
void LoadChosenGame(GameState& state, GameInfo& info, const GameChooser& chooser);
