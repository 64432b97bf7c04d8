// Fuzzes the playable-game list and the game chooser over one text: the list's games are the
// game scanner's, its tags are the ones ParseGame reads, its filters refuse exactly the games a
// plain reading of them refuses, and a chooser over the text plays only playable games, every
// one once per shuffled round.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "display/game_chooser.h"
#include "tests/pgn/filter_tags_reference.h"
#include "text/case_fold.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// The player search without its fall-back table: every start, one character at a time.
bool NaiveContains(const std::string& text, const std::string& wanted) {
    std::vector<uint32_t> hay;
    std::vector<uint32_t> needle;
    for (auto [bytes, into] : {std::pair{&text, &hay}, std::pair{&wanted, &needle}}) {
        CharReader reader = CharReaderOver(bytes->data(), static_cast<int32_t>(bytes->size()));
        for (uint32_t c = 0; NextChar(reader, c);)
            into->push_back(FoldedCodePoint(c));
    }
    for (size_t start = 0; start + needle.size() <= hay.size(); ++start) {
        size_t i = 0;
        while (i < needle.size() && hay[start + i] == needle[i])
            ++i;
        if (i == needle.size()) return true;
    }
    return false;
}

uint8_t ExpectedRefusals(const reference::Facts& facts, const GameFilters& filters) {
    const std::string player = PlayerText(filters.player);
    uint8_t refusals = 0;
    if (filters.minimumRating > 0 &&
        (facts.whiteElo < filters.minimumRating || facts.blackElo < filters.minimumRating))
        refusals |= kRefusedRating;
    if (filters.decisiveOnly && facts.result != GameResult::WhiteWins &&
        facts.result != GameResult::BlackWins)
        refusals |= kRefusedNotDecisive;
    if (!player.empty() && !(facts.hasWhite && NaiveContains(facts.white, player)) &&
        !(facts.hasBlack && NaiveContains(facts.black, player)))
        refusals |= kRefusedPlayer;
    return refusals;
}

bool ReadOne(void* context, const std::string&, CharString& text) {
    text = *static_cast<const CharString*>(context);
    return true;
}

// Two shuffled rounds from a stored place: only playable games, none twice within a round.
void CheckChooser(const CharString& text, const GameList& list, const GameFilters& filters,
                  const ResumePoint& stored) {
    GameChooser chooser = MakeGameChooser(SingleFileSource("fuzz.pgn"), GameOrder::Shuffled,
                                          filters, {const_cast<CharString*>(&text), ReadOne});
    const ChoiceResult result = ChooseStartingGame(chooser, stored, 7);
    Require((result == ChoiceResult::Chosen) == !list.playable.empty());
    if (result != ChoiceResult::Chosen) return;
    const auto count = static_cast<int32_t>(list.playable.size());
    const int32_t rest = count - chooser.at.shufflePosition;
    std::set<int32_t> round;
    for (int32_t i = 0; i < rest + count && i < 4096; ++i) {
        if (i == rest) round.clear();
        if (i > 0) Require(ChooseNextGame(chooser) == ChoiceResult::Chosen);
        const int32_t number = chooser.at.gameNumber;
        Require(list.games[static_cast<size_t>(number)].refusals == 0);
        Require(round.insert(number).second);
        const GameSpan span = ChosenGameSpan(chooser);
        Require(span.length > 0 && span.start + span.length <= chooser.text.length());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 22) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const CharString text(bytes.data(), static_cast<int32_t>(size));
    // The filters and the stored place come from the input's first bytes, so they vary with it.
    auto byteAt = [&](size_t i) { return i < size ? data[i] : uint8_t{0}; };
    GameFilters filters;
    filters.minimumRating = (byteAt(0) % 4) * 900;
    filters.decisiveOnly = (byteAt(1) & 1) != 0;
    filters.player = bytes.substr(std::min<size_t>(2, size), byteAt(1) % 5);
    const ResumePoint stored{"", byteAt(2) - 8, byteAt(3) % 4u, byteAt(4) - 8};

    const GameList list = BuildGameList(text, filters);
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    size_t number = 0;
    size_t playable = 0;
    for (; NextGameSpan(cursor, span); ++number) {
        Require(number < list.games.size());
        const GameSpan listedSpan = ListedGameSpan(list, static_cast<int32_t>(number));
        Require(listedSpan.start == span.start && listedSpan.length == span.length);
        const std::string game =
            bytes.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.length));
        const reference::Facts facts = reference::LexerFacts(game);
        Require(reference::ListFacts(game) == facts);
        const ListedGame& listed = list.games[number];
        Require(listed.whiteElo == facts.whiteElo && listed.blackElo == facts.blackElo &&
                listed.result == facts.result);
        Require(listed.refusals == ExpectedRefusals(facts, filters));
        if (listed.refusals == 0) {
            Require(playable < list.playable.size() &&
                    list.playable[playable] == static_cast<int32_t>(number));
            ++playable;
        }
    }
    Require(number == list.games.size() && playable == list.playable.size());
    CheckChooser(text, list, filters, stored);
    return 0;
}
