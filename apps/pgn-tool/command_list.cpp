// list: the games the saver plays, in the order it plays them, one line each, as text or as JSON
// lines; with --why also the games the filters skip, and why.

#include <memory>
#include <string>
#include <vector>

#include "apps/pgn-tool/command_support.h"
#include "apps/pgn-tool/folder_listing.h"
#include "apps/pgn-tool/list_settings.h"
#include "apps/pgn-tool/output_text.h"
#include "apps/pgn-tool/pgn_file.h"
#include "display/filter_text.h"
#include "pgn/pgn_fen_format.h"

namespace {

constexpr const char* kUsage =
    "list PATH [--jsonl] [--why] [--min-rating N] [--decisive] [--player TEXT] "
    "[--order file|shuffled] [--seed N] [--count N] [--settings FILE]";

struct ListRequest {
    ListSettings settings;
    bool jsonl = false;
    bool why = false;
    int32_t count = -1;  // games to print; -1 for one round's worth
};

// Reads the files for the chooser and the survey: a folder's by name, or the one file by its
// path. Reasons for files that do not read are kept for the report.
struct FileReader {
    std::string folder;  // empty for one file
    std::vector<std::string> errors;
};

bool ReadListedFile(void* context, const std::string& name, CharString& text) {
    auto* reader = static_cast<FileReader*>(context);
    const std::string path = reader->folder.empty() ? name : FilePathInFolder(reader->folder, name);
    std::string error;
    if (ReadPgnFile(path, text, error)) return true;
    reader->errors.push_back(error);
    return false;
}

// One game as a line: its texts as the saver shows them, plies decoded / tokens found.
struct GameLine {
    const std::string* file;  // null for one file
    int32_t number;
    const GameInfo& info;
    const ParseOutcome& outcome;
    const char* bytes;  // the game's text, which the outcome's offsets count from
};

std::string RefusedText(const GameLine& game) {
    return std::string(game.bytes + game.outcome.refused.start,
                       static_cast<size_t>(game.outcome.refused.length));
}

std::string TextStart(const GameLine& game) {
    std::string line = game.file != nullptr ? SafeText(*game.file) + '\t' : std::string();
    line += std::to_string(game.number);
    const GameInfo& info = game.info;
    for (const std::string& field : {QV_FIELD(info, white), QV_FIELD(info, black),
                                     QV_FIELD(info, date), QV_FIELD(info, event)})
        line += '\t' + SafeText(field);
    return line;
}

std::string JsonStart(const GameLine& game) {
    std::string line = "{";
    if (game.file != nullptr) line += "\"file\":" + JsonString(*game.file) + ",";
    line += "\"game\":" + std::to_string(game.number);
    const GameInfo& info = game.info;
    line += ",\"white\":" + JsonString(QV_FIELD(info, white));
    line += ",\"black\":" + JsonString(QV_FIELD(info, black));
    line += ",\"date\":" + JsonString(QV_FIELD(info, date));
    line += ",\"event\":" + JsonString(QV_FIELD(info, event));
    line += ",\"site\":" + JsonString(QV_FIELD(info, site));
    return line;
}

std::string PlayedLine(const GameLine& game, const GameState& state, bool jsonl) {
    const ParseOutcome& outcome = game.outcome;
    const bool refused = outcome.refused.length > 0;
    if (!jsonl) {
        std::string line = TextStart(game) + '\t' + std::to_string(outcome.pliesDecoded) + '/' +
                           std::to_string(outcome.tokensFound);
        if (refused) line += "\trefused " + SafeText(RefusedText(game));
        return line + '\n';
    }
    std::string line = JsonStart(game);
    line += ",\"plies\":" + std::to_string(outcome.pliesDecoded);
    line += ",\"tokens\":" + std::to_string(outcome.tokensFound);
    line += ",\"refused\":";
    line += refused ? JsonString(RefusedText(game)) : "null";
    line += ",\"fen\":" + JsonString(Text(FormatFen(state)));
    return line + "}\n";
}

std::string SkippedLine(const GameLine& game, const std::string& why, bool jsonl) {
    if (!jsonl) return TextStart(game) + "\tskipped: " + why + '\n';
    return JsonStart(game) + ",\"skipped\":" + JsonString(why) + "}\n";
}

// What every file holds: the playable games, one round's worth, and with --why the lines of the
// games the filters skip, each read on its own (its own tags, not the ones carried over).
struct Survey {
    int64_t playable = 0;
    std::string skipped;
};

Survey SurveyFiles(const GameSources& sources, FileReader& reader, const ListRequest& request) {
    Survey survey;
    auto state = std::make_unique<GameState>();
    for (const std::string& name : sources.files) {
        CharString text;
        if (!ReadListedFile(&reader, name, text)) continue;
        const GameList list = BuildGameList(text, request.settings.filters);
        survey.playable += static_cast<int64_t>(list.playable.size());
        if (!request.why) continue;
        for (size_t n = 0; n < list.games.size(); ++n) {
            if (list.games[n].refusals == 0) continue;
            const GameSpan span = ListedGameSpan(list, static_cast<int32_t>(n));
            GameInfo info{};
            const char* bytes = text.chars() + span.start;
            const ParseOutcome outcome = ParseGame(*state, info, bytes, span.length);
            const GameLine game{sources.folder ? &name : nullptr, static_cast<int32_t>(n), info,
                                outcome, bytes};
            survey.skipped += SkippedLine(
                game, RefusalText(list.games[n], request.settings.filters), request.jsonl);
        }
    }
    return survey;
}

// Prints count games from the chooser's current one, parsed in play order so that the texts a
// game without some tag shows carry over as on the saver's screen.
void PrintPlayed(GameChooser& chooser, int64_t count, bool jsonl) {
    auto state = std::make_unique<GameState>();
    GameInfo info{};
    std::string out;
    for (int64_t i = 0; i < count; ++i) {
        if (i > 0 && ChooseNextGame(chooser) != ChoiceResult::Chosen) break;
        const GameSpan span = ChosenGameSpan(chooser);
        const char* bytes = chooser.text.chars() + span.start;
        const ParseOutcome outcome = ParseGame(*state, info, bytes, span.length);
        state->moveCount = state->ply + 1;
        const GameLine game{chooser.sources.folder ? &chooser.at.file : nullptr,
                            chooser.at.gameNumber, info, outcome, bytes};
        out += PlayedLine(game, *state, jsonl);
        if (out.size() > 65536) Flush(out);
    }
    Flush(out);
}

bool Refuse(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

// Flags and options with a value; the settings file's lines come first and these override them.
// False with the reason.
bool ParseOption(const std::string& arg, const std::string& value, ListRequest& request,
                 std::string& error) {
    ListSettings& settings = request.settings;
    int32_t number = 0;
    if (arg == "--player") {
        settings.filters.player = value;
    } else if (arg == "--order") {
        if (value != "file" && value != "shuffled")
            return Refuse(error, "--order is file or shuffled");
        settings.order = value == "file" ? GameOrder::FileOrder : GameOrder::Shuffled;
    } else if (arg == "--settings") {
        // Read before the other options.
    } else if (!ParseCount(value, number)) {
        return Refuse(error, arg + " needs a whole number, not '" + value + "'");
    } else if (arg == "--min-rating") {
        settings.filters.minimumRating = number;
    } else if (arg == "--seed") {
        settings.at.shuffleSeed = static_cast<uint32_t>(number);
    } else if (arg == "--count") {
        request.count = number;
    } else {
        return Refuse(error, "unexpected argument '" + arg + "'");
    }
    return true;
}

bool ParseOptions(const Arguments& args, ListRequest& request, std::string& error) {
    std::string path;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--jsonl") {
            request.jsonl = true;
        } else if (arg == "--why") {
            request.why = true;
        } else if (arg == "--decisive") {
            request.settings.filters.decisiveOnly = true;
        } else if (arg.rfind("--", 0) != 0) {
            if (!path.empty()) return Refuse(error, "unexpected argument '" + arg + "'");
            path = arg;
        } else if (i + 1 == args.size()) {
            return Refuse(error, arg + " needs a value");
        } else if (!ParseOption(arg, args[++i], request, error)) {
            return false;
        }
    }
    if (!path.empty()) request.settings.path = path;
    if (request.settings.path.empty()) return Refuse(error, "no PATH given");
    return true;
}

