#include "chess/san_move.h"

#include <array>

#include "chess/attacks.h"
#include "chess/castling.h"
#include "chess/move_legality.h"
#include "chess/notation.h"

namespace {

// The longest token any move leaves once its decoration is gone: a piece letter, the origin, the
// destination and a promotion letter ("Ng1f3" plus a letter the knight ignores).
constexpr int32_t kLongestMove = 6;

struct SquareRef {
    int32_t file;
    int32_t rank;
};

// The working copy of a token: capture signs, hyphens, equals signs, spaces, check and mate
// signs removed. Annotations such as "!" and "?" stay, and make the token fail later.
struct CleanToken {
    std::array<unsigned char, kLongestMove> chars;
    int32_t length;
};

bool IsDecoration(unsigned char ch) {
    return ch == 'x' || ch == '-' || ch == '=' || ch == ' ' || ch == '+' || ch == '#';
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

int32_t FileOf(unsigned char ch) {
    return ch >= 'a' && ch <= 'h' ? ch - 'a' : -1;
}
int32_t RankOf(unsigned char ch) {
    return ch >= '1' && ch <= '8' ? ch - '1' : -1;
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

// One decoding: which piece of which side is to reach which square, and the king its trials
// keep safe, looked up by the first trial that needs it.
struct Search {
    GameState& state;
    int32_t colour;
    int32_t kind;
    SquareRef to;
    KingSquare king;
};

Search StartSearch(GameState& state, int32_t kind, SquareRef to) {
    return {state, state.sideToMove, kind, to, kKingNotLookedUp};
}

bool HoldsSearchedPiece(const Search& search, int32_t file, int32_t rank) {
    const Square& square = At(search.state, file, rank);
    return square.kind == search.kind && square.colour == search.colour;
}

// Whether the square holds a piece of the kind for the side to move that may go to the target.
bool Reaches(Search& search, SquareRef from) {
    return HoldsSearchedPiece(search, from.file, from.rank) &&
           CanMoveTo(search.state, search.colour, search.king, from.file, from.rank, search.to.file,
                     search.to.rank);
}

// The squares holding a piece of the searched kind and side from which that kind's way of moving
// leads to the target: the reverse of the generator's proposals, so every square the generator
// could propose the move from is among them. Whether the move is really proposed and legal is
// for CanReach to say.
Bitboard Origins(const Search& search) {
    const BoardView& view = search.state.view;
    const int32_t to = SquareIndex(search.to.file, search.to.rank);
    const auto at = static_cast<size_t>(to);
    const Bitboard occupied = Occupied(view);
    // Nothing moves onto a piece of its own side.
    if (Contains(view.byColour[static_cast<size_t>(search.colour)], to)) return kNoSquares;
    Bitboard squares = kNoSquares;
    switch (search.kind) {
        case kPawn: {
            // Behind the target: the step, the double step, and the diagonals of a capture,
            // which are where a pawn of the other colour on the target would capture.
            const int32_t back = search.colour == kWhite ? -1 : 1;
            const int32_t rank = search.to.rank + back;
            if (rank < 0 || rank > 7) break;
            squares = SquareBit(SquareIndex(search.to.file, rank)) |
                      kMovement.pawn[static_cast<size_t>(OtherColour(search.colour))][at];
            if (rank + back >= 0 && rank + back <= 7)
                squares |= SquareBit(SquareIndex(search.to.file, rank + back));
            break;
        }
        case kKnight:
            squares = kMovement.knight[at];
            break;
        // A sliding piece can come only from the first occupied square along each line.
        case kBishop:
            squares = BishopAttacks(to, occupied);
            break;
        case kRook:
            squares = RookAttacks(to, occupied);
            break;
        case kQueen:
            squares = QueenAttacks(to, occupied);
            break;
        case kKing:
            squares = kMovement.king[at];
            // Castling: the two-square move from the home square.
            if (search.to.rank == HomeRank(search.colour) &&
                (search.to.file == CastlingSideOf(true).kingToFile ||
                 search.to.file == CastlingSideOf(false).kingToFile))
                squares |= SquareBit(SquareIndex(kCastlingKingFile, search.to.rank));
            break;
        default:
            break;
    }
    return squares & PiecesOf(view, search.colour, search.kind);
}

// Whether the piece on the origin may make the move. A knight's, a sliding piece's or a king's
// step is proposed from the origin exactly when the origin lies in the same kind's attacks seen
// from the target, which is how Origins found it, so only the trial is left; a pawn's move and
// castling have rules of their own, which CanMoveTo applies.
bool CanReach(Search& search, int32_t origin) {
    const int32_t to = SquareIndex(search.to.file, search.to.rank);
    const bool step =
        search.kind == kKing && Contains(kMovement.king[static_cast<size_t>(to)], origin);
    if (search.kind != kPawn && (search.kind != kKing || step))
        return KeepsKingSafe(search.state, search.colour, search.king, origin, to);
    return CanMoveTo(search.state, search.colour, search.king, FileOfSquare(origin),
                     RankOfSquare(origin), search.to.file, search.to.rank);
}

// The one piece (on the given file, or anywhere when file is -1) that reaches the target; false
// when there is none or more than one.
bool FindOnlyMover(Search& search, int32_t file, SquareRef& from) {
    Bitboard origins = Origins(search);
    if (file >= 0) origins &= FileBits(file);
    int32_t count = 0;
    while (origins != kNoSquares) {
        const int32_t origin = PopFirstSquare(origins);
        if (!CanReach(search, origin)) continue;
        from = {FileOfSquare(origin), RankOfSquare(origin)};
        ++count;
    }
    return count == 1;
}

// With a rank given, the piece on the highest file of that rank wins; never ambiguous.
bool FindMoverOnRank(Search& search, int32_t rank, SquareRef& from) {
    Bitboard origins = Origins(search) & RankBits(rank);
    while (origins != kNoSquares) {
        const int32_t origin = LastSquare(origins);
        origins &= ~SquareBit(origin);
        if (!CanReach(search, origin)) continue;
        from = {FileOfSquare(origin), RankOfSquare(origin)};
        return true;
    }
    return false;
}

// Origin and destination from the squares of the token: "e4", "bd7", "1a3" or "g1f3".
bool FindMove(GameState& state, int32_t kind, const unsigned char* squares, int32_t length,
              SquareRef& from, SquareRef& to) {
    if (length < 2 || length > 4) return false;
    to = {FileOf(squares[length - 2]), RankOf(squares[length - 1])};
    if (to.file < 0 || to.rank < 0) return false;
    Search search = StartSearch(state, kind, to);
    if (length == 2) return FindOnlyMover(search, -1, from);
    const int32_t firstFile = FileOf(squares[0]);
    const int32_t firstRank = RankOf(squares[0]);
    if (length == 4) {
        from = {firstFile, RankOf(squares[1])};
        return from.file >= 0 && from.rank >= 0 && Reaches(search, from);
    }
    if (firstFile >= 0) return FindOnlyMover(search, firstFile, from);
    if (firstRank >= 0) return FindMoverOnRank(search, firstRank, from);
    return false;
}

bool Apply(GameState& state, SquareRef from, SquareRef to, int32_t promotion) {
    ApplyMove(state, state.moves[static_cast<size_t>(state.ply)], from.file, from.rank, to.file,
              to.rank, promotion);
    state.ply += 1;
    return true;
}

// "OO" or "OOO": the king must stand on e1/e8 and may make the two-square move.
bool InterpretCastling(GameState& state, bool kingSide) {
    const int32_t homeRank = HomeRank(state.sideToMove);
    const SquareRef from = {kCastlingKingFile, homeRank};
    const SquareRef to = {CastlingSideOf(kingSide).kingToFile, homeRank};
    Search search = StartSearch(state, kKing, to);
    if (!Reaches(search, from)) return false;
    return Apply(state, from, to, 0);
}

}  // namespace

bool InterpretSanMove(GameState& state, const char* bytes, int32_t count) {
    state.sideToMove = SideForPly(state);
    if (state.ply < 0 || state.ply >= kMaxPlies) return false;
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
    SquareRef from{};
    SquareRef to{};
    if (!FindMove(state, kind, token.chars.data() + first, token.length - first, from, to))
        return false;
    // A pawn reaching the last rank must say what it becomes.
    if (kind == kPawn && (to.rank == 0 || to.rank == 7) && promotion == 0) return false;
    return Apply(state, from, to, promotion);
}

bool InterpretSanMove(GameState& state, const CharString& token) {
    return InterpretSanMove(state, token.chars(), token.length());
}
