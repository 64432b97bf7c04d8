#include "display/saver_session.h"

#include <algorithm>

#include "display/drift.h"
#include "display/filter_text.h"
#include "display/game_lines.h"
#include "display/home_page.h"
#include "display/information_text.h"
#include "display/playback.h"
#include "display/saver_texts.h"
#include "display/text_layout.h"
#include "pgn/pgn_reader.h"

namespace {

const SessionUpdate kNothing{ScreenChange::Nothing, {}, 0};

void AppendErrorLine(std::string& errorText, const char* line) {
    if (!errorText.empty()) errorText += "\n";
    errorText += line;
}

MonitorMode ModeOf(const SaverSettings& settings) {
    switch (settings.monitors) {
        case 1:
            return MonitorMode::SameGame;
        case 2:
            return MonitorMode::OwnGames;
        default:
            return MonitorMode::PrimaryOnly;
    }
}

bool HasFullLayout(const SaverScreen& screen, const ScreenRect& area) {
    switch (screen.kind) {
        case ScreenKind::FullScreen:
            return true;
        case ScreenKind::Preview:
            return false;
        case ScreenKind::Windowed:
            break;
    }
    // A window too small for the classic board gets a board alone, scaled to fit.
    return area.right - area.left >= kFullScreenBoardSize &&
           area.bottom - area.top >= kFullScreenBoardSize;
}

bool Usable(const ScreenRect& rect) {
    return rect.right > rect.left && rect.bottom > rect.top;
}

// The monitors that show a board, the primary first: the primary alone, or every monitor.
std::vector<ScreenRect> BoardAreas(const SaverScreen& screen, MonitorMode mode) {
    const ScreenRect whole{0, 0, screen.width, screen.height};
    if (screen.kind == ScreenKind::Preview || screen.monitorCount <= 0) return {whole};
    const MonitorArea& primary = PrimaryMonitor(screen.monitors, screen.monitorCount);
    std::vector<ScreenRect> areas{Usable(primary.rect) ? primary.rect : whole};
    if (mode == MonitorMode::PrimaryOnly) return areas;
    for (int32_t i = 0; i < screen.monitorCount; ++i) {
        const MonitorArea& monitor = screen.monitors[i];
        if (&monitor != &primary && Usable(monitor.rect)) areas.push_back(monitor.rect);
    }
    return areas;
}

// What a board and its texts cover, for the drift to keep inside the monitor.
LineSet LinesOf(const SaverSettings& settings) {
    return LineSet{settings.showInfo != 0,    settings.showResult != 0,
                   settings.showOpening != 0, settings.showCoordinates != 0,
                   settings.showClocks != 0,  settings.showMoveText != 0};
}

// What a board and its texts cover, for the drift to keep inside the monitor.
TextBand OccupiedBy(const BoardShow& board, const LineSet& lines) {
    TextBand band = BoardBand(board.layout);
    const LineExtent extent = LinesExtent(lines, board.layout.cellSize);
    band.top = board.layout.top - extent.above;
    band.bottom = board.layout.top + extent.below;
    if (lines.coordinates) band.left = RankBand(board.layout, 0).left;
    if (lines.clocks) band.right = LineBand(board.layout, lines, ScreenLine::WhiteClock).right;
    return band;
}

void LayOutBoard(SaverSession& session, BoardShow& board) {
    const int32_t width = board.area.right - board.area.left;
    const int32_t height = board.area.bottom - board.area.top;
    const bool full = HasFullLayout(session.screen, board.area);
    BoardLayout layout =
        full ? ComputeFullScreenLayout(width, height, session.settings.fitBoard != 0)
             : ComputeBoardLayout(width, height, false);
    layout.left += board.area.left;
    layout.top += board.area.top;
    const LineSet lines = LinesOf(session.settings);
    board.layout = full ? FitLinesVertically(layout, lines, board.area.top, height) : layout;
    if (session.settings.drift == 0 || !full) return;
    const PixelPoint offset = KeepInside(DriftOffset(session.driftStep, layout.cellSize),
                                         OccupiedBy(board, lines), board.area);
    board.layout.left += offset.x;
    board.layout.top += offset.y;
}

void LayOutBoards(SaverSession& session) {
    int32_t largestCell = 0;
    for (BoardShow& board : session.boards) {
        LayOutBoard(session, board);
        largestCell = std::max(largestCell, board.layout.cellSize);
    }
    // One drawing serves every board: the one the largest board wants.
    ChooseBoardDrawing(session.skin, session.platform.skins, largestCell);
}

void LoadSkin(SaverSession& session) {
    const SkinSource& skins = session.platform.skins;
    // A front end without skins (a terminal) draws its board otherwise.
    if (skins.loadSkin == nullptr) return;
    if (!ChooseSaverSkin(session.skin, skins, session.settings, session.random)) {
        session.errorText = kSkinsMissingText;
    }
}

bool ReadForChooser(void* context, const std::string& fileName, CharString& text) {
    auto& session = *static_cast<SaverSession*>(context);
    const SaverPlatform& platform = session.platform;
    const std::string name = session.chooser.sources.folder ? fileName : std::string();
    session.lastRead = platform.readPgnFile(platform.context, session.settings.pgnPath, name, text);
    // A read cut short by an error plays what was read before it.
    return session.lastRead == PgnFileResult::Read || session.lastRead == PgnFileResult::ReadFailed;
}

std::string Utf8Of(const SaverSession& session, const WideChar* text) {
    const SaverPlatform& platform = session.platform;
    return platform.textToUtf8 != nullptr ? platform.textToUtf8(text) : std::string();
}

GameSources SourcesOf(const SaverSession& session) {
    const SaverPlatform& platform = session.platform;
    std::vector<std::string> names;
    if (platform.listFolder != nullptr &&
        platform.listFolder(platform.context, session.settings.pgnPath, names)) {
        return FolderSource(std::move(names), platform.folderOrder);
    }
    return SingleFileSource(std::string());
}

ResumePoint StoredPlace(const SaverSession& session) {
    const SaverSettings& settings = session.settings;
    return ResumePoint{Utf8Of(session, settings.currentFile), settings.currentGameNumber,
                       static_cast<uint32_t>(settings.shuffleSeed), settings.shufflePosition};
}

// The place to store becomes the chooser's.
void KeepPlace(SaverSession& session, const ResumePoint& place) {
    SaverSettings& settings = session.settings;
    settings.currentGameNumber = place.gameNumber;
    // A round's seed and place mean nothing in file order: nothing of them is kept there.
    const bool shuffled = session.chooser.order == GameOrder::Shuffled;
    settings.shuffleSeed = shuffled ? static_cast<int32_t>(place.shuffleSeed) : 0;
    settings.shufflePosition = shuffled ? place.shufflePosition : 0;
    settings.currentFile[0] = 0;
    if (session.platform.utf8ToText != nullptr) {
        session.platform.utf8ToText(place.file, settings.currentFile);
    }
}

void MakeChooser(SaverSession& session) {
    const SaverSettings& settings = session.settings;
    const GameFilters filters{settings.minimumRating, settings.decisiveOnly != 0,
                              Utf8Of(session, settings.player)};
    session.chooser = MakeGameChooser(SourcesOf(session), GameOrderOf(settings.gameOrder), filters,
                                      PgnTextSource{&session, ReadForChooser});
    session.lastRead = PgnFileResult::Read;
}

// What the first choice tells the user when no game plays.
void ReportChoice(SaverSession& session) {
    switch (session.choice) {
        case ChoiceResult::Chosen:
        case ChoiceResult::NoGame:  // the standard position, as a file without games always gave
            return;
        case ChoiceResult::NothingRead:
            AppendErrorLine(session.errorText, session.lastRead == PgnFileResult::OutOfMemory
                                                   ? kOutOfMemoryText
                                                   : session.platform.pgnMissingText);
            return;
        case ChoiceResult::NoneFiltered: {
            const GameChooser& chooser = session.chooser;
            const std::string text = NoGamePassesText(Utf8Of(session, session.settings.pgnPath),
                                                      chooser.sources.folder, chooser.filters);
            AppendErrorLine(session.errorText, text.c_str());
            return;
        }
    }
}

const BoardShow& GameBoard(const SaverSession& session, const BoardShow& board) {
    return session.boards[static_cast<size_t>(board.mirrors)];
}

// The chooser's game onto the board; with no game at all the standard position.
void LoadChoice(SaverSession& session, BoardShow& board) {
    if (session.choice == ChoiceResult::Chosen) {
        LoadChosenGame(*board.game, board.info, session.chooser);
        board.gameNumber = session.chooser.at.gameNumber;
        return;
    }
    ResetGame(*board.game, false);
    board.game->moveCount = 0;
}

bool SharesStore(const SaverSession& session) {
    return ModeOf(session.settings) == MonitorMode::OwnGames &&
           session.platform.sharedStore.lock != nullptr;
}

// A game claimed from the store several processes share, and the place after it stored.
void ClaimGame(SaverSession& session, BoardShow& board) {
    const SharedStore& store = session.platform.sharedStore;
    ResumePoint stored;
    const bool locked = store.lock(session.platform.context, stored);
    session.choice = ChooseStartingGame(session.chooser, stored, NextRandom(session.random));
    ReportChoice(session);
    LoadChoice(session, board);
    if (session.choice == ChoiceResult::Chosen) session.choice = ChooseNextGame(session.chooser);
    KeepPlace(session, session.chooser.at);
    if (locked) store.unlock(session.platform.context, session.chooser.at);
}

// The game a board of its own game shows next. One board: the next in the saver's order, kept
// as the place to store; with no game in the file the number to store grows, as a file without
// games always did. Several: the chooser stands one game ahead, on the next not yet shown, so
// that no two boards show the same game and the place stored is the next unseen one.
void NextGame(SaverSession& session, BoardShow& board, bool first) {
    SaverSettings& settings = session.settings;
    if (SharesStore(session)) {
        ClaimGame(session, board);
        return;
    }
    const bool ownGames = ModeOf(settings) == MonitorMode::OwnGames;
    if (!first && !ownGames && session.choice == ChoiceResult::NoGame) {
        // Held at the largest number, a later run finds no such game and starts with game 0.
        if (settings.currentGameNumber < INT32_MAX) ++settings.currentGameNumber;
        LoadChoice(session, board);
        return;
    }
    if (!first && !ownGames) session.choice = ChooseNextGame(session.chooser);
    LoadChoice(session, board);
    if (ownGames) session.choice = ChooseNextGame(session.chooser);
    if (session.choice == ChoiceResult::Chosen || ownGames) KeepPlace(session, session.chooser.at);
}

void StartBoards(SaverSession& session, const std::vector<ScreenRect>& areas) {
    const MonitorMode mode = ModeOf(session.settings);
    session.boards.clear();
    session.boards.resize(areas.size());
    for (size_t i = 0; i < areas.size(); ++i) {
        BoardShow& board = session.boards[i];
        board.area = areas[i];
        board.mirrors = mode == MonitorMode::SameGame ? 0 : static_cast<int32_t>(i);
        board.sliding = false;
        if (board.mirrors != static_cast<int32_t>(i)) continue;
        board.game = std::make_unique<GameState>();
        board.info = GameInfo{};
        StartPlayback(board.stepCountdown, session.settings);
        if (session.errorText.empty()) NextGame(session, board, true);
    }
}

// The first choice of the run, from the stored place: what the error text says when no game
// plays. With a store shared between processes each board claims its own game instead.
void ChooseFirstGame(SaverSession& session) {
    MakeChooser(session);
    if (SharesStore(session)) return;
    session.choice =
        ChooseStartingGame(session.chooser, StoredPlace(session), NextRandom(session.random));
    ReportChoice(session);
}

int32_t TextHeight(const SaverSession& session, const BoardShow& board) {
    return HasFullLayout(session.screen, board.area) ? InfoFontHeight(board.layout.cellSize) : 0;
}

// A line that does not fit its band may take the monitor's width, less a margin at each side.
TextBand RoomBeside(const BoardShow& board, const TextBand& band) {
    const int32_t margin = InfoFontHeight(board.layout.cellSize) / 3;
    return TextBand{board.area.left + margin, band.top, board.area.right - margin, band.bottom};
}

// The position the texts speak of: the one at rest, so during a slide the one before the move.
int32_t TextPly(const BoardShow& source) {
    const int32_t ply = source.game->ply;
    return source.sliding && ply > 0 ? ply - 1 : ply;
}

void AddLine(std::vector<PictureText>& texts, const BoardShow& board, CharString bytes,
             const TextBand& band, TextAlign align, int32_t height) {
    if (bytes.empty()) return;
    const TextBand room = align == TextAlign::Centre ? RoomBeside(board, band) : band;
    texts.push_back(PictureText{std::move(bytes), band, align, height, room});
}

void AddCoordinates(std::vector<PictureText>& texts, const BoardShow& board, const LineSet& lines) {
    const int32_t height = CoordinateFontHeight(board.layout.cellSize);
    for (int32_t i = 0; i < 8; ++i) {
        const char file[2] = {static_cast<char>('a' + i), 0};
        const char rank[2] = {static_cast<char>('1' + i), 0};
        texts.push_back(BandText(CharString(file), FileBand(board.layout, lines, i),
                                 TextAlign::Centre, height));
        texts.push_back(
            BandText(CharString(rank), RankBand(board.layout, i), TextAlign::Centre, height));
    }
}

void AddBoardTexts(const SaverSession& session, const BoardShow& board,
                   std::vector<PictureText>& texts) {
    if (!HasFullLayout(session.screen, board.area)) return;
    const SaverSettings& settings = session.settings;
    const BoardShow& source = GameBoard(session, board);
    const GameInfo& info = source.info;
    const int32_t ply = TextPly(source);
    const int32_t height = TextHeight(session, board);
    const LineSet lines = LinesOf(settings);
    const auto band = [&](ScreenLine line) { return LineBand(board.layout, lines, line); };
    const auto line = [&](GameLine which) { return GameLineText(info, which, ply); };
    if (lines.result && !source.sliding) {
        AddLine(texts, board, line(GameLine::Result), band(ScreenLine::Result), TextAlign::Centre,
                height);
    }
    if (lines.opening) {
        AddLine(texts, board, line(GameLine::Opening), band(ScreenLine::Opening), TextAlign::Centre,
                height);
    }
    if (lines.info) {
        const bool ratings = settings.showRatings != 0;
        AddLine(texts, board,
                ratings ? line(GameLine::BlackPlayer) : InformationText(info, InfoLine::BlackName),
                band(ScreenLine::BlackName), TextAlign::Centre, height);
        AddLine(texts, board,
                ratings ? line(GameLine::WhitePlayer) : InformationText(info, InfoLine::WhiteName),
                band(ScreenLine::WhiteName), TextAlign::Centre, height);
    }
    if (lines.clocks) {
        AddLine(texts, board, line(GameLine::BlackClock), band(ScreenLine::BlackClock),
                TextAlign::Left, height);
        AddLine(texts, board, line(GameLine::WhiteClock), band(ScreenLine::WhiteClock),
                TextAlign::Left, height);
    }
    if (lines.lastMove) {
        AddLine(texts, board, line(GameLine::LastMove), band(ScreenLine::LastMove),
                TextAlign::Centre, height);
    }
    if (lines.info) {
        AddLine(texts, board, InformationText(info, InfoLine::Date), band(ScreenLine::Date),
                TextAlign::Centre, height);
        AddLine(texts, board, InformationText(info, InfoLine::Event), band(ScreenLine::Event),
                TextAlign::Centre, height);
        AddLine(texts, board, InformationText(info, InfoLine::Site), band(ScreenLine::Site),
                TextAlign::Centre, height);
    }
    if (lines.coordinates) AddCoordinates(texts, board, lines);
    // The home page marks a game's end; while the last move still slides, the game goes on.
    if (!source.sliding && IsFinalPosition(*source.game)) {
        const TextBand homePage =
            HomePageBand(board.area.left, board.area.top, board.area.right - board.area.left,
                         board.layout.cellSize);
        texts.push_back(BandText(CharString(kHomePageAddress), homePage, TextAlign::Right, height));
    }
}

std::vector<PictureText> CurrentTexts(const SaverSession& session) {
    std::vector<PictureText> texts;
    if (!session.errorText.empty()) {
        const BoardShow& primary = session.boards.front();
        const ScreenRect& area = primary.area;
        texts.push_back(BandText(
            CharString(session.errorText.data(), static_cast<int32_t>(session.errorText.size())),
            TextBand{area.left, area.top, area.right, area.bottom}, TextAlign::WrapTopLeft,
            TextHeight(session, primary)));
        return texts;
    }
    for (const BoardShow& board : session.boards)
        AddBoardTexts(session, board, texts);
    return texts;
}

SessionUpdate Whole(SaverSession& session) {
    session.shownTexts = CurrentTexts(session);
    return SessionUpdate{ScreenChange::Whole, {}, 0};
}

void AddArea(SessionUpdate& update, const TextBand& area) {
    if (update.change == ScreenChange::Whole || update.areaCount == kMaxMonitors) return;
    update.change = ScreenChange::BoardPart;
    update.areas[update.areaCount++] = area;
}

// Every board that shows the game of source: the board itself and those that mirror it.
template <typename Action>
void ForShowingBoards(SaverSession& session, int32_t source, Action action) {
    for (BoardShow& board : session.boards) {
        if (board.mirrors == source) action(board);
    }
}

// A frame of every slide under way, and the end of those whose time is up: the marks move onto
// the move's squares, and the texts at rest may differ from those shown during the slide (the
// home page at a game's end).
SessionUpdate AdvanceSlides(SaverSession& session, int64_t now) {
    SessionUpdate update = kNothing;
    bool ended = false;
    const bool frameDue = now - session.lastFrameAt >= kFrameMilliseconds;
    for (size_t i = 0; i < session.boards.size(); ++i) {
        BoardShow& board = session.boards[i];
        if (!board.sliding) continue;
        const bool ending = now - board.slideStart >= kSlideMilliseconds;
        if (!ending && !frameDue) continue;
        board.sliding = !ending;
        ended |= ending;
        ForShowingBoards(session, static_cast<int32_t>(i), [&](BoardShow& shown) {
            AddArea(update,
                    ending ? BoardBand(shown.layout) : SlideArea(*board.game, shown.layout));
        });
    }
    if (ended && !(CurrentTexts(session) == session.shownTexts)) return Whole(session);
    if (update.change != ScreenChange::Nothing) session.lastFrameAt = now;
    return update;
}

// One playback tick of a board that plays a game; a step within the game slides its piece when
// moves slide.
SessionUpdate TickBoard(SaverSession& session, size_t index, int64_t now) {
    BoardShow& board = session.boards[index];
    board.stepCountdown = board.stepCountdown > 0 ? board.stepCountdown - 1 : 0;
    if (board.stepCountdown != 0 || !session.errorText.empty()) return kNothing;
    const int32_t next = board.game->ply + 1;
    bool stepped = false;
    if (board.game->moveCount != 0 && board.game->moveCount != next) {
        // Rebuilt from the start every time: a step never depends on the board it finds.
        ReplayPlies(*board.game, next);
        stepped = IsSliding(*board.game, 0);
    } else {
        NextGame(session, board, false);
    }
    board.stepCountdown = NextPause(*board.game, session.settings);
    board.sliding = session.settings.animateMoves != 0 && stepped;
    if (!board.sliding) return Whole(session);
    board.slideStart = now;
    session.lastFrameAt = now;
    SessionUpdate update = kNothing;
    ForShowingBoards(session, static_cast<int32_t>(index), [&](BoardShow& shown) {
        AddArea(update, SlideArea(*board.game, shown.layout));
    });
    return update;
}

SessionUpdate Merge(const SessionUpdate& a, const SessionUpdate& b) {
    if (a.change == ScreenChange::Whole || b.change == ScreenChange::Whole) {
        return SessionUpdate{ScreenChange::Whole, {}, 0};
    }
    SessionUpdate merged = a;
    for (int32_t i = 0; i < b.areaCount; ++i)
        AddArea(merged, b.areas[i]);
    return merged;
}

bool AnySliding(const SaverSession& session) {
    for (const BoardShow& board : session.boards) {
        if (board.sliding) return true;
    }
    return false;
}

// Every few minutes the boards move on along the drift path, never while a piece slides.
SessionUpdate Drift(SaverSession& session, int64_t now) {
    if (session.settings.drift == 0 || AnySliding(session)) return kNothing;
    const auto due = static_cast<int32_t>(((now - session.startedAt) / kDriftStepMilliseconds) %
                                          kDriftPathSteps);
    if (due == session.driftStep) return kNothing;
    session.driftStep = due;
    LayOutBoards(session);
    return Whole(session);
}

}  // namespace

