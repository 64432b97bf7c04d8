#include "display/filter_text.h"

namespace {

std::string RatingText(uint16_t rating) {
    return rating == 0 ? "unrated" : std::to_string(rating);
}

void AddPart(std::string& text, const std::string& part) {
    if (!text.empty()) text += "; ";
    text += part;
}

}  // namespace

const char* ResultText(GameResult result) {
    switch (result) {
        case GameResult::WhiteWins:
            return "1-0";
        case GameResult::BlackWins:
            return "0-1";
        case GameResult::Draw:
            return "1/2-1/2";
        case GameResult::Unfinished:
            return "*";
        case GameResult::Other:
            return "other";
        case GameResult::Missing:
            break;
    }
    return "none";
}

std::string NoGamePassesText(const std::string& name, bool folder, const GameFilters& filters) {
    std::string text = folder ? "No game in the folder " + name + " passes the filters:"
                              : "No game of " + name + " passes the filters:";
    if (filters.minimumRating > 0)
        text += "\nMinimum rating " + std::to_string(filters.minimumRating) + " for both players";
    if (filters.decisiveOnly) text += "\nDecisive games only";
    const std::string player = PlayerText(filters.player);
    if (!player.empty()) text += "\nPlayer \"" + player + "\"";
    return text;
}

std::string RefusalText(const ListedGame& game, const GameFilters& filters) {
    std::string text;
    if ((game.refusals & kRefusedRating) != 0)
        AddPart(text, "minimum rating " + std::to_string(filters.minimumRating) + ": White " +
                          RatingText(game.whiteElo) + ", Black " + RatingText(game.blackElo));
    if ((game.refusals & kRefusedNotDecisive) != 0)
        AddPart(text, std::string("decisive games only: Result ") + ResultText(game.result));
    if ((game.refusals & kRefusedPlayer) != 0)
        AddPart(text, "player \"" + PlayerText(filters.player) + "\" is neither White nor Black");
    return text;
}
