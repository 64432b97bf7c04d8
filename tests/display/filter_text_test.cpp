#include "display/filter_text.h"

#include <gtest/gtest.h>

namespace {

TEST(FilterText, NamesEachFilterThatIsOnWhenNoGamePasses) {
    EXPECT_EQ(NoGamePassesText("twic1599.pgn", false, GameFilters{2700, true, " Carlsen "}),
              "No game of twic1599.pgn passes the filters:\n"
              "Minimum rating 2700 for both players\n"
              "Decisive games only\n"
              "Player \"Carlsen\"");
    EXPECT_EQ(NoGamePassesText("/home/ann/games", true, GameFilters{0, false, "Tal"}),
              "No game in the folder /home/ann/games passes the filters:\n"
              "Player \"Tal\"");
}

TEST(FilterText, SaysWhatRefusedAGame) {
    const GameFilters all{2700, true, "Carlsen"};
    const struct {
        ListedGame game;
        const char* text;
    } cases[] = {
        {{0, 2650, 0, GameResult::Draw, kRefusedRating | kRefusedNotDecisive},
         "minimum rating 2700: White 2650, Black unrated; decisive games only: Result 1/2-1/2"},
        {{0, 2800, 2800, GameResult::Missing, kRefusedNotDecisive | kRefusedPlayer},
         "decisive games only: Result none; player \"Carlsen\" is neither White nor Black"},
        {{0, 2800, 2800, GameResult::WhiteWins, 0}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RefusalText(c.game, all), c.text);
}

}  // namespace
