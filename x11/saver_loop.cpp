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
#include <vector>

#include "display/saver_session.h"
#include "x11/config_file.h"
#include "x11/data_folder.h"
#include "x11/display_power.h"
#include "x11/fullscreen_window.h"
#include "x11/pgn_folder.h"
#include "x11/posix_file.h"
#include "x11/saver_view.h"
#include "x11/screen_monitors.h"
#include "x11/shared_place.h"
#include "x11/skin_loader.h"

namespace {

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

struct SkinSheet {
    int32_t scale;
    int32_t cell;
    PixelImage pixels;
};

struct SaverRun {
    RunOptions options;
    std::string configPath;
    std::string pgnMissingText;
    SaverSettings settings;
    SaverSession session;
    PixelImage skin;       // the classic drawing
    PixelImage largeSkin;  // the larger drawing the session chose for a fitted board
    // The drawing in use scaled to each board's cells, made once per size.
    std::vector<SkinSheet> sheets;
    Display* display;
    Window window;
    bool ownWindow;
    bool fullScreen;
    bool mapped;               // full screen: the window is viewable, and can hold input
    bool inputGrabbed;         // full screen: every key and pointer event comes to the window
    PixelPoint pointerAnchor;  // full screen: where the pointer's last small move left it
    Atom deleteWindow;
    SaverView view;
    int placeLock = -1;  // the settings file's lock while a game is claimed
};

PgnFileResult ReadGames(void*, const WideChar* path, const std::string& fileName,
                        CharString& text) {
    const std::string file = ExpandHome(PathBytes(path), std::getenv("HOME"));
    return ReadPgnFilePosix(fileName.empty() ? file : PathInFolder(file, fileName), text);
}

std::string NameBytes(const WideChar* name) {
    return PathBytes(name);
}

int32_t ListSkins(void* context, SkinName* names, int32_t capacity) {
    const SaverRun& run = *static_cast<SaverRun*>(context);
    int32_t count = 0;
    for (const std::string& name : ListSaverSkins(run.session.settings)) {
        if (count == capacity) break;
        if (name.size() >= static_cast<size_t>(kPathCapacity)) continue;
        for (size_t i = 0; i <= name.size(); ++i)
            names[count].text[i] =
                static_cast<WideChar>(static_cast<unsigned char>(name.c_str()[i]));
        ++count;
    }
    return count;
}

bool LoadSkin(void* context, const WideChar* name, int32_t scale) {
    SaverRun& run = *static_cast<SaverRun*>(context);
    if (scale == 1) return LoadNamedSkin(run.session.settings, NameBytes(name), run.skin);
    return LoadLargeSkin(run.session.settings, NameBytes(name), scale, run.largeSkin);
}

bool HasDrawing(void* context, const WideChar* name, int32_t scale) {
    const SaverRun& run = *static_cast<SaverRun*>(context);
    return HasLargeSkin(run.session.settings, NameBytes(name), scale);
}

bool ListFolder(void*, const WideChar* path, std::vector<std::string>& names) {
    return ListFolderFiles(ExpandHome(PathBytes(path), std::getenv("HOME")), names);
}

// Settings texts hold the file's bytes, one a character; names and players are UTF-8 there.
std::string TextToUtf8(const WideChar* text) {
    return PathBytes(text);
}

void Utf8ToText(const std::string& utf8, WideChar (&text)[kPathCapacity]) {
    text[0] = 0;
    if (utf8.size() >= static_cast<size_t>(kPathCapacity)) return;
    for (size_t i = 0; i <= utf8.size(); ++i)
        text[i] = static_cast<WideChar>(static_cast<unsigned char>(utf8.c_str()[i]));
}

bool LockPlace(void* context, ResumePoint& stored) {
    SaverRun& run = *static_cast<SaverRun*>(context);
    run.placeLock = LockStoredPlace(run.configPath, stored);
    return true;
}

void UnlockPlace(void* context, const ResumePoint&) {
    // The session has taken the place after the claimed game into its settings already.
    SaverRun& run = *static_cast<SaverRun*>(context);
    UnlockStoredPlace(run.configPath, run.session.settings, run.placeLock);
    run.placeLock = -1;
}

// With a game of its own on each monitor the games are claimed through the settings file, which
// XScreenSaver's processes (one per monitor) share.
bool ClaimsGames(const SaverSettings& settings) {
    return settings.monitors == static_cast<int32_t>(MonitorMode::OwnGames);
}

SaverPlatform PlatformOf(SaverRun& run) {
    const bool claims = ClaimsGames(run.settings);
    return SaverPlatform{&run,
                         ReadGames,
                         run.pgnMissingText.c_str(),
                         SkinSource{&run, ListSkins, LoadSkin, HasDrawing},
                         ListFolder,
                         NameOrder::Bytewise,
                         TextToUtf8,
                         Utf8ToText,
                         SharedStore{claims ? LockPlace : nullptr, claims ? UnlockPlace : nullptr}};
}

SaverScreen ScreenOf(const SaverRun& run) {
    SaverScreen screen{};
    screen.kind = run.fullScreen ? ScreenKind::FullScreen : ScreenKind::Windowed;
    screen.width = run.view.width;
    screen.height = run.view.height;
    screen.monitorCount = WindowMonitors(run.display, run.window, screen.monitors, kMaxMonitors);
    return screen;
}

Window CreateResizableWindow(Display* display) {
    const int screen = DefaultScreen(display);
    const unsigned long background =
        BlackPixel(display, screen);  // until the first frame covers it
    Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kOwnWindowWidth,
                                        kOwnWindowHeight, 0, background, background);
    XSelectInput(display, window, ExposureMask | StructureNotifyMask | KeyPressMask);
    return window;
}

