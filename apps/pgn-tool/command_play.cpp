// play: the saver's playback in a terminal, stepped by the saver's own sequencer once per tick.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "apps/pgn-tool/command_support.h"
#include "apps/pgn-tool/interrupt_wait.h"
#include "apps/pgn-tool/pgn_file.h"
#include "apps/pgn-tool/play_frame.h"
#include "apps/pgn-tool/terminal.h"
#include "display/saver_session.h"
#include "display/settings.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kUsage =
    " (usage: play FILE [--game N] [--speed X] [--time-mode M] [--ticks T] [--no-color]"
    " [--no-info])";

constexpr double kSlowestSpeed = 0.01;
constexpr double kFastestSpeed = 1000000.0;
// How soon a nap ends to look for Ctrl-C and a resized terminal.
constexpr int64_t kLongestNap = 50'000'000;

struct PlayRequest {
    std::string path;
    int32_t game = 0;
    int32_t timeMode = -1;  // -1: the saver's default
    int32_t ticks = -1;     // -1: until interrupted
    double speed = 1.0;
    bool colour = true;
    bool info = true;
};

struct CountOption {
    const char* name;
    int32_t PlayRequest::*field;
    int32_t most;
    const char* what;
};

constexpr CountOption kCountOptions[] = {
    {"--game", &PlayRequest::game, 999999999, "a game number"},
    {"--ticks", &PlayRequest::ticks, 999999999, "a number of ticks"},
    {"--time-mode", &PlayRequest::timeMode, 2, "a time mode of 0, 1 or 2"},
};

// The value of "--name VALUE" or "--name=VALUE" at args[i], stepping i over it; an empty value
// when the word is the last one.
std::optional<std::string> OptionValue(const Arguments& args, size_t& i, std::string_view name) {
    const std::string& arg = args[i];
    if (arg == name) return i + 1 < args.size() ? args[++i] : std::string();
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=')
        return arg.substr(name.size() + 1);
    return std::nullopt;
}

// A plain decimal number such as 2 or 0.5, from kSlowestSpeed to kFastestSpeed.
bool ParseSpeed(const std::string& word, double& speed) {
    if (word.empty() || word.find_first_not_of("0123456789.") != std::string::npos) return false;
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (*end != '\0' || !(value >= kSlowestSpeed && value <= kFastestSpeed)) return false;
    speed = value;
    return true;
}

// Reads one option of the form "--name VALUE"; false when the word is no such option.
bool ReadValueOption(const Arguments& args, size_t& i, PlayRequest& request, std::string& problem) {
    for (const CountOption& option : kCountOptions) {
        const std::optional<std::string> value = OptionValue(args, i, option.name);
        if (!value) continue;
        int32_t count = 0;
        if (!ParseCount(*value, count) || count > option.most)
            problem = std::string(option.name) + " needs " + option.what + ", not '" + *value + "'";
        request.*option.field = count;
        return true;
    }
    const std::optional<std::string> speed = OptionValue(args, i, "--speed");
    if (!speed) return false;
    if (!ParseSpeed(*speed, request.speed))
        problem = "--speed needs a number from 0.01 to 1000000, not '" + *speed + "'";
    return true;
}

bool ReadRequest(const Arguments& args, PlayRequest& request, std::string& problem) {
    for (size_t i = 0; i < args.size() && problem.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--no-color") {
            request.colour = false;
        } else if (arg == "--no-info") {
            request.info = false;
        } else if (ReadValueOption(args, i, request, problem)) {
            continue;
        } else if (arg.rfind("--", 0) == 0 || !request.path.empty()) {
            problem = "unexpected argument '" + arg + "'";
        } else {
            request.path = arg;
        }
    }
    if (problem.empty() && request.path.empty()) problem = "no FILE given";
    return problem.empty();
}

// The saver's session, run on a clock of whole ticks, and where the terminal stands.
struct Player {
    SaverSession session;
    int64_t tick;
    TerminalSession terminal;
    FrameArea drawnArea;
};

std::string PositionText(const Player& player) {
    const GameState& state = *PrimaryBoard(player.session).game;
    std::string text = "game " + std::to_string(player.session.settings.currentGameNumber);
    if (state.moveCount == 0) return text + ", no game in the file";
    return text + ", ply " + std::to_string(state.ply) + " of " +
           std::to_string(state.moveCount - 1);
}

