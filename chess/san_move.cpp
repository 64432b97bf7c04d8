#include "chess/san_move.h"

#include "chess/move_legality.h"

namespace {

// Decoration the interpreter ignores; annotations such as "!" and "?" are not among it.
constexpr char kIgnoredChars[] = {'x', '-', '=', ' ', '+', '#'};
constexpr char kPieceLetters[] = "PNBRQK";

struct SquareRef {
    int32_t file;
    int32_t rank;
};

int32_t FileOf(unsigned char ch) {
    return ch >= 'a' && ch <= 'h' ? ch - 'a' : -1;
}
int32_t RankOf(unsigned char ch) {
    return ch >= '1' && ch <= '8' ? ch - '1' : -1;
}

// White moves on even plies from the initial position; a FEN start with Black to move swaps.
int32_t SideForPly(const GameState& state) {
    const int32_t side = state.ply & 1;
    return state.hasStartPosition == 1 && state.startSide == kBlack ? OtherColour(side) : side;
}

// 5, 4, 3 or 2 for a trailing capital Q, R, B or N, which is then cut off; else 0.
int32_t TakePromotionLetter(CharString& text) {
    if (text.empty()) return 0;
    int32_t promotion = 0;
    switch (text.at(text.length() - 1)) {
        case 'Q':
            promotion = kQueen;
            break;
        case 'R':
            promotion = kRook;
            break;
        case 'B':
            promotion = kBishop;
            break;
        case 'N':
            promotion = kKnight;
            break;
        default:
            return 0;
    }
    text = text.left(text.length() - 1);
    return promotion;
}

// The piece kind the token names; a pawn move may start with its file instead of a letter.
// 0 when the first character is neither.
int32_t TakePieceLetter(CharString& text) {
    if (text.empty()) return kEmpty;
    const unsigned char first = text.at(0);
    if (FileOf(first) >= 0) return kPawn;
    for (int32_t kind = kPawn; kind <= kKing; ++kind) {
        if (first == static_cast<unsigned char>(kPieceLetters[kind - 1])) {
            text = text.right(text.length() - 1);
            return kind;
        }
    }
    return kEmpty;
}

// Whether the square holds a piece of the kind for the side to move that may go to the target.
bool Reaches(GameState& state, int32_t kind, SquareRef from, SquareRef to) {
    const Square& square = At(state, from.file, from.rank);
    if (square.kind != kind || square.colour != state.sideToMove) return false;
    GenerateCandidates(state, state.sideToMove, from.file, from.rank);
    return At(state, to.file, to.rank).isTarget != 0;
}

// The one piece on the scanned squares (one file, or the whole board when file is -1) that
// reaches the target; false when there is none or more than one.
bool FindOnlyMover(GameState& state, int32_t kind, int32_t file, SquareRef to, SquareRef& from) {
    int32_t count = 0;
    for (int32_t r = 0; r < 8; ++r) {
        for (int32_t f = 0; f < 8; ++f) {
            if (file >= 0 && f != file) continue;
            if (!Reaches(state, kind, {f, r}, to)) continue;
            from = {f, r};
            ++count;
        }
    }
    return count == 1;
}

// With a rank given, the piece on the highest file of that rank wins; never ambiguous.
bool FindMoverOnRank(GameState& state, int32_t kind, int32_t rank, SquareRef to, SquareRef& from) {
    bool found = false;
    for (int32_t f = 0; f < 8; ++f) {
        if (!Reaches(state, kind, {f, rank}, to)) continue;
        from = {f, rank};
        found = true;
    }
    return found;
}

// Origin and destination from what is left of the token: "e4", "bd7", "1a3" or "g1f3".
bool FindMove(GameState& state, int32_t kind, const CharString& text, SquareRef& from,
              SquareRef& to) {
    const int32_t length = text.length();
    if (length < 2 || length > 4) return false;
    to = {FileOf(text.at(length - 2)), RankOf(text.at(length - 1))};
    if (to.file < 0 || to.rank < 0) return false;
    if (length == 2) return FindOnlyMover(state, kind, -1, to, from);
    const int32_t firstFile = FileOf(text.at(0));
    const int32_t firstRank = RankOf(text.at(0));
    if (length == 4) {
        from = {firstFile, RankOf(text.at(1))};
        return from.file >= 0 && from.rank >= 0 && Reaches(state, kind, from, to);
    }
    if (firstFile >= 0) return FindOnlyMover(state, kind, firstFile, to, from);
    if (firstRank >= 0) return FindMoverOnRank(state, kind, firstRank, to, from);
    return false;
}

bool Apply(GameState& state, SquareRef from, SquareRef to, int32_t promotion) {
    ApplyMove(state, state.moves[static_cast<size_t>(state.ply)], from.file, from.rank, to.file,
              to.rank, promotion);
    state.ply += 1;
    return true;
}

// "OO" or "OOO": the king must stand on e1/e8 and the generator must allow the two-square move.
bool InterpretCastling(GameState& state, bool kingSide) {
    const int32_t homeRank = HomeRank(state.sideToMove);
    const SquareRef from = {4, homeRank};
    const SquareRef to = {kingSide ? 6 : 2, homeRank};
    if (!Reaches(state, kKing, from, to)) return false;
    return Apply(state, from, to, 0);
}

}  // namespace

bool InterpretSanMove(GameState& state, const CharString& token) {
    state.sideToMove = SideForPly(state);
    if (state.ply < 0 || state.ply >= kMaxPlies) return false;
    CharString text = token;
    for (const char ch : kIgnoredChars)
        text.removeAll(ch);
    if (text.equals("OO")) return InterpretCastling(state, true);
    if (text.equals("OOO")) return InterpretCastling(state, false);
    const int32_t promotion = TakePromotionLetter(text);
    const int32_t kind = TakePieceLetter(text);
    if (kind == kEmpty) return false;
    SquareRef from{};
    SquareRef to{};
    if (!FindMove(state, kind, text, from, to)) return false;
    // A pawn reaching the last rank must say what it becomes.
    if (kind == kPawn && (to.rank == 0 || to.rank == 7) && promotion == 0) return false;
    return Apply(state, from, to, promotion);
}
