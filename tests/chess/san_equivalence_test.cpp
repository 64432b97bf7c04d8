// The interpreter's targeted search against the generator-based reference: the same decision on
// every SAN form, every refusal, and every position of the shared real games; and the movement
// model against the reference rules in each of those positions.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "chess/notation.h"
#include "chess/san_move.h"
#include "pgn/pgn_reader.h"
#include "tests/chess/chess_test_support.h"
#include "tests/chess/movement_comparison.h"
#include "tests/chess/san_reference.h"
#include "tests/pgn/pgn_test_support.h"

namespace {

// The real games hold some 230,000 positions; a routine run compares every 8th of them (every
// 64th in instrumented and emulated runs). QUORVANE_SAN_SWEEP_STRIDE=1 compares them all.
#ifdef QUORVANE_SAN_SWEEP_SHORT
constexpr int64_t kDefaultStride = 64;
#else
constexpr int64_t kDefaultStride = 8;
#endif

int64_t PositionStride() {
    const char* text = std::getenv("QUORVANE_SAN_SWEEP_STRIDE");
    const int64_t stride = text != nullptr ? std::atoll(text) : kDefaultStride;
    return stride > 0 ? stride : 1;
}

const std::vector<std::string> kLetters = {"", "P", "N", "B", "R", "Q", "K"};

// Written wrong in every way the interpreter must refuse, or read leniently.
const std::vector<std::string> kOddTokens = {
    "",      "O-O",     "O-O-O",   "OO",    "OOO",    "O-O+",    "O-O-O#",  "0-0",      "0-0-0",
    "o-o",   "O-O-O-O", "OOOO",    "O",     "Oe4",    "Kg1",     "Kc1",     "Ke1g1",    "Ke8c8",
    "Kg8",   "e4!",     "Nf3?!",   "e4.",   "1-0",    "0-1",     "1/2-1/2", "*",        "Z4",
    "N",     "Nf",      "Nf9",     "Ni3",   "N0f3",   "Ngg1f3",  "e8=q",    "e8=K",     "e8=Q",
    "e1=R",  "e8",      "exd8=N+", "e7e8",  "Pe7e8Q", "Qh4xe1#", "QQ",      "NN",       "e",
    "8",     "ee",      "88",      "a1a1",  "h8h8",   "a1a1a1",  "Ng1f3Q",  "PPe4",     "Pe2e4",
    "e2-e4", "x",       "xxxxxxx", "e4 e5", "e 4",    "N-f-3",   "+#+Nf3",  "Nf3+!",    "nf3",
    "bc4",   "Bb",      "B1",      "R11",   "Raa",    "Q9a1",    "Kx",      "exd6e.p.", "e4e5"};

// Every legal move of the side to move, through the generator.
std::vector<CandidateMove> LegalMoves(GameState& state) {
    std::vector<CandidateMove> moves;
    for (int32_t rank = 0; rank < 8; ++rank) {
        for (int32_t file = 0; file < 8; ++file) {
            const Square& square = At(state, file, rank);
            if (square.kind == kEmpty || square.colour != state.sideToMove) continue;
            GenerateCandidates(state, state.sideToMove, file, rank);
            for (int32_t i = 0; i < state.candidateCount; ++i)
                moves.push_back(state.candidates[static_cast<size_t>(i)]);
        }
    }
    return moves;
}

struct Sweep {
    int64_t positions = 0;
    int64_t tokens = 0;
    int64_t decoded = 0;
    std::vector<std::string> differences;

    void Note(const std::string& where, const std::string& difference) {
        if (!difference.empty() && differences.size() < 20)
            differences.push_back(where + ": " + difference);
    }

