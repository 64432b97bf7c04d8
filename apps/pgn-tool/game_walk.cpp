#include "apps/pgn-tool/game_walk.h"

GameWalk StartWalk(const CharString& text, GameFactsWanted wanted) {
    GameWalk walk{};
    walk.wanted = wanted;
    walk.text = &text;
    walk.cursor = FirstGameOf(text);
    walk.state = std::make_unique<GameState>();
    walk.number = -1;
    return walk;
}

bool NextGame(GameWalk& walk) {
    GameSpan span{};
    if (!NextGameSpan(walk.cursor, span)) return false;
    walk.span = span;
    walk.outcome = ParseGame(*walk.state, walk.info, GameBytes(walk), span.length, walk.wanted);
    walk.state->moveCount = walk.state->ply + 1;
    ++walk.number;
    return true;
}
