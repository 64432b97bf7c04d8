#include "display/game_lines.h"

#include <cctype>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "display/drawn_text.h"
#include "pgn/opening_table.h"
#include "text/utf8_text.h"

namespace {

template <size_t N>
std::string_view FieldView(const char (&field)[N]) {
    const void* end = std::memchr(field, 0, N);
    return {field, end == nullptr ? N : static_cast<size_t>(static_cast<const char*>(end) - field)};
}

CharString Bytes(const std::string& text) {
    return CharString(text.data(), static_cast<int32_t>(text.size()));
}

// Parts joined by the separator, the empty ones left out.
void Join(std::string& text, std::string_view part, std::string_view separator) {
    if (part.empty()) return;
    if (!text.empty()) text += separator;
    text += part;
}

int32_t SideOfMove(const GameFacts& facts, int32_t moveIndex) {
    return (facts.startSide + moveIndex) & 1;
}

// Whether a UTF-8 name's last letter is written right to left (Hebrew, Arabic and the scripts
// and forms around them, U+0590 to U+08FF: lead bytes D6 to E0 A3). Digits, spaces and marks
// take no side; any other letter is left to right.
bool EndsRightToLeft(std::string_view name) {
    if (!IsValidUtf8(name.data(), static_cast<int32_t>(name.size()))) return false;
    bool rightToLeft = false;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto lead = static_cast<unsigned char>(name[i]);
        if (lead < 0x80) {
            if ((lead | 0x20) >= 'a' && (lead | 0x20) <= 'z') rightToLeft = false;
        } else if (lead >= 0xC0) {
            const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
            rightToLeft = (lead >= 0xD6 && lead <= 0xDF) || (lead == 0xE0 && next <= 0xA3);
        }
    }
    return rightToLeft;
}

CharString PlayerText(const GameInfo& info, int32_t colour) {
    const PlayerFacts& player = colour == kWhite ? info.facts.white : info.facts.black;
    std::string text(FieldView(player.title));
    const std::string_view name = colour == kWhite ? FieldView(info.white) : FieldView(info.black);
    Join(text, name, " ");
    // A rating after a name that ends right to left would be drawn into it, on its left: a
    // left-to-right mark keeps the number after the name. Only there: Windows' runs lose a space
    // beside the mark.
    if (player.rating > 0) {
        const char* mark = EndsRightToLeft(name) ? "\xE2\x80\x8E" : "";
        Join(text, mark + std::to_string(player.rating), " ");
    }
    return Bytes(text);
}

// The latest clock the side's moves up to this position gave.
CharString SideClockText(const GameFacts& facts, int32_t colour, int32_t ply) {
    for (int32_t move = ply - 1; move >= 0; --move) {
        const MoveFacts& made = facts.moves[static_cast<size_t>(move)];
        if (SideOfMove(facts, move) != colour || made.clockTenths == kNoClock) continue;
        return ClockText(made.clockTenths, made.clockHasTenths);
    }
    return CharString();
}

CharString OpeningText(const GameFacts& facts, int32_t ply) {
    std::string text;
    if (facts.opening[0] != 0) {
        // The tag names the game's opening, but not the move that reached it: shown once the
        // game has begun.
        if (ply == 0) return CharString();
        Join(text, FieldView(facts.eco), " ");
        Join(text, FieldView(facts.opening), " ");
        Join(text, FieldView(facts.variation), ": ");
        return Bytes(text);
    }
    const int16_t index = facts.openingByPly[static_cast<size_t>(ply)];
    if (index == kNoOpening) return CharString();
    const NamedOpening opening = OpeningAt(index);
    text = opening.eco;
    Join(text, opening.family, " ");
    Join(text, opening.variation, ": ");
    return Bytes(text);
}

CharString LastMoveText(const GameFacts& facts, int32_t ply) {
    if (ply == 0) return CharString();
    const int32_t move = ply - 1;
    const int32_t blackFirst = facts.startSide == kBlack ? 1 : 0;
    // In 64 bits: a FEN may start at the largest fullmove number there is.
    const int64_t number = int64_t{facts.firstMoveNumber} + (move + blackFirst) / 2;
    std::string text = std::to_string(number);
    text += SideOfMove(facts, move) == kWhite ? ". " : "... ";
    const std::string_view san = FieldView(facts.moves[static_cast<size_t>(move)].san);
    // Castling written with zeros reads as the letters it stands for.
    if (san.rfind("0-0", 0) == 0) {
        for (const char ch : san)
            text += ch == '0' ? 'O' : ch;
    } else {
        text += san;
    }
    return Bytes(text);
}