// The settings file named by --settings, if any.
bool ReadSettingsOption(const Arguments& args, ListRequest& request, std::string& error) {
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--settings") return ReadListSettings(args[i + 1], request.settings, error);
    // Nothing stored: the list starts where a round starts, not at a stored game.
    request.settings.at.gameNumber = -1;
    return true;
}

bool SourcesOf(const std::string& path, GameSources& sources, FileReader& reader,
               std::string& error) {
    if (!IsFolder(path)) {
        sources = SingleFileSource(path);
        return true;
    }
    std::vector<std::string> names;
    if (!ListFolder(path, names, error)) return false;
    sources = FolderSource(names, NativeNameOrder());
    reader.folder = path;
    return true;
}

void ReportUnread(const FileReader& reader) {
    for (const std::string& error : reader.errors)
        std::fprintf(stderr, "quorvane-pgn: %s\n", error.c_str());
}

}  // namespace

int RunList(const Arguments& args) {
    ListRequest request;
    std::string error;
    if (!ReadSettingsOption(args, request, error)) return Fail("list: " + error);
    if (!ParseOptions(args, request, error))
        return Fail("list: " + error + " (usage: " + kUsage + ")");
    const ListSettings& settings = request.settings;
    GameSources sources;
    FileReader reader;
    if (!SourcesOf(settings.path, sources, reader, error)) return Fail(error);
    if (sources.files.empty()) return Fail("cannot read " + settings.path + ": no .pgn file in it");
    const Survey survey = SurveyFiles(sources, reader, request);
    if (!sources.folder && !reader.errors.empty()) return Fail(reader.errors.front());
    ReportUnread(reader);
    reader.errors.clear();

    GameChooser chooser =
        MakeGameChooser(sources, settings.order, settings.filters, {&reader, ReadListedFile});
    const ChoiceResult result = ChooseStartingGame(chooser, settings.at, 1);
    if (result == ChoiceResult::Chosen)
        PrintPlayed(chooser, request.count >= 0 ? request.count : survey.playable, request.jsonl);
    std::string skipped = survey.skipped;
    Flush(skipped);
    if (result == ChoiceResult::NothingRead)
        return Fail("cannot read " + settings.path + ": none of its .pgn files reads");
    if (result == ChoiceResult::NoneFiltered)
        std::fprintf(stderr, "%s\n",
                     NoGamePassesText(settings.path, sources.folder, settings.filters).c_str());
    return kExitOk;
}
