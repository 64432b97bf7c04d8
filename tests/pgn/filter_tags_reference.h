#pragma once
// What the game filters must see of a game, read through the lexer the way ParseGame reads tags
// (names in ASCII upper case less their spaces, values unquoted, the last of a name winning), and
// the same facts from the filters' own fast tag reader, for comparing the two.

#include <string>

#include "pgn/filter_tags.h"
#include "pgn_test_support.h"

namespace reference {

struct Facts {
    bool hasWhite = false;
    bool hasBlack = false;
    std::string white;
    std::string black;
    uint16_t whiteElo = 0;
    uint16_t blackElo = 0;
    GameResult result = GameResult::Missing;
    bool operator==(const Facts&) const = default;
};

inline std::string Unquoted(const std::string& value) {
    if (value.size() <= 2) return value;
    const size_t from = value.front() == '"' ? 1 : 0;
    const size_t to = value.back() == '"' ? value.size() - 1 : value.size();
    return value.substr(from, to - from);
}

inline std::string FoldedName(const std::string& name) {
    std::string upper;
    for (const char ch : name)
        if (ch != ' ') upper += ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch;
    return upper;
}

inline Facts LexerFacts(const std::string& gameText) {
    Facts facts;
    for (const TagText& tag : TagsOf(gameText)) {
        const std::string name = FoldedName(tag.name);
        const std::string value = Unquoted(tag.value);
        const auto count = static_cast<int32_t>(value.size());
        if (name == "WHITE") {
            facts.hasWhite = true;
            facts.white = value;
        } else if (name == "BLACK") {
            facts.hasBlack = true;
            facts.black = value;
        } else if (name == "WHITEELO") {
            facts.whiteElo = RatingOfValue(value.data(), count);
        } else if (name == "BLACKELO") {
            facts.blackElo = RatingOfValue(value.data(), count);
        } else if (name == "RESULT") {
            facts.result = ResultOfValue(value.data(), count);
        }
    }
    return facts;
}

inline Facts ListFacts(const std::string& gameText) {
    TagScratch scratch;
    const FilterTags tags =
        ReadFilterTags(gameText.data(), static_cast<int32_t>(gameText.size()), scratch);
    Facts facts;
    facts.hasWhite = tags.hasWhite;
    facts.hasBlack = tags.hasBlack;
    if (tags.hasWhite) facts.white.assign(tags.white.bytes, static_cast<size_t>(tags.white.count));
    if (tags.hasBlack) facts.black.assign(tags.black.bytes, static_cast<size_t>(tags.black.count));
    facts.whiteElo = tags.whiteElo;
    facts.blackElo = tags.blackElo;
    facts.result = tags.result;
    return facts;
}

}  // namespace reference
