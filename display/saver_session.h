#pragma once
// The saver's one place of decision. Given the settings, a clock and the screen, the session loads
// the file and the current game, plays it, times the pauses and the slides, chooses the skin and
// its drawing size, builds the error texts, and answers what the screen shows now and which parts
// of it changed, as plain data. A front end (the Windows window, the X11 loop, the terminal
// player) reports its events and the time to it, loads what it is told to load, and draws its
// answer; it decides nothing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chess/game_state.h"
#include "display/board_layout.h"
#include "display/game_chooser.h"
#include "display/saver_picture.h"
#include "display/screen_layout.h"
#include "display/settings.h"
#include "display/skin_choice.h"
#include "pgn/game_info.h"
#include "pgn/pgn_file_read.h"
#include "text/char_string.h"

// The playback's step: a position stays a whole number of these.
constexpr int64_t kTickMilliseconds = 1000;
// While a piece slides, a frame this often: ten frames a slide, smooth to the eye and light on
// the processor.
constexpr int64_t kFrameMilliseconds = 25;
// While the monitors are off the session wakes no more often than this.
constexpr int64_t kAsleepWakeMilliseconds = 60000;

// What kind of surface the saver draws on. A full screen gets the classic layout (or the fitted
// one) with its texts; a preview gets the largest board that fits and no text; a window the one
// or the other by its size, so that a small one, such as XScreenSaver's preview, shows a board.
enum class ScreenKind : int32_t { FullScreen, Preview, Windowed };

// What each monitor shows ("Monitors"): the board on the primary alone, the same game on every
// monitor, or a game of its own on each.
enum class MonitorMode : int32_t { PrimaryOnly = 0, SameGame = 1, OwnGames = 2 };

// The surface: its size, and its monitors in the surface's own coordinates (none: the surface is
// one monitor).
struct SaverScreen {
    ScreenKind kind;
    int32_t width;
    int32_t height;
    MonitorArea monitors[kMaxMonitors];
    int32_t monitorCount;
};

// Where several processes share one stored place (one per monitor, as XScreenSaver runs its
// modules), each game to show is claimed from the store: lock takes the stored place and holds
// the store until unlock stores the place after the game claimed.
struct SharedStore {
    bool (*lock)(void* context, ResumePoint& stored);
    void (*unlock)(void* context, const ResumePoint& next);
};

// What the front end does on the session's behalf. Null functions are things the front end does
// not have: a terminal has no skins, no folders and no store shared with other processes.
struct SaverPlatform {
    void* context;
    // Reads a PGN file as the shared reader does: the file at path, or with a fileName the file
    // of that name in the folder at path.
    PgnFileResult (*readPgnFile)(void* context, const WideChar* path, const std::string& fileName,
                                 CharString& text);
    // The text shown when the PGN file cannot be opened; it names where to choose another file.
    const char* pgnMissingText;
    // The skin files the session may choose from and the drawings it may load.
    SkinSource skins;
    // The names of the files in the folder at path; false when path names no folder.
    bool (*listFolder)(void* context, const WideChar* path, std::vector<std::string>& names);
    NameOrder folderOrder;
    // A settings text in UTF-8, and UTF-8 into a settings text, as the platform keeps its texts.
    std::string (*textToUtf8)(const WideChar* text);
    void (*utf8ToText)(const std::string& utf8, WideChar (&text)[kPathCapacity]);
    SharedStore sharedStore;  // null functions: the session hands out the games itself
};

// A board on show: its game, its place, its slide. A board that mirrors another (the same game
// on every monitor) keeps no game of its own.
struct BoardShow {
    std::unique_ptr<GameState> game;
    GameInfo info;
    int32_t gameNumber;
    int32_t stepCountdown;  // ticks to the next step
    int32_t mirrors;        // the board whose game this one shows; its own index when none
    ScreenRect area;        // the monitor, in the surface's coordinates
    BoardLayout layout;     // drift included
    bool sliding;
    int64_t slideStart;  // when the ply on show was stepped; meaningful while sliding
};

struct SaverSession {
    // The place to store for the next run: currentGameNumber, currentFile, shuffleSeed and
    // shufflePosition.
    SaverSettings settings;
    SaverScreen screen;
    SaverPlatform platform;
    uint32_t random;  // the run's pseudo-random sequence
    // The games that play, with the one file in memory; choice is how its last choice went.
    GameChooser chooser;
    ChoiceResult choice;
    PgnFileResult lastRead;
    std::string errorText;  // empty while all is well; else shown instead of the boards
    SkinChoice skin;
    std::vector<BoardShow> boards;
    int64_t startedAt;
    int64_t nextTickAt;
    int64_t lastFrameAt;
    int32_t driftStep;  // the step of the drift path the boards stand at
    bool asleep;        // the monitors are off: nothing is drawn, the playback rests
    // The texts last reported, to tell whether a frame changes them.
    std::vector<PictureText> shownTexts;
};

// What a call on the session changed on the screen: nothing, the board squares inside areas
// (frames of slides: the texts stay), or everything.
enum class ScreenChange : int32_t { Nothing, BoardPart, Whole };

struct SessionUpdate {
    ScreenChange change;
    TextBand areas[kMaxMonitors];  // for BoardPart
    int32_t areaCount;
};

// Sets the session up for a run and loads everything, in the saver's order: the skin (random
// picks drawn from seed), the PGN file, the current games; then the first pause. now is the clock
// the front end will keep reporting, in milliseconds.
void StartSaverSession(SaverSession& session, const SaverSettings& settings,
                       const SaverScreen& screen, const SaverPlatform& platform, uint32_t seed,
                       int64_t now);

// The surface changed size (a window resized, a monitor added): everything is laid out anew.
SessionUpdate ResizeSaverSession(SaverSession& session, const SaverScreen& screen);

// Brings the session up to now: at most one playback step per call, and the slides' progress.
SessionUpdate AdvanceSaverSession(SaverSession& session, int64_t now);

// The monitors went off (asleep) or came back: while off the playback rests and the session
// wakes at most once a minute; back on, the picture is drawn whole.
SessionUpdate SetSaverDisplayAsleep(SaverSession& session, bool asleep, int64_t now);

// When the session next has something to do: the next frame of a slide, or the next tick.
int64_t NextSessionWake(const SaverSession& session);

// Whether a piece is on its way at now, on any board.
bool IsSessionSliding(const SaverSession& session, int64_t now);

// The picture at now: the error text, or the boards with their texts.
SaverPicture ComposeSaverPicture(const SaverSession& session, int64_t now);

// Whether the boards and their texts take the full-screen layout (classic or fitted, with texts)
// rather than the preview's (the largest board that fits, no text).
bool UsesFullLayout(const SaverSession& session);

// The first board: the one on the primary monitor.
const BoardShow& PrimaryBoard(const SaverSession& session);