void StartSaverSession(SaverSession& session, const SaverSettings& settings,
                       const SaverScreen& screen, const SaverPlatform& platform, uint32_t seed,
                       int64_t now) {
    session.settings = settings;
    session.screen = screen;
    session.platform = platform;
    session.random = seed != 0 ? seed : 0x9E3779B9u;
    session.errorText.clear();
    session.choice = ChoiceResult::NoGame;
    session.startedAt = now;
    session.driftStep = 0;
    session.asleep = false;
    LoadSkin(session);
    ChooseFirstGame(session);
    StartBoards(session, BoardAreas(screen, ModeOf(settings)));
    LayOutBoards(session);
    session.nextTickAt = now + kTickMilliseconds;
    session.lastFrameAt = now;
    session.shownTexts = CurrentTexts(session);
}

SessionUpdate ResizeSaverSession(SaverSession& session, const SaverScreen& screen) {
    session.screen = screen;
    const std::vector<ScreenRect> areas = BoardAreas(screen, ModeOf(session.settings));
    if (areas.size() == session.boards.size()) {
        for (size_t i = 0; i < areas.size(); ++i)
            session.boards[i].area = areas[i];
    } else {
        // Monitors came or went: the boards start again, the primary with its game.
        const int32_t primaryGame = session.boards.front().gameNumber;
        session.settings.currentGameNumber = ModeOf(session.settings) == MonitorMode::OwnGames
                                                 ? session.settings.currentGameNumber
                                                 : primaryGame;
        StartBoards(session, areas);
    }
    LayOutBoards(session);
    return Whole(session);
}

