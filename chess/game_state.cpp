#include "chess/game_state.h"

#include <memory>

#include "chess/castling.h"

namespace {

constexpr uint32_t kInitialFlags = kCastlingRights;
constexpr std::array<int32_t, 8> kBackRankKinds = {kRook, kKnight, kBishop, kQueen,
                                                   kKing, kBishop, kKnight, kRook};

void ClearBoard(Board& board) {
    for (Square& square : board)
        square = Square{kEmpty, kWhite, 0};
}

// The two writes a move makes to a square, on the board and in its view alike.
void EmptySquare(GameState& state, int32_t file, int32_t rank) {
    Square& square = At(state, file, rank);
    if (square.kind == kEmpty) return;
    RemoveFromView(state.view, SquareIndex(file, rank), square.kind, square.colour);
    square.kind = kEmpty;
}

void PlacePiece(GameState& state, int32_t file, int32_t rank, int32_t kind, int32_t colour) {
    EmptySquare(state, file, rank);
    Square& square = At(state, file, rank);
    square.kind = kind;
    square.colour = colour;
    AddToView(state.view, SquareIndex(file, rank), kind, colour);
}

// Steps 1 and 2 of a move: what is known before the board changes.
void StartRecord(GameState& state, MoveRecord& record, int32_t fromFile, int32_t fromRank,
                 int32_t toFile, int32_t toRank) {
    const Square& piece = At(state, fromFile, fromRank);
    record.fromFile = fromFile;
    record.fromRank = fromRank;
    record.toFile = toFile;
    record.toRank = toRank;
    record.pieceKind = piece.kind;
    record.pieceColour = piece.colour;
    record.capturedKind = At(state, toFile, toRank).kind;
    record.placedKind = piece.kind;
    record.secondKind = 0;
    record.secondFromFile = -1;
    record.secondToFile = -1;
    record.flagsBefore = state.flags;
}

void ApplyPawnRules(GameState& state, MoveRecord& record, int32_t promotion) {
    if (record.toRank == HomeRank(OtherColour(record.pieceColour))) record.placedKind = promotion;
    const bool doubleStep = (record.fromRank == 1 && record.toRank == 3) ||
                            (record.fromRank == 6 && record.toRank == 4);
    if (doubleStep) state.flags |= kEnPassantPossible | static_cast<uint32_t>(record.fromFile);
}

// A pawn moving diagonally onto an empty square takes the pawn it passed.
void TakeEnPassant(GameState& state, MoveRecord& record) {
    if (record.fromFile == record.toFile || record.capturedKind != kEmpty) return;
    const bool movingUp = record.fromRank < record.toRank;
    record.secondKind = kPawn;
    record.secondFromFile = record.toFile;
    record.secondFromRank = movingUp ? record.toRank - 1 : record.toRank + 1;
    record.secondColour = movingUp ? kBlack : kWhite;
    EmptySquare(state, record.secondFromFile, record.secondFromRank);
}

// The rook goes along only when it stands on its corner: a two-square king move without it
// (possible only from a FEN set-up) moves the king alone rather than conjure a rook.
void MoveCastlingRook(GameState& state, MoveRecord& record) {
    if (record.fromFile != kCastlingKingFile || (record.fromRank != 0 && record.fromRank != 7))
        return;
    const int32_t colour = record.fromRank == 0 ? kWhite : kBlack;
    for (const CastlingSide& side : kCastlingSides) {
        if (record.toFile != side.kingToFile) continue;
        const Square& rook = At(state, side.rookFile, record.fromRank);
        if (rook.kind != kRook || rook.colour != colour) return;
        EmptySquare(state, side.rookFile, record.fromRank);
        PlacePiece(state, side.rookToFile, record.fromRank, kRook, colour);
        record.secondKind = kRook;
        record.secondColour = colour;
        record.secondFromFile = side.rookFile;
        record.secondFromRank = record.fromRank;
        record.secondToFile = side.rookToFile;
        record.secondToRank = record.fromRank;
    }
}

// The right that belongs to a rook on this file: file a is the queen's side, file h the king's.
uint32_t CornerRight(int32_t colour, int32_t file) {
    for (const CastlingSide& side : kCastlingSides) {
        if (file == side.rookFile) return CastlingRight(colour, side);
    }
    return 0;
}

// A rook taken on its own corner takes its side's right with it; otherwise a later rook arriving
// on that corner could castle on a right its side lost.
void ClearCapturedRookRight(GameState& state, const MoveRecord& record) {
    if (record.capturedKind != kRook) return;
    const int32_t capturedColour = At(state, record.toFile, record.toRank).colour;
    if (record.toRank != HomeRank(capturedColour)) return;
    state.flags &= ~CornerRight(capturedColour, record.toFile);
}

}  // namespace

