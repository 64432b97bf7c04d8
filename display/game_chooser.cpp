#include "display/game_chooser.h"

#include <algorithm>

#include "display/shuffle_order.h"
#include "pgn/pgn_reader.h"

namespace {

// What the files tried so far held, for the reason when none has a playable game.
struct Tally {
    bool read = false;
    bool games = false;
};

ChoiceResult Failure(const Tally& tally) {
    if (!tally.read) return ChoiceResult::NothingRead;
    return tally.games ? ChoiceResult::NoneFiltered : ChoiceResult::NoGame;
}

int32_t FileCount(const GameChooser& c) {
    return static_cast<int32_t>(c.sources.files.size());
}

int32_t PlayableCount(const GameChooser& c) {
    return static_cast<int32_t>(c.list.playable.size());
}

const std::string& FileName(const GameChooser& c) {
    return c.sources.files[static_cast<size_t>(c.fileIndex)];
}

int32_t FileAt(const GameChooser& c, uint32_t seed, int32_t filePosition) {
    if (c.order == GameOrder::FileOrder) return filePosition;
    return ShuffledIndex(FileOrderKey(seed), FileCount(c), filePosition);
}

int32_t FilePositionOf(const GameChooser& c, int32_t fileIndex) {
    if (c.order == GameOrder::FileOrder) return fileIndex;
    return ShufflePositionOf(FileOrderKey(c.at.shuffleSeed), FileCount(c), fileIndex);
}

// The number of the game at a place of the loaded file's order.
int32_t GameNumberAt(const GameChooser& c, uint32_t seed, int32_t gamePosition) {
    int32_t playableIndex = gamePosition;
    if (c.order == GameOrder::Shuffled)
        playableIndex =
            ShuffledIndex(GameOrderKey(seed, FileName(c)), PlayableCount(c), gamePosition);
    return c.list.playable[static_cast<size_t>(playableIndex)];
}

int32_t GamePositionOf(const GameChooser& c, int32_t playableIndex) {
    if (c.order == GameOrder::FileOrder) return playableIndex;
    return ShufflePositionOf(GameOrderKey(c.at.shuffleSeed, FileName(c)), PlayableCount(c),
                             playableIndex);
}

void ChooseAt(GameChooser& c, int32_t gamePosition) {
    c.at.shufflePosition = gamePosition;
    c.at.gameNumber = GameNumberAt(c, c.at.shuffleSeed, gamePosition);
    c.at.file = c.sources.folder ? FileName(c) : std::string();
}

// Makes file index the one in memory, reading it unless it already is; true when it holds a
// playable game. The file before is let go first, so only one is ever held.
bool EnterFile(GameChooser& c, int32_t index, Tally& tally) {
    if (index != c.fileIndex) {
        c.text = CharString();
        c.list = GameList{};
        c.fileIndex = index;
        if (c.source.read(c.source.context, FileName(c), c.text)) {
            c.list = BuildGameList(c.text, c.filters);
        } else {
            c.fileIndex = -1;
        }
    }
    const bool plays = c.fileIndex >= 0 && !c.list.playable.empty();
    c.passedOver[static_cast<size_t>(index)] = !plays;
    if (c.fileIndex < 0) return false;
    tally.read = true;
    tally.games = tally.games || !c.list.games.empty();
    return plays;
}

// The first file of a round that is not known to be passed over.
int32_t FirstFileToPlay(const GameChooser& c, uint32_t seed) {
    for (int32_t position = 0; position < FileCount(c); ++position) {
        const int32_t index = FileAt(c, seed, position);
        if (!c.passedOver[static_cast<size_t>(index)]) return index;
    }
    return FileAt(c, seed, 0);
}

// A new round's seed, chosen so that the round does not open with what was shown last: in a
// folder its file (the next file's games are not in memory to compare), with one file its game.
uint32_t NewRoundSeed(const GameChooser& c) {
    uint32_t seed = NextRoundSeed(c.at.shuffleSeed);
    for (int tries = 0; tries < 64; ++tries, seed = NextRoundSeed(seed)) {
        if (FileCount(c) > 1) {
            const std::string& first =
                c.sources.files[static_cast<size_t>(FirstFileToPlay(c, seed))];
            if (!SameFileName(first, c.at.file, c.sources.nameOrder)) break;
        } else if (PlayableCount(c) < 2 || GameNumberAt(c, seed, 0) != c.at.gameNumber) {
            break;
        }
    }
    return seed;
}

// Goes on through the round's files from filePosition, into the next round after the last, to the
// first file with a playable game, and chooses its first game. Two rounds' worth of places visit
// every file.
ChoiceResult EnterFileFrom(GameChooser& c, int32_t filePosition, Tally& tally) {
    if (FileCount(c) == 0) return Failure(tally);
    for (int32_t step = 0; step <= 2 * FileCount(c); ++step, ++filePosition) {
        if (filePosition >= FileCount(c)) {
            if (c.order == GameOrder::Shuffled) c.at.shuffleSeed = NewRoundSeed(c);
            filePosition = 0;
        }
        if (EnterFile(c, FileAt(c, c.at.shuffleSeed, filePosition), tally)) {
            c.filePosition = filePosition;
            ChooseAt(c, 0);
            return ChoiceResult::Chosen;
        }
    }
    return Failure(tally);
}

// The stored game when it still plays; else, by order, the next playable one or the game at the
// stored place. False when neither is in the file.
bool ResumeInFile(GameChooser& c, const ResumePoint& stored) {
    const std::vector<int32_t>& playable = c.list.playable;
    const auto at = std::lower_bound(playable.begin(), playable.end(), stored.gameNumber);
    const auto playableIndex = static_cast<int32_t>(at - playable.begin());
    if (at != playable.end() && *at == stored.gameNumber) {
        ChooseAt(c, GamePositionOf(c, playableIndex));
        return true;
    }
    const int32_t place = c.order == GameOrder::FileOrder ? playableIndex : stored.shufflePosition;
    if (place < 0 || place >= PlayableCount(c)) return false;
    ChooseAt(c, place);
    return true;
}

}  // namespace