SessionUpdate AdvanceSaverSession(SaverSession& session, int64_t now) {
    if (session.asleep) {
        session.nextTickAt = now + kAsleepWakeMilliseconds;
        return kNothing;
    }
    SessionUpdate update = AdvanceSlides(session, now);
    if (now < session.nextTickAt) return update;
    // A late tick (a suspended machine, a busy one) starts the count afresh rather than catching
    // up with a burst of steps.
    session.nextTickAt = now - session.nextTickAt >= kTickMilliseconds
                             ? now + kTickMilliseconds
                             : session.nextTickAt + kTickMilliseconds;
    for (size_t i = 0; i < session.boards.size(); ++i) {
        if (session.boards[i].mirrors == static_cast<int32_t>(i)) {
            update = Merge(update, TickBoard(session, i, now));
        }
    }
    return Merge(update, Drift(session, now));
}

SessionUpdate SetSaverDisplayAsleep(SaverSession& session, bool asleep, int64_t now) {
    if (asleep == session.asleep) return kNothing;
    session.asleep = asleep;
    if (asleep) {
        session.nextTickAt = now + kAsleepWakeMilliseconds;
        return kNothing;
    }
    // Back on: the positions rest where they were and count their pauses afresh.
    for (BoardShow& board : session.boards)
        board.sliding = false;
    session.nextTickAt = now + kTickMilliseconds;
    return Whole(session);
}

