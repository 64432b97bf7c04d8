// Today's movement rules as they stood before the bitboard model, kept unchanged as the reference
// the model must agree with: trial moves on the squares, attack tests walking the lines.

#include "tests/chess/reference_movement.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace reference {

// Up to eight square indices; a knight has at most eight jumps, a line at most seven squares.
struct SquareList {
    std::array<int8_t, 8> squares;
    int8_t count;
};

struct LineStep {
    int32_t file;
    int32_t rank;
};

// Straight lines (up, right, down, left), then diagonals (up-right, up-left, down-right,
// down-left): the generator's ray orders.
constexpr std::array<LineStep, 8> kLineSteps = {
    {{0, 1}, {1, 0}, {0, -1}, {-1, 0}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};
constexpr size_t kFirstDiagonalLine = 4;

struct BoardGeometry {
    std::array<SquareList, 64> knightJumps;
    std::array<std::array<SquareList, 8>, 64> lines;
};

constexpr void AddSquare(SquareList& list, int32_t file, int32_t rank) {
    list.squares[static_cast<size_t>(list.count++)] = static_cast<int8_t>(SquareIndex(file, rank));
}

constexpr BoardGeometry MakeBoardGeometry() {
    constexpr std::array<LineStep, 8> jumps = {
        {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};
    BoardGeometry geometry{};
    for (int32_t index = 0; index < 64; ++index) {
        const int32_t file = index % 8;
        const int32_t rank = index / 8;
        const auto at = static_cast<size_t>(index);
        for (const LineStep jump : jumps) {
            if (OnBoard(file + jump.file, rank + jump.rank))
                AddSquare(geometry.knightJumps[at], file + jump.file, rank + jump.rank);
        }
        for (size_t line = 0; line < kLineSteps.size(); ++line) {
            const LineStep step = kLineSteps[line];
            for (int32_t f = file + step.file, r = rank + step.rank; OnBoard(f, r);
                 f += step.file, r += step.rank)
                AddSquare(geometry.lines[at][line], f, r);
        }
    }
    return geometry;
}

inline constexpr BoardGeometry kBoardGeometry = MakeBoardGeometry();

namespace {

struct Offset {
    int32_t file;
    int32_t rank;
};

constexpr std::array<Offset, 8> kKnightJumps = {
    {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};
// Up, right, down, left.
constexpr std::array<Offset, 4> kStraightRays = {{{0, 1}, {1, 0}, {0, -1}, {-1, 0}}};
// Up-right, up-left, down-right, down-left.
constexpr std::array<Offset, 4> kDiagonalRays = {{{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};

// Stands in kingFile when the examined colour has no king (a FEN set-up without one).
constexpr int32_t kNoKing = -1;

// One castling move: the right, the squares that must be empty and those that must not be
// attacked (files on the home rank), and the king's destination file.
struct CastlingRule {
    bool kingSide;
    int32_t rookFile;
    std::array<int32_t, 3> emptyFiles;
    int32_t emptyCount;
    std::array<int32_t, 2> safeFiles;
    int32_t kingToFile;
};
constexpr std::array<CastlingRule, 2> kCastlingRules = {{
    {true, 7, {5, 6, 0}, 2, {5, 4}, 6},
    // b1 must be empty for the rook to pass, but the king never crosses it.
    {false, 0, {1, 2, 3}, 3, {3, 4}, 2},
}};

bool IsPieceOf(const Square& square, int32_t colour) {
    return square.kind != kEmpty && square.colour == colour;
}

// The kinds (as bits of 1 << kind) that attack along a line from the first occupied square on
// it: from afar the sliders of the line's kind; from the next square also the king, and on a
// diagonal the pawn whose capture points back at the square.
constexpr uint32_t KindBit(int32_t kind) {
    return 1u << kind;
}
constexpr uint32_t kStraightAttackers = KindBit(kRook) | KindBit(kQueen);
constexpr uint32_t kDiagonalAttackers = KindBit(kBishop) | KindBit(kQueen);

// A pawn attacks diagonally forward, so it is found one step along the lines that point back
// towards it: up from a square White must guard, down from one Black must guard.
uint32_t NearAttackers(size_t line, int32_t attacker) {
    if (line < kFirstDiagonalLine) return kStraightAttackers | KindBit(kKing);
    const int32_t pawnLine = attacker == kBlack ? 1 : -1;
    const bool pawnCaptures = kLineSteps[line].rank == pawnLine;
    return kDiagonalAttackers | KindBit(kKing) | (pawnCaptures ? KindBit(kPawn) : 0u);
}

bool KnightAttacks(const Board& board, int32_t attacker, size_t index) {
    const SquareList& jumps = kBoardGeometry.knightJumps[index];
    for (int8_t i = 0; i < jumps.count; ++i) {
        const Square& square = board[static_cast<size_t>(jumps.squares[static_cast<size_t>(i)])];
        if (square.kind == kKnight && square.colour == attacker) return true;
    }
    return false;
}

// Along each line the first occupied square decides: an attacker of the right kind for its
// distance, or else a shield.
bool LineAttacks(const Board& board, int32_t attacker, size_t index) {
    for (size_t line = 0; line < kLineSteps.size(); ++line) {
        const SquareList& squares = kBoardGeometry.lines[index][line];
        for (int8_t i = 0; i < squares.count; ++i) {
            const Square& square =
                board[static_cast<size_t>(squares.squares[static_cast<size_t>(i)])];
            if (square.kind == kEmpty) continue;
            if (square.colour != attacker || square.kind < kPawn || square.kind > kKing) break;
            const uint32_t far =
                line < kFirstDiagonalLine ? kStraightAttackers : kDiagonalAttackers;
            const uint32_t kinds = i == 0 ? NearAttackers(line, attacker) : far;
            if ((kinds & KindBit(square.kind)) != 0) return true;
            break;
        }
    }
    return false;
}

void AppendCandidate(GameState& state, int32_t fromFile, int32_t fromRank, int32_t toFile,
                     int32_t toRank) {
    if (state.candidateCount >= kMaxCandidates) return;
    state.candidates[static_cast<size_t>(state.candidateCount)] = {
        static_cast<int8_t>(fromFile), static_cast<int8_t>(fromRank), static_cast<int8_t>(toFile),
        static_cast<int8_t>(toRank)};
    state.candidateCount += 1;
}

// Whether the trial move now on the board leaves the mover's king unattacked. Without a king
// there is nothing to keep safe, so every move of another piece passes.
bool OwnKingSafe(const GameState& state, int32_t colour, KingSquare king, int32_t movedKind,
                 int32_t toFile, int32_t toRank) {
    if (movedKind == kKing) return !reference::IsSquareAttacked(state, colour, toFile, toRank);
    if (king.file == kNoKing) return true;
    return !reference::IsSquareAttacked(state, colour, king.file, king.rank);
}

// The pawn an en-passant capture takes: it stands beside the capturing pawn, behind the
// destination. nullptr for every other move.
Square* EnPassantVictim(GameState& state, int32_t fromFile, int32_t fromRank, int32_t toFile,
                        int32_t toRank) {
    const bool diagonalPawnMove = At(state, fromFile, fromRank).kind == kPawn && fromFile != toFile;
    if (!diagonalPawnMove || At(state, toFile, toRank).kind != kEmpty) return nullptr;
    return &At(state, toFile, fromRank);
}

// Makes the move on the board, tests the own king and takes the move back. The pawn taken en
// passant leaves the board too: it may be the checking piece, or the one that still shields the
// own king along the rank.
bool TrialKeepsKingSafe(GameState& state, int32_t colour, KingSquare king, int32_t fromFile,
                        int32_t fromRank, int32_t toFile, int32_t toRank) {
    Square& from = At(state, fromFile, fromRank);
    Square& to = At(state, toFile, toRank);
    const Square savedTo = to;
    const int32_t movedKind = from.kind;
    Square* victim = EnPassantVictim(state, fromFile, fromRank, toFile, toRank);
    const int32_t victimKind = victim != nullptr ? victim->kind : kEmpty;
    to.kind = movedKind;
    to.colour = colour;
    from.kind = kEmpty;
    if (victim != nullptr) victim->kind = kEmpty;
    const bool safe = OwnKingSafe(state, colour, king, movedKind, toFile, toRank);
    if (victim != nullptr) victim->kind = victimKind;
    from.kind = movedKind;
    to = savedTo;
    return safe;
}

// A move to an open square that is empty or holds an opponent's piece.
void ProposeStep(GameState& state, int32_t fromFile, int32_t fromRank, Offset step) {
    const int32_t toFile = fromFile + step.file;
    const int32_t toRank = fromRank + step.rank;
    if (!OnBoard(toFile, toRank) || IsPieceOf(At(state, toFile, toRank), state.moverColour)) return;
    reference::TryCandidate(state, fromFile, fromRank, toFile, toRank);
}

void ProposeRay(GameState& state, int32_t fromFile, int32_t fromRank, Offset ray, bool oneStep) {
    int32_t toFile = fromFile + ray.file;
    int32_t toRank = fromRank + ray.rank;
    while (OnBoard(toFile, toRank)) {
        const Square& square = At(state, toFile, toRank);
        if (IsPieceOf(square, state.moverColour)) return;
        reference::TryCandidate(state, fromFile, fromRank, toFile, toRank);
        if (square.kind != kEmpty || oneStep) return;
        toFile += ray.file;
        toRank += ray.rank;
    }
}

template <size_t N>
void ProposeRays(GameState& state, int32_t file, int32_t rank, const std::array<Offset, N>& rays,
                 bool oneStep) {
    for (const Offset ray : rays)
        ProposeRay(state, file, rank, ray, oneStep);
}

void ProposeKnightMoves(GameState& state, int32_t file, int32_t rank) {
    for (const Offset jump : kKnightJumps)
        ProposeStep(state, file, rank, jump);
}

void ProposePawnCapture(GameState& state, int32_t file, int32_t rank, int32_t toFile) {
    const int32_t toRank = ForwardRank(state.moverColour, rank);
    if (!OnBoard(toFile, toRank)) return;
    if (IsPieceOf(At(state, toFile, toRank), state.opponentColour))
        reference::TryCandidate(state, file, rank, toFile, toRank);
}

// Only beside the pawn that has just made its double step, onto the empty square it passed.
void ProposeEnPassant(GameState& state, int32_t file, int32_t rank) {
    if ((state.flags & kEnPassantPossible) == 0) return;
    const int32_t passedFile = static_cast<int32_t>(state.flags & kEnPassantFileMask);
    const int32_t captureRank = state.moverColour == kWhite ? 4 : 3;
    if (rank != captureRank || (file + 1 != passedFile && file - 1 != passedFile)) return;
    const int32_t toRank = ForwardRank(state.moverColour, rank);
    const Square& victim = At(state, passedFile, rank);
    if (victim.kind != kPawn || victim.colour != state.opponentColour) return;
    if (At(state, passedFile, toRank).kind != kEmpty) return;
    reference::TryCandidate(state, file, rank, passedFile, toRank);
}

void ProposePawnMoves(GameState& state, int32_t file, int32_t rank) {
    const int32_t colour = state.moverColour;
    const int32_t oneStep = ForwardRank(colour, rank);
    if (OnBoard(file, oneStep) && At(state, file, oneStep).kind == kEmpty) {
        reference::TryCandidate(state, file, rank, file, oneStep);
        const int32_t twoSteps = ForwardRank(colour, oneStep);
        const bool onStartRank = rank == ForwardRank(colour, HomeRank(colour));
        if (onStartRank && At(state, file, twoSteps).kind == kEmpty)
            reference::TryCandidate(state, file, rank, file, twoSteps);
    }
    ProposePawnCapture(state, file, rank, file + 1);
    ProposePawnCapture(state, file, rank, file - 1);
    ProposeEnPassant(state, file, rank);
}

// Besides the right, the king and the rook must stand on their home squares: a FEN text may
// grant a right its position cannot use.
bool CastlingAllowed(const GameState& state, int32_t colour, const CastlingRule& rule,
                     int32_t homeRank) {
    const uint32_t right = rule.kingSide ? KingSideRight(colour) : QueenSideRight(colour);
    if ((state.flags & right) == 0) return false;
    if (!IsPieceOf(At(state, rule.rookFile, homeRank), colour)) return false;
    if (At(state, rule.rookFile, homeRank).kind != kRook) return false;
    for (int32_t i = 0; i < rule.emptyCount; ++i) {
        if (At(state, rule.emptyFiles[static_cast<size_t>(i)], homeRank).kind != kEmpty)
            return false;
    }
    for (const int32_t file : rule.safeFiles) {
        if (reference::IsSquareAttacked(state, colour, file, homeRank)) return false;
    }
    return true;
}

void ProposeCastling(GameState& state, int32_t file, int32_t rank) {
    const int32_t homeRank = HomeRank(state.moverColour);
    if (file != 4 || rank != homeRank) return;
    for (const CastlingRule& rule : kCastlingRules) {
        if (CastlingAllowed(state, state.moverColour, rule, homeRank))
            reference::TryCandidate(state, file, rank, rule.kingToFile, homeRank);
    }
}

void ProposeMoves(GameState& state, int32_t kind, int32_t file, int32_t rank) {
    switch (kind) {
        case kPawn:
            ProposePawnMoves(state, file, rank);
            break;
        case kKnight:
            ProposeKnightMoves(state, file, rank);
            break;
        case kBishop:
            ProposeRays(state, file, rank, kDiagonalRays, false);
            break;
        case kRook:
            ProposeRays(state, file, rank, kStraightRays, false);
            break;
        case kQueen:
            ProposeRays(state, file, rank, kStraightRays, false);
            ProposeRays(state, file, rank, kDiagonalRays, false);
            break;
        case kKing:
            ProposeRays(state, file, rank, kStraightRays, true);
            ProposeRays(state, file, rank, kDiagonalRays, true);
            ProposeCastling(state, file, rank);
            break;
        default:
            break;
    }
}

// Whether every square strictly between the two, which share a line, is empty.
bool PathClear(const GameState& state, int32_t fromFile, int32_t fromRank, int32_t toFile,
               int32_t toRank) {
    const int32_t stepFile = toFile > fromFile ? 1 : (toFile < fromFile ? -1 : 0);
    const int32_t stepRank = toRank > fromRank ? 1 : (toRank < fromRank ? -1 : 0);
    int32_t file = fromFile + stepFile;
    int32_t rank = fromRank + stepRank;
    while (file != toFile || rank != toRank) {
        if (At(state, file, rank).kind != kEmpty) return false;
        file += stepFile;
        rank += stepRank;
    }
    return true;
}

int32_t Distance(int32_t a, int32_t b) {
    return a > b ? a - b : b - a;
}

// The one pawn move GenerateCandidates could propose to (toFile, toRank): the step and the double
// step onto empty squares, a capture of an opponent's piece, or en passant beside the pawn that
// has just made its double step.
bool PawnProposes(const GameState& state, int32_t colour, int32_t fromFile, int32_t fromRank,
                  int32_t toFile, int32_t toRank) {
    const Square& target = At(state, toFile, toRank);
    const int32_t oneStep = ForwardRank(colour, fromRank);
    if (toFile == fromFile) {
        if (target.kind != kEmpty) return false;
        if (toRank == oneStep) return true;
        const bool onStartRank = fromRank == ForwardRank(colour, HomeRank(colour));
        return onStartRank && toRank == ForwardRank(colour, oneStep) &&
               At(state, fromFile, oneStep).kind == kEmpty;
    }
    if (toRank != oneStep || Distance(toFile, fromFile) != 1) return false;
    if (IsPieceOf(target, OtherColour(colour))) return true;
    if ((state.flags & kEnPassantPossible) == 0 || target.kind != kEmpty) return false;
    const int32_t passedFile = static_cast<int32_t>(state.flags & kEnPassantFileMask);
    const int32_t captureRank = colour == kWhite ? 4 : 3;
    if (fromRank != captureRank || toFile != passedFile) return false;
    const Square& victim = At(state, passedFile, fromRank);
    return victim.kind == kPawn && victim.colour == OtherColour(colour);
}

// Castling as the king's two-square move from e1 or e8, under the same conditions as
// ProposeCastling.
bool CastlingProposes(const GameState& state, int32_t colour, int32_t fromFile, int32_t fromRank,
                      int32_t toFile, int32_t toRank) {
    const int32_t homeRank = HomeRank(colour);
    if (fromFile != 4 || fromRank != homeRank || toRank != homeRank) return false;
    for (const CastlingRule& rule : kCastlingRules) {
        if (rule.kingToFile == toFile) return CastlingAllowed(state, colour, rule, homeRank);
    }
    return false;
}

// Whether GenerateCandidates would propose the move of the piece on the from square to the
// target square, before the king-safety trial.
bool Proposes(const GameState& state, int32_t colour, int32_t kind, int32_t fromFile,
              int32_t fromRank, int32_t toFile, int32_t toRank) {
    if (IsPieceOf(At(state, toFile, toRank), colour)) return false;
    const int32_t files = Distance(toFile, fromFile);
    const int32_t ranks = Distance(toRank, fromRank);
    const bool straight = (files == 0) != (ranks == 0);
    const bool diagonal = files == ranks && files != 0;
    switch (kind) {
        case kPawn:
            return PawnProposes(state, colour, fromFile, fromRank, toFile, toRank);
        case kKnight:
            return (files == 1 && ranks == 2) || (files == 2 && ranks == 1);
        case kBishop:
            return diagonal && PathClear(state, fromFile, fromRank, toFile, toRank);
        case kRook:
            return straight && PathClear(state, fromFile, fromRank, toFile, toRank);
        case kQueen:
            return (straight || diagonal) && PathClear(state, fromFile, fromRank, toFile, toRank);
        case kKing:
            if (files <= 1 && ranks <= 1) return true;
            return CastlingProposes(state, colour, fromFile, fromRank, toFile, toRank);
        default:
            return false;
    }
}

void MarkTargets(GameState& state) {
    for (int32_t i = 0; i < state.candidateCount; ++i) {
        const CandidateMove& move = state.candidates[static_cast<size_t>(i)];
        if (OnBoard(move.toFile, move.toRank)) At(state, move.toFile, move.toRank).isTarget = 1;
    }
}

}  // namespace

void GenerateCandidates(GameState& state, int32_t colour, int32_t file, int32_t rank) {
    state.candidateCount = 0;
    for (Square& square : state.board)
        square.isTarget = 0;
    if (!OnBoard(file, rank)) return;
    const Square& piece = At(state, file, rank);
    if (!IsPieceOf(piece, colour)) return;
    if (!reference::FindKing(state, colour, state.kingFile, state.kingRank)) {
        state.kingFile = kNoKing;
        state.kingRank = kNoKing;
    }
    state.moverColour = piece.colour;
    state.opponentColour = OtherColour(piece.colour);
    ProposeMoves(state, piece.kind, file, rank);
    MarkTargets(state);
}

void TryCandidate(GameState& state, int32_t fromFile, int32_t fromRank, int32_t toFile,
                  int32_t toRank) {
    const KingSquare king = {state.kingFile, state.kingRank};
    if (TrialKeepsKingSafe(state, state.moverColour, king, fromFile, fromRank, toFile, toRank))
        AppendCandidate(state, fromFile, fromRank, toFile, toRank);
}

bool FindKing(const GameState& state, int32_t colour, int32_t& file, int32_t& rank) {
    // kind and colour lead each square, so one 8-byte comparison tests both; the probe is laid
    // out by the compiler as the board is, whatever the byte order. The scan runs for nearly
    // every move decoded, so a rank's eight squares are compared without a loop.
    static_assert(offsetof(Square, kind) == 0 && offsetof(Square, colour) == 4);
    const Square probe = {kKing, colour, 0};
    uint64_t wanted = 0;
    std::memcpy(&wanted, &probe, sizeof wanted);
    auto isWanted = [&state, wanted](size_t index) {
        uint64_t head = 0;
        std::memcpy(&head, &state.board[index], sizeof head);
        return head == wanted;
    };
    for (size_t first = 0; first < state.board.size(); first += 8) {
        size_t index = first;
        // The first match in a1..h8 order.
        if (isWanted(first) || isWanted(index = first + 1) || isWanted(index = first + 2) ||
            isWanted(index = first + 3) || isWanted(index = first + 4) ||
            isWanted(index = first + 5) || isWanted(index = first + 6) ||
            isWanted(index = first + 7)) {
            file = static_cast<int32_t>(index % 8);
            rank = static_cast<int32_t>(index / 8);
            return true;
        }
    }
    return false;
}

bool IsSquareAttacked(const GameState& state, int32_t colour, int32_t file, int32_t rank) {
    if (file == -1 && !reference::FindKing(state, colour, file, rank)) return false;
    if (!OnBoard(file, rank)) return false;
    const int32_t attacker = OtherColour(colour);
    const auto index = static_cast<size_t>(SquareIndex(file, rank));
    return KnightAttacks(state.board, attacker, index) || LineAttacks(state.board, attacker, index);
}

KingSquare KingSquareOf(const GameState& state, int32_t colour) {
    KingSquare king = {kNoKing, kNoKing};
    reference::FindKing(state, colour, king.file, king.rank);
    return king;
}

bool CanMoveTo(GameState& state, int32_t colour, KingSquare& king, int32_t fromFile,
               int32_t fromRank, int32_t toFile, int32_t toRank) {
    if (!OnBoard(fromFile, fromRank) || !OnBoard(toFile, toRank)) return false;
    const Square& piece = At(state, fromFile, fromRank);
    if (!IsPieceOf(piece, colour)) return false;
    if (!Proposes(state, colour, piece.kind, fromFile, fromRank, toFile, toRank)) return false;
    // A king's own trial tests its destination, never this square.
    if (piece.kind != kKing && king.file == kKingNotLookedUp.file)
        king = reference::KingSquareOf(state, colour);
    return TrialKeepsKingSafe(state, colour, king, fromFile, fromRank, toFile, toRank);
}

}  // namespace reference
