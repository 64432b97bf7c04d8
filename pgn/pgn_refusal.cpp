#include "pgn/pgn_refusal.h"

#include <memory>
#include <string>
#include <string_view>

#include "chess/san_move.h"
#include "pgn/pgn_fen_format.h"

namespace {

// Bytes [start, start + length) of the game text, cut to the text as CharString::mid cuts.
std::string_view View(const char* bytes, int32_t count, int32_t start, int32_t length) {
    if (start < 0 || length < 0 || start >= count) return std::string_view();
    const int32_t available = count - start;
    return std::string_view(bytes + start,
                            static_cast<size_t>(length < available ? length : available));
}

std::string Stretch(const char* bytes, int32_t count, int32_t start, int32_t length) {
    return std::string(View(bytes, count, start, length));
}

// Trials run on a scratch copy so that the caller's position stays as it was.
struct Trial {
    std::unique_ptr<GameState> state;

    explicit Trial(const GameState& from) : state(std::make_unique<GameState>(from)) {}

    bool Decodes(std::string_view token) { return Decodes(token.data(), token.size()); }

    bool Decodes(const char* bytes, size_t count) {
        return state->ply < kMaxPlies &&
               InterpretSanMove(*state, bytes, static_cast<int32_t>(count));
    }
};

bool DecodesIn(const GameState& state, const std::string& token) {
    return Trial(state).Decodes(token);
}

// The same token for the other side: the interpreter takes the side from the ply's parity and
// the start side, so swapping the start side swaps the mover.
bool DecodesForOtherSide(const GameState& state, std::string_view token) {
    Trial trial(state);
    if (trial.state->hasStartPosition == 1) {
        trial.state->startSide = OtherColour(trial.state->startSide);
    } else {
        trial.state->hasStartPosition = 1;
        trial.state->startSide = kBlack;
    }
    return trial.Decodes(token);
}

// The main-line text between the last item read and the refused token, comments left out.
std::string GapText(const char* bytes, int32_t count, const ParseOutcome& outcome) {
    const std::string raw =
        Stretch(bytes, count, outcome.refusedAfter, outcome.refused.start - outcome.refusedAfter);
    std::string gap;
    char closer = 0;
    for (const char ch : raw) {
        if (closer != 0) {
            if (ch == closer || (closer == '\n' && ch == '\r')) closer = 0;
        } else if (ch == '{') {
            closer = '}';
        } else if (ch == ';') {
            closer = '\n';
        } else {
            gap += ch;
        }
    }
    return gap;
}

bool IsFile(char ch) {
    return ch >= 'a' && ch <= 'h';
}
bool IsRank(char ch) {
    return ch >= '1' && ch <= '8';
}
bool IsPieceLetter(char ch) {
    return ch != 0 && std::string("PNBRQK").find(ch) != std::string::npos;
}
bool IsPromotionLetter(char ch) {
    return ch == 'Q' || ch == 'R' || ch == 'B' || ch == 'N';
}

// Bytes the interpreter passes over inside a token; a token's meaning is what is left.
bool IsDecoration(char ch) {
    return ch == 'x' || ch == '-' || ch == '=' || ch == ' ' || ch == '+' || ch == '#';
}

// The token as the interpreter reads it: without capture, hyphen, equals and check signs.
std::string Cleaned(std::string_view token) {
    std::string cleaned;
    for (const char ch : token)
        if (!IsDecoration(ch)) cleaned += ch;
    return cleaned;
}

// No move is written with more than six letters and digits once decorations are left out
// (Pe7d8Q); a bound with room to spare keeps the trials few whatever the token's length.
constexpr size_t kMostMoveLetters = 8;

// A proper prefix that decodes means something was run on to a move. Cuts are tried from the
// longest prefix down; two cuts on either side of a decoration leave the same letters on both
// sides and so decode alike, and a prefix of more letters than any move never decodes: only the
// first cut of each count of letters, up to that bound, is tried, and each trial is handed the
// letters alone (a suffix cut to one letter more than any move), which decode as the bytes do.
StopReason ClassifyRunOn(const GameState& state, std::string_view token) {
    std::string firstLetters;  // enough for any prefix tried and the suffix after it
    size_t letters = 0;        // in token[0, cut) for the cut at hand
    for (size_t i = 0; i < token.size(); ++i) {
        if (IsDecoration(token[i])) continue;
        if (firstLetters.size() <= 2 * kMostMoveLetters) firstLetters += token[i];
        if (i + 1 < token.size()) ++letters;
    }
    for (size_t cut = token.size() - 1; cut >= 2; --cut) {
        const bool sameAsLonger = cut + 1 < token.size() && IsDecoration(token[cut]);
        if (!sameAsLonger && letters <= kMostMoveLetters) {
            Trial trial(state);
            if (trial.Decodes(firstLetters.substr(0, letters))) {
                return trial.Decodes(firstLetters.substr(letters, kMostMoveLetters + 1))
                           ? StopReason::MovesRunTogether
                           : StopReason::AnnotationGlued;
            }
        }
        letters -= IsDecoration(token[cut - 1]) ? 0 : 1;
    }
    return StopReason::None;
}

// Counts the pieces that could make the move to the token's destination, by trying the long
// form from each square that holds such a piece.
StopReason ClassifyByOrigins(const GameState& state, std::string_view token) {
    std::string body = Cleaned(token);
    std::string promotion;
    if (!body.empty() && IsPromotionLetter(body.back())) {
        promotion = body.substr(body.size() - 1);
        body.pop_back();
    }
    if (body.size() < 2) return StopReason::NotAMove;
    const char letter = IsPieceLetter(body[0]) ? body[0] : 'P';
    if (letter != 'P' || body[0] == 'P') body.erase(0, 1);
    if (body.size() < 2 || body.size() > 4 || !IsFile(body[body.size() - 2]) ||
        !IsRank(body.back()))
        return StopReason::NotAMove;
    const std::string destination = body.substr(body.size() - 2);
    static constexpr char kLetters[] = " PNBRQK";
    const int32_t side = SideToMoveAfterPlies(state);
    int origins = 0;
    for (int32_t rank = 0; rank < 8; ++rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const Square& square = At(state, file, rank);
            if (square.kind == kEmpty || square.colour != side || kLetters[square.kind] != letter)
                continue;
            const std::string origin{static_cast<char>('a' + file), static_cast<char>('1' + rank)};
            if (DecodesIn(state, std::string(1, letter) + origin + destination + promotion))
                ++origins;
        }
    }
    // Only a move without a disambiguating character can be refused as ambiguous.
    if (origins > 1 && body.size() == 2) return StopReason::Ambiguous;
    if (origins == 0 && DecodesForOtherSide(state, token)) return StopReason::WrongSide;
    return StopReason::Illegal;
}

