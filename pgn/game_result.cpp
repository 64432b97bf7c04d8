#include "pgn/game_result.h"

#include <cstring>

namespace {

bool IsSpace(char ch) {
    return ch == ' ' || ch == '\t';
}

bool Is(const char* bytes, int32_t count, const char* text) {
    return static_cast<size_t>(count) == std::strlen(text) &&
           std::memcmp(bytes, text, static_cast<size_t>(count)) == 0;
}

}  // namespace

GameResult ResultOfValue(const char* bytes, int32_t count) {
    while (count > 0 && IsSpace(bytes[0])) {
        ++bytes;
        --count;
    }
    while (count > 0 && IsSpace(bytes[count - 1]))
        --count;
    if (Is(bytes, count, "1-0")) return GameResult::WhiteWins;
    if (Is(bytes, count, "0-1")) return GameResult::BlackWins;
    if (Is(bytes, count, "1/2-1/2") || Is(bytes, count, "\xC2\xBD-\xC2\xBD")) {
        return GameResult::Draw;
    }
    if (Is(bytes, count, "*")) return GameResult::Unfinished;
    return GameResult::Other;
}

bool IsDecided(GameResult result) {
    return result == GameResult::WhiteWins || result == GameResult::BlackWins ||
           result == GameResult::Draw;
}