Window OpenOwnWindow(SaverRun& run) {
    run.fullScreen = run.options.target == DrawTarget::FullScreen;
    Window window =
        run.fullScreen ? CreateFullScreenWindow(run.display) : CreateResizableWindow(run.display);
    XStoreName(run.display, window, "Quorvane");
    XClassHint classHint{const_cast<char*>("quorvane"), const_cast<char*>("Quorvane")};
    XSetClassHint(run.display, window, &classHint);
    run.deleteWindow = XInternAtom(run.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(run.display, window, &run.deleteWindow, 1);
    XMapWindow(run.display, window);
    if (run.fullScreen) {
        RequestFullScreen(run.display, window);
        run.pointerAnchor = PointerOnScreen(run.display);
    }
    return window;
}

Window ChooseWindow(SaverRun& run) {
    switch (run.options.target) {
        case DrawTarget::Root:
            return DefaultRootWindow(run.display);
        case DrawTarget::GivenWindow:
            return static_cast<Window>(run.options.windowId);
        case DrawTarget::OwnWindow:
        case DrawTarget::FullScreen:
            break;
    }
    run.ownWindow = true;
    return OpenOwnWindow(run);
}

// The session's larger drawing, loaded again when a sheet needs it after it was let go.
const PixelImage& LargeDrawing(SaverRun& run, int32_t scale) {
    if (run.largeSkin.pixels.empty()) {
        LoadLargeSkin(run.session.settings, NameBytes(run.session.skin.name), scale, run.largeSkin);
    }
    return run.largeSkin;
}

// What a board's cells are copied from: a fitted board's drawing filtered to its cell size once,
// so that each repaint and each frame of a slide only copies.
const PixelImage& BoardSkin(SaverRun& run, const PictureBoard& board) {
    const int32_t scale = board.skinScale;
    const int32_t cell = board.layout.cellSize;
    for (const SkinSheet& sheet : run.sheets) {
        if (sheet.scale == scale && sheet.cell == cell) return sheet.pixels;
    }
    const PixelImage& drawing = scale > 1 ? LargeDrawing(run, scale) : run.skin;
    if (cell <= kSkinCellSize || SkinCellSizeOf(drawing) == cell) return drawing;
    run.sheets.push_back(SkinSheet{scale, cell, ScaleSkinSheet(drawing, cell)});
    return run.sheets.back().pixels;
}

std::vector<const PixelImage*> BoardSkins(SaverRun& run, const SaverPicture& picture) {
    // Every sheet first: the list may grow, and the pointers must outlive it.
    for (const PictureBoard& board : picture.boards)
        BoardSkin(run, board);
    // The larger drawing has served once every board has its sheet: a fitted board on a large
    // screen keeps the sheet alone.
    bool drawsFromLarge = false;
    for (const PictureBoard& board : picture.boards)
        drawsFromLarge |= &BoardSkin(run, board) == &run.largeSkin;
    if (!drawsFromLarge) run.largeSkin = PixelImage{};
    std::vector<const PixelImage*> skins;
    for (const PictureBoard& board : picture.boards)
        skins.push_back(&BoardSkin(run, board));
    return skins;
}

// Draws what the session says changed and shows it; nothing while the monitors are off.
void Show(SaverRun& run, const SessionUpdate& update) {
    if (run.session.asleep) return;
    const SaverPicture picture = ComposeSaverPicture(run.session, NowMilliseconds());
    if (update.change == ScreenChange::Whole) {
        RenderSaverPicture(run.view, picture, BoardSkins(run, picture));
        PresentSaverView(run.view);
        return;
    }
    for (int32_t i = 0; update.change == ScreenChange::BoardPart && i < update.areaCount; ++i) {
        for (const PictureBoard& board : picture.boards) {
            RenderPictureBoard(run.view, board, picture.backgroundColor, BoardSkin(run, board),
                               update.areas[i]);
        }
        PresentSaverArea(run.view, update.areas[i]);
    }
}

bool IsCloseKey(XKeyEvent& event) {
    const KeySym key = XLookupKeysym(&event, 0);
    return key == XK_Escape || key == XK_q || key == XK_Q;
}

// Handles every event waiting; false when the run must end.
bool HandleEvents(SaverRun& run) {
    bool resized = false;
    bool present = false;
    while (XPending(run.display) > 0) {
        XEvent event{};
        XNextEvent(run.display, &event);
        if (event.type == Expose && event.xexpose.count == 0) present = true;
        if (event.type == ConfigureNotify && event.xconfigure.window == run.window) {
            resized |= ResizeSaverView(run.view, event.xconfigure.width, event.xconfigure.height);
        }
        if (event.type == DestroyNotify && event.xdestroywindow.window == run.window) return false;
        if (!run.ownWindow) continue;
        if (event.type == MapNotify && event.xmap.window == run.window) run.mapped = true;
        if (event.type == UnmapNotify && event.xunmap.window == run.window) {
            run.mapped = run.inputGrabbed = false;  // a window that is not viewable loses its grabs
        }
        if (run.fullScreen && FullScreenInputEnds(event, run.pointerAnchor)) return false;
        if (event.type == KeyPress && IsCloseKey(event.xkey)) return false;
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == run.deleteWindow) {
            return false;
        }
    }
    if (run.fullScreen && run.mapped && !run.inputGrabbed) {
        run.inputGrabbed = GrabFullScreenInput(run.display, run.window);
    }
    if (resized) {
        Show(run, ResizeSaverSession(run.session, ScreenOf(run)));
    } else if (present && !run.session.asleep) {
        PresentSaverView(run.view);
    }
    return true;
}

