#include "chess/fen_setup.h"

#include <cstdint>

#include "chess/castling.h"
#include "chess/notation.h"
#include "text/word_list.h"

namespace {

// What a field the text leaves out stands for. A hand-written FEN often stops after the
// placement or after the side to move; its writer means White to move, no castling, no en
// passant and a fresh game's counters, so a missing field reads as exactly that.
constexpr const char* kMissingFieldTexts[] = {"", "w", "-", "-", "0", "1"};

CharString Field(const WordList& fields, int32_t n) {
    CharString text(kMissingFieldTexts[n]);
    line(fields, n, text);
    return text;
}

// Kind (1 to 6) of a piece letter and its colour; kEmpty for any other character.
int32_t PieceOfLetter(unsigned char ch, int32_t& colour) {
    const bool lowerCase = ch >= 'a' && ch <= 'z';
    colour = lowerCase ? kBlack : kWhite;
    return KindOfLetter(lowerCase ? static_cast<unsigned char>(ch - 'a' + 'A') : ch);
}

// The placement field, read from a8 onward. Unknown characters are skipped without moving the
// cursor; pieces that would land off the board are dropped.
void ReadPlacement(GameState& state, const CharString& placement) {
    for (Square& square : state.board)
        square = Square{kEmpty, kWhite, 0};
    int32_t file = 0;
    int32_t rank = 7;
    for (int32_t i = 0; i < placement.length(); ++i) {
        const unsigned char ch = placement.at(i);
        int32_t colour = kWhite;
        const int32_t kind = PieceOfLetter(ch, colour);
        if (kind != kEmpty) {
            if (OnBoard(file, rank)) At(state, file, rank) = Square{kind, colour, 0};
            ++file;
        } else if (ch == '/' || ch == '8') {
            rank -= 1;
            file = 0;
            // An "8" is a whole empty rank; the "/" that closes it is taken as read.
            if (ch == '8') ++i;
        } else if (ch >= '1' && ch <= '7') {
            file += ch - '0';
        }
    }
}

uint32_t CastlingRightsOf(const CharString& field) {
    uint32_t flags = 0;
    for (int32_t i = 0; i < field.length(); ++i) {
        switch (field.at(i)) {
            case 'K':
                flags |= kWhiteKingSide;
                break;
            case 'Q':
                flags |= kWhiteQueenSide;
                break;
            case 'k':
                flags |= kBlackKingSide;
                break;
            case 'q':
                flags |= kBlackQueenSide;
                break;
            default:
                break;
        }
    }
    return flags;
}

// The rights whose king and rook stand on their home squares. A FEN text may grant others (a
// Chess960 text does); kept, they would let a rook that reaches the corner later castle.
uint32_t UsableRights(const GameState& state) {
    uint32_t usable = 0;
    for (const int32_t colour : {kWhite, kBlack}) {
        const int32_t home = HomeRank(colour);
        const Square& king = At(state, kCastlingKingFile, home);
        if (king.kind != kKing || king.colour != colour) continue;
        for (const CastlingSide& side : kCastlingSides) {
            const Square& rook = At(state, side.rookFile, home);
            if (rook.kind == kRook && rook.colour == colour) usable |= CastlingRight(colour, side);
        }
    }
    return usable;
}

// Only the file of the target square matters: the rank follows from the side to move.
uint32_t EnPassantOf(const CharString& field) {
    if (field.length() != 2 || field.at(0) < 'a' || field.at(0) > 'h') return 0;
    return kEnPassantPossible | static_cast<uint32_t>(field.at(0) - 'a');
}

// The leading decimal number of a field: an optional sign, then digits; 0 when there is none.
// Held within 32 bits.
int32_t LeadingNumber(const CharString& field) {
    int32_t i = 0;
    const bool negative = field.at(0) == '-';
    if (field.at(0) == '-' || field.at(0) == '+') ++i;
    int64_t value = 0;
    for (; i < field.length() && field.at(i) >= '0' && field.at(i) <= '9'; ++i) {
        value = value * 10 + (field.at(i) - '0');
        if (value > INT32_MAX) value = int64_t{INT32_MAX} + 1;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    return static_cast<int32_t>(value);
}

}  // namespace

void SetupFromFen(GameState& state, const CharString& fen) {
    // Six fields are all a FEN has; a tag of a megabyte of fields is not split past them.
    const WordList fields = SplitWords(fen, 6);
    ReadPlacement(state, Field(fields, 0));
    SyncView(state);
    const CharString side = Field(fields, 1);
    state.startSide = side.at(0) == 'w' || side.at(0) == 'W' ? kWhite : kBlack;
    state.sideToMove = state.startSide;
    const uint32_t rights = CastlingRightsOf(Field(fields, 2)) & UsableRights(state);
    state.flags = rights | EnPassantOf(Field(fields, 3));
    state.startFlags = state.flags;
    state.halfmoveClock = LeadingNumber(Field(fields, 4));
    state.fullmoveNumber = LeadingNumber(Field(fields, 5));
    state.startBoard = state.board;
    state.hasStartPosition = 1;
    state.ply = 0;
}
