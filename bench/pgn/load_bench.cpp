// Times LoadCurrentGame for the last game of a PGN file, as the saver loads it after the game
// before: one scan for game 0, one to the last game, one cut, one parse.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "pgn/pgn_reader.h"

namespace {

// The file as the saver holds it: at most 16 MiB, up to the first zero byte.
CharString ReadAsTheSaverDoes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(std::min(bytes.size(), static_cast<size_t>(CharString::kMaxStringLength)));
    return CharString(bytes.c_str());
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pgn_load_bench FILE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const CharString text = ReadAsTheSaverDoes(argv[1]);
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    int32_t games = 0;
    while (NextGameSpan(cursor, span))
        ++games;
    if (games == 0) {
        std::fprintf(stderr, "pgn_load_bench: no game in %s\n", argv[1]);
        return 1;
    }
    auto state = std::make_unique<GameState>();
    GameInfo info{};
    std::vector<double> times;
    int32_t number = 0;
    for (int round = 0; round < rounds; ++round) {
        number = games - 1;
        const auto start = std::chrono::steady_clock::now();
        LoadCurrentGame(*state, info, number, text);
        times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "LoadCurrentGame, game %d of %d in %d bytes: median %.2f ms, best %.2f ms, "
        "worst %.2f ms over %d rounds; %d positions\n",
        number, games, text.length(), times[times.size() / 2], times.front(), times.back(), rounds,
        state->moveCount);
    return number == games - 1 ? 0 : 1;
}
