#include "apps/pgn-tool/command_support.h"

#include <cstdio>
#include <cstring>

bool ParseCount(const std::string& word, int32_t& value) {
    if (word.empty() || word.size() > 9) return false;
    int32_t result = 0;
    for (const char ch : word) {
        if (ch < '0' || ch > '9') return false;
        result = result * 10 + (ch - '0');
    }
    value = result;
    return true;
}

std::string Text(const CharString& s) {
    return std::string(s.chars(), static_cast<size_t>(s.length()));
}

std::string FieldText(const char* field, size_t width) {
    const void* end = std::memchr(field, 0, width);
    return std::string(
        field, end == nullptr ? width : static_cast<size_t>(static_cast<const char*>(end) - field));
}

std::string RefusedToken(const GameWalk& walk) {
    return std::string(GameBytes(walk) + walk.outcome.refused.start,
                       static_cast<size_t>(walk.outcome.refused.length));
}

void Flush(std::string& out) {
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
}