// The result a finished board decides when the tags do not say.
GameResult ResultOf(const GameFacts& facts) {
    if (IsDecided(facts.result)) return facts.result;
    if (facts.ending == PositionEnd::Stalemate) return GameResult::Draw;
    if (facts.ending != PositionEnd::Checkmate) return GameResult::Missing;
    // The side to move at the end is the one mated.
    return SideOfMove(facts, facts.plyCount) == kWhite ? GameResult::BlackWins
                                                       : GameResult::WhiteWins;
}

// The standard Termination values read as a viewer would say them; "normal" and "unterminated"
// say nothing a viewer needs. Other values are shown as written, in UTF-8.
std::string TerminationText(const GameFacts& facts) {
    static constexpr const char* kStandardTerminations[] = {
        "abandoned", "adjudication", "death", "emergency", "rules infraction", "time forfeit"};
    const std::string_view written = FieldView(facts.termination);
    std::string lower(written);
    for (char& ch : lower)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (lower == "normal" || lower == "unterminated") return std::string();
    for (const char* standard : kStandardTerminations)
        if (lower == standard) return lower;
    const CharString drawn =
        DrawnTextUtf8(CharString(written.data(), static_cast<int32_t>(written.size())));
    return std::string(drawn.chars(), static_cast<size_t>(drawn.length()));
}

CharString ResultText(const GameFacts& facts, int32_t ply) {
    if (ply != facts.plyCount || !facts.complete) return CharString();
    std::string text;
    switch (ResultOf(facts)) {
        case GameResult::WhiteWins:
            text = "1-0";
            break;
        case GameResult::BlackWins:
            text = "0-1";
            break;
        case GameResult::Draw:
            text = "\xC2\xBD-\xC2\xBD";
            break;
        case GameResult::Missing:
        case GameResult::Unfinished:
        case GameResult::Other:
            break;
    }
    switch (facts.ending) {
        case PositionEnd::Checkmate:
            Join(text, "checkmate", ", ");
            break;
        case PositionEnd::Stalemate:
            Join(text, "stalemate", ", ");
            break;
        case PositionEnd::NotOver:
            Join(text, TerminationText(facts), ", ");
            break;
    }
    return Bytes(text);
}

}  // namespace

CharString ClockText(int32_t tenths, bool withTenths) {
    const int32_t seconds = tenths / 10;
    const int32_t hours = seconds / 3600;
    const int32_t minutes = seconds / 60 % 60;
    auto appendTwoDigits = [](std::string& text, int32_t value) {
        text.push_back(':');
        text.push_back(static_cast<char>('0' + value / 10));
        text.push_back(static_cast<char>('0' + value % 10));
    };
    std::string text;
    if (hours > 0) {
        text = std::to_string(hours);
        appendTwoDigits(text, minutes);
    } else {
        text = std::to_string(minutes);
    }
    appendTwoDigits(text, seconds % 60);
    if (withTenths) {
        text.push_back('.');
        text.push_back(static_cast<char>('0' + tenths % 10));
    }
    return Bytes(text);
}

CharString GameLineText(const GameInfo& info, GameLine line, int32_t ply) {
    const GameFacts& facts = info.facts;
    if (ply < 0) ply = 0;
    if (ply > facts.plyCount) ply = facts.plyCount;
    switch (line) {
        case GameLine::WhitePlayer:
            return PlayerText(info, kWhite);
        case GameLine::BlackPlayer:
            return PlayerText(info, kBlack);
        case GameLine::WhiteClock:
            return SideClockText(facts, kWhite, ply);
        case GameLine::BlackClock:
            return SideClockText(facts, kBlack, ply);
        case GameLine::Opening:
            return OpeningText(facts, ply);
        case GameLine::LastMove:
            return LastMoveText(facts, ply);
        case GameLine::Result:
            return ResultText(facts, ply);
    }
    return CharString();
}
