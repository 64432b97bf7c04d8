// The reader over the shared real PGN files: game counts, full decoding where a conforming reader
// decodes fully, and the forgiving results on the tricky files. Final positions were checked
// against pgn-extract's FEN of the same games.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pgn/pgn_fen_format.h"
#include "pgn/pgn_reader.h"
#include "pgn/pgn_refusal.h"
#include "pgn_test_support.h"

namespace {

struct ReadGame {
    std::string white, black, event;
    int32_t tokens = 0;
    int32_t surplus = 0;
    int32_t plies = 0;
    std::string refused;
    StopReason reason = StopReason::None;
    std::string fen;
    bool operator==(const ReadGame&) const = default;
};

// Every game of a file in order, through one GameInfo as the saver carries it over.
std::vector<ReadGame> ReadAllGames(const std::filesystem::path& path,
                                   GameFactsWanted wanted = GameFactsWanted::All) {
    const CharString text = ReadPgnText(path);
    auto state = std::make_unique<GameState>();
    GameInfo info{};
    std::vector<ReadGame> games;
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    while (NextGameSpan(cursor, span)) {
        const CharString gameText = text.mid(span.start, span.length);
        const ParseOutcome outcome =
            ParseGame(*state, info, gameText.chars(), gameText.length(), wanted);
        ReadGame game;
        game.white = info.white;
        game.black = info.black;
        game.event = info.event;
        game.tokens = outcome.tokensFound;
        game.surplus = outcome.surplusTokens;
        game.plies = outcome.pliesDecoded;
        game.refused = Str(gameText.mid(outcome.refused.start, outcome.refused.length));
        game.reason = ClassifyStop(*state, gameText, outcome);
        game.fen = Str(FormatFen(*state));
        games.push_back(game);
    }
    return games;
}

#define SKIP_WITHOUT_SHARED_FILES() \
    if (SharedPgnFolder().empty()) GTEST_SKIP() << "no shared PGN folder"

TEST(RealPgnFiles, TournamentOnlineAndClassicalGamesDecodeToTheirLastMove) {
    SKIP_WITHOUT_SHARED_FILES();
    const std::map<std::string, size_t> gameCounts = {
        {"twic1599_1000k.pgn", 1110}, {"lichess_db_1000k.pgn", 438},     {"Capablanca.pgn", 597},
        {"London1851.pgn", 251},      {"benchmarks_benchmark.pgn", 100},
    };
    int checked = 0;
    for (const char* folder : {"shakmaty-benches", "pgn2tex", "chess.js"}) {
        for (const std::filesystem::path& path : PgnFilesIn(folder)) {
            const std::string name = path.filename().string();
            if (name == "__tests___pgn_0.pgn") continue;  // HTML line breaks, below
            const std::vector<ReadGame> games = ReadAllGames(path);
            EXPECT_FALSE(games.empty()) << name;
            if (gameCounts.count(name) > 0) {
                EXPECT_EQ(games.size(), gameCounts.at(name)) << name;
            }
            for (size_t n = 0; n < games.size(); ++n) {
                const ReadGame& game = games[n];
                EXPECT_EQ(game.plies, game.tokens)
                    << name << " game " << n << " refused " << game.refused;
                EXPECT_EQ(game.surplus, 0) << name << " game " << n;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 2802) << "games checked in the three folders";

    const std::vector<ReadGame> capablanca =
        ReadAllGames(SharedPgnFolder() / "pgn2tex" / "Capablanca.pgn");
    ASSERT_EQ(capablanca.size(), 597u);
    // Capablanca-Najdorf, Margate 1939: 26.Rh5 takes the other rook off h6, which must not cost
    // White's king-side right, so 28.O-O is played and the game runs to its end.
    EXPECT_EQ(capablanca[587].plies, 91);
    EXPECT_EQ(capablanca[587].tokens, 91);
}

TEST(RealPgnFiles, FinalPositionsMatchAnotherReader) {
    SKIP_WITHOUT_SHARED_FILES();
    struct Expected {
        const char* file;
        bool last;  // the file's last game, else its first
        const char* fen;
    };
    const std::vector<Expected> cases = {
        {"shakmaty-benches/twic1599_1000k.pgn", false,
         "6k1/5pb1/3p2p1/3P3p/7P/1Q2rP2/1P3q2/K1NR4 w - - 3 38"},
        {"shakmaty-benches/twic1599_1000k.pgn", true,
         "5r2/3Q1p1k/pbp2p1p/1pq2P2/4NP2/1PP5/1P4PP/4R2K b - - 6 37"},
        {"shakmaty-benches/lichess_db_1000k.pgn", true,
         "1k1r1b1r/ppp2ppp/8/5b2/N1PPn3/P3P3/1P1KB1PP/7R w - - 1 19"},
        {"pgn2tex/London1851.pgn", false, "5r2/1p3P1R/p7/2k3p1/4Kp2/8/PPP3P1/8 b - - 1 28"},
        {"python-chess/kasparov-deep-blue-1997.pgn", true,
         "r1k4r/p2nb1p1/2b4p/1p1n1p2/2PP4/3Q1NB1/1P3PPP/R5K1 b - c3 0 19"},
        {"python-chess/molinari-bordais-1979.pgn", true,
         "r1bqkb1r/pp1ppppp/5n2/2p5/2P1P3/2Nn2P1/PP1PNP1P/R1BQKB1R w KQkq - 1 6"},
    };
    for (const Expected& c : cases) {
        const std::vector<ReadGame> games = ReadAllGames(SharedPgnFolder() / c.file);
        ASSERT_FALSE(games.empty()) << c.file;
        EXPECT_EQ((c.last ? games.back() : games.front()).fen, c.fen) << c.file;
    }
}

struct TrickyGame {
    const char* file;
    size_t game;
    int32_t plies;
    int32_t tokens;
    const char* refused;
    StopReason reason;
};

TEST(RealPgnFiles, TrickyFilesGiveTheForgivingResults) {
    SKIP_WITHOUT_SHARED_FILES();
    const std::vector<TrickyGame> cases = {
        // Coordinate moves: g1f3 names the knight's square without its letter.
        {"python-chess/uci-moves.pgn", 0, 0, 113, "g1f3", StopReason::CoordinateMove},
        // Crazyhouse: N@f3 yields the token N, and @ ends it.
        {"python-chess/knightvuillaume-jannlee-zh-lichess.pgn", 0, 23, 52, "N",
         StopReason::PieceDrop},
        {"python-chess/saturs-jannlee-zh-lichess.pgn", 0, 21, 146, "B", StopReason::PieceDrop},
        // The null move Z0 yields no token; Black's Ke1 is handed over for White.
        {"python-chess/anastasian-lewis.pgn", 0, 81, 83, "Ke1", StopReason::NullMove},
        // Chess960: the kings castle from other files than e.
        {"python-chess/cutechess-fischerrandom.pgn", 0, 17, 120, "O-O",
         StopReason::CastlingNotAllowed},
        {"python-chess/cutechess-fischerrandom.pgn", 1, 99, 99, "", StopReason::None},
        {"python-chess/cutechess-fischerrandom.pgn", 3, 29, 107, "O-O",
         StopReason::CastlingNotAllowed},
        // Antichess: captures are compulsory and a pawn may become a king.
        {"python-chess/antichess-programfox.pgn", 0, 24, 62, "Ra3", StopReason::Illegal},
        {"python-chess/antichess-programfox.pgn", 1, 48, 64, "fxe8=K",
         StopReason::NoPromotionPiece},
        // An empty line inside the tag section changes nothing.
        {"python-chess/chessbase-empty-line.pgn", 0, 134, 134, "", StopReason::None},
        {"python-chess/molinari-bordais-1979.pgn", 0, 10, 10, "", StopReason::None},
        // The file ends inside a move.
        {"chess-library-tests/corrupted.pgn", 0, 124, 125, "Kx", StopReason::NotAMove},
        // Castling written with zeros: Black's 0-0-0 is blocked by the queen on d8; the other
        // file castles both ways and plays on.
        {"chess-library-tests/black2move.pgn", 0, 0, 3, "0-0-0", StopReason::CastlingNotAllowed},
        {"chess-library-tests/castling.pgn", 0, 6, 6, "", StopReason::None},
        {"chess-library-tests/newline.pgn", 0, 6, 6, "", StopReason::None},
        // "[Variation "closing ] opening"]": the value ends at ], and the e and g of "opening"
        // are move text, so the first tag lines form a game of their own.
        {"chess-library-tests/square_bracket_in_header.pgn", 0, 0, 2, "e", StopReason::NotAMove},
        {"chess-library-tests/square_bracket_in_header.pgn", 1, 130, 130, "", StopReason::None},
        {"chess-library-tests/unescaped_quote_header.pgn", 0, 20, 20, "", StopReason::None},
        {"chess-library-tests/variations.pgn", 0, 108, 108, "", StopReason::None},
        {"chess-library-tests/threefold_repetition.pgn", 0, 9, 9, "", StopReason::None},
        {"chess-library-tests/non_ascii.pgn", 0, 20, 20, "", StopReason::None},
        // HTML line breaks: the b of every <br /> begins move text and a refused token.
        {"chess.js/__tests___pgn_0.pgn", 7, 0, 114, "b", StopReason::NotAMove},
    };
    for (const TrickyGame& c : cases) {
        const std::vector<ReadGame> games = ReadAllGames(SharedPgnFolder() / c.file);
        ASSERT_GT(games.size(), c.game) << c.file;
        const ReadGame& game = games[c.game];
        EXPECT_EQ(game.plies, c.plies) << c.file << " game " << c.game;
        EXPECT_EQ(game.tokens, c.tokens) << c.file << " game " << c.game;
        EXPECT_EQ(game.refused, c.refused) << c.file << " game " << c.game;
        EXPECT_EQ(game.reason, c.reason)
            << c.file << " game " << c.game << ": " << StopReasonText(game.reason);
    }
}

// quorvane-pgn check reads the moves alone: the same moves, stops and texts as a full read.
// The games as a read of the moves alone gives them: the texts of the tags are not read.
std::vector<ReadGame> MovesOf(std::vector<ReadGame> games) {
    for (ReadGame& game : games) {
        game.white = "Player 1";
        game.black = "Player 2";
        game.event.clear();
    }
    return games;
}

TEST(RealPgnFiles, ReadingTheMovesAloneDecodesTheSame) {
    SKIP_WITHOUT_SHARED_FILES();
    for (const char* folder : {"python-chess", "chess-library-tests", "shakmaty-benches"}) {
        for (const std::filesystem::path& path : PgnFilesIn(folder))
            EXPECT_TRUE(ReadAllGames(path, GameFactsWanted::MovesOnly) ==
                        MovesOf(ReadAllGames(path)))
                << path;
    }
}

TEST(RealPgnFiles, GameCountsFollowTheTagSectionRule) {
    SKIP_WITHOUT_SHARED_FILES();
    const std::vector<std::pair<const char*, size_t>> cases = {
        // Two tag sections each followed by * alone: they merge, and nothing follows.
        {"python-chess/utf8-bom.pgn", 0},
        {"chess-library-tests/no_moves.pgn", 0},
        {"chess-library-tests/no_moves_two_games.pgn", 0},
        {"chess-library-tests/no_result.pgn", 0},
        {"chess-library-tests/no_moves_but_game_termination.pgn", 1},
        {"chess-library-tests/no_moves_but_game_termination_3.pgn", 0},
        {"chess-library-tests/no_moves_but_game_termination_multiple_2.pgn", 3},
        {"chess-library-tests/no_moves_but_comment_followed_by_termination_marker.pgn", 2},
        {"chess-library-tests/multiple.pgn", 4},
        {"chess.js/__tests___pgn_0.pgn", 8},
        {"scalachess/FWWRC.pgn", 0},
        {"scalachess/uzchesscup.pgn", 0},
    };
    for (const auto& [file, count] : cases)
        EXPECT_EQ(ReadAllGames(SharedPgnFolder() / file).size(), count) << file;
}

TEST(RealPgnFiles, TextsAreTakenByteForByte) {
    SKIP_WITHOUT_SHARED_FILES();
    const ReadGame accents =
        ReadAllGames(SharedPgnFolder() / "chess-library-tests/non_ascii.pgn")[0];
    EXPECT_EQ(accents.white,
              "Jos\xC3\xA9 Mar\xC3\xAD"
              "a");
    EXPECT_EQ(accents.event, "Tournoi Fran\xC3\xA7ois");
    const ReadGame quotes =
        ReadAllGames(SharedPgnFolder() / "chess-library-tests/unescaped_quote_header.pgn")[0];
    EXPECT_EQ(quotes.white, "Smith, John \"The King\"");
    EXPECT_EQ(quotes.event, "Tournament \"Championship\" Finals");
    const ReadGame escaped =
        ReadAllGames(SharedPgnFolder() / "chess-library-tests/square_bracket_in_header.pgn")[1];
    EXPECT_EQ(escaped.white, "New-cfe8\\\"dsadsa\\\"ce842c");
}

TEST(RealPgnFiles, AFileWithoutAGameLeavesTheSaverAtTheInitialPosition) {
    SKIP_WITHOUT_SHARED_FILES();
    const CharString text = ReadPgnText(SharedPgnFolder() / "python-chess/utf8-bom.pgn");
    auto state = std::make_unique<GameState>();
    GameInfo info{};
    int32_t number = 0;
    LoadCurrentGame(*state, info, number, text);
    EXPECT_EQ(state->moveCount, 0);
    EXPECT_STREQ(info.event, "");
    EXPECT_EQ(Str(FormatFen(*state)), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
}

}  // namespace
