#include "chess/san_move.h"

#include <array>

#include "chess/attackers.h"
#include "chess/attacks.h"
#include "chess/castling.h"
#include "chess/move_legality.h"
#include "chess/notation.h"

namespace {

// The longest token any move leaves once its decoration is gone: a piece letter, the origin, the
// destination and a promotion letter ("Ng1f3" plus a letter the knight ignores).
constexpr int32_t kLongestMove = 6;

// The working copy of a token: capture signs, hyphens, equals signs, spaces, check and mate
// signs removed. Annotations such as "!" and "?" stay, and make the token fail later.
struct CleanToken {
    std::array<unsigned char, kLongestMove> chars;
    int32_t length;
};

// The bytes Clean drops, one look-up each: every byte of every move passes here.
struct DecorationTable {
    std::array<bool, 256> dropped;
};

constexpr DecorationTable MakeDecorationTable() {
    DecorationTable table{};
    for (const char ch : {'x', '-', '=', ' ', '+', '#'})
        table.dropped[static_cast<unsigned char>(ch)] = true;
    return table;
}

constexpr DecorationTable kDecorations = MakeDecorationTable();

bool IsDecoration(unsigned char ch) {
    return kDecorations.dropped[ch];
}

// False when more is left than any move can hold: such a token is refused whatever it says.
// The length is counted in a local: stored into the token at each byte, it would be reloaded,
// since the compiler must assume the character writes may change it.
bool Clean(const char* bytes, int32_t count, CleanToken& token) {
    int32_t length = 0;
    for (int32_t i = 0; i < count; ++i) {
        const auto ch = static_cast<unsigned char>(bytes[i]);
        if (IsDecoration(ch)) continue;
        if (length == kLongestMove) return false;
        token.chars[static_cast<size_t>(length++)] = ch;
    }
    token.length = length;
    return true;
}

bool Equals(const CleanToken& token, const char* text) {
    int32_t i = 0;
    for (; text[i] != 0; ++i) {
        if (i == token.length || token.chars[static_cast<size_t>(i)] != text[i]) return false;
    }
    return i == token.length;
}

// The file of each file letter and the rank of each rank digit, -1 for every other byte: one
// look-up each, several times a move.
struct SquareLetterTable {
    std::array<int8_t, 256> file;
    std::array<int8_t, 256> rank;
};

constexpr SquareLetterTable MakeSquareLetterTable() {
    SquareLetterTable table{};
    table.file.fill(-1);
    table.rank.fill(-1);
    for (int8_t i = 0; i < 8; ++i) {
        table.file[static_cast<size_t>('a' + i)] = i;
        table.rank[static_cast<size_t>('1' + i)] = i;
    }
    return table;
}

constexpr SquareLetterTable kSquareLetters = MakeSquareLetterTable();

int32_t FileOf(unsigned char ch) {
    return kSquareLetters.file[ch];
}
int32_t RankOf(unsigned char ch) {
    return kSquareLetters.rank[ch];
}

// 5, 4, 3 or 2 for a trailing capital Q, R, B or N, which is then cut off; else 0.
int32_t TakePromotionLetter(CleanToken& token) {
    if (token.length == 0) return 0;
    const int32_t promotion = KindOfLetter(token.chars[static_cast<size_t>(token.length - 1)]);
    if (promotion < kKnight || promotion > kQueen) return 0;
    token.length -= 1;
    return promotion;
}

// The piece kind the token names; a pawn move may start with its file instead of a letter.
// 0 when the first character is neither. first gets the index where the squares begin.
int32_t PieceLetter(const CleanToken& token, int32_t& first) {
    first = 0;
    if (token.length == 0) return kEmpty;
    const unsigned char letter = token.chars[0];
    if (FileOf(letter) >= 0) return kPawn;
    first = 1;
    return KindOfLetter(letter);
}

// One decoding: which piece of which side is to reach which square, and that side's king (its
// square, or -1 when it has none), which the trials keep safe.
struct Search {
    GameState& state;
    int32_t colour;
    int32_t kind;
    int32_t to;
    int32_t king;
};

Search StartSearch(GameState& state, int32_t kind, int32_t to) {
    // The first king in a1..h8 order, as every king-safety test takes it.
    const Bitboard kings = PiecesOf(state.view, state.sideToMove, kKing);
    return {state, state.sideToMove, kind, to, kings == kNoSquares ? -1 : FirstSquare(kings)};
}

// Whether the pawn the side's opponent has just moved two squares passed over the target.
bool IsEnPassantTarget(const GameState& state, int32_t colour, int32_t to) {
    if ((state.flags & kEnPassantPossible) == 0) return false;
    const int32_t passedFile = static_cast<int32_t>(state.flags & kEnPassantFileMask);
    const int32_t victimRank = colour == kWhite ? 4 : 3;
    return FileOfSquare(to) == passedFile && RankOfSquare(to) == ForwardRank(colour, victimRank) &&
           Contains(PiecesOf(state.view, OtherColour(colour), kPawn),
                    SquareIndex(passedFile, victimRank));
}

// The side's pawns that may move to the target by the pawn's rules: a capture of an opponent's
// piece from either diagonal behind it, else the step or the double step onto it, and en passant.
Bitboard PawnOrigins(const Search& search) {
    const BoardView& view = search.state.view;
    const Bitboard pawns = PiecesOf(view, search.colour, kPawn);
    const auto opponent = static_cast<size_t>(OtherColour(search.colour));
    // Where a pawn of the other colour on the target would capture.
    const Bitboard diagonals = kMovement.pawn[opponent][static_cast<size_t>(search.to)] & pawns;
    if (Contains(view.byColour[opponent], search.to)) return diagonals;
    const int32_t file = FileOfSquare(search.to);
    const int32_t rank = RankOfSquare(search.to);
    const int32_t behind = search.colour == kWhite ? rank - 1 : rank + 1;
    if (behind < 0 || behind > 7) return kNoSquares;
    const int32_t step = SquareIndex(file, behind);
    Bitboard origins = kNoSquares;
    if (Contains(pawns, step)) {
        origins = SquareBit(step);
    } else if (!Contains(Occupied(view), step) && rank == (search.colour == kWhite ? 3 : 4)) {
        origins = pawns & SquareBit(SquareIndex(file, search.colour == kWhite ? 1 : 6));
    }
    if (IsEnPassantTarget(search.state, search.colour, search.to)) origins |= diagonals;
    return origins;
}

// The squares holding a piece of the searched kind and side from which that kind's way of moving
// leads to the target: for a knight, a sliding piece and a king's step exactly the squares the
// move is proposed from, since each of these moves is its own reverse; for a pawn the same by its
// own rules. Castling's origin is only a candidate, which CanReach settles.
Bitboard Origins(const Search& search) {
    const BoardView& view = search.state.view;
    const auto at = static_cast<size_t>(search.to);
    const Bitboard occupied = Occupied(view);
    // Nothing moves onto a piece of its own side.
    if (Contains(view.byColour[static_cast<size_t>(search.colour)], search.to)) return kNoSquares;
    Bitboard squares = kNoSquares;
    switch (search.kind) {
        case kPawn:
            return PawnOrigins(search);
        case kKnight:
            squares = kMovement.knight[at];
            break;
        // A sliding piece can come only from the first occupied square along each line.
        case kBishop:
            squares = BishopAttacks(search.to, occupied);
            break;
        case kRook:
            squares = RookAttacks(search.to, occupied);
            break;
        case kQueen:
            squares = QueenAttacks(search.to, occupied);
            break;
        case kKing:
            squares = kMovement.king[at];
            // Castling: the two-square move from the home square.
            if (RankOfSquare(search.to) == HomeRank(search.colour) &&
                (FileOfSquare(search.to) == CastlingSideOf(true).kingToFile ||
                 FileOfSquare(search.to) == CastlingSideOf(false).kingToFile))
                squares |= SquareBit(SquareIndex(kCastlingKingFile, RankOfSquare(search.to)));
            break;
        default:
            break;
    }
    return squares & PiecesOf(view, search.colour, search.kind);
}

// Whether the piece on an origin Origins found may make the move: only the trial is left, but
// for castling, whose rules CanMoveTo applies.
bool CanReach(const Search& search, int32_t origin) {
    if (search.kind == kKing && !Contains(kMovement.king[static_cast<size_t>(search.to)], origin)) {
        KingSquare king = kKingNotLookedUp;
        return CanMoveTo(search.state, search.colour, king, FileOfSquare(origin),
                         RankOfSquare(origin), FileOfSquare(search.to), RankOfSquare(search.to));
    }
    return MoveKeepsKingSafe(search.state.view, search.colour, search.kind, search.king, origin,
                             search.to);
}

// The one piece among the origins that reaches the target; false when there is none or more
// than one.
bool FindOnlyMover(const Search& search, Bitboard origins, int32_t& from) {
    int32_t count = 0;
    while (origins != kNoSquares) {
        const int32_t origin = PopFirstSquare(origins);
        if (!CanReach(search, origin)) continue;
        from = origin;
        ++count;
    }
    return count == 1;
}

// With a rank given, the piece on the highest file of that rank wins; never ambiguous.
bool FindMoverOnRank(const Search& search, Bitboard origins, int32_t& from) {
    while (origins != kNoSquares) {
        const int32_t origin = LastSquare(origins);
        origins &= ~SquareBit(origin);
        if (!CanReach(search, origin)) continue;
        from = origin;
        return true;
    }
    return false;
}

// Origin and destination from the squares of the token: "e4", "bd7", "1a3" or "g1f3".
bool FindMove(GameState& state, int32_t kind, const unsigned char* squares, int32_t length,
              int32_t& from, int32_t& to) {
    if (length < 2 || length > 4) return false;
    const int32_t toFile = FileOf(squares[length - 2]);
    const int32_t toRank = RankOf(squares[length - 1]);
    if (toFile < 0 || toRank < 0) return false;
    to = SquareIndex(toFile, toRank);
    const Search search = StartSearch(state, kind, to);
    if (length == 2) return FindOnlyMover(search, Origins(search), from);
    const int32_t firstFile = FileOf(squares[0]);
    const int32_t firstRank = RankOf(squares[0]);
    if (length == 3) {
        const Bitboard origins = Origins(search);
        if (firstFile >= 0) return FindOnlyMover(search, origins & FileBits(firstFile), from);
        if (firstRank >= 0) return FindMoverOnRank(search, origins & RankBits(firstRank), from);
        return false;
    }
    const int32_t fromRank = RankOf(squares[1]);
    if (firstFile < 0 || fromRank < 0) return false;
    from = SquareIndex(firstFile, fromRank);
    const Square& piece = state.board[static_cast<size_t>(from)];
    KingSquare king = kKingNotLookedUp;
    return piece.kind == kind && piece.colour == search.colour &&
           CanMoveTo(state, search.colour, king, firstFile, fromRank, toFile, toRank);
}

bool Apply(GameState& state, int32_t from, int32_t to, int32_t promotion) {
    ApplyMove(state, state.moves[static_cast<size_t>(state.ply)], FileOfSquare(from),
              RankOfSquare(from), FileOfSquare(to), RankOfSquare(to), promotion);
    state.ply += 1;
    return true;
}

// "OO" or "OOO": the king must stand on e1/e8 and may make the two-square move.
bool InterpretCastling(GameState& state, bool kingSide) {
    const int32_t homeRank = HomeRank(state.sideToMove);
    const int32_t from = SquareIndex(kCastlingKingFile, homeRank);
    const int32_t to = SquareIndex(CastlingSideOf(kingSide).kingToFile, homeRank);
    const Square& king = state.board[static_cast<size_t>(from)];
    KingSquare kingSquare = kKingNotLookedUp;
    if (king.kind != kKing || king.colour != state.sideToMove ||
        !CanMoveTo(state, state.sideToMove, kingSquare, kCastlingKingFile, homeRank,
                   CastlingSideOf(kingSide).kingToFile, homeRank))
        return false;
    return Apply(state, from, to, 0);
}

// The commonest moves, a pawn's "e4" and a piece's "Nf3" (count 2 or 3), hold nothing for Clean
// to drop and no promotion letter: their kind is read straight from the bytes, which end with
// the destination. kEmpty for any other token.
int32_t PlainMoveKind(const unsigned char* raw, int32_t count) {
    if (FileOf(raw[count - 2]) < 0 || RankOf(raw[count - 1]) < 0) return kEmpty;
    return count == 2 ? kPawn : KindOfLetter(raw[0]);
}

// Finds the one move of the kind to the squares of the token ("e4", "bd7", "1a3" or "g1f3") and
// applies it, with the promotion a pawn reaching the last rank must name.
bool FinishMove(GameState& state, int32_t kind, const unsigned char* squares, int32_t length,
                int32_t promotion) {
    int32_t from = 0;
    int32_t to = 0;
    if (!FindMove(state, kind, squares, length, from, to)) return false;
    const int32_t toRank = RankOfSquare(to);
    if (kind == kPawn && (toRank == 0 || toRank == 7) && promotion == 0) return false;
    return Apply(state, from, to, promotion);
}

}  // namespace

bool InterpretSanMove(GameState& state, const char* bytes, int32_t count) {
    state.sideToMove = SideForPly(state);
    if (state.ply < 0 || state.ply >= kMaxPlies) return false;
    if (count == 2 || count == 3) {
        const auto* raw = reinterpret_cast<const unsigned char*>(bytes);
        const int32_t kind = PlainMoveKind(raw, count);
        if (kind != kEmpty) return FinishMove(state, kind, raw + count - 2, 2, 0);
    }
    CleanToken token{};
    if (!Clean(bytes, count, token)) return false;
    if (token.length > 0 && token.chars[0] == 'O') {
        if (Equals(token, "OO")) return InterpretCastling(state, true);
        if (Equals(token, "OOO")) return InterpretCastling(state, false);
    }
    const int32_t promotion = TakePromotionLetter(token);
    int32_t first = 0;
    const int32_t kind = PieceLetter(token, first);
    if (kind == kEmpty) return false;
    return FinishMove(state, kind, token.chars.data() + first, token.length - first, promotion);
}

bool InterpretSanMove(GameState& state, const CharString& token) {
    return InterpretSanMove(state, token.chars(), token.length());
}