// A pawn move to the last rank that decodes once a queen is named: the letter was missing, in
// lower case (e8=q leaves the token e8=) or not a promotion piece (e8=K).
bool IsPromotionWithoutPiece(const GameState& state, std::string cleaned) {
    if (!cleaned.empty() && cleaned.back() == 'K') cleaned.pop_back();
    return cleaned.size() >= 2 && IsFile(cleaned[0]) &&
           (cleaned.back() == '1' || cleaned.back() == '8') && DecodesIn(state, cleaned + "Q");
}

bool IsCoordinateMove(const GameState& state, const std::string& cleaned) {
    if (cleaned.size() < 4 || !IsFile(cleaned[0]) || !IsRank(cleaned[1]) || !IsFile(cleaned[2]) ||
        !IsRank(cleaned[3]))
        return false;
    const Square& origin = At(state, cleaned[0] - 'a', cleaned[1] - '1');
    if (origin.kind <= kPawn || origin.colour != SideToMoveAfterPlies(state)) return false;
    static constexpr char kLetters[] = " PNBRQK";
    return DecodesIn(state, std::string(1, kLetters[origin.kind]) + cleaned);
}

}  // namespace

const char* StopReasonText(StopReason reason) {
    switch (reason) {
        case StopReason::None:
            return "decoded to the end";
        case StopReason::TooManyPlies:
            return "more than 400 plies";
        case StopReason::NullMove:
            return "null move";
        case StopReason::PieceDrop:
            return "piece drop";
        case StopReason::UnknownPieceLetter:
            return "unknown piece letter";
        case StopReason::CastlingNotAllowed:
            return "castling not allowed here";
        case StopReason::NoPromotionPiece:
            return "pawn on the last rank without a promotion piece";
        case StopReason::CoordinateMove:
            return "coordinate move without a piece letter";
        case StopReason::AnnotationGlued:
            return "annotation glued to a move";
        case StopReason::MovesRunTogether:
            return "two moves run together";
        case StopReason::WrongSide:
            return "move of the side not to move";
        case StopReason::Ambiguous:
            return "ambiguous move";
        case StopReason::Illegal:
            return "illegal move";
        case StopReason::NotAMove:
            return "not a move";
    }
    return "unknown";
}

StopReason ClassifyStop(const GameState& state, const CharString& gameText,
                        const ParseOutcome& outcome) {
    return ClassifyStop(state, gameText.chars(), gameText.length(), outcome);
}

StopReason ClassifyStop(const GameState& state, const char* gameBytes, int32_t count,
                        const ParseOutcome& outcome) {
    if (outcome.refused.length == 0)
        return outcome.surplusTokens > 0 ? StopReason::TooManyPlies : StopReason::None;
    // A view, not a copy: a refused token may be megabytes long.
    const std::string_view token =
        View(gameBytes, count, outcome.refused.start, outcome.refused.length);
    const int32_t end = outcome.refused.start + outcome.refused.length;
    const char before = outcome.refused.start > 0 ? gameBytes[outcome.refused.start - 1] : 0;
    const char after = end < count ? gameBytes[end] : 0;
    const std::string gap = GapText(gameBytes, count, outcome);

    // Text that yields no token leaves the next move to come in its place.
    if (gap.find("--") != std::string::npos || gap.find("Z0") != std::string::npos)
        return StopReason::NullMove;
    if (before == '@' || after == '@') return StopReason::PieceDrop;
    if (before >= 'A' && before <= 'Z' && !IsPieceLetter(before))
        return StopReason::UnknownPieceLetter;

    const std::string cleaned = Cleaned(token);
    // Castling comes written with letters or, read the same, with zeros.
    if (cleaned == "OO" || cleaned == "OOO" || cleaned == "00" || cleaned == "000")
        return StopReason::CastlingNotAllowed;
    if (cleaned.empty() || cleaned[0] == 'O') return StopReason::NotAMove;
    if (IsPromotionWithoutPiece(state, cleaned)) return StopReason::NoPromotionPiece;
    if (IsCoordinateMove(state, cleaned)) return StopReason::CoordinateMove;
    const StopReason runOn = ClassifyRunOn(state, token);
    if (runOn != StopReason::None) return runOn;
    return ClassifyByOrigins(state, token);
}
