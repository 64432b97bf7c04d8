#include "pgn/game_facts.h"

#include <cstddef>
#include <cstring>

#include "text/utf8_text.h"

namespace {

struct ByteRun {
    const char* bytes;
    int32_t count;
};

bool Is(ByteRun run, const char* text) {
    return run.count == static_cast<int32_t>(std::strlen(text)) &&
           std::memcmp(run.bytes, text, static_cast<size_t>(run.count)) == 0;
}

// The value less its blanks and one pair of surrounding double quotes, then less the blanks
// inside them. Unlike the classic texts, an empty quoted value is empty here.
ByteRun Bare(const char* bytes, int32_t count) {
    ByteRun run{bytes, count};
    auto trim = [&run] {
        while (run.count > 0 && (run.bytes[0] == ' ' || run.bytes[0] == '\t')) {
            ++run.bytes;
            --run.count;
        }
        while (run.count > 0 &&
               (run.bytes[run.count - 1] == ' ' || run.bytes[run.count - 1] == '\t'))
            --run.count;
    };
    trim();
    if (run.count > 0 && run.bytes[0] == '"') {
        ++run.bytes;
        --run.count;
    }
    if (run.count > 0 && run.bytes[run.count - 1] == '"') --run.count;
    trim();
    return run;
}

// "?" and "-" are how files say that a value is unknown.
bool SaysNothing(ByteRun run) {
    return run.count == 0 || Is(run, "?") || Is(run, "-");
}

template <size_t width>
void StoreCut(char (&field)[width], ByteRun value) {
    if (SaysNothing(value)) value.count = 0;
    const auto count = static_cast<size_t>(
        Utf8CutLength(value.bytes, value.count, static_cast<int32_t>(width - 1)));
    std::memcpy(field, value.bytes, count);
    field[count] = 0;
}

// A positive whole number of at most five digits; 0 for anything else.
int32_t RatingOf(ByteRun value) {
    if (value.count == 0 || value.count > 5) return 0;
    int32_t rating = 0;
    for (int32_t i = 0; i < value.count; ++i) {
        const char digit = value.bytes[i];
        if (digit < '0' || digit > '9') return 0;
        rating = rating * 10 + (digit - '0');
    }
    return rating;
}

GameResult ResultOf(ByteRun value) {
    return ResultOfValue(value.bytes, value.count);
}

}  // namespace

void StoreFactTag(GameFacts& facts, FactTag tag, const char* value, int32_t count) {
    const ByteRun text = Bare(value, count);
    switch (tag) {
        case FactTag::WhiteTitle:
            return StoreCut(facts.white.title, text);
        case FactTag::BlackTitle:
            return StoreCut(facts.black.title, text);
        case FactTag::WhiteElo:
            facts.white.rating = RatingOf(text);
            return;
        case FactTag::BlackElo:
            facts.black.rating = RatingOf(text);
            return;
        case FactTag::Result:
            facts.result = ResultOf(text);
            return;
        case FactTag::Termination:
            return StoreCut(facts.termination, text);
        case FactTag::Eco:
            return StoreCut(facts.eco, text);
        case FactTag::Opening:
            return StoreCut(facts.opening, text);
        case FactTag::Variation:
            return StoreCut(facts.variation, text);
    }
}

void ClearGameFacts(GameFacts& facts) {
    facts.white = PlayerFacts{};
    facts.black = PlayerFacts{};
    facts.result = GameResult::Missing;
    facts.termination[0] = 0;
    facts.eco[0] = 0;
    facts.opening[0] = 0;
    facts.variation[0] = 0;
    facts.startSide = kWhite;
    facts.firstMoveNumber = 1;
    facts.plyCount = 0;
    facts.complete = false;
    facts.ending = PositionEnd::NotOver;
    facts.keys[0] = 0;
    facts.openingByPly[0] = kNoOpening;
}
