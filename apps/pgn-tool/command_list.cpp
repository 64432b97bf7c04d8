// list: one line per game, as text or as JSON lines.

#include <string>

#include "apps/pgn-tool/command_support.h"
#include "apps/pgn-tool/output_text.h"
#include "apps/pgn-tool/pgn_file.h"
#include "pgn/pgn_fen_format.h"

namespace {

std::string TextLine(const GameWalk& walk) {
    const GameInfo& info = walk.info;
    std::string line = std::to_string(walk.number);
    for (const std::string& field : {QV_FIELD(info, white), QV_FIELD(info, black),
                                     QV_FIELD(info, date), QV_FIELD(info, event)})
        line += '\t' + SafeText(field);
    line += '\t' + std::to_string(walk.outcome.pliesDecoded) + '/' +
            std::to_string(walk.outcome.tokensFound);
    if (walk.outcome.refused.length > 0) line += "\trefused " + SafeText(RefusedToken(walk));
    return line + '\n';
}

std::string JsonLine(const GameWalk& walk) {
    const GameInfo& info = walk.info;
    std::string line = "{\"game\":" + std::to_string(walk.number);
    line += ",\"white\":" + JsonString(QV_FIELD(info, white));
    line += ",\"black\":" + JsonString(QV_FIELD(info, black));
    line += ",\"date\":" + JsonString(QV_FIELD(info, date));
    line += ",\"event\":" + JsonString(QV_FIELD(info, event));
    line += ",\"site\":" + JsonString(QV_FIELD(info, site));
    line += ",\"plies\":" + std::to_string(walk.outcome.pliesDecoded);
    line += ",\"tokens\":" + std::to_string(walk.outcome.tokensFound);
    line += ",\"refused\":";
    line += walk.outcome.refused.length > 0 ? JsonString(RefusedToken(walk)) : "null";
    line += ",\"fen\":" + JsonString(Text(FormatFen(*walk.state)));
    return line + "}\n";
}

}  // namespace

int RunList(const Arguments& args) {
    std::string path;
    bool jsonl = false;
    for (const std::string& arg : args) {
        if (arg == "--jsonl") {
            jsonl = true;
        } else if (arg.rfind("--", 0) == 0 || !path.empty()) {
            return Fail("list: unexpected argument '" + arg + "' (usage: list FILE [--jsonl])");
        } else {
            path = arg;
        }
    }
    if (path.empty()) return Fail("list: no FILE given (usage: list FILE [--jsonl])");
    CharString text;
    std::string error;
    if (!ReadPgnFile(path, text, error)) return Fail(error);
    GameWalk walk = StartWalk(text);
    std::string out;
    while (NextGame(walk)) {
        out += jsonl ? JsonLine(walk) : TextLine(walk);
        if (out.size() > 65536) Flush(out);
    }
    Flush(out);
    return kExitOk;
}
