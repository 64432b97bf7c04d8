// show: one game's position after a given ply, as a board with the game's texts and its FEN.

#include <cstdint>
#include <string>

#include "apps/pgn-tool/command_support.h"
#include "apps/pgn-tool/output_text.h"
#include "apps/pgn-tool/pgn_file.h"
#include "chess/notation.h"
#include "display/game_lines.h"
#include "pgn/pgn_fen_format.h"
#include "pgn/pgn_refusal.h"

namespace {

struct ShowRequest {
    std::string path;
    int32_t game = -1;
    int32_t ply = -1;  // -1: the last decoded ply
};

constexpr const char* kUsage = " (usage: show FILE N [--ply K])";

bool ReadRequest(const Arguments& args, ShowRequest& request, std::string& problem) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string plyWord;
        if (arg == "--ply" && i + 1 < args.size()) {
            plyWord = args[++i];
        } else if (arg.rfind("--ply=", 0) == 0) {
            plyWord = arg.substr(6);
        } else if (arg.rfind("--", 0) == 0) {
            problem = "unexpected argument '" + arg + "'";
            return false;
        } else if (request.path.empty()) {
            request.path = arg;
            continue;
        } else if (request.game < 0 && ParseCount(arg, request.game)) {
            continue;
        } else {
            problem = "unexpected argument '" + arg + "'";
            return false;
        }
        if (!ParseCount(plyWord, request.ply)) {
            problem = "--ply needs a number of plies, not '" + plyWord + "'";
            return false;
        }
    }
    if (request.path.empty() || request.game < 0) {
        problem = "needs a FILE and a game number N";
        return false;
    }
    return true;
}

std::string SquareName(int32_t file, int32_t rank) {
    return {static_cast<char>('a' + file), static_cast<char>('1' + rank)};
}

std::string BoardText(const GameState& state) {
    std::string board;
    for (int32_t rank = 7; rank >= 0; --rank) {
        board += "  " + std::to_string(rank + 1) + " ";
        for (int32_t file = 0; file < 8; ++file) {
            const Square& square = At(state, file, rank);
            const bool piece = square.kind >= kPawn && square.kind <= kKing;
            const char letter = piece                   ? FenLetterOf(square.kind, square.colour)
                                : square.kind == kEmpty ? '.'
                                                        : '?';
            board += ' ';
            board += letter;
        }
        board += '\n';
    }
    return board + "     a b c d e f g h\n";
}

std::string LineText(const GameInfo& info, GameLine line, int32_t ply) {
    return SafeText(Text(GameLineText(info, line, ply)));
}

// What the saver can show beside the classic lines at this ply, whatever its settings; a line
// with nothing to say is left out.
std::string GameLines(const GameInfo& info, int32_t ply) {
    std::string text = "Players: " + LineText(info, GameLine::WhitePlayer, ply) + " - " +
                       LineText(info, GameLine::BlackPlayer, ply) + "\n";
    const std::string white = LineText(info, GameLine::WhiteClock, ply);
    const std::string black = LineText(info, GameLine::BlackClock, ply);
    if (!white.empty() || !black.empty())
        text += "Clocks: " + (white.empty() ? "-" : white) + " - " + (black.empty() ? "-" : black) +
                "\n";
    const struct {
        const char* label;
        GameLine line;
    } kLabelled[] = {{"Opening: ", GameLine::Opening},
                     {"Last move: ", GameLine::LastMove},
                     {"Result: ", GameLine::Result}};
    for (const auto& labelled : kLabelled) {
        const std::string value = LineText(info, labelled.line, ply);
        if (!value.empty()) text += labelled.label + value + "\n";
    }
    return text;
}

std::string Description(const GameWalk& walk, int32_t ply, StopReason reason) {
    const GameInfo& info = walk.info;
    const ParseOutcome& outcome = walk.outcome;
    std::string text = "Game " + std::to_string(walk.number) + "\n";
    text += "White: " + SafeText(QV_FIELD(info, white)) + "\n";
    text += "Black: " + SafeText(QV_FIELD(info, black)) + "\n";
    text += "Date:  " + SafeText(QV_FIELD(info, date)) + "\n";
    text += "Event: " + SafeText(QV_FIELD(info, event)) + "\n";
    text += "Site:  " + SafeText(QV_FIELD(info, site)) + "\n";
    text += "Ply " + std::to_string(ply) + " of " + std::to_string(outcome.pliesDecoded) +
            " decoded (" + std::to_string(outcome.tokensFound) + " move tokens found)";
    if (ply > 0) {
        const MoveRecord& move = walk.state->moves[static_cast<size_t>(ply - 1)];
        text += ", last move " + SquareName(move.fromFile, move.fromRank) + "-" +
                SquareName(move.toFile, move.toRank);
    }
    text += "\n";
    if (reason != StopReason::None) {
        text += "Stops early";
        if (outcome.refused.length > 0) text += " at '" + SafeText(RefusedToken(walk)) + "'";
        text += ": " + std::string(StopReasonText(reason)) + "\n";
    }
    return text + GameLines(info, ply) + "\n";
}

}  // namespace

int RunShow(const Arguments& args) {
    ShowRequest request;
    std::string problem;
    if (!ReadRequest(args, request, problem)) return Fail("show: " + problem + kUsage);
    CharString text;
    std::string error;
    if (!ReadPgnFile(request.path, text, error)) return Fail(error);
    GameWalk walk = StartWalk(text);
    while (walk.number < request.game) {
        if (!NextGame(walk)) {
            return Fail("show: there is no game " + std::to_string(request.game) +
                        "; the file holds " + std::to_string(walk.number + 1) +
                        " (numbered from 0)");
        }
    }
    const int32_t plies = walk.outcome.pliesDecoded;
    const int32_t ply = request.ply < 0 ? plies : request.ply;
    if (ply > plies) {
        return Fail("show: game " + std::to_string(walk.number) + " has " + std::to_string(plies) +
                    " decoded plies; there is no ply " + std::to_string(ply));
    }
    // The reason needs the position the refused token was tried in, before stepping back.
    const StopReason reason =
        ClassifyStop(*walk.state, GameBytes(walk), walk.span.length, walk.outcome);
    ReplayPlies(*walk.state, ply);
    std::string out = Description(walk, ply, reason) + BoardText(*walk.state) +
                      "\nFEN: " + Text(FormatFen(*walk.state)) + "\n";
    Flush(out);
    return kExitOk;
}
