#include "display/move_animation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/chess/chess_test_support.h"

namespace {

// Plays moves given as "e2e4" (a fifth letter promotes: "e7e8q") through the chess code, so the
// records are the ones the saver replays.
void Play(GameState& state, const std::string& move) {
    const SquareName from = Sq(move.substr(0, 2));
    const SquareName to = Sq(move.substr(2, 2));
    const int32_t promotion =
        move.size() > 4 ? static_cast<int32_t>(std::string("pnbrqk").find(move[4])) + 1 : 0;
    ApplyMove(state, state.moves[static_cast<size_t>(state.ply)], from.file, from.rank, to.file,
              to.rank, promotion);
    ++state.ply;
}

std::unique_ptr<GameState> Played(const std::string& fen, const std::vector<std::string>& moves) {
    auto state = GameFrom(fen);
    for (const std::string& move : moves)
        Play(*state, move);
    return state;
}

TEST(MoveAnimation, ProgressEasesFromStartToEnd) {
    const struct {
        int32_t elapsed;
        int32_t progress;
    } cases[] = {{-40, 0}, {0, 0}, {125, 512}, {250, 1024}, {251, 1024}, {5000, 1024}};
    for (const auto& c : cases) {
        EXPECT_EQ(SlideProgress(c.elapsed), c.progress) << c.elapsed;
    }
    // Slow at both ends, and never backwards.
    EXPECT_LT(SlideProgress(25), 1024 * 25 / 250);
    EXPECT_GT(SlideProgress(225), 1024 * 225 / 250);
    for (int32_t t = 1; t <= 250; ++t) {
        EXPECT_GE(SlideProgress(t), SlideProgress(t - 1)) << t;
    }
}

TEST(MoveAnimation, SlidePointRunsFromCornerToCorner) {
    const PixelPoint from{600, 810};
    const PixelPoint to{870, 540};
    const struct {
        int32_t elapsed;
        PixelPoint at;
    } cases[] = {{0, {600, 810}}, {125, {735, 675}}, {250, {870, 540}}, {400, {870, 540}}};
    for (const auto& c : cases) {
        const PixelPoint at = SlidePoint(from, to, c.elapsed);
        EXPECT_EQ(at.x, c.at.x) << c.elapsed;
        EXPECT_EQ(at.y, c.at.y) << c.elapsed;
    }
}

struct TakeBackCase {
    const char* name;
    const char* fen;
    std::vector<std::string> before;
    std::string move;
};

TEST(MoveAnimation, TakingBackAMoveGivesTheBoardBeforeIt) {
    const char* castling = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const TakeBackCase cases[] = {
        {"pawn push", "", {}, "e2e4"},
        {"capture", "", {"e2e4", "d7d5"}, "e4d5"},
        {"en passant", "", {"e2e4", "a7a6", "e4e5", "d7d5"}, "e5d6"},
        {"white castles king side", castling, {}, "e1g1"},
        {"white castles queen side", castling, {}, "e1c1"},
        {"black castles queen side", castling, {"a1a2"}, "e8c8"},
        {"promotion with capture", "1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", {}, "a7b8q"}};
    for (const TakeBackCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto state = Played(c.fen, c.before);
        const std::string before = Placement(state->board);
        Play(*state, c.move);
        ASSERT_NE(Placement(state->board), before);
        Board board = state->board;
        TakeBackMove(board, state->moves[static_cast<size_t>(state->ply - 1)]);
        EXPECT_EQ(Placement(board), before);
    }
}

const BoardLayout kLayout{600, 180, 90};

int32_t Index(const std::string& name) {
    return SquareIndex(Sq(name).file, Sq(name).rank);
}

const Square& On(const BoardFrame& frame, const std::string& name) {
    return frame.board[static_cast<size_t>(Index(name))];
}

PixelPoint Corner(const std::string& name) {
    return SquareOrigin(kLayout, Sq(name).file, Sq(name).rank);
}

TEST(MoveAnimation, MidSlideThePieceTravelsOverTheBoardBeforeTheMove) {
    auto state = Played("", {"e2e4", "d7d5", "e4d5"});
    BoardFrame frame{};
    ComposeBoardFrame(*state, kLayout, 125, true, frame);
    EXPECT_EQ(On(frame, "e4").kind, kEmpty) << "the mover has left its square";
    EXPECT_EQ(On(frame, "d5").kind, kPawn) << "the taken pawn stays until the slide ends";
    EXPECT_EQ(On(frame, "d5").colour, kBlack);
    EXPECT_EQ(frame.markedFrom, Index("d7")) << "the earlier move's marks";
    EXPECT_EQ(frame.markedTo, Index("d5"));
    ASSERT_EQ(frame.slidingCount, 1);
    EXPECT_EQ(frame.sliding[0].kind, kPawn);
    EXPECT_EQ(frame.sliding[0].colour, kWhite);
    const PixelPoint e4 = Corner("e4");
    const PixelPoint d5 = Corner("d5");
    EXPECT_EQ(frame.sliding[0].at.x, (e4.x + d5.x) / 2);
    EXPECT_EQ(frame.sliding[0].at.y, (e4.y + d5.y) / 2);
}

TEST(MoveAnimation, WhenTheSlideEndsTheCaptureAndTheMarksComeTogether) {
    auto state = Played("", {"e2e4", "d7d5", "e4d5"});
    for (int32_t elapsed : {250, 1000}) {
        BoardFrame frame{};
        ComposeBoardFrame(*state, kLayout, elapsed, true, frame);
        EXPECT_EQ(frame.slidingCount, 0);
        EXPECT_EQ(Placement(frame.board), Placement(state->board));
        EXPECT_EQ(frame.markedFrom, Index("e4"));
        EXPECT_EQ(frame.markedTo, Index("d5"));
    }
}

TEST(MoveAnimation, CastlingSlidesTheRookToo) {
    auto state = Played("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {"e1g1"});
    BoardFrame frame{};
    ComposeBoardFrame(*state, kLayout, 0, true, frame);
    ASSERT_EQ(frame.slidingCount, 2);
    EXPECT_EQ(frame.sliding[0].kind, kKing);
    EXPECT_EQ(frame.sliding[0].at.x, Corner("e1").x);
    EXPECT_EQ(frame.sliding[1].kind, kRook);
    EXPECT_EQ(frame.sliding[1].at.x, Corner("h1").x);
    for (const char* square : {"e1", "f1", "g1", "h1"}) {
        EXPECT_EQ(On(frame, square).kind, kEmpty) << square;
    }
    EXPECT_EQ(frame.markedFrom, -1) << "the first move has no earlier marks";
    ComposeBoardFrame(*state, kLayout, 249, true, frame);
    EXPECT_LT(frame.sliding[1].at.x - Corner("f1").x, 2);
}

TEST(MoveAnimation, APromotedPawnTravelsAsAPawnAndLandsAsAQueen) {
    auto state = Played("1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", {"a7b8q"});
    BoardFrame frame{};
    ComposeBoardFrame(*state, kLayout, 100, true, frame);
    ASSERT_EQ(frame.slidingCount, 1);
    EXPECT_EQ(frame.sliding[0].kind, kPawn);
    EXPECT_EQ(On(frame, "b8").kind, kKnight);
    ComposeBoardFrame(*state, kLayout, 300, true, frame);
    EXPECT_EQ(On(frame, "b8").kind, kQueen);
}

TEST(MoveAnimation, EnPassantKeepsTheTakenPawnUntilTheEnd) {
    auto state = Played("", {"e2e4", "a7a6", "e4e5", "d7d5", "e5d6"});
    BoardFrame frame{};
    ComposeBoardFrame(*state, kLayout, 100, true, frame);
    EXPECT_EQ(On(frame, "d5").kind, kPawn);
    EXPECT_EQ(On(frame, "d6").kind, kEmpty);
    ComposeBoardFrame(*state, kLayout, 250, true, frame);
    EXPECT_EQ(On(frame, "d5").kind, kEmpty);
    EXPECT_EQ(On(frame, "d6").kind, kPawn);
}

TEST(MoveAnimation, NoSlideAtTheStartAndNoMarksWhenTheyAreOff) {
    auto state = Played("", {"e2e4", "e7e5"});
    BoardFrame frame{};
    ComposeBoardFrame(*state, kLayout, 50, false, frame);
    EXPECT_EQ(frame.slidingCount, 1);
    EXPECT_EQ(frame.markedFrom, -1);
    EXPECT_EQ(frame.markedTo, -1);
    state->ply = 0;
    ResetGame(*state, false);
    ComposeBoardFrame(*state, kLayout, 50, true, frame);
    EXPECT_EQ(frame.slidingCount, 0);
    EXPECT_EQ(frame.markedFrom, -1);
    EXPECT_FALSE(IsSliding(*state, 0));
}

TEST(MoveAnimation, AFrameChangesOnlyTheSquaresTheMoveTouches) {
    const struct {
        const char* name;
        const char* fen;
        std::vector<std::string> moves;
        const char* topLeft;      // square whose corner is the bounds' top-left
        const char* bottomRight;  // square whose far corner is the bounds' bottom-right
    } cases[] = {
        {"pawn push", "", {"e2e4"}, "e4", "e2"},
        {"knight jump", "", {"g1f3"}, "f3", "g1"},
        {"castling queen side takes the rook's a1",
         "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
         {"e1c1"},
         "a1",
         "e1"},
        {"black castles king side", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", {"e8g8"}, "e8", "h8"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto state = Played(c.fen, c.moves);
        const TextBand bounds = SlideArea(*state, kLayout);
        EXPECT_EQ(bounds.left, Corner(c.topLeft).x);
        EXPECT_EQ(bounds.top, Corner(c.topLeft).y);
        EXPECT_EQ(bounds.right, Corner(c.bottomRight).x + kLayout.cellSize);
        EXPECT_EQ(bounds.bottom, Corner(c.bottomRight).y + kLayout.cellSize);
    }
    auto start = Played("", {});
    const TextBand none = SlideArea(*start, kLayout);
    EXPECT_EQ(none.right, none.left);
}

}  // namespace