// In a terminal the frame is redrawn in place with a status line at the bottom; elsewhere the
// frames follow one another, each headed by its tick.
void Show(Player& player) {
    const GameState& state = *PrimaryBoard(player.session).game;
    const GameInfo& info = PrimaryBoard(player.session).info;
    const SaverSettings& settings = player.session.settings;
    std::string out;
    if (!player.terminal.open) {
        out = "tick " + std::to_string(player.tick) + ": " + PositionText(player) + "\n" +
              RenderFrame(state, info, settings, FrameColours::None, FrameArea{0, 0}) + "\n";
    } else {
        const FrameArea area = TerminalArea();
        player.drawnArea = area;
        out = "\x1b[H" +
              RenderFrame(state, info, settings, player.terminal.colours,
                          FrameArea{area.columns, std::max(area.rows - 1, 0)}) +
              "\x1b[J";
        if (area.rows > 0) {
            out += "\x1b[" + std::to_string(area.rows) + ";1H\x1b[0;2m" + PositionText(player) +
                   ", tick " + std::to_string(player.tick) + " - Ctrl-C ends\x1b[0m";
        }
    }
    Flush(out);
    std::fflush(stdout);
}

// Naps until the deadline, redrawing when the terminal changes size; false on Ctrl-C.
bool WaitUntil(Player& player, Clock::time_point deadline) {
    for (;;) {
        if (InterruptRequested()) return false;
        const Clock::time_point now = Clock::now();
        if (now >= deadline) return true;
        if (player.terminal.open) {
            const FrameArea area = TerminalArea();
            if (area.columns != player.drawnArea.columns || area.rows != player.drawnArea.rows)
                Show(player);
        }
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
        Nap(std::min<int64_t>(left.count(), kLongestNap));
    }
}

// The file was read before the session starts, so that a file that cannot be read ends the tool
// with its reason; the session takes the text as its game file.
PgnFileResult HandOverText(void* context, const WideChar*, const std::string&, CharString& text) {
    text = std::move(*static_cast<CharString*>(context));
    return PgnFileResult::Read;
}

}  // namespace

int RunPlay(const Arguments& args) {
    PlayRequest request;
    std::string problem;
    if (!ReadRequest(args, request, problem)) return Fail("play: " + problem + kUsage);
    CharString text;
    std::string error;
    if (!ReadPgnFile(request.path, text, error)) return Fail(error);

    SaverSettings settings{};
    SetDefaultSettings(settings);
    if (request.timeMode >= 0) settings.timeMode = request.timeMode;
    settings.showInfo = request.info ? 1 : 0;
    settings.currentGameNumber = request.game;
    // A terminal has no skins and no pixels: the session runs on a screen without a board.
    const SaverScreen screen{ScreenKind::Preview, 0, 0, {}, 0};
    const SaverPlatform platform{&text,        HandOverText, "",
                                 SkinSource{}, nullptr,      NameOrder::Bytewise,
                                 nullptr,      nullptr,      SharedStore{}};
    auto player = std::make_unique<Player>();
    StartSaverSession(player->session, settings, screen, platform, 1, 0);

    WatchInterrupts();
    if (request.colour) OpenTerminalSession(player->terminal);
    Show(*player);
    const auto tickLength = std::chrono::nanoseconds(std::llround(1e9 / request.speed));
    Clock::time_point deadline = Clock::now();
    bool interrupted = false;
    while (request.ticks < 0 || player->tick < request.ticks) {
        // Deadlines are counted from the start, so that drawing time never adds up.
        deadline += tickLength;
        if (!WaitUntil(*player, deadline)) {
            interrupted = true;
            break;
        }
        ++player->tick;
        // The session's clock runs in whole ticks, however fast the terminal plays.
        const SessionUpdate update =
            AdvanceSaverSession(player->session, player->tick * kTickMilliseconds);
        if (update.change != ScreenChange::Nothing) Show(*player);
    }
    CloseTerminalSession(player->terminal);
    return interrupted ? EndAfterInterrupt() : kExitOk;
}
