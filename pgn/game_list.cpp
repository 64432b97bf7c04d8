#include "pgn/game_list.h"

namespace {

bool IsDecisive(GameResult result) {
    return result == GameResult::WhiteWins || result == GameResult::BlackWins;
}

bool NamesPlayer(bool present, TagValueRun value, const PlayerFilter& player) {
    return present && ContainsFolded(value.bytes, value.count, player.needle);
}

// The filters that refuse a game with these tags. A missing rating is 0, below any minimum.
uint8_t RefusalsOf(const FilterTags& tags, const GameFilters& filters, const PlayerFilter& player) {
    uint8_t refusals = 0;
    if (filters.minimumRating > 0 &&
        (tags.whiteElo < filters.minimumRating || tags.blackElo < filters.minimumRating))
        refusals |= kRefusedRating;
    if (filters.decisiveOnly && !IsDecisive(tags.result)) refusals |= kRefusedNotDecisive;
    if (player.active && !NamesPlayer(tags.hasWhite, tags.white, player) &&
        !NamesPlayer(tags.hasBlack, tags.black, player))
        refusals |= kRefusedPlayer;
    return refusals;
}

}  // namespace

std::string PlayerText(const std::string& player) {
    const size_t from = player.find_first_not_of(' ');
    if (from == std::string::npos) return std::string();
    return player.substr(from, player.find_last_not_of(' ') + 1 - from);
}

PlayerFilter PlayerFilterOf(const std::string& player) {
    const std::string text = PlayerText(player);
    if (text.empty()) return {false, {}};
    return {true, FoldedNeedleOf(text.data(), static_cast<int32_t>(text.size()))};
}

GameList BuildGameList(const CharString& text, const GameFilters& filters) {
    GameList list{};
    const PlayerFilter player = PlayerFilterOf(filters.player);
    TagScratch scratch;
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    while (NextGameSpan(cursor, span)) {
        const FilterTags tags = ReadFilterTags(text.chars() + span.start, span.length, scratch);
        const uint8_t refusals = RefusalsOf(tags, filters, player);
        if (refusals == 0) list.playable.push_back(static_cast<int32_t>(list.games.size()));
        list.games.push_back({span.start, tags.whiteElo, tags.blackElo, tags.result, refusals});
        list.listEnd = span.start + span.length;
    }
    list.games.shrink_to_fit();
    list.playable.shrink_to_fit();
    return list;
}

GameSpan ListedGameSpan(const GameList& list, int32_t number) {
    const auto count = static_cast<int32_t>(list.games.size());
    if (number < 0 || number >= count) return {0, 0};
    const int32_t start = list.games[static_cast<size_t>(number)].start;
    const int32_t end =
        number + 1 < count ? list.games[static_cast<size_t>(number) + 1].start : list.listEnd;
    return {start, end - start};
}
