// FEN output and the reasons a game stops early: the tool's view of what the reader decoded.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pgn/pgn_fen_format.h"
#include "pgn/pgn_reader.h"
#include "pgn/pgn_refusal.h"
#include "pgn_test_support.h"

namespace {

struct Decoded {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    GameInfo info{};
    CharString text;
    ParseOutcome outcome{};

    explicit Decoded(const std::string& gameText) : text(Bytes(gameText)) {
        outcome = ParseGame(*state, info, text);
    }
};

struct FenCase {
    const char* name;
    std::string gameText;
    std::string fen;
};

TEST(FormatFen, DescribesTheDecodedPosition) {
    const std::vector<FenCase> cases = {
        {"no move", "[E \"x\"] *", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"a double step leaves its en-passant square", "[E \"x\"] 1. e4",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"},
        {"Black's double step, then a knight move counts a halfmove", "[E \"x\"] 1. e4 c5 2. Nf3",
         "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2"},
        {"a capture resets the halfmove clock", "[E \"x\"] 1. e4 d5 2. Nc3 Nf6 3. exd5",
         "rnbqkb1r/ppp1pppp/5n2/3P4/8/2N5/PPPP1PPP/R1BQKBNR b KQkq - 0 3"},
        {"castling and a king move take the rights",
         "[E \"x\"] 1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 "
         "4. O-O Ke7",
         "rnbq3r/ppppkppp/5n2/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQ1RK1 w - - 6 5"},
        {"the counters run on from the FEN", "[FEN \"4k3/8/8/8/8/8/8/4K2R b K - 10 30\"] 1... Kd7",
         "8/3k4/8/8/8/8/8/4K2R w K - 11 31"},
        {"a right without its rook is not written", "[FEN \"r3k2r/8/8/8/8/8/8/R3K3 w KQkq - 0 1\"]",
         "r3k2r/8/8/8/8/8/8/R3K3 w Qkq - 0 1"},
        {"counters at the largest 32-bit value run on",
         "[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 2147483647 2147483647\"] 1... Kd7",
         "8/3k4/8/8/8/8/8/4K3 w - - 2147483648 2147483648"},
        {"a promotion", "[FEN \"8/4P3/8/8/8/8/8/k6K w - - 0 1\"] 1. e8=N",
         "4N3/8/8/8/8/8/8/k6K b - - 0 1"},
    };
    for (const FenCase& c : cases) {
        const Decoded decoded(c.gameText);
        EXPECT_EQ(decoded.outcome.refused.length, 0) << c.name;
        EXPECT_EQ(Str(FormatFen(*decoded.state)), c.fen) << c.name;
    }
}

TEST(FormatFen, CountsOnlyThePliesOnTheBoard) {
    Decoded decoded("[E \"x\"] 1. Nf3 Nf6 2. Ng1 Ng8 3. e4");
    decoded.state->moveCount = decoded.state->ply + 1;
    ReplayPlies(*decoded.state, 3);
    EXPECT_EQ(Str(FormatFen(*decoded.state)),
              "rnbqkb1r/pppppppp/5n2/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 3 2");
    EXPECT_EQ(SideToMoveAfterPlies(*decoded.state), kBlack);
}

struct StopCase {
    const char* name;
    std::string gameText;
    std::string refused;
    StopReason reason;
};

TEST(ClassifyStop, NamesWhyDecodingStopped) {
    const std::string promotion = "[FEN \"8/4P3/8/8/8/8/8/k6K w - - 0 1\"] ";
    std::string longGame = "[E \"x\"] ";
    for (int i = 0; i < 101; ++i)
        longGame += "Nf3 Nf6 Ng1 Ng8 ";
    const std::vector<StopCase> cases = {
        {"a whole game", "[E \"x\"] 1. e4 e5 *", "", StopReason::None},
        {"more than 400 plies", longGame, "", StopReason::TooManyPlies},
        {"castling with zeros is castling", "[E \"x\"] 1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0 Nf6",
         "", StopReason::None},
        {"castling with zeros that is not possible", "[E \"x\"] 1. 0-0-0+", "0-0-0",
         StopReason::CastlingNotAllowed},
        {"a null move", "[E \"x\"] 1. e4 e5 2. -- Nc6", "Nc6", StopReason::NullMove},
        {"a comment mentioning 0-0 is not castling", "[E \"x\"] 1. e4 e5 {not 0-0} 2. Ke3", "Ke3",
         StopReason::Illegal},
        {"a piece drop", "[E \"x\"] 1. e4 e5 2. N@f3", "N", StopReason::PieceDrop},
        {"a piece letter of another language", "[E \"x\"] 1. e4 e5 2. Dh5", "h5",
         StopReason::UnknownPieceLetter},
        {"castling that is not possible", "[E \"x\"] 1. O-O", "O-O",
         StopReason::CastlingNotAllowed},
        {"a pawn reaching the last rank without a piece", promotion + "1. e8+", "e8",
         StopReason::NoPromotionPiece},
        {"a lower-case promotion letter", promotion + "1. e8=q",
         "e8=", StopReason::NoPromotionPiece},
        {"a coordinate move", "[E \"x\"] 1. e2e4 e7e5 2. g1f3", "g1f3", StopReason::CoordinateMove},
        {"an annotation run on to a move", "[E \"x\"] 1. e4 Nf6 2. e5 d5 3. exd6e.p.", "exd6e",
         StopReason::AnnotationGlued},
        {"two moves without a space", "[E \"x\"] 1. e4e5", "e4e5", StopReason::MovesRunTogether},
        {"a move of the side not to move", "[E \"x\"] 1. e4 e5 2. Nc6", "Nc6",
         StopReason::WrongSide},
        {"an ambiguous move", "[FEN \"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1\"] 1. Nd2", "Nd2",
         StopReason::Ambiguous},
        {"a disambiguation naming the wrong piece",
         "[FEN \"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1\"] 1. Ncd2", "Ncd2", StopReason::Illegal},
        {"an illegal move", "[E \"x\"] 1. Ke2", "Ke2", StopReason::Illegal},
        {"not a move at all", "[Event \"a]b\"] 1. e4", "b", StopReason::NotAMove},
        {"a castling letter that is not castling", "[E \"x\"] 1. Ob", "Ob", StopReason::NotAMove},
    };
    for (const StopCase& c : cases) {
        const Decoded decoded(c.gameText);
        EXPECT_EQ(
            Str(decoded.text.mid(decoded.outcome.refused.start, decoded.outcome.refused.length)),
            c.refused)
            << c.name;
        const StopReason reason = ClassifyStop(*decoded.state, decoded.text, decoded.outcome);
        EXPECT_EQ(reason, c.reason) << c.name << ": got " << StopReasonText(reason);
    }
}

// Refused tokens of any length get the reason a short one of the same shape gets; a classifier
// that tried every cut of a megabyte token would not finish this test.
TEST(ClassifyStop, LongTokensAreClassifiedLikeShortOnes) {
    struct Shape {
        const char* name;
        std::string head, repeated, tail;
        StopReason reason;
    };
    const std::vector<Shape> shapes = {
        {"a letter and a run of =", "a", "=", "", StopReason::NotAMove},
        {"a run of letters", "", "a", "", StopReason::NotAMove},
        {"a move, a run of = and another move", "e4", "=", "e5", StopReason::MovesRunTogether},
        {"a move, a run of x and another move", "Nf3", "x", "Nf6", StopReason::MovesRunTogether},
        {"a move and a run of letters", "e4", "a", "", StopReason::AnnotationGlued},
        {"a move, a run of = and letters", "e4", "=", "abc", StopReason::AnnotationGlued},
    };
    for (const Shape& shape : shapes) {
        for (const size_t count : {size_t{3}, size_t{1} << 20}) {
            std::string token = shape.head;
            for (size_t i = 0; i < count; ++i)
                token += shape.repeated;
            token += shape.tail;
            const Decoded decoded("[E \"x\"] 1. " + token);
            ASSERT_EQ(decoded.outcome.refused.length, static_cast<int32_t>(token.size()))
                << shape.name;
            EXPECT_EQ(ClassifyStop(*decoded.state, decoded.text, decoded.outcome), shape.reason)
                << shape.name << " of " << count;
        }
    }
}

TEST(ClassifyStop, LeavesThePositionAsItWas) {
    Decoded decoded("[FEN \"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1\"] 1. Nd2");
    const CharString before = FormatFen(*decoded.state);
    ClassifyStop(*decoded.state, decoded.text, decoded.outcome);
    EXPECT_EQ(Str(FormatFen(*decoded.state)), Str(before));
    EXPECT_EQ(decoded.state->ply, 0);
}

}  // namespace