GameOrder GameOrderOf(int32_t setting) {
    return setting == 1 ? GameOrder::Shuffled : GameOrder::FileOrder;
}

GameChooser MakeGameChooser(const GameSources& sources, GameOrder order, const GameFilters& filters,
                            PgnTextSource source) {
    const std::vector<bool> passedOver(sources.files.size(), false);
    return {sources, order, filters, source, -1, CharString(), GameList{}, 0, {}, passedOver};
}

ChoiceResult ChooseStartingGame(GameChooser& c, const ResumePoint& stored, uint32_t freshSeed) {
    Tally tally;
    c.at = stored;
    if (c.at.shuffleSeed == 0) c.at.shuffleSeed = freshSeed == 0 ? 1 : freshSeed;
    if (FileCount(c) == 0) return ChoiceResult::NothingRead;
    // No file stored: a folder newly chosen, or one file before; its round starts from the top.
    if (c.sources.folder && stored.file.empty()) return EnterFileFrom(c, 0, tally);
    FilePlace place =
        c.sources.folder ? PlaceOfFileName(c.sources, stored.file) : FilePlace{0, true};
    if (place.index >= FileCount(c)) place.index = 0;
    const int32_t filePosition = FilePositionOf(c, place.index);
    if (EnterFile(c, place.index, tally)) {
        c.filePosition = filePosition;
        if (!place.found) {
            ChooseAt(c, 0);
            return ChoiceResult::Chosen;
        }
        if (ResumeInFile(c, stored)) return ChoiceResult::Chosen;
    }
    return EnterFileFrom(c, filePosition + 1, tally);
}

ChoiceResult ChooseNextGame(GameChooser& c) {
    if (c.fileIndex >= 0 && c.at.shufflePosition + 1 < PlayableCount(c)) {
        ChooseAt(c, c.at.shufflePosition + 1);
        return ChoiceResult::Chosen;
    }
    Tally tally;
    return EnterFileFrom(c, c.filePosition + 1, tally);
}

GameSpan ChosenGameSpan(const GameChooser& c) {
    return ListedGameSpan(c.list, c.at.gameNumber);
}

void LoadChosenGame(GameState& state, GameInfo& info, const GameChooser& chooser) {
    const GameSpan span = ChosenGameSpan(chooser);
    ParseGame(state, info, chooser.text.chars() + span.start, span.length);
    state.moveCount = state.ply + 1;
    ResetGame(state, state.hasStartPosition != 0);
}
