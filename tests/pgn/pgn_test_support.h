#pragma once
// Helpers shared by the PGN reader's tests.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pgn/pgn_games.h"
#include "pgn/pgn_lexer.h"
#include "text/char_string.h"

inline std::string Str(const CharString& s) {
    return std::string(s.chars(), static_cast<size_t>(s.length()));
}

inline CharString Bytes(const std::string& s) {
    return CharString(s.data(), static_cast<int32_t>(s.size()));
}

// The move tokens the lexer yields for a game text, in order.
inline std::vector<std::string> TokensOf(const std::string& gameText) {
    const CharString text = Bytes(gameText);
    PgnLexer lexer = LexerOver(text);
    PgnItem item{};
    std::vector<std::string> tokens;
    while (NextPgnItem(lexer, item)) {
        if (item.kind == PgnItemKind::MoveToken)
            tokens.push_back(gameText.substr(static_cast<size_t>(item.token.start),
                                             static_cast<size_t>(item.token.length)));
    }
    return tokens;
}

struct TagText {
    std::string name;
    std::string value;
    bool operator==(const TagText&) const = default;
};

// The tag pairs the lexer yields, raw (names not folded, values not unquoted).
inline std::vector<TagText> TagsOf(const std::string& gameText) {
    const CharString text = Bytes(gameText);
    PgnLexer lexer = LexerOver(text);
    PgnItem item{};
    std::vector<TagText> tags;
    while (NextPgnItem(lexer, item)) {
        if (item.kind == PgnItemKind::TagPair)
            tags.push_back({std::string(item.tagName), std::string(item.tagValue)});
    }
    return tags;
}

// Every game of a text through the one-pass cursor.
inline std::vector<std::string> GamesOf(const CharString& text) {
    std::vector<std::string> games;
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    while (NextGameSpan(cursor, span))
        games.push_back(Str(text.mid(span.start, span.length)));
    return games;
}

// The shared folder of real PGN files, or an empty path when it is absent.
inline std::filesystem::path SharedPgnFolder() {
    const std::filesystem::path folder = std::filesystem::path(QUORVANE_SHARED_DIR) / "pgn";
    return std::filesystem::is_directory(folder) ? folder : std::filesystem::path();
}

// A file's text as the saver holds it: at most 16 MiB, up to the first zero byte.
inline CharString ReadPgnText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t cut =
        std::min(bytes.find('\0'), static_cast<size_t>(CharString::kMaxStringLength));
    return CharString(bytes.data(), static_cast<int32_t>(std::min(cut, bytes.size())));
}

// Every .pgn file below the shared folder's subfolder, sorted.
inline std::vector<std::filesystem::path> PgnFilesIn(const std::string& subfolder) {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = SharedPgnFolder();
    if (folder.empty() || !std::filesystem::is_directory(folder / subfolder)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder / subfolder))
        if (entry.path().extension() == ".pgn") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}
