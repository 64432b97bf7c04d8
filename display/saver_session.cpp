#include "display/saver_session.h"

#include <algorithm>

#include "display/home_page.h"
#include "display/information_text.h"
#include "display/playback.h"
#include "display/saver_texts.h"
#include "pgn/pgn_reader.h"

namespace {

void AppendErrorLine(std::string& errorText, const char* line) {
    if (!errorText.empty()) errorText += "\n";
    errorText += line;
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

// Where the board and its texts go: the primary monitor of a full screen, else the whole surface.
ScreenRect BoardArea(const SaverScreen& screen) {
    const ScreenRect whole{0, 0, screen.width, screen.height};
    if (screen.kind == ScreenKind::Preview || screen.monitorCount <= 0) return whole;
    const ScreenRect primary = PrimaryMonitor(screen.monitors, screen.monitorCount).rect;
    return primary.right > primary.left && primary.bottom > primary.top ? primary : whole;
}

void LayOutBoard(SaverSession& session) {
    BoardShow& board = session.board;
    board.area = BoardArea(session.screen);
    const int32_t width = board.area.right - board.area.left;
    const int32_t height = board.area.bottom - board.area.top;
    BoardLayout layout =
        HasFullLayout(session.screen, board.area)
            ? ComputeFullScreenLayout(width, height, session.settings.fitBoard != 0)
            : ComputeBoardLayout(width, height, false);
    layout.left += board.area.left;
    layout.top += board.area.top;
    board.layout = layout;
    ChooseBoardDrawing(session.skin, session.platform.skins, layout.cellSize);
}

void LoadSkin(SaverSession& session) {
    const SkinSource& skins = session.platform.skins;
    // A front end without skins (a terminal) draws its board otherwise.
    if (skins.loadSkin == nullptr) return;
    if (!ChooseSaverSkin(session.skin, skins, session.settings, session.random)) {
        session.errorText = kSkinsMissingText;
    }
}

void LoadGameText(SaverSession& session) {
    const SaverPlatform& platform = session.platform;
    switch (platform.readPgnFile(platform.context, session.settings.pgnPath, session.pgnText)) {
        case PgnFileResult::NotOpened:
            AppendErrorLine(session.errorText, platform.pgnMissingText);
            break;
        case PgnFileResult::OutOfMemory:
            AppendErrorLine(session.errorText, kOutOfMemoryText);
            break;
        case PgnFileResult::Read:
        case PgnFileResult::ReadFailed:  // plays what was read before the error
            break;
    }
}

int32_t TextHeight(const SaverSession& session) {
    return HasFullLayout(session.screen, session.board.area)
               ? InfoFontHeight(session.board.layout.cellSize)
               : 0;
}

void AddBoardTexts(const SaverSession& session, bool atRest, std::vector<PictureText>& texts) {
    const BoardShow& board = session.board;
    if (!HasFullLayout(session.screen, board.area)) return;
    const int32_t height = TextHeight(session);
    if (session.settings.showInfo != 0) {
        constexpr InfoLine kLines[] = {InfoLine::BlackName, InfoLine::WhiteName, InfoLine::Date,
                                       InfoLine::Event, InfoLine::Site};
        for (InfoLine line : kLines) {
            texts.push_back(PictureText{InformationText(board.info, line),
                                        InformationBand(board.layout, line), TextAlign::Centre,
                                        height});
        }
    }
    // The home page marks a game's end; while the last move still slides, the game goes on.
    if (atRest && IsFinalPosition(*board.game)) {
        const TextBand band =
            HomePageBand(board.area.left, board.area.top, board.area.right - board.area.left,
                         board.layout.cellSize);
        texts.push_back(PictureText{CharString(kHomePageAddress), band, TextAlign::Right, height});
    }
}

std::vector<PictureText> TextsAt(const SaverSession& session, bool atRest) {
    std::vector<PictureText> texts;
    if (!session.errorText.empty()) {
        const ScreenRect& area = session.board.area;
        texts.push_back(PictureText{
            CharString(session.errorText.data(), static_cast<int32_t>(session.errorText.size())),
            TextBand{area.left, area.top, area.right, area.bottom}, TextAlign::WrapTopLeft,
            TextHeight(session)});
        return texts;
    }
    AddBoardTexts(session, atRest, texts);
    return texts;
}

SessionUpdate Whole(SaverSession& session) {
    session.shownTexts = TextsAt(session, !session.board.sliding);
    return SessionUpdate{ScreenChange::Whole, TextBand{0, 0, 0, 0}};
}

// The slide has ended: the marks move to the move's squares, and the texts of the position at
// rest may differ from those shown while it slid (the home page at a game's end).
SessionUpdate EndSlide(SaverSession& session) {
    session.board.sliding = false;
    if (!(TextsAt(session, true) == session.shownTexts)) return Whole(session);
    return SessionUpdate{ScreenChange::BoardPart, BoardBand(session.board.layout)};
}

SessionUpdate Merge(const SessionUpdate& a, const SessionUpdate& b) {
    return static_cast<int32_t>(a.change) >= static_cast<int32_t>(b.change) ? a : b;
}

// One playback tick; a step within the game slides its piece when moves slide.
SessionUpdate Tick(SaverSession& session, int64_t now) {
    BoardShow& board = session.board;
    const int32_t gameBefore = session.settings.currentGameNumber;
    const int32_t plyBefore = board.game->ply;
    if (!OnPlaybackTick(session.stepCountdown, !session.errorText.empty(), *board.game, board.info,
                        session.settings, session.pgnText)) {
        return SessionUpdate{ScreenChange::Nothing, TextBand{0, 0, 0, 0}};
    }
    const bool nextPly = session.settings.currentGameNumber == gameBefore &&
                         board.game->ply == plyBefore + 1 && IsSliding(*board.game, 0);
    board.sliding = session.settings.animateMoves != 0 && nextPly;
    if (!board.sliding) return Whole(session);
    board.slideStart = now;
    session.lastFrameAt = now;
    return SessionUpdate{ScreenChange::BoardPart, SlideArea(*board.game, board.layout)};
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
    session.pgnText = CharString();
    if (session.board.game == nullptr) session.board.game = std::make_unique<GameState>();
    session.board.info = GameInfo{};
    session.board.sliding = false;
    LoadSkin(session);
    LayOutBoard(session);
    LoadGameText(session);
    if (session.errorText.empty()) {
        LoadCurrentGame(*session.board.game, session.board.info, session.settings.currentGameNumber,
                        session.pgnText);
    }
    StartPlayback(session.stepCountdown, session.settings);
    session.nextTickAt = now + kTickMilliseconds;
    session.lastFrameAt = now;
    session.shownTexts = TextsAt(session, true);
}

SessionUpdate ResizeSaverSession(SaverSession& session, const SaverScreen& screen) {
    session.screen = screen;
    LayOutBoard(session);
    return Whole(session);
}

SessionUpdate AdvanceSaverSession(SaverSession& session, int64_t now) {
    SessionUpdate update{ScreenChange::Nothing, TextBand{0, 0, 0, 0}};
    BoardShow& board = session.board;
    if (board.sliding) {
        if (now - board.slideStart >= kSlideMilliseconds) {
            update = EndSlide(session);
        } else if (now - session.lastFrameAt >= kFrameMilliseconds) {
            update = SessionUpdate{ScreenChange::BoardPart, SlideArea(*board.game, board.layout)};
        }
        if (update.change != ScreenChange::Nothing) session.lastFrameAt = now;
    }
    if (now < session.nextTickAt) return update;
    // A late tick (a suspended machine, a busy one) starts the count afresh rather than catching
    // up with a burst of steps.
    session.nextTickAt = now - session.nextTickAt >= kTickMilliseconds
                             ? now + kTickMilliseconds
                             : session.nextTickAt + kTickMilliseconds;
    return Merge(update, Tick(session, now));
}

int64_t NextSessionWake(const SaverSession& session) {
    if (!session.board.sliding) return session.nextTickAt;
    const int64_t frame = std::min(session.lastFrameAt + kFrameMilliseconds,
                                   session.board.slideStart + kSlideMilliseconds);
    return std::min(frame, session.nextTickAt);
}

bool IsSessionSliding(const SaverSession& session, int64_t now) {
    return session.board.sliding && now - session.board.slideStart < kSlideMilliseconds;
}

bool UsesFullLayout(const SaverSession& session) {
    return HasFullLayout(session.screen, session.board.area);
}

SaverPicture ComposeSaverPicture(const SaverSession& session, int64_t now) {
    SaverPicture picture{};
    picture.backgroundColor = session.settings.backgroundColor;
    picture.fontColor = session.settings.fontColor;
    // The texts follow the session's own view of the slide, so that a late paint shows what the
    // last update announced.
    picture.texts = TextsAt(session, !session.board.sliding);
    const BoardShow& board = session.board;
    picture.hasBoard = session.errorText.empty() && board.layout.cellSize > 0;
    if (!picture.hasBoard) return picture;
    picture.board.layout = board.layout;
    picture.board.skinScale = session.skin.scale;
    const int32_t elapsed =
        board.sliding
            ? static_cast<int32_t>(std::min<int64_t>(now - board.slideStart, kSlideMilliseconds))
            : kSlideMilliseconds;
    ComposeBoardFrame(*board.game, board.layout, elapsed < 0 ? 0 : elapsed,
                      session.settings.showLastMove != 0, picture.board.frame);
    return picture;
}
