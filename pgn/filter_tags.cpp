#include "pgn/filter_tags.h"

#include <cstring>

#include "pgn/pgn_byte_search.h"
#include "pgn/pgn_cursor.h"

namespace {

enum class WantedTag { None, White, Black, WhiteElo, BlackElo, Result };

// Whether name (length bytes) is upper in ASCII letters of either case.
bool NameIs(const char* name, const char* upper, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if ((static_cast<unsigned char>(name[i]) & 0xDF) != static_cast<unsigned char>(upper[i]))
            return false;
    return true;
}

// The tag a name stands for, compared in ASCII upper case as ParseGame compares names (clearing
// bit 5 folds only letters here: every byte compared with is a capital). A name never holds a
// space: the first space ends it.
WantedTag TagOfName(const char* name, size_t length) {
    switch (length) {
        case 5:
            if (NameIs(name, "WHITE", 5)) return WantedTag::White;
            if (NameIs(name, "BLACK", 5)) return WantedTag::Black;
            return WantedTag::None;
        case 6:
            return NameIs(name, "RESULT", 6) ? WantedTag::Result : WantedTag::None;
        case 8:
            if (NameIs(name, "WHITEELO", 8)) return WantedTag::WhiteElo;
            if (NameIs(name, "BLACKELO", 8)) return WantedTag::BlackElo;
            return WantedTag::None;
        default:
            return WantedTag::None;
    }
}

// Surrounding double quotes come off values longer than two bytes, each end on its own, as the
// screen shows them.
TagValueRun Unquoted(const char* bytes, int32_t count) {
    if (count <= 2) return {bytes, count};
    const int32_t from = bytes[0] == '"' ? 1 : 0;
    const int32_t to = bytes[count - 1] == '"' ? count - 1 : count;
    return {bytes + from, to - from};
}

TagValueRun WithoutSpaces(TagValueRun run) {
    while (run.count > 0 && run.bytes[0] == ' ') {
        ++run.bytes;
        --run.count;
    }
    while (run.count > 0 && run.bytes[run.count - 1] == ' ')
        --run.count;
    return run;
}

// A player's value from the scratch must outlive the next pair gathered there.
TagValueRun Kept(TagValueRun value, bool inScratch, std::string& keep) {
    if (!inScratch) return value;
    keep.assign(value.bytes, static_cast<size_t>(value.count));
    return {keep.data(), value.count};
}

void Store(FilterTags& tags, WantedTag tag, TagValueRun raw, bool inScratch, TagScratch& scratch) {
    const TagValueRun value = Unquoted(raw.bytes, raw.count);
    switch (tag) {
        case WantedTag::White:
            tags.white = Kept(value, inScratch, scratch.white);
            tags.hasWhite = true;
            break;
        case WantedTag::Black:
            tags.black = Kept(value, inScratch, scratch.black);
            tags.hasBlack = true;
            break;
        case WantedTag::WhiteElo:
            tags.whiteElo = RatingOfValue(value.bytes, value.count);
            break;
        case WantedTag::BlackElo:
            tags.blackElo = RatingOfValue(value.bytes, value.count);
            break;
        case WantedTag::Result:
            tags.result = ResultOfValue(value.bytes, value.count);
            break;
        case WantedTag::None:
            break;
    }
}

// A tag pair with a [ inside, from its first [ to its ]: each [ sends the bytes after it to the
// name again, without emptying what was read, and the first space after that to the value.
void GatherTagPair(const unsigned char* from, const unsigned char* close, TagScratch& scratch) {
    scratch.name.clear();
    scratch.value.clear();
    bool inName = true;
    for (const unsigned char* at = from + 1; at != close; ++at) {
        const char b = static_cast<char>(*at);
        if (b == '[') {
            inName = true;
        } else if (inName && b == ' ') {
            inName = false;
        } else {
            (inName ? scratch.name : scratch.value).push_back(b);
        }
    }
}

constexpr WantedBytes kBrackets{'[', ']', ']'};

// Reads the tag pair whose [ the cursor is on and moves past its ]; false when it has no ].
bool ReadTagPair(ByteCursor& cursor, FilterTags& tags, TagScratch& scratch) {
    const unsigned char* const open = cursor.at++;
    if (!SkipToWanted(cursor, kBrackets)) return false;
    if (*cursor.at == ']') {
        const unsigned char* const close = cursor.at++;
        const auto* name = reinterpret_cast<const char*>(open + 1);
        const auto length = static_cast<size_t>(close - open - 1);
        const void* space = std::memchr(name, ' ', length);
        const size_t nameLength =
            space == nullptr ? length : static_cast<size_t>(static_cast<const char*>(space) - name);
        const WantedTag tag = TagOfName(name, nameLength);
        if (tag == WantedTag::None) return true;
        const size_t valueAt = space == nullptr ? length : nameLength + 1;
        Store(tags, tag, {name + valueAt, static_cast<int32_t>(length - valueAt)}, false, scratch);
        return true;
    }
    if (!SkipUntil(cursor, kClassTagClose)) return false;
    const unsigned char* const close = cursor.at++;
    GatherTagPair(open, close, scratch);
    const WantedTag tag = TagOfName(scratch.name.data(), scratch.name.size());
    if (tag != WantedTag::None)
        Store(tags, tag, {scratch.value.data(), static_cast<int32_t>(scratch.value.size())}, true,
              scratch);
    return true;
}

// A brace comment ends at }, a rest-of-line comment at CR or LF.
void SkipComment(ByteCursor& cursor, unsigned char opener) {
    ++cursor.at;
    if (SkipUntil(cursor, opener == '{' ? kClassBraceClose : kClassLineEnd)) ++cursor.at;
}

}  // namespace

FilterTags ReadFilterTags(const char* bytes, int32_t count, TagScratch& scratch) {
    FilterTags tags{};
    const auto* base = reinterpret_cast<const unsigned char*>(bytes);
    ByteCursor cursor{base, base + count};
    // The game scanner's rule: move text begins at a game-start byte outside tag pairs and
    // comments, and no tag pair follows it inside the game.
    constexpr uint32_t kStops = kClassTagOpen | kClassBraceOpen | kClassSemicolon | kClassGameStart;
    while (SkipUntil(cursor, kStops)) {
        const unsigned char b = *cursor.at;
        if (b == '[') {
            if (!ReadTagPair(cursor, tags, scratch)) break;
        } else if (b == '{' || b == ';') {
            SkipComment(cursor, b);
        } else {
            break;
        }
    }
    return tags;
}

uint16_t RatingOfValue(const char* bytes, int32_t count) {
    const TagValueRun run = WithoutSpaces({bytes, count});
    if (run.count == 0 || run.count > 5) return 0;
    uint32_t rating = 0;
    for (int32_t i = 0; i < run.count; ++i) {
        const char digit = run.bytes[i];
        if (digit < '0' || digit > '9') return 0;
        rating = rating * 10 + static_cast<uint32_t>(digit - '0');
    }
    return rating > 65535 ? 0 : static_cast<uint16_t>(rating);
}