    void Compare(GameState& state, const std::string& token, const std::string& where) {
        ++tokens;
        const CharString text(token.data(), static_cast<int32_t>(token.size()));
        const SanComparison comparison = CompareSanDecoders(state, text);
        decoded += comparison.decoded ? 1 : 0;
        Note(where, comparison.difference);
    }
};

// The side to move as the interpreter will take it from the ply.
void SetSideForPly(GameState& state) {
    state.sideToMove = SideForPly(state);
}

// For every legal destination, the destination-only token with every piece letter (the
// ambiguity count); for every legal move, its file, rank and origin forms; then the odd tokens.
void SweepPosition(GameState& state, Sweep& sweep, const std::string& where) {
    ++sweep.positions;
    SetSideForPly(state);
    sweep.Note(where, CompareMovement(state, false));
    const std::vector<CandidateMove> moves = LegalMoves(state);
    bool destination[64] = {};
    for (const CandidateMove& move : moves) {
        const int32_t kind = At(state, move.fromFile, move.fromRank).kind;
        const std::string to = NameOf(move.toFile, move.toRank);
        const bool lastRank = kind == kPawn && (move.toRank == 0 || move.toRank == 7);
        const std::string promotion = lastRank ? "=Q" : "";
        const std::string letter =
            kind == kPawn ? "" : std::string(1, kPieceLetters[static_cast<size_t>(kind)]);
        const std::string file(1, static_cast<char>('a' + move.fromFile));
        const std::string rank(1, static_cast<char>('1' + move.fromRank));
        sweep.Compare(state, letter + file + "x" + to + promotion, where);
        sweep.Compare(state, (kind == kPawn ? "P" : letter) + rank + to + promotion, where);
        sweep.Compare(state, letter + file + rank + to + (lastRank ? "N" : ""), where);
        destination[SquareIndex(move.toFile, move.toRank)] = true;
    }
    for (int32_t index = 0; index < 64; ++index) {
        if (!destination[index]) continue;
        const std::string to = NameOf(index % 8, index / 8);
        for (const std::string& letter : kLetters)
            sweep.Compare(state, letter + to + (index < 8 || index >= 56 ? "Q" : "+"), where);
    }
    for (const std::string& token : kOddTokens)
        sweep.Compare(state, token, where);
}

struct TableCase {
    const char* name;
    const char* fen;      // "" for the initial position
    uint32_t extraFlags;  // flags forced after the set-up, which drops rights it cannot use
    const char* before;   // tokens decoded first
};

// Positions where the decision has a corner to cut: pins, checks, en passant, castling rights
// in every state, promotions, several pieces of a kind, and set-ups no game reaches.
const std::vector<TableCase> kTableCases = {
    {"initial", "", 0, ""},
    {"after 1. e4", "", 0, "e4"},
    {"two knights on d2", "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", 0, ""},
    {"rooks on a file", "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", 0, ""},
    {"rooks on a rank", "4k3/8/8/8/8/8/4K3/R6R w - - 0 1", 0, ""},
    {"three queens", "4k3/8/8/8/1Q3Q2/8/8/1Q2K3 w - - 0 1", 0, ""},
    {"four knights around e4", "4k3/8/3N1N2/2N5/6N1/8/8/4K3 w - - 0 1", 0, ""},
    {"castling both ways", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 0, ""},
    {"black castles", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", 0, ""},
    {"castling through check", "4k3/8/b7/8/8/8/8/R3K2R w KQ - 0 1", 0, ""},
    {"castling out of check", "4r2k/8/8/8/8/8/8/R3K2R w KQ - 0 1", 0, ""},
    {"rights without rooks", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", 0xF0, ""},
    {"rights with the king off e1", "4k3/8/8/8/8/8/8/R4K1R w - - 0 1", 0xF0, ""},
    {"rights with bishops in the corners", "b3k2b/8/8/8/8/8/8/B3K2B w - - 0 1", 0xF0, ""},
    {"a knight on b1 blocks O-O-O", "4k3/8/8/8/8/8/8/RN2K3 w Q - 0 1", 0, ""},
    {"pins", "4k3/4r3/8/b7/8/2N5/3BR3/4K3 w - - 0 1", 0, ""},
    {"check by a knight", "4k3/8/8/8/8/3n4/8/R3K2R w KQ - 0 1", 0, ""},
    {"double check", "4k3/8/8/8/1b6/8/3n4/R3K2R w KQ - 0 1", 0, ""},
    {"en passant", "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", 0, ""},
    {"en passant both sides", "4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1", 0, ""},
    {"en passant opening the rank", "8/8/8/K2pP2r/8/8/8/4k3 w - d6 0 1", 0, ""},
    {"en passant taking the checker", "4k3/8/8/3pP3/4K3/8/8/8 w - d6 0 1", 0, ""},
    {"black en passant", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", 0, ""},
    {"en passant file without a pawn", "4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", 0, ""},
    {"promotions", "1n2k3/P1P5/8/8/8/8/p1p5/1N2K3 w - - 0 1", 0, ""},
    {"black promotions", "1n2k3/P1P5/8/8/8/8/p1p5/1N2K3 b - - 0 1", 0, ""},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 0, ""},
    {"position 4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 0, ""},
    {"no white king", "4k3/8/8/8/4r3/8/8/3R4 w - - 0 1", 0, ""},
    {"two white kings", "4k3/8/8/8/8/8/K6K/r7 w - - 0 1", 0, ""},
    {"pawns on their own back ranks", "p3k2P/8/8/8/8/8/8/P3K2p w - - 0 1", 0, ""},
    {"kings side by side", "8/8/8/8/8/4k3/8/4K3 w - - 0 1", 0, ""},
    {"empty board", "8/8/8/8/8/8/8/8 w - - 0 1", 0, ""},
};

// Every token of the SAN alphabet's shapes: each piece letter (or none), no disambiguation or
// any file, rank or square, every destination, with and without a promotion letter.
TEST(SanDecoders, AgreeOnEveryFormInChosenPositions) {
    Sweep sweep;
    for (const TableCase& c : kTableCases) {
        auto state = GameFrom(c.fen);
        state->flags |= c.extraFlags;
        std::istringstream before(c.before);
        for (std::string token; before >> token;)
            ASSERT_TRUE(InterpretSanMove(*state, CharString(token.c_str()))) << c.name;
        SetSideForPly(*state);
        sweep.Note(c.name, CompareMovement(*state, true));
        std::vector<std::string> disambiguations = {""};
        for (int32_t i = 0; i < 8; ++i) {
            disambiguations.push_back(std::string(1, static_cast<char>('a' + i)));
            disambiguations.push_back(std::string(1, static_cast<char>('1' + i)));
        }
        for (int32_t index = 0; index < 64; ++index)
            disambiguations.push_back(NameOf(index % 8, index / 8));
        for (const std::string& letter : kLetters) {
            for (const std::string& from : disambiguations) {
                for (int32_t index = 0; index < 64; ++index) {
                    const std::string token = letter + from + NameOf(index % 8, index / 8);
                    sweep.Compare(*state, token, c.name);
                    if (index < 8 || index >= 56) sweep.Compare(*state, token + "R", c.name);
                }
            }
        }
        for (const std::string& token : kOddTokens)
            sweep.Compare(*state, token, c.name);
        // The other side's moves from the same position.
        state->ply += 1;
        SweepPosition(*state, sweep, std::string(c.name) + ", other side");
    }
    for (const std::string& difference : sweep.differences)
        ADD_FAILURE() << difference;
    std::printf("%lld tokens compared, %lld decoded\n", static_cast<long long>(sweep.tokens),
                static_cast<long long>(sweep.decoded));
    EXPECT_GT(sweep.decoded, 1000);
}

TEST(SanDecoders, AgreeOnEveryPositionOfTheRealGames) {
    const std::filesystem::path shared = SharedPgnFolder();
    if (shared.empty()) GTEST_SKIP() << "no shared PGN folder";
    const auto start = std::chrono::steady_clock::now();
    Sweep sweep;
    auto state = std::make_unique<GameState>();
    GameInfo info{};
    const int64_t stride = PositionStride();
    int64_t positionNumber = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(shared)) {
        if (entry.path().extension() != ".pgn") continue;
        const CharString text = ReadPgnText(entry.path());
        GameTextCursor cursor = FirstGameOf(text);
        GameSpan span{};
        for (int32_t game = 0; NextGameSpan(cursor, span); ++game) {
            const ParseOutcome outcome = ParseGame(*state, info, text.mid(span.start, span.length));
            state->moveCount = outcome.pliesDecoded + 1;
            for (int32_t ply = 0; ply <= outcome.pliesDecoded; ++ply) {
                if (positionNumber++ % stride != 0) continue;
                ReplayPlies(*state, ply);
                SweepPosition(*state, sweep,
                              entry.path().filename().string() + " game " + std::to_string(game) +
                                  " ply " + std::to_string(ply));
            }
        }
    }
    for (const std::string& difference : sweep.differences)
        ADD_FAILURE() << difference;
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%lld of %lld positions, %lld tokens compared, %lld decoded, %.1f s\n",
                static_cast<long long>(sweep.positions), static_cast<long long>(positionNumber),
                static_cast<long long>(sweep.tokens), static_cast<long long>(sweep.decoded),
                seconds.count());
    EXPECT_GT(sweep.positions, positionNumber / stride - 1);
    EXPECT_GT(sweep.decoded, sweep.positions * 10) << "the legal moves' tokens decode";
}

}  // namespace
