#include "chess/move_legality.h"

#include <array>
#include <cstddef>

#include "chess/attackers.h"
#include "chess/attacks.h"
#include "chess/castling.h"

namespace {

// Stands in kingFile when the examined colour has no king (a FEN set-up without one).
constexpr int32_t kNoKing = -1;

bool IsPieceOf(const Square& square, int32_t colour) {
    return square.kind != kEmpty && square.colour == colour;
}

const Square& SquareAt(const GameState& state, int32_t square) {
    return state.board[static_cast<size_t>(square)];
}

int32_t KingSquareIndex(KingSquare king) {
    return SquareIndex(king.file, king.rank);
}

bool AttackedNow(const GameState& state, int32_t colour, int32_t square) {
    return AttackersOf(state.view, square, OtherColour(colour), Occupied(state.view),
                       ~kNoSquares) != kNoSquares;
}

// The trial of MoveKeepsKingSafe for the piece on the from square, against the king square.
bool TrialKeepsKingSafe(const GameState& state, int32_t colour, KingSquare king, int32_t from,
                        int32_t to) {
    const int32_t kingSquare = king.file < 0 ? -1 : KingSquareIndex(king);
    return MoveKeepsKingSafe(state.view, colour, SquareAt(state, from).kind, kingSquare, from, to);
}

// Only beside the pawn that has just made its double step, onto the empty square it passed.
Bitboard EnPassantTarget(const GameState& state, int32_t colour, int32_t from) {
    if ((state.flags & kEnPassantPossible) == 0) return kNoSquares;
    const int32_t passedFile = static_cast<int32_t>(state.flags & kEnPassantFileMask);
    const int32_t file = FileOfSquare(from);
    const int32_t rank = RankOfSquare(from);
    const int32_t captureRank = colour == kWhite ? 4 : 3;
    if (rank != captureRank || (file + 1 != passedFile && file - 1 != passedFile))
        return kNoSquares;
    const int32_t victim = SquareIndex(passedFile, rank);
    const int32_t target = SquareIndex(passedFile, ForwardRank(colour, rank));
    if (!Contains(PiecesOf(state.view, OtherColour(colour), kPawn), victim)) return kNoSquares;
    if (Contains(Occupied(state.view), target)) return kNoSquares;
    return SquareBit(target);
}

// The step and the double step onto empty squares, the captures of the opponent's pieces, and
// en passant.
Bitboard PawnReach(const GameState& state, int32_t colour, int32_t from) {
    const Bitboard occupied = Occupied(state.view);
    const int32_t file = FileOfSquare(from);
    const int32_t rank = RankOfSquare(from);
    const int32_t oneStep = ForwardRank(colour, rank);
    Bitboard reach = kNoSquares;
    if (OnBoard(file, oneStep) && !Contains(occupied, SquareIndex(file, oneStep))) {
        reach |= SquareBit(SquareIndex(file, oneStep));
        const int32_t twoSteps = SquareIndex(file, ForwardRank(colour, oneStep));
        const bool onStartRank = rank == ForwardRank(colour, HomeRank(colour));
        if (onStartRank && !Contains(occupied, twoSteps)) reach |= SquareBit(twoSteps);
    }
    const Bitboard opponents = state.view.byColour[static_cast<size_t>(OtherColour(colour))];
    reach |= kMovement.pawn[static_cast<size_t>(colour)][static_cast<size_t>(from)] & opponents;
    return reach | EnPassantTarget(state, colour, from);
}

// Besides the right, the rook must stand on its corner: a FEN text may grant a right its
// position cannot use. The king's own square is the caller's to check.
bool CastlingAllowed(const GameState& state, int32_t colour, const CastlingSide& rule) {
    const int32_t homeRank = HomeRank(colour);
    if ((state.flags & CastlingRight(colour, rule)) == 0) return false;
    if (!Contains(PiecesOf(state.view, colour, kRook), SquareIndex(rule.rookFile, homeRank)))
        return false;
    const Bitboard occupied = Occupied(state.view);
    for (int32_t i = 0; i < rule.emptyCount; ++i) {
        if (Contains(occupied, SquareIndex(rule.emptyFiles[static_cast<size_t>(i)], homeRank)))
            return false;
    }
    for (const int32_t file : rule.safeFiles) {
        if (AttackedNow(state, colour, SquareIndex(file, homeRank))) return false;
    }
    return true;
}

// The king's two-square moves from its home square, under the conditions above.
Bitboard CastlingReach(const GameState& state, int32_t colour, int32_t from) {
    const int32_t homeRank = HomeRank(colour);
    if (from != SquareIndex(kCastlingKingFile, homeRank)) return kNoSquares;
    Bitboard reach = kNoSquares;
    for (const CastlingSide& rule : kCastlingSides) {
        if (CastlingAllowed(state, colour, rule))
            reach |= SquareBit(SquareIndex(rule.kingToFile, homeRank));
    }
    return reach;
}

// Every square the piece's way of moving proposes, before the king-safety trial: empty squares
// and the opponent's pieces, never the mover's own.
Bitboard Reach(const GameState& state, int32_t colour, int32_t kind, int32_t from) {
    const auto at = static_cast<size_t>(from);
    const Bitboard occupied = Occupied(state.view);
    const Bitboard open = ~state.view.byColour[static_cast<size_t>(colour)];
    switch (kind) {
        case kPawn:
            return PawnReach(state, colour, from);
        case kKnight:
            return kMovement.knight[at] & open;
        case kBishop:
            return BishopAttacks(from, occupied) & open;
        case kRook:
            return RookAttacks(from, occupied) & open;
        case kQueen:
            return QueenAttacks(from, occupied) & open;
        case kKing:
            return (kMovement.king[at] & open) | CastlingReach(state, colour, from);
        default:
            return kNoSquares;
    }
}

void AppendCandidate(GameState& state, int32_t from, int32_t to) {
    if (state.candidateCount >= kMaxCandidates) return;
    state.candidates[static_cast<size_t>(state.candidateCount)] = {
        static_cast<int8_t>(FileOfSquare(from)), static_cast<int8_t>(RankOfSquare(from)),
        static_cast<int8_t>(FileOfSquare(to)), static_cast<int8_t>(RankOfSquare(to))};
    state.candidateCount += 1;
}

void Try(GameState& state, int32_t from, int32_t to) {
    TryCandidate(state, FileOfSquare(from), RankOfSquare(from), FileOfSquare(to), RankOfSquare(to));
}

// Tries the squares of the set that lie on one line from the square, nearest first.
void TryAlongLine(GameState& state, int32_t from, size_t line, Bitboard reach) {
    Bitboard squares = reach & kMovement.lines[line][static_cast<size_t>(from)];
    const bool rising = LineRisesFrom(line);
    while (squares != kNoSquares) {
        const int32_t to = rising ? FirstSquare(squares) : LastSquare(squares);
        squares &= ~SquareBit(to);
        Try(state, from, to);
    }
}

void TryLines(GameState& state, int32_t from, size_t first, size_t last, Bitboard reach) {
    for (size_t line = first; line < last; ++line)
        TryAlongLine(state, from, line, reach);
}

// The step and double step, nearest first; the captures towards the higher file first; then
// en passant, the one diagonal move onto an empty square.
void TryPawnMoves(GameState& state, int32_t from, Bitboard reach) {
    const Bitboard ownFile = FileBits(FileOfSquare(from));
    TryAlongLine(state, from, state.moverColour == kWhite ? 0 : 2, reach & ownFile);
    const Bitboard diagonal = reach & ~ownFile;
    Bitboard captures = diagonal & Occupied(state.view);
    while (captures != kNoSquares) {
        const int32_t to = LastSquare(captures);
        captures &= ~SquareBit(to);
        Try(state, from, to);
    }
    const Bitboard enPassant = diagonal & ~Occupied(state.view);
    if (enPassant != kNoSquares) Try(state, from, FirstSquare(enPassant));
}

// Each square the piece may reach goes through TryCandidate in the order the moves are
// proposed: knight jumps in table order, lines in table order and nearest first, a king's
// castling moves after its steps (king side first).
void TryInProposalOrder(GameState& state, int32_t kind, int32_t from, Bitboard reach) {
    const auto at = static_cast<size_t>(from);
    switch (kind) {
        case kPawn:
            TryPawnMoves(state, from, reach);
            break;
        case kKnight:
            for (const BoardStep jump : kKnightJumps) {
                const Bitboard to = StepFrom(from, jump) & reach;
                if (to != kNoSquares) Try(state, from, FirstSquare(to));
            }
            break;
        case kBishop:
            TryLines(state, from, kFirstDiagonalLine, kLineSteps.size(), reach);
            break;
        case kRook:
            TryLines(state, from, 0, kFirstDiagonalLine, reach);
            break;
        case kQueen:
            TryLines(state, from, 0, kLineSteps.size(), reach);
            break;
        case kKing: {
            TryLines(state, from, 0, kLineSteps.size(), reach & kMovement.king[at]);
            Bitboard castling = reach & ~kMovement.king[at];
            while (castling != kNoSquares) {
                const int32_t to = LastSquare(castling);
                castling &= ~SquareBit(to);
                Try(state, from, to);
            }
            break;
        }
        default:
            break;
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
    const KingSquare king = KingSquareOf(state, colour);
    state.kingFile = king.file;
    state.kingRank = king.rank;
    state.moverColour = piece.colour;
    state.opponentColour = OtherColour(piece.colour);
    const int32_t from = SquareIndex(file, rank);
    TryInProposalOrder(state, piece.kind, from, Reach(state, colour, piece.kind, from));
    MarkTargets(state);
}

void TryCandidate(GameState& state, int32_t fromFile, int32_t fromRank, int32_t toFile,
                  int32_t toRank) {
    const KingSquare king = {state.kingFile, state.kingRank};
    const int32_t from = SquareIndex(fromFile, fromRank);
    const int32_t to = SquareIndex(toFile, toRank);
    if (TrialKeepsKingSafe(state, state.moverColour, king, from, to))
        AppendCandidate(state, from, to);
}

bool FindKing(const GameState& state, int32_t colour, int32_t& file, int32_t& rank) {
    const Bitboard kings = PiecesOf(state.view, colour, kKing);
    if (kings == kNoSquares) return false;
    // The first king in a1..h8 order.
    const int32_t square = FirstSquare(kings);
    file = FileOfSquare(square);
    rank = RankOfSquare(square);
    return true;
}

bool IsSquareAttacked(const GameState& state, int32_t colour, int32_t file, int32_t rank) {
    if (file == -1 && !FindKing(state, colour, file, rank)) return false;
    if (!OnBoard(file, rank)) return false;
    return AttackedNow(state, colour, SquareIndex(file, rank));
}

KingSquare KingSquareOf(const GameState& state, int32_t colour) {
    KingSquare king = {kNoKing, kNoKing};
    FindKing(state, colour, king.file, king.rank);
    return king;
}

namespace {

// The king-safety trial of CanMoveTo, for a move of the colour's piece on the from square that
// is proposed; a king's own trial tests its destination, never the king square.
bool KeepsKingSafe(const GameState& state, int32_t colour, KingSquare& king, int32_t from,
                   int32_t to) {
    if (SquareAt(state, from).kind != kKing && king.file == kKingNotLookedUp.file)
        king = KingSquareOf(state, colour);
    return TrialKeepsKingSafe(state, colour, king, from, to);
}

}  // namespace

bool CanMoveTo(GameState& state, int32_t colour, KingSquare& king, int32_t fromFile,
               int32_t fromRank, int32_t toFile, int32_t toRank) {
    if (!OnBoard(fromFile, fromRank) || !OnBoard(toFile, toRank)) return false;
    const Square& piece = At(state, fromFile, fromRank);
    if (!IsPieceOf(piece, colour)) return false;
    const int32_t from = SquareIndex(fromFile, fromRank);
    const int32_t to = SquareIndex(toFile, toRank);
    if (!Contains(Reach(state, colour, piece.kind, from), to)) return false;
    return KeepsKingSafe(state, colour, king, from, to);
}

KingSafety KingSafetyOf(const GameState& state, int32_t colour) {
    KingSafety safety{KingSquareOf(state, colour), true, ~kNoSquares};
    if (safety.king.file == kNoKing) return safety;
    const int32_t square = KingSquareIndex(safety.king);
    safety.attacked = AttackedNow(state, colour, square);
    safety.lines = QueenAttacks(square, kNoSquares);
    return safety;
}

Bitboard LegalTargets(const GameState& state, int32_t colour, const KingSafety& safety,
                      int32_t square) {
    const Square& piece = SquareAt(state, square);
    if (!IsPieceOf(piece, colour)) return kNoSquares;
    const Bitboard reach = Reach(state, colour, piece.kind, square);
    if (piece.kind != kKing && safety.king.file == kNoKing) return reach;
    // Off the king's lines, lifting a piece uncovers nothing, and placing it can only block: with
    // the king not attacked now, every move of it passes the trial, but en passant, which also
    // lifts the pawn it takes.
    Bitboard legal = kNoSquares;
    Bitboard trials = reach;
    if (piece.kind != kKing && !safety.attacked && !Contains(safety.lines, square)) {
        trials = piece.kind == kPawn ? reach & EnPassantTarget(state, colour, square) : kNoSquares;
        legal = reach & ~trials;
    }
    while (trials != kNoSquares) {
        const int32_t to = PopFirstSquare(trials);
        if (TrialKeepsKingSafe(state, colour, safety.king, square, to)) legal |= SquareBit(to);
    }
    return legal;
}