int64_t NextSessionWake(const SaverSession& session) {
    if (session.asleep || !AnySliding(session)) return session.nextTickAt;
    int64_t wake = std::min(session.nextTickAt, session.lastFrameAt + kFrameMilliseconds);
    for (const BoardShow& board : session.boards) {
        if (board.sliding) wake = std::min(wake, board.slideStart + kSlideMilliseconds);
    }
    return wake;
}

bool IsSessionSliding(const SaverSession& session, int64_t now) {
    for (const BoardShow& board : session.boards) {
        if (board.sliding && now - board.slideStart < kSlideMilliseconds) return true;
    }
    return false;
}

bool UsesFullLayout(const SaverSession& session) {
    return HasFullLayout(session.screen, PrimaryBoard(session).area);
}

const BoardShow& PrimaryBoard(const SaverSession& session) {
    return session.boards.front();
}

SaverPicture ComposeSaverPicture(const SaverSession& session, int64_t now) {
    SaverPicture picture{};
    picture.backgroundColor = session.settings.backgroundColor;
    picture.fontColor = session.settings.fontColor;
    // The texts follow the session's own view of the slides, so that a late paint shows what the
    // last update announced.
    picture.texts = CurrentTexts(session);
    if (!session.errorText.empty()) return picture;
    for (const BoardShow& board : session.boards) {
        if (board.layout.cellSize <= 0) continue;
        const BoardShow& source = GameBoard(session, board);
        PictureBoard drawn{};
        drawn.layout = board.layout;
        drawn.skinScale = session.skin.scale;
        const int64_t since = now - source.slideStart;
        const int32_t elapsed =
            source.sliding ? static_cast<int32_t>(std::clamp<int64_t>(since, 0, kSlideMilliseconds))
                           : kSlideMilliseconds;
        ComposeBoardFrame(*source.game, board.layout, elapsed, session.settings.showLastMove != 0,
                          drawn.frame);
        picture.boards.push_back(drawn);
    }
    return picture;
}
