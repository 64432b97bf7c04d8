#include "tests/chess/san_reference.h"

#include <cstring>

#include "chess/notation.h"
#include "chess/san_move.h"
#include "tests/chess/movement_comparison.h"
#include "tests/chess/reference_movement.h"

namespace {

constexpr char kIgnoredChars[] = {'x', '-', '=', ' ', '+', '#'};

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

int32_t TakePieceLetter(CharString& text) {
    if (text.empty()) return kEmpty;
    const unsigned char first = text.at(0);
    if (FileOf(first) >= 0) return kPawn;
    for (int32_t kind = kPawn; kind <= kKing; ++kind) {
        if (first == static_cast<unsigned char>(kPieceLetters[static_cast<size_t>(kind)])) {
            text = text.right(text.length() - 1);
            return kind;
        }
    }
    return kEmpty;
}

// A matching piece reaches the target when a full generation marks it.
bool Reaches(GameState& state, int32_t kind, SquareRef from, SquareRef to) {
    const Square& square = At(state, from.file, from.rank);
    if (square.kind != kind || square.colour != state.sideToMove) return false;
    reference::GenerateCandidates(state, state.sideToMove, from.file, from.rank);
    return At(state, to.file, to.rank).isTarget != 0;
}

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

bool FindMoverOnRank(GameState& state, int32_t kind, int32_t rank, SquareRef to, SquareRef& from) {
    bool found = false;
    for (int32_t f = 0; f < 8; ++f) {
        if (!Reaches(state, kind, {f, rank}, to)) continue;
        from = {f, rank};
        found = true;
    }
    return found;
}

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

bool InterpretCastling(GameState& state, bool kingSide) {
    const int32_t homeRank = HomeRank(state.sideToMove);
    const SquareRef from = {4, homeRank};
    const SquareRef to = {kingSide ? 6 : 2, homeRank};
    if (!Reaches(state, kKing, from, to)) return false;
    return Apply(state, from, to, 0);
}

// What a decoding leaves that anyone may read; the generator's scratch is left out.
struct Outcome {
    bool decoded;
    Board board;
    uint32_t flags;
    int32_t ply;
    int32_t sideToMove;
    MoveRecord move;
};

Outcome Capture(const GameState& state, bool decoded, size_t slot) {
    Outcome outcome{decoded, state.board, state.flags, state.ply, state.sideToMove, {}};
    if (slot < state.moves.size()) outcome.move = state.moves[slot];
    for (Square& square : outcome.board)
        square.isTarget = 0;
    return outcome;
}

std::string Describe(const Outcome& outcome) {
    if (!outcome.decoded) return "refused";
    const MoveRecord& m = outcome.move;
    std::string text = "decoded ";
    for (const int32_t value : {m.fromFile, m.fromRank, m.toFile, m.toRank, m.pieceKind,
                                m.capturedKind, m.placedKind, m.secondKind})
        text += std::to_string(value) + ' ';
    return text;
}

bool SameRecord(const MoveRecord& a, const MoveRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameBoard(const Board& a, const Board& b) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].colour != b[i].colour) return false;
    }
    return true;
}

}  // namespace

bool InterpretSanMoveByGenerator(GameState& state, const CharString& token) {
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
    if (kind == kPawn && (to.rank == 0 || to.rank == 7) && promotion == 0) return false;
    return Apply(state, from, to, promotion);
}

SanComparison CompareSanDecoders(GameState& state, const CharString& token) {
    const Board board = state.board;
    const uint32_t flags = state.flags;
    const int32_t ply = state.ply;
    const int32_t side = state.sideToMove;
    const size_t slot = static_cast<size_t>(ply);
    const MoveRecord saved = slot < state.moves.size() ? state.moves[slot] : MoveRecord{};
    auto restore = [&] {
        state.board = board;
        SyncView(state);
        state.flags = flags;
        state.ply = ply;
        state.sideToMove = side;
        if (slot < state.moves.size()) state.moves[slot] = saved;
    };
    const Outcome fast = Capture(state, InterpretSanMove(state, token), slot);
    const bool viewInStep = ViewInStep(state);
    restore();
    const Outcome reference = Capture(state, InterpretSanMoveByGenerator(state, token), slot);
    restore();
    // Built by appending: GCC 12's -Wrestrict misfires on "literal" + std::string&& at -O3.
    std::string quoted = "'";
    quoted.append(token.chars(), static_cast<size_t>(token.length()));
    quoted += "': interpreter ";
    quoted += Describe(fast);
    quoted += ", generator ";
    quoted += Describe(reference);
    SanComparison comparison{reference.decoded, ""};
    if (!viewInStep) {
        comparison.difference = quoted + " (the view is out of step with the board)";
    } else if (fast.decoded != reference.decoded) {
        comparison.difference = quoted;
    } else if (fast.ply != reference.ply || fast.sideToMove != reference.sideToMove) {
        comparison.difference = quoted + " (ply or side)";
    } else if (fast.flags != reference.flags) {
        comparison.difference = quoted + " (flags)";
    } else if (!SameBoard(fast.board, reference.board)) {
        comparison.difference = quoted + " (board)";
    } else if (fast.decoded && !SameRecord(fast.move, reference.move)) {
        comparison.difference = quoted + " (record)";
    }
    return comparison;
}
