#include <cstdio>

#include "apps/pgn-tool/commands.h"

const Command kCommands[] = {
    {"list",
     "PATH [--jsonl] [--why] [--min-rating N] [--decisive] [--player TEXT]\n"
     "       [--order file|shuffled] [--seed N] [--count N] [--settings FILE]",
     "The games the saver plays, in the order it plays them, one line each: number (as the\n"
     "saver numbers them from 0), White, Black, Date, Event (as the saver shows them), plies\n"
     "decoded / move tokens found, and the first refused token where decoding stopped early.\n"
     "Tab-separated. With --jsonl, one JSON object per game with the keys\n"
     "game, white, black, date, event, site, plies, tokens, refused (null when none) and fen\n"
     "(the position after the last decoded ply).\n"
     "PATH may be a folder: its *.pgn files (any case, not in subfolders) play one after\n"
     "another in name order (bytewise on Linux, without regard to case on Windows), and each\n"
     "line starts with the file's name (JSON: the key file).\n"
     "Filters, all off by default: --min-rating N plays a game only when WhiteElo and\n"
     "BlackElo are both at least N; --decisive only results 1-0 and 0-1; --player TEXT only\n"
     "games where TEXT is in White or Black, without regard to case (ASCII, Latin-1, Latin\n"
     "Extended-A, Greek and Cyrillic letters). --why adds, after the games that play, each\n"
     "skipped game with its own texts and 'skipped:' and the filters that refused it (JSON:\n"
     "the key skipped).\n"
     "--order shuffled plays rounds in which every game that passes plays once: a folder's\n"
     "files in an order of the round's own, each file's games in an order of their own;\n"
     "--seed N picks the round (default 1). Without --settings the list starts at a round's\n"
     "start (file order: the first game) and runs one round; --count N prints N games, into\n"
     "the following rounds. --settings FILE reads the saver's Name=value settings (the\n"
     "native saver's file: Path to PGN file, Game order, Minimum rating, Decisive games\n"
     "only, Player, Current file, Current game number, Shuffle seed, Shuffle position) and\n"
     "starts where the saver will continue; the options above override its lines.\n"
     "When no game passes the filters, the saver's message goes to stderr.",
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
