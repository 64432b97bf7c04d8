// check: decodes every game and reports the ones that stop early.

#include <cstdint>
#include <string>

#include "apps/pgn-tool/command_support.h"
#include "apps/pgn-tool/output_text.h"
#include "apps/pgn-tool/pgn_file.h"
#include "pgn/pgn_refusal.h"

namespace {

std::string StopLine(const GameWalk& walk, StopReason reason) {
    const ParseOutcome& outcome = walk.outcome;
    std::string line = "game " + std::to_string(walk.number) + ": stops after ply " +
                       std::to_string(outcome.pliesDecoded) + " of " +
                       std::to_string(outcome.tokensFound) + " move tokens";
    if (outcome.refused.length > 0) {
        line += " at '" + SafeText(RefusedToken(walk)) + "'";
    } else {
        line += ", dropping " + std::to_string(outcome.surplusTokens) + " more";
    }
    return line + ": " + StopReasonText(reason) + '\n';
}

}  // namespace

int RunCheck(const Arguments& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0)
        return Fail("check: expected one FILE (usage: check FILE)");
    // Each game is needed once: the file is read through a window, never held whole.
    int64_t plies = 0;
    int64_t tokens = 0;
    int64_t stopped = 0;
    int32_t games = 0;
    std::string out;
    const PgnReading checkGames = [&](PgnByteSource source, uint64_t fileSize) {
        GameStream stream = StartGameStream(source, fileSize);
        GameWalk walk = StartWalk(stream, GameFactsWanted::MovesOnly);
        while (NextGame(walk)) {
            plies += walk.outcome.pliesDecoded;
            tokens += walk.outcome.tokensFound + walk.outcome.surplusTokens;
            const StopReason reason =
                ClassifyStop(*walk.state, GameBytes(walk), walk.span.length, walk.outcome);
            if (reason == StopReason::None) continue;
            ++stopped;
            out += StopLine(walk, reason);
            if (out.size() > 65536) Flush(out);
        }
        games = walk.number + 1;
        return stream.result;
    };
    std::string error;
    if (!ReadPgnSource(args[0], checkGames, error)) {
        // The games read before a failed read keep their lines; no summary counts a part.
        Flush(out);
        return Fail(error);
    }
    out += std::to_string(games) + " games, " + std::to_string(plies) + " plies decoded of " +
           std::to_string(tokens) + " move tokens, " + std::to_string(stopped) +
           (stopped == 1 ? " game stops" : " games stop") + " early\n";
    Flush(out);
    return stopped == 0 ? kExitOk : kExitGameStopsEarly;
}