// Waits for X events, a stop signal or the session's next wake, whichever comes first.
void WaitForWork(SaverRun& run) {
    if (XPending(run.display) > 0) return;
    pollfd waits[2] = {{ConnectionNumber(run.display), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    const int64_t left = NextSessionWake(run.session) - NowMilliseconds();
    poll(waits, 2, left > 0 ? static_cast<int>(std::min<int64_t>(left, 60000)) : 0);
}

void PlayUntilStopped(SaverRun& run) {
    while (stopRequested == 0 && targetGone == 0) {
        if (!HandleEvents(run)) break;
        WaitForWork(run);
        const int64_t now = NowMilliseconds();
        // The server has no event for the monitors' power: it is asked at each wake, which while
        // they are off comes once a minute.
        Show(run, SetSaverDisplayAsleep(run.session, MonitorsAreOff(run.display), now));
        Show(run, AdvanceSaverSession(run.session, now));
        XSync(run.display, False);  // surfaces an error of a vanished window now
    }
}

// The game on show for the next run; claimed games have stored their successors already, and
// storing again could take back another process's claim.
void StorePlaceOf(const SaverRun& run) {
    if (ClaimsGames(run.settings)) return;
    StoreSaverPlace(run.configPath, run.session.settings);
}

void StoreAndExit() {
    if (runOnShow != nullptr) StorePlaceOf(*runOnShow);
    std::_Exit(0);
}

}  // namespace

int RunSaver(const RunOptions& options) {
    if (!InstallStopSignals()) return 1;
    auto run = std::make_unique<SaverRun>();
    run->options = options;
    run->configPath = ChosenConfigPath(options.configPath);
    run->pgnMissingText = PgnMissingTextFor(run->configPath);
    LoadSettingsFile(run->settings, run->configPath, DataFolder());
    ApplySettingOverrides(run->settings, run->options.settings);
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
    const auto seed = static_cast<uint32_t>(std::time(nullptr) ^ getpid());
    StartSaverSession(run->session, run->settings, ScreenOf(*run), PlatformOf(*run), seed,
                      NowMilliseconds());
    Show(*run, SessionUpdate{ScreenChange::Whole, {}, 0});
    PlayUntilStopped(*run);
    StorePlaceOf(*run);
    CloseSaverView(run->view);
    XSetIOErrorHandler(nullptr);
    runOnShow = nullptr;
    XCloseDisplay(run->display);
    return 0;
}
