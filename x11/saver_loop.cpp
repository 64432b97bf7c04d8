#include "x11/saver_loop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "display/move_animation.h"
#include "display/playback.h"
#include "display/saver_texts.h"
#include "x11/config_file.h"
#include "x11/posix_file.h"
#include "x11/saver_view.h"
#include "x11/skin_loader.h"

namespace {

constexpr int64_t kTickMilliseconds = 1000;
// Frames of a gliding move come this often (40 a second: ten for a slide); the one-second tick
// is unchanged.
constexpr int64_t kFrameMilliseconds = 25;
constexpr int32_t kOwnWindowWidth = 1024;
constexpr int32_t kOwnWindowHeight = 768;

volatile sig_atomic_t stopRequested = 0;
int wakePipe[2] = {-1, -1};
volatile sig_atomic_t targetGone = 0;

void OnStopSignal(int) {
    stopRequested = 1;
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = write(wakePipe[1], &byte, 1);
}

// X errors come only from a target window that went away under us (XScreenSaver destroys its
// window when it is done); the run then ends as if told to.
int OnXError(Display*, XErrorEvent* event) {
    if (event->error_code == BadWindow || event->error_code == BadDrawable) targetGone = 1;
    return 0;
}

// The run whose game number an X connection lost at the end of a session still writes back.
struct SaverRun;
SaverRun* runOnShow = nullptr;
[[noreturn]] void StoreAndExit();

// Xlib ends the process after this returns; XScreenSaver's window or the server may go away
// before the stop signal is handled, which is an end like any other.
int OnXConnectionLost(Display*) {
    StoreAndExit();
}

bool InstallStopSignals() {
    if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0 &&
           sigaction(SIGHUP, &action, nullptr) == 0;
}

int64_t NowMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

struct SaverRun {
    RunOptions options;
    std::string configPath;
    SaverSettings settings;
    GameState game;
    GameInfo info;
    CharString pgnText;
    PixelImage skin;
    std::string skinName;
    bool largeAvailable[kLargeSkinScaleCount];
    PixelImage largeSkin;  // the one larger drawing in use, loaded when a board first needs it
    int32_t largeScale;    // its scale; 1 when none is loaded
    PixelImage sheet;      // the drawing in use scaled to the board's cells, made once per size
    const PixelImage* sheetSource;
    int32_t sheetCell;
    std::string errorText;
    int64_t slideStart;  // when the ply on show was stepped; meaningful while sliding
    bool sliding;
    int32_t stepCountdown;
    Display* display;
    Window window;
    bool ownWindow;
    Atom deleteWindow;
    SaverView view;
};

void AppendErrorLine(std::string& text, const std::string& line) {
    if (!text.empty()) text += "\n";
    text += line;
}

// Settings, skin, PGN text and the current game, in the Windows saver's order and with its texts.
void LoadSaverData(SaverRun& run) {
    LoadSettingsFile(run.settings, run.configPath, DataFolder());
    ApplySettingOverrides(run.settings, run.options.settings);
    if (!LoadSaverSkin(run.settings, run.skin, run.skinName)) run.errorText = kSkinsMissingText;
    // The larger drawings serve only a board larger than the classic one.
    for (bool& available : run.largeAvailable)
        available = false;
    if (run.errorText.empty() && run.settings.fitBoard != 0) {
        FindLargeSkins(run.settings, run.skinName, run.largeAvailable);
    }
    run.largeScale = 1;
    run.sheetSource = nullptr;
    run.sheetCell = 0;
    switch (ReadPgnFilePosix(ExpandHome(PathBytes(run.settings.pgnPath), std::getenv("HOME")),
                             run.pgnText)) {
        case PgnFileResult::NotOpened:
            AppendErrorLine(run.errorText, PgnMissingTextFor(run.configPath));
            break;
        case PgnFileResult::OutOfMemory:
            AppendErrorLine(run.errorText, kOutOfMemoryText);
            break;
        case PgnFileResult::Read:
        case PgnFileResult::ReadFailed:  // plays what was read before the error, as on Windows
            break;
    }
    if (run.errorText.empty()) {
        LoadCurrentGame(run.game, run.info, run.settings.currentGameNumber, run.pgnText);
    }
    StartPlayback(run.stepCountdown, run.settings);
}

Window OpenOwnWindow(SaverRun& run) {
    const int screen = DefaultScreen(run.display);
    const unsigned long background =
        BlackPixel(run.display, screen);  // until the first frame covers it
    Window window =
        XCreateSimpleWindow(run.display, RootWindow(run.display, screen), 0, 0, kOwnWindowWidth,
                            kOwnWindowHeight, 0, background, background);
    XStoreName(run.display, window, "Quorvane");
    XClassHint classHint{const_cast<char*>("quorvane"), const_cast<char*>("Quorvane")};
    XSetClassHint(run.display, window, &classHint);
    run.deleteWindow = XInternAtom(run.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(run.display, window, &run.deleteWindow, 1);
    XSelectInput(run.display, window, ExposureMask | StructureNotifyMask | KeyPressMask);
    XMapWindow(run.display, window);
    return window;
}

Window ChooseWindow(SaverRun& run) {
    switch (run.options.target) {
        case DrawTarget::Root:
            return DefaultRootWindow(run.display);
        case DrawTarget::GivenWindow:
            return static_cast<Window>(run.options.windowId);
        case DrawTarget::OwnWindow:
            break;
    }
    run.ownWindow = true;
    return OpenOwnWindow(run);
}

int32_t SlideElapsed(const SaverRun& run) {
    if (!run.sliding) return kSlideMilliseconds;
    const int64_t elapsed = NowMilliseconds() - run.slideStart;
    return elapsed < kSlideMilliseconds ? static_cast<int32_t>(elapsed) : kSlideMilliseconds;
}

// The drawing for the board's present size: the smallest larger drawing whose cells are at least
// as large (loaded once, and again only when the size calls for another), else the classic one.
const PixelImage& DrawingFor(SaverRun& run, int32_t cell) {
    for (;;) {
        const int32_t scale = ChooseSkinScale(cell, run.largeAvailable);
        if (scale == 1) return run.skin;
        if (scale == run.largeScale) return run.largeSkin;
        if (LoadLargeSkin(run.settings, run.skinName, scale, run.largeSkin)) {
            run.largeScale = scale;
            return run.largeSkin;
        }
        // A drawing that does not load is not asked for again.
        for (int32_t i = 0; i < kLargeSkinScaleCount; ++i) {
            if (kLargeSkinScales[i] == scale) run.largeAvailable[i] = false;
        }
    }
}

// What the board's cells are copied from: a fitted board's drawing filtered to its cell size once,
// so that each repaint and each frame of a slide only copies.
const PixelImage& BoardSkin(SaverRun& run) {
    const int32_t cell = ViewLayout(run.view.width, run.view.height, run.settings).cellSize;
    const PixelImage& drawing = DrawingFor(run, cell);
    if (cell <= kSkinCellSize || SkinCellSizeOf(drawing) == cell) return drawing;
    if (run.sheetSource != &drawing || run.sheetCell != cell) {
        run.sheet = ScaleSkinSheet(drawing, cell);
        run.sheetSource = &drawing;
        run.sheetCell = cell;
    }
    return run.sheet;
}

SaverScene SceneOf(SaverRun& run) {
    return SaverScene{&run.settings,   &run.game,     &run.info,
                      &BoardSkin(run), run.errorText, SlideElapsed(run)};
}

void Repaint(SaverRun& run, bool render) {
    if (render) RenderSaverScene(run.view, SceneOf(run));
    PresentSaverView(run.view);
}

// A frame of a slide: only the squares it passes over change, and at its end the marks too.
void RepaintBoard(SaverRun& run) {
    PresentSaverBoard(run.view, RenderSaverBoard(run.view, SceneOf(run), run.sliding));
}

bool IsCloseKey(XKeyEvent& event) {
    const KeySym key = XLookupKeysym(&event, 0);
    return key == XK_Escape || key == XK_q || key == XK_Q;
}

// Handles every event waiting; false when the run must end.
bool HandleEvents(SaverRun& run) {
    bool render = false;
    bool present = false;
    while (XPending(run.display) > 0) {
        XEvent event{};
        XNextEvent(run.display, &event);
        if (event.type == Expose && event.xexpose.count == 0) present = true;
        if (event.type == ConfigureNotify && event.xconfigure.window == run.window) {
            render |= ResizeSaverView(run.view, event.xconfigure.width, event.xconfigure.height);
        }
        if (event.type == DestroyNotify && event.xdestroywindow.window == run.window) return false;
        if (!run.ownWindow) continue;
        if (event.type == KeyPress && IsCloseKey(event.xkey)) return false;
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == run.deleteWindow) {
            return false;
        }
    }
    if (render || present) Repaint(run, render);
    return true;
}

// Waits for X events, a stop signal, the next tick or (while a move glides) the next frame,
// whichever comes first.
void WaitForWork(SaverRun& run, int64_t nextTick) {
    if (XPending(run.display) > 0) return;
    pollfd waits[2] = {{ConnectionNumber(run.display), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    const int64_t now = NowMilliseconds();
    const int64_t wakeAt = run.sliding ? std::min(nextTick, now + kFrameMilliseconds) : nextTick;
    const int64_t left = wakeAt - now;
    poll(waits, 2, left > 0 ? static_cast<int>(left) : 0);
}

void PlayUntilStopped(SaverRun& run) {
    int64_t nextTick = NowMilliseconds() + kTickMilliseconds;
    while (stopRequested == 0 && targetGone == 0) {
        if (!HandleEvents(run)) break;
        WaitForWork(run, nextTick);
        const int64_t now = NowMilliseconds();
        if (run.sliding) {
            // The last frame is drawn at rest, with the move's marks.
            run.sliding = IsSliding(run.game, static_cast<int32_t>(now - run.slideStart));
            RepaintBoard(run);
        }
        if (now < nextTick) continue;
        // A late tick (a suspended machine) starts the count afresh rather than catching up.
        nextTick = now - nextTick >= kTickMilliseconds ? now + kTickMilliseconds
                                                       : nextTick + kTickMilliseconds;
        if (OnPlaybackTick(run.stepCountdown, !run.errorText.empty(), run.game, run.info,
                           run.settings, run.pgnText)) {
            // A new game starts at rest; a ply glides when the settings ask for it.
            run.sliding = run.settings.animateMoves != 0 && IsSliding(run.game, 0);
            run.slideStart = now;
            Repaint(run, true);
        }
        XSync(run.display, False);  // surfaces an error of a vanished window now
    }
}

void StoreAndExit() {
    if (runOnShow != nullptr)
        StoreGameNumber(runOnShow->configPath, runOnShow->settings.currentGameNumber);
    std::_Exit(0);
}

}  // namespace

int RunSaver(const RunOptions& options) {
    if (!InstallStopSignals()) return 1;
    std::srand(static_cast<unsigned>(std::time(nullptr) ^ getpid()));
    auto run = std::make_unique<SaverRun>();
    run->options = options;
    run->configPath = options.configPath.empty()
                          ? DefaultConfigPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))
                          : options.configPath;
    LoadSaverData(*run);
    run->display = XOpenDisplay(DisplayNameOrNull(options));
    if (run->display == nullptr) {
        std::fprintf(stderr, "quorvane: cannot open the display %s\n",
                     XDisplayName(DisplayNameOrNull(options)));
        return 1;
    }
    XSetErrorHandler(OnXError);
    runOnShow = run.get();
    XSetIOErrorHandler(OnXConnectionLost);
    run->window = ChooseWindow(*run);
    XSync(run->display, False);
    if (targetGone != 0 ||
        !OpenSaverView(run->view, run->display, run->window, run->settings.fontColor)) {
        std::fprintf(stderr, "quorvane: cannot draw into window 0x%lx\n", run->window);
        XCloseDisplay(run->display);
        return 1;
    }
    if (!run->ownWindow)
        XSelectInput(run->display, run->window, ExposureMask | StructureNotifyMask);
    Repaint(*run, true);
    PlayUntilStopped(*run);
    StoreGameNumber(run->configPath, run->settings.currentGameNumber);
    CloseSaverView(run->view);
    XSetIOErrorHandler(nullptr);
    runOnShow = nullptr;
    XCloseDisplay(run->display);
    return 0;
}
