#pragma once
// The saver's one place of decision. Given the settings, a clock and the screen, the session loads
// the file and the current game, plays it, times the pauses and the slides, chooses the skin and
// its drawing size, builds the error texts, and answers what the screen shows now and which part
// of it changed, as plain data. A front end (the Windows window, the X11 loop, the terminal
// player) reports its events and the time to it, loads what it is told to load, and draws its
// answer; it decides nothing.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chess/game_state.h"
#include "display/board_layout.h"
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

// What kind of surface the saver draws on. A full screen gets the classic layout (or the fitted
// one) with its texts; a preview gets the largest board that fits and no text; a window the one
// or the other by its size, so that a small one, such as XScreenSaver's preview, shows a board.
enum class ScreenKind : int32_t { FullScreen, Preview, Windowed };

// The surface: its size, and its monitors in the surface's own coordinates (none: the surface is
// one monitor).
struct SaverScreen {
    ScreenKind kind;
    int32_t width;
    int32_t height;
    MonitorArea monitors[kMaxMonitors];
    int32_t monitorCount;
};

// What the front end does on the session's behalf. Null functions are things the front end does
// not have: a terminal has no skins.
struct SaverPlatform {
    void* context;
    // Reads the PGN file at path as the shared reader does.
    PgnFileResult (*readPgnFile)(void* context, const WideChar* path, CharString& text);
    // The text shown when the PGN file cannot be opened; it names where to choose another file.
    const char* pgnMissingText;
    // The skin files the session may choose from and the drawings it may load.
    SkinSource skins;
};

// A board on show: its game, its place, its slide.
struct BoardShow {
    std::unique_ptr<GameState> game;
    GameInfo info;
    ScreenRect area;  // where the board and its texts go, in the surface's coordinates
    BoardLayout layout;
    bool sliding;
    int64_t slideStart;  // when the ply on show was stepped; meaningful while sliding
};

struct SaverSession {
    SaverSettings settings;
    SaverScreen screen;
    SaverPlatform platform;
    uint32_t random;  // the run's pseudo-random sequence
    CharString pgnText;
    std::string errorText;  // empty while all is well; else shown instead of the board
    SkinChoice skin;
    BoardShow board;
    int32_t stepCountdown;  // ticks to the next step
    int64_t nextTickAt;
    int64_t lastFrameAt;
    // The texts last reported, to tell whether a frame changes them.
    std::vector<PictureText> shownTexts;
};

// What a call on the session changed on the screen: nothing, the board's squares inside area
// (a frame of a slide: the texts stay), or everything.
enum class ScreenChange : int32_t { Nothing, BoardPart, Whole };

struct SessionUpdate {
    ScreenChange change;
    TextBand area;  // the part of the board, for BoardPart
};

// Sets the session up for a run and loads everything, in the saver's order: the skin (random
// picks drawn from seed), the PGN file, the current game; then the first pause. now is the clock
// the front end will keep reporting, in milliseconds.
void StartSaverSession(SaverSession& session, const SaverSettings& settings,
                       const SaverScreen& screen, const SaverPlatform& platform, uint32_t seed,
                       int64_t now);

// The surface changed size (a window resized, a monitor added): everything is laid out anew.
SessionUpdate ResizeSaverSession(SaverSession& session, const SaverScreen& screen);

// Brings the session up to now: at most one playback step per call, and the slide's progress.
SessionUpdate AdvanceSaverSession(SaverSession& session, int64_t now);

// When the session next has something to do: the next frame of a slide, or the next tick.
int64_t NextSessionWake(const SaverSession& session);

// Whether a piece is on its way at now.
bool IsSessionSliding(const SaverSession& session, int64_t now);

// The picture at now: the error text, or the board with its texts.
SaverPicture ComposeSaverPicture(const SaverSession& session, int64_t now);

// Whether the board and its texts take the full-screen layout (classic or fitted, with texts)
// rather than the preview's (the largest board that fits, no text).
bool UsesFullLayout(const SaverSession& session);
