#include "chess/position_key.h"

#include <array>
#include <cstddef>

#include "chess/bitboard.h"

namespace {

// splitmix64: well-mixed fixed numbers, the same in every build, made at compile time.
constexpr uint64_t NextRandom(uint64_t& state) {
    state += 0x9E3779B97F4A7C15;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
}

struct KeyTables {
    std::array<std::array<std::array<PositionKey, 64>, 7>, 2> pieces;  // [colour][kind][square]
    std::array<PositionKey, 16> castling;  // by the four right bits, kCastlingRights >> 4
    std::array<PositionKey, 8> enPassant;  // by file
    PositionKey blackToMove;
};

constexpr KeyTables MakeKeyTables() {
    KeyTables tables{};
    uint64_t seed = 0x51756F7276616E65;  // "Quorvane"
    for (auto& byKind : tables.pieces)
        for (size_t kind = kPawn; kind <= kKing; ++kind)
            for (PositionKey& key : byKind[kind])
                key = NextRandom(seed);
    std::array<PositionKey, 4> rights{};
    for (PositionKey& key : rights)
        key = NextRandom(seed);
    for (size_t bits = 0; bits < tables.castling.size(); ++bits)
        for (size_t right = 0; right < rights.size(); ++right)
            if ((bits >> right) & 1) tables.castling[bits] ^= rights[right];
    for (PositionKey& key : tables.enPassant)
        key = NextRandom(seed);
    tables.blackToMove = NextRandom(seed);
    return tables;
}

constexpr KeyTables kKeys = MakeKeyTables();

PositionKey PieceKey(int32_t colour, int32_t kind, int32_t file, int32_t rank) {
    return kKeys.pieces[static_cast<size_t>(colour)][static_cast<size_t>(kind)]
                       [static_cast<size_t>(SquareIndex(file, rank))];
}

PositionKey CastlingKey(uint32_t flags) {
    return kKeys.castling[(flags & kCastlingRights) >> 4];
}

}  // namespace

PositionKey PlacementKeyOf(const GameState& state) {
    PositionKey key = CastlingKey(state.flags);
    if (SideForPly(state) == kBlack) key ^= kKeys.blackToMove;
    for (int32_t colour = kWhite; colour <= kBlack; ++colour) {
        for (int32_t kind = kPawn; kind <= kKing; ++kind) {
            Bitboard pieces = PiecesOf(state.view, colour, kind);
            while (pieces != kNoSquares) {
                const int32_t square = PopFirstSquare(pieces);
                key ^= PieceKey(colour, kind, FileOfSquare(square), RankOfSquare(square));
            }
        }
    }
    return key;
}

PositionKey EnPassantKeyOf(const GameState& state) {
    if ((state.flags & kEnPassantPossible) == 0) return 0;
    const int32_t side = SideForPly(state);
    const int32_t file = static_cast<int32_t>(state.flags & kEnPassantFileMask);
    // The pawn that made the double step stands on the fourth rank from its own side.
    const int32_t rank = side == kWhite ? 4 : 3;
    const Bitboard victim = SquareBit(SquareIndex(file, rank));
    if ((PiecesOf(state.view, OtherColour(side), kPawn) & victim) == kNoSquares) return 0;
    // A FEN text may name a file whose passed square is taken: no capture lands there.
    if (Contains(Occupied(state.view), SquareIndex(file, ForwardRank(side, rank)))) return 0;
    const Bitboard beside = ((victim << 1) & ~FileBits(0)) | ((victim >> 1) & ~FileBits(7));
    if ((PiecesOf(state.view, side, kPawn) & beside) == kNoSquares) return 0;
    return kKeys.enPassant[static_cast<size_t>(file)];
}

PositionKey PositionKeyOf(const GameState& state) {
    return PlacementKeyOf(state) ^ EnPassantKeyOf(state);
}

PositionKey PlacementKeyAfter(PositionKey before, const MoveRecord& move, uint32_t flagsAfter) {
    const int32_t colour = move.pieceColour;
    PositionKey key = before ^ kKeys.blackToMove;
    key ^= CastlingKey(move.flagsBefore) ^ CastlingKey(flagsAfter);
    key ^= PieceKey(colour, move.pieceKind, move.fromFile, move.fromRank);
    key ^= PieceKey(colour, move.placedKind, move.toFile, move.toRank);
    if (move.capturedKind != kEmpty)
        key ^= PieceKey(OtherColour(colour), move.capturedKind, move.toFile, move.toRank);
    if (move.secondKind == kPawn)
        key ^= PieceKey(move.secondColour, kPawn, move.secondFromFile, move.secondFromRank);
    if (move.secondKind == kRook) {
        key ^= PieceKey(colour, kRook, move.secondFromFile, move.secondFromRank);
        key ^= PieceKey(colour, kRook, move.secondToFile, move.secondToRank);
    }
    return key;
}
