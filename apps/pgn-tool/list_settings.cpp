#include "apps/pgn-tool/list_settings.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::string Trimmed(const std::string& text) {
    const size_t from = text.find_first_not_of(" \t");
    if (from == std::string::npos) return std::string();
    return text.substr(from, text.find_last_not_of(" \t") + 1 - from);
}

std::string Lower(std::string text) {
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return text;
}

// A whole 32-bit number: decimal with an optional minus, or hexadecimal after 0x, as the
// registry's DWORD values are written.
bool ParseNumber(const std::string& value, uint32_t& number) {
    const std::string text = Trimmed(value);
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const bool negative = !hex && !text.empty() && text[0] == '-';
    const std::string digits = hex ? text.substr(2) : (negative ? text.substr(1) : text);
    if (digits.empty() || digits.size() > 10) return false;
    for (const char ch : digits) {
        const auto byte = static_cast<unsigned char>(ch);
        if (hex ? !std::isxdigit(byte) : !std::isdigit(byte)) return false;
    }
    const unsigned long long parsed = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
    if (parsed > (negative ? 2147483648ull : 4294967295ull)) return false;
    number = static_cast<uint32_t>(negative ? 0 - parsed : parsed);
    return true;
}

std::string HomeExpanded(const std::string& path) {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == 0) return path;
    if (path == "~") return home;
    return path.rfind("~/", 0) == 0 ? std::string(home) + path.substr(1) : path;
}

void ApplyLine(const std::string& name, const std::string& value, ListSettings& settings) {
    uint32_t number = 0;
    const bool isNumber = ParseNumber(value, number);
    const auto asInt = static_cast<int32_t>(number);
    if (name == "path to pgn file") {
        settings.path = HomeExpanded(value);
    } else if (name == Lower(kPlayerName)) {
        settings.filters.player = value;
    } else if (name == Lower(kCurrentFileName)) {
        settings.at.file = value;
    } else if (!isNumber) {
        return;
    } else if (name == Lower(kGameOrderName)) {
        settings.order = GameOrderOf(asInt);
    } else if (name == Lower(kMinimumRatingName)) {
        settings.filters.minimumRating = asInt;
    } else if (name == Lower(kDecisiveOnlyName)) {
        settings.filters.decisiveOnly = number != 0;
    } else if (name == "current game number") {
        settings.at.gameNumber = asInt;
    } else if (name == Lower(kShuffleSeedName)) {
        settings.at.shuffleSeed = number;
    } else if (name == Lower(kShufflePositionName)) {
        settings.at.shufflePosition = asInt;
    }
}

}  // namespace

void ApplyListSettings(const std::string& text, ListSettings& settings) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trimmed(line);
        const size_t equals = line.find('=');
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' ||
            equals == std::string::npos)
            continue;
        ApplyLine(Lower(Trimmed(line.substr(0, equals))), line.substr(equals + 1), settings);
    }
}

bool ReadListSettings(const std::string& path, ListSettings& settings, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    ApplyListSettings(std::string(std::istreambuf_iterator<char>(in), {}), settings);
    return true;
}
