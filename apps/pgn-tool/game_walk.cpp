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

GameWalk StartWalk(GameStream& stream, GameFactsWanted wanted) {
    GameWalk walk = StartWalk(stream.window, wanted);
    walk.stream = &stream;
    return walk;
}

bool NextGame(GameWalk& walk) {
    GameSpan span{};
    const bool found = walk.stream != nullptr ? NextStreamGame(*walk.stream, span)
                                              : NextGameSpan(walk.cursor, span);
    if (!found) return false;
    walk.span = span;
    walk.outcome = ParseGame(*walk.state, walk.info, GameBytes(walk), span.length, walk.wanted);
    walk.state->moveCount = walk.state->ply + 1;
    ++walk.number;
    return true;
}
