#include <cstdio>

#include "cli/commands.h"

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
     "the game's texts, its FEN and, where decoding stopped early, why.",
     RunShow},
    {"check", "FILE",
     "Decodes every game and prints each one that stops early, with its refused token and the\n"
     "reason, then the number of games and plies. Exit status 0 when every game decodes to\n"
     "the end of its moves, 1 when some game stops early.",
     RunCheck},
    {nullptr, nullptr, nullptr, nullptr},
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorvane-pgn: %s\n", message.c_str());
    return kExitCannotRun;
}