void SyncView(GameState& state) {
    state.view = BoardView{};
    for (int32_t index = 0; index < 64; ++index) {
        const Square& square = state.board[static_cast<size_t>(index)];
        if (square.kind != kEmpty) AddToView(state.view, index, square.kind, square.colour);
    }
}

namespace {

// Clears the board and places the 32 pieces of the initial position.
void PlaceInitialPieces(GameState& state) {
    ClearBoard(state.board);
    for (int32_t file = 0; file < 8; ++file) {
        const int32_t kind = kBackRankKinds[static_cast<size_t>(file)];
        PlacePiece(state, file, 0, kind, kWhite);
        PlacePiece(state, file, 1, kPawn, kWhite);
        PlacePiece(state, file, 6, kPawn, kBlack);
        PlacePiece(state, file, 7, kind, kBlack);
    }
    SyncView(state);
}

}  // namespace

void SetInitialPosition(GameState& state) {
    // Every game read starts here: the position is placed once, then copied.
    static const std::unique_ptr<GameState> initial = [] {
        auto placed = std::make_unique<GameState>();
        PlaceInitialPieces(*placed);
        return placed;
    }();
    state.board = initial->board;
    state.view = initial->view;
}

void ResetGame(GameState& state, bool useStartPosition) {
    state.ply = 0;
    if (useStartPosition) {
        state.flags = state.startFlags;
        state.board = state.startBoard;
        SyncView(state);
        state.sideToMove = state.startSide;
        state.hasStartPosition = 1;
        return;
    }
    state.sideToMove = kWhite;
    state.startSide = kWhite;
    state.flags = kInitialFlags;
    SetInitialPosition(state);
    state.halfmoveClock = 0;
    state.hasStartPosition = 0;
    state.fullmoveNumber = 1;
}

void ApplyMove(GameState& state, MoveRecord& record, int32_t fromFile, int32_t fromRank,
               int32_t toFile, int32_t toRank, int32_t promotion) {
    StartRecord(state, record, fromFile, fromRank, toFile, toRank);
    // Any en-passant possibility ends with every move.
    state.flags &= kCastlingRights;
    const int32_t colour = record.pieceColour;
    if (record.pieceKind == kPawn) {
        ApplyPawnRules(state, record, promotion);
        TakeEnPassant(state, record);
    } else if (record.pieceKind == kKing) {
        MoveCastlingRook(state, record);
        state.flags &= ~(KingSideRight(colour) | QueenSideRight(colour));
    } else if (record.pieceKind == kRook && fromRank == HomeRank(colour)) {
        // Only a rook leaving its own corner costs a right: the other rook crossing h5 does not.
        state.flags &= ~CornerRight(colour, fromFile);
    }
    ClearCapturedRookRight(state, record);
    PlacePiece(state, toFile, toRank, record.placedKind, colour);
    EmptySquare(state, fromFile, fromRank);
}

void ReplayPlies(GameState& state, int32_t n) {
    ResetGame(state, state.hasStartPosition != 0);
    const int32_t count = n < kMaxPlies ? n : kMaxPlies;
    for (int32_t i = 0; i < count; ++i) {
        MoveRecord& record = state.moves[static_cast<size_t>(i)];
        ApplyMove(state, record, record.fromFile, record.fromRank, record.toFile, record.toRank,
                  record.placedKind);
        state.ply += 1;
        state.sideToMove = OtherColour(state.sideToMove);
    }
}
