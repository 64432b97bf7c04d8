// Counts the standard perft positions at fixed depths (bulk counting one ply above the leaves)
// and prints nodes per second of processor time, the best of several runs of each tree.
// Usage: perft_bench [extra depth [runs]], e.g. perft_bench 1 for one ply deeper than the table.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/processor_time.h"
#include "tests/chess/perft_count.h"

namespace {

struct BenchTree {
    const char* name;
    int32_t depth;
};
constexpr BenchTree kTrees[] = {{"initial", 5},   {"kiwipete", 4},  {"position3", 5},
                                {"position4", 4}, {"position5", 4}, {"position6", 4}};

const PerftPosition* FindPosition(const char* name) {
    for (const PerftPosition& position : StandardPerftPositions()) {
        if (position.name == name) return &position;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const int32_t extra = argc > 1 ? std::atoi(argv[1]) : 0;
    const int32_t runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    auto state = std::make_unique<GameState>();
    uint64_t totalNodes = 0;
    double totalSeconds = 0;
    int status = 0;
    for (const BenchTree& tree : kTrees) {
        const PerftPosition* position = FindPosition(tree.name);
        if (position == nullptr) continue;
        const int32_t depth = tree.depth + extra;
        uint64_t nodes = 0;
        double best = 1e30;
        for (int32_t run = 0; run < runs; ++run) {
            const double start = ProcessorSeconds();
            nodes = RunPerft(*state, *position, depth);
            const double seconds = ProcessorSeconds() - start;
            best = seconds < best ? seconds : best;
        }
        const bool known = static_cast<size_t>(depth) <= position->nodes.size();
        const bool wrong = known && position->nodes[static_cast<size_t>(depth - 1)] != nodes;
        std::printf("%-10s depth %d %12llu nodes %8.3f s %12.0f nodes/s%s\n", tree.name, depth,
                    static_cast<unsigned long long>(nodes), best, static_cast<double>(nodes) / best,
                    wrong ? "  WRONG COUNT" : "");
        totalNodes += nodes;
        totalSeconds += best;
        status |= wrong ? 1 : 0;
    }
    std::printf("%-10s         %12llu nodes %8.3f s %12.0f nodes/s\n", "total",
                static_cast<unsigned long long>(totalNodes), totalSeconds,
                static_cast<double>(totalNodes) / totalSeconds);
    return status;
}
