// Times, in processor time and best of several rounds, what the saver and quorvane-pgn spend on
// a large PGN file: decoding every game (plies per second, as `quorvane-pgn check` does it,
// without its report), and LoadCurrentGame for the last game, as the saver loads it after the
// game before: one scan for game 0, one to the last game, one cut, one parse.
// Usage: pgn_load_bench FILE [ROUNDS]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bench/processor_time.h"
#include "pgn/pgn_reader.h"

namespace {

// The file as the saver holds it: at most 16 MiB, up to the first zero byte.
CharString ReadAsTheSaverDoes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(std::min(bytes.size(), static_cast<size_t>(CharString::kMaxStringLength)));
    return CharString(bytes.c_str());
}

struct Decoded {
    int32_t games;
    int64_t plies;
};

Decoded DecodeEveryGame(GameState& state, GameInfo& info, const CharString& text) {
    Decoded decoded{0, 0};
    GameTextCursor cursor = FirstGameOf(text);
    GameSpan span{};
    while (NextGameSpan(cursor, span)) {
        decoded.plies +=
            ParseGame(state, info, text.chars() + span.start, span.length).pliesDecoded;
        ++decoded.games;
    }
    return decoded;
}

// The best of the rounds' processor times of the call.
template <typename Call>
double BestSeconds(int rounds, Call&& call) {
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        const double start = ProcessorSeconds();
        call();
        best = std::min(best, ProcessorSeconds() - start);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pgn_load_bench FILE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const CharString text = ReadAsTheSaverDoes(argv[1]);
    auto state = std::make_unique<GameState>();
    GameInfo info{};
    Decoded decoded{0, 0};
    const double decodeSeconds =
        BestSeconds(rounds, [&] { decoded = DecodeEveryGame(*state, info, text); });
    if (decoded.games == 0) {
        std::fprintf(stderr, "pgn_load_bench: no game in %s\n", argv[1]);
        return 1;
    }
    std::printf("decode every game: %d games, %lld plies, %.3f s, %.0f plies/s\n", decoded.games,
                static_cast<long long>(decoded.plies), decodeSeconds,
                static_cast<double>(decoded.plies) / decodeSeconds);
    // Ten loads a round: Windows counts processor time in ticks of several milliseconds.
    constexpr int kLoadsPerRound = 10;
    int32_t number = 0;
    const double loadSeconds = BestSeconds(rounds,
                                           [&] {
                                               for (int load = 0; load < kLoadsPerRound; ++load) {
                                                   number = decoded.games - 1;
                                                   LoadCurrentGame(*state, info, number, text);
                                               }
                                           }) /
                               kLoadsPerRound;
    std::printf("LoadCurrentGame, game %d of %d in %d bytes: %.2f ms; %d positions\n", number,
                decoded.games, text.length(), loadSeconds * 1000, state->moveCount);
    return number == decoded.games - 1 ? 0 : 1;
}
