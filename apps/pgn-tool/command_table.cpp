#include <cstdio>

#include "apps/pgn-tool/commands.h"

const Command kCommands[] = {
    {"list", "FILE [--jsonl]",
     "One line per game, numbered as the saver numbers them from 0: number, White, Black,\n"
     "Date, Event (as the saver shows them), plies decoded / move tokens found, and the first\n"
     "refused token where decoding stopped early. Tab-separated. With --jsonl, one JSON object\n"
     "per game with the keys game, white, black, date, event, site, plies, tokens, refused\n"
     "(null when none) and fen (the position after the last decoded ply).",
     RunList},
    {"show", "FILE N [--ply K]",
     "The position of game N after K plies (default: its last decoded ply) as a board, with\n"
     "the game's texts, its FEN and, where decoding stopped early, why. Then what the saver\n"
     "can show beside them: the players with titles and ratings, the clocks ([%clk]), the\n"
     "opening reached so far, the last move, and the result at the game's final position.",
     RunShow},
    {"check", "FILE",
     "Decodes every game and prints each one that stops early, with its refused token and the\n"
     "reason, then the number of games and plies. Exit status 0 when every game decodes to\n"
     "the end of its moves, 1 when some game stops early.",
     RunCheck},
    {"play", "FILE [--game N] [--speed X] [--time-mode M] [--ticks T] [--no-color] [--no-info]",
     "Plays the games as the saver does, from game N (default 0; a number past the last game\n"
     "means game 0), until Ctrl-C: each position stays 1, 2 or 3 ticks by time mode M (0, 1\n"
     "or 2; default 1), a game's final position 10, then the next game follows, and game 0\n"
     "after the last. A tick is one second divided by X (default 1). In a terminal: the board\n"
     "in colour on the alternate screen. Otherwise, or with --no-color: plain frames one after\n"
     "another, each headed 'tick T: game G, ply P of N', pieces as letters, the last move's\n"
     "two squares in brackets. --ticks T stops after T ticks; --no-info leaves out the names,\n"
     "date, event and site.",
     RunPlay},
    {nullptr, nullptr, nullptr, nullptr},
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorvane-pgn: %s\n", message.c_str());
    return kExitCannotRun;
}
