// Times, in processor time and best of several rounds, building the playable-game list of a
// large PGN file with every filter on, beside the bare game scan (NextGameSpan over the whole
// text) that any list has to pay for.
// Usage: game_list_bench FILE MINIMUM_RATING PLAYER [ROUNDS]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/processor_time.h"
#include "pgn/game_list.h"

namespace {

// The file as the saver holds it: at most 16 MiB, up to the first zero byte.
CharString ReadAsTheSaverDoes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(std::min(bytes.size(), static_cast<size_t>(CharString::kMaxStringLength)));
    return CharString(bytes.c_str());
}

int32_t CountGames(const CharString& text) {
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    int32_t games = 0;
    while (NextGameSpan(cursor, span))
        ++games;
    return games;
}

// Ten calls a round: Windows counts processor time in ticks of several milliseconds.
template <typename Call>
double BestSecondsPerCall(int rounds, Call&& call) {
    constexpr int kCallsPerRound = 10;
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        const double start = ProcessorSeconds();
        for (int i = 0; i < kCallsPerRound; ++i)
            call();
        best = std::min(best, (ProcessorSeconds() - start) / kCallsPerRound);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: game_list_bench FILE MINIMUM_RATING PLAYER [ROUNDS]\n");
        return 2;
    }
    const CharString text = ReadAsTheSaverDoes(argv[1]);
    GameFilters filters;
    filters.minimumRating = std::atoi(argv[2]);
    filters.decisiveOnly = true;
    filters.player = argv[3];
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;

    int32_t scanned = 0;
    const double scanSeconds = BestSecondsPerCall(rounds, [&] { scanned = CountGames(text); });
    GameList list;
    const double listSeconds =
        BestSecondsPerCall(rounds, [&] { list = BuildGameList(text, filters); });
    std::printf("bytes %d games %zu playable %zu\n", text.length(), list.games.size(),
                list.playable.size());
    std::printf("game list, every filter on: %.2f ms\n", listSeconds * 1000);
    std::printf("game scan alone: %.2f ms (%d games)\n", scanSeconds * 1000, scanned);
    return static_cast<size_t>(scanned) == list.games.size() ? 0 : 1;
}
