#include "win32/settings_dialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdlib>

#include "chess/game_state.h"
#include "display/home_page.h"
#include "display/move_animation.h"
#include "display/settings_table.h"
#include "pgn/game_info.h"
#include "win32/board_renderer.h"
#include "win32/folder_picker.h"
#include "win32/more_settings_dialog.h"
#include "win32/resource_ids.h"
#include "win32/settings_store.h"
#include "win32/skin_catalogue.h"

namespace {

// What one open dialog owns, kept with it (DWLP_USER) from WM_INITDIALOG to WM_DESTROY.
struct SettingsDialogState {
    SettingsDialogContext context;
    SaverSettings settings;
    GameState previewGame;  // the standard starting position, whatever a saver run left behind
    HDC previewDC;
    bool previewHasSkin;  // false when the selected file did not load: the preview shows none
    HFONT pathFont;
};

SettingsDialogState& StateOf(HWND dialog) {
    return *reinterpret_cast<SettingsDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool HasState(HWND dialog) {
    return GetWindowLongPtrA(dialog, DWLP_USER) != 0;
}

// Offered in the colour chooser's custom row; the chooser may change them during the run.
COLORREF customColors[16] = {
    RGB(255, 0, 0),     RGB(255, 128, 0),   RGB(255, 255, 0),   RGB(128, 255, 0),
    RGB(0, 255, 0),     RGB(0, 255, 128),   RGB(0, 255, 255),   RGB(0, 128, 255),
    RGB(0, 0, 255),     RGB(128, 0, 255),   RGB(255, 0, 255),   RGB(255, 0, 128),
    RGB(100, 100, 100), RGB(150, 150, 150), RGB(175, 175, 175), RGB(200, 200, 200)};

HWND Control(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

// A colour button's text as the colour it stands for.
uint32_t ReadColorNumber(HWND dialog, int buttonId) {
    char text[32] = {0};
    GetDlgItemTextA(dialog, buttonId, text, static_cast<int>(sizeof text));
    return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
}

void SetColorNumber(HWND dialog, int buttonId, uint32_t color) {
    SetDlgItemInt(dialog, buttonId, color, FALSE);
    PaintColorSwatch(dialog, buttonId);
}

int32_t IsTicked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

int TimeModeButton(int32_t timeMode) {
    if (timeMode == 0) return IDC_PAUSE_SMALL;
    if (timeMode == 1) return IDC_PAUSE_MEDIUM;
    return IDC_PAUSE_LARGE;
}

// Keeps a selection the user made; otherwise the saved skin, else the first file listed.
void SelectSavedSkin(HWND list, const SaverSettings& settings) {
    if (SendMessageW(list, LB_GETCURSEL, 0, 0) != LB_ERR) return;
    // LB_FINDSTRING matches the beginning of an entry, without regard to case.
    LRESULT found = SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(settings.skinName));
    if (found == LB_ERR && SendMessageW(list, LB_GETCOUNT, 0, 0) > 0) found = 0;
    if (found != LB_ERR) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void ReloadPreview(HWND dialog) {
    SettingsDialogState& state = StateOf(dialog);
    state.previewHasSkin =
        LoadPreviewSkin(state.settings, Control(dialog, IDC_SKIN_LIST), state.previewDC);
}

// What the controls show, into the record: every action that refreshes the controls from the
// record first takes the user's unsaved choices into it, and OK stores exactly this.
void ReadSettingsControls(HWND dialog, SaverSettings& settings) {
    settings.backgroundColor = ReadColorNumber(dialog, IDC_BACKGROUND_COLOR);
    settings.fontColor = ReadColorNumber(dialog, IDC_FONT_COLOR);
    // The count bounds the copy: the label never writes past the 260-character field.
    GetDlgItemTextW(dialog, IDC_PGN_PATH, settings.pgnPath, kPathCapacity);
    settings.randomSkin = IsTicked(dialog, IDC_RANDOM_SKIN);
    settings.showInfo = IsTicked(dialog, IDC_SHOW_INFO);
    settings.showLastMove = IsTicked(dialog, IDC_SHOW_LAST_MOVE);
    settings.fitBoard = IsTicked(dialog, IDC_FIT_BOARD);
    settings.animateMoves = IsTicked(dialog, IDC_ANIMATE_MOVES);
    settings.timeMode = 2 * IsTicked(dialog, IDC_PAUSE_LARGE) + IsTicked(dialog, IDC_PAUSE_MEDIUM);
}

// The path label in the label's own font at its heaviest weight.
void MakePathFontHeavy(HWND dialog) {
    HWND label = Control(dialog, IDC_PGN_PATH);
    auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA description{};
    if (GetObjectA(font, sizeof description, &description) == 0) return;
    description.lfWeight = 1000;
    HFONT& pathFont = StateOf(dialog).pathFont;
    pathFont = CreateFontIndirectA(&description);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(pathFont), FALSE);
}

BOOL OnInitSettings(HWND dialog, const SettingsDialogContext& context) {
    // Freed when the dialog is destroyed; value-initialised, so every handle starts null.
    auto* state = new SettingsDialogState{};
    state->context = context;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    ResetGame(state->previewGame, false);
    LoadSettings(state->settings);
    ListSkinFiles(Control(dialog, IDC_SKIN_LIST), state->settings);
    RefreshSettingsControls(dialog, state->settings);
    state->previewDC = CreateCompatibleDC(nullptr);
    ReloadPreview(dialog);
    MakePathFontHeavy(dialog);
    return TRUE;
}

void DeleteSwatchImage(HWND dialog, int buttonId) {
    HWND button = Control(dialog, buttonId);
    auto image = reinterpret_cast<HGDIOBJ>(
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(nullptr)));
    if (image != nullptr) DeleteObject(image);
}

void OnDestroySettings(HWND dialog) {
    SettingsDialogState* state = &StateOf(dialog);
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    if (state->pathFont != nullptr) DeleteObject(state->pathFont);
    if (state->previewDC != nullptr) {
        HBITMAP placeholder = CreateCompatibleBitmap(state->previewDC, 1, 1);
        HGDIOBJ skin = SelectObject(state->previewDC, placeholder);
        // The DC's first bitmap is a stock object; deleting it is refused and harmless.
        if (skin != nullptr) DeleteObject(skin);
        DeleteDC(state->previewDC);
        DeleteObject(placeholder);
    }
    delete state;
    // The buttons do not own their images.
    DeleteSwatchImage(dialog, IDC_BACKGROUND_COLOR);
    DeleteSwatchImage(dialog, IDC_FONT_COLOR);
}

void FillWithBackground(HDC target, const RECT& area, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(target, &area, brush);
    DeleteObject(brush);
}

// With "Fit board" ticked the preview is the primary screen in small: the background colour,
// and the board as large and where the fitted saver puts it.
void PaintFittedPreview(HDC target, const RECT& area, const SettingsDialogState& state) {
    FillRect(target, &area, GetSysColorBrush(COLOR_BTNFACE));
    const ScreenPreview preview = ComputeScreenPreview(
        area.right, area.bottom, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    FillWithBackground(
        target,
        RECT{preview.screen.left, preview.screen.top, preview.screen.right, preview.screen.bottom},
        state.settings.backgroundColor);
    DrawBoardAtRest(target, state.previewDC, preview.board, state.previewGame,
                    state.context.saverSettings->showLastMove != 0);
}

void OnPaintSettings(HWND dialog) {
    const SettingsDialogState& state = StateOf(dialog);
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    HWND preview = Control(dialog, IDC_SKIN_PREVIEW);
    HDC target = GetDC(preview);
    RECT area;
    GetClientRect(preview, &area);
    const bool noSkinShown =
        IsTicked(dialog, IDC_RANDOM_SKIN) != 0 || !state.previewHasSkin ||
        SendMessageW(Control(dialog, IDC_SKIN_LIST), LB_GETCURSEL, 0, 0) == LB_ERR;
    if (noSkinShown) {
        FillWithBackground(target, area, state.settings.backgroundColor);
    } else if (IsTicked(dialog, IDC_FIT_BOARD) != 0) {
        PaintFittedPreview(target, area, state);
    } else {
        // The board scaled into the control, as the saver's preview shows it; no text.
        DrawBoardAtRest(target, state.previewDC, ComputeBoardLayout(area.right, area.bottom, false),
                        state.previewGame, state.context.saverSettings->showLastMove != 0);
    }
    ReleaseDC(preview, target);
    EndPaint(dialog, &paint);
}

// The preview is a picture label without a picture, which would fill itself with the dialog's
// background after the dialog has drawn into it; a hollow brush keeps the dialog's drawing.
INT_PTR OnPreviewColor(HWND dialog, HWND control) {
    if (control != Control(dialog, IDC_SKIN_PREVIEW)) return FALSE;
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

void OnOk(HWND dialog) {
    SaverSettings& settings = StateOf(dialog).settings;
    ReadSettingsControls(dialog, settings);
    // With nothing selected this is the text read last, as the preview used it.
    CopyWideText(settings.skinName, ReadSelectedSkinName(Control(dialog, IDC_SKIN_LIST)));
    StoreSettings(settings);
    EndDialog(dialog, IDOK);
}

void OnChooseColor(HWND dialog, int buttonId) {
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = dialog;
    chooser.lpCustColors = customColors;
    chooser.Flags = CC_ANYCOLOR;
    if (!ChooseColorA(&chooser)) return;
    SaverSettings& settings = StateOf(dialog).settings;
    ReadSettingsControls(dialog, settings);
    if (buttonId == IDC_BACKGROUND_COLOR) {
        settings.backgroundColor = chooser.rgbResult;
    } else {
        settings.fontColor = chooser.rgbResult;
    }
    RefreshSettingsControls(dialog, settings);
    InvalidateRect(dialog, nullptr, FALSE);
}

void OnSetToDefault(HWND dialog) {
    SaverSettings& settings = StateOf(dialog).settings;
    SetDefaultSettings(settings);
    RefreshSettingsControls(dialog, settings);
    ReloadPreview(dialog);
    InvalidateRect(dialog, nullptr, FALSE);
}

void OnAbout(HWND dialog) {
    ShowAboutDialog(StateOf(dialog).context.about, dialog);
}

void OnHomePage(HWND dialog) {
    ShellExecuteA(dialog, "open", kHomePageAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

// "Select" picks a file, "Folder..." a folder; either way the games start from the beginning.
void OnSelectPgn(HWND dialog, bool folder) {
    SaverSettings& settings = StateOf(dialog).settings;
    ReadSettingsControls(dialog, settings);
    const bool chosen =
        folder ? ChoosePgnFolder(settings, dialog) : ChoosePgnFile(settings, dialog);
    if (!chosen) return;
    RefreshSettingsControls(dialog, settings);
    ResetSaverPlace(settings);
}

// Edits the dialog's record, which OK stores with the rest.
void OnMoreSettings(HWND dialog) {
    SettingsDialogState& state = StateOf(dialog);
    ShowMoreSettingsDialog(state.context.instance, dialog, state.settings);
}

void OnSkinListNotify(HWND dialog, int notification) {
    if (notification != LBN_SELCHANGE) return;
    ReloadPreview(dialog);
    InvalidateRect(dialog, nullptr, FALSE);
}

void OnRandomToggled(HWND dialog) {
    SaverSettings& settings = StateOf(dialog).settings;
    ReadSettingsControls(dialog, settings);
    RefreshSettingsControls(dialog, settings);
    ReloadPreview(dialog);
    InvalidateRect(dialog, nullptr, TRUE);
}

void OnSettingsCommand(HWND dialog, int id, int notification) {
    switch (id) {
        case IDOK:
            OnOk(dialog);
            break;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            break;
        case IDC_BACKGROUND_COLOR:
        case IDC_FONT_COLOR:
            OnChooseColor(dialog, id);
            break;
        case IDC_SET_DEFAULT:
            OnSetToDefault(dialog);
            break;
        case IDC_ABOUT_BUTTON:
            OnAbout(dialog);
            break;
        case IDC_HOME_PAGE:
            OnHomePage(dialog);
            break;
        case IDC_SELECT_PGN:
        case IDC_SELECT_PGN_FOLDER:
            OnSelectPgn(dialog, id == IDC_SELECT_PGN_FOLDER);
            break;
        case IDC_MORE_SETTINGS:
            OnMoreSettings(dialog);
            break;
        case IDC_SKIN_LIST:
            OnSkinListNotify(dialog, notification);
            break;
        case IDC_RANDOM_SKIN:
            OnRandomToggled(dialog);
            break;
        case IDC_FIT_BOARD:
            // The preview shows the board the way the box now says.
            InvalidateRect(dialog, nullptr, FALSE);
            break;
        default:
            break;
    }
}

}  // namespace

void PaintColorSwatch(HWND dialog, int buttonId) {
    HWND button = Control(dialog, buttonId);
    RECT client;
    GetClientRect(button, &client);
    HDC buttonDC = GetDC(button);
    HDC memoryDC = CreateCompatibleDC(buttonDC);
    HBITMAP image = CreateCompatibleBitmap(buttonDC, client.right, client.bottom);
    ReleaseDC(button, buttonDC);
    HGDIOBJ first = SelectObject(memoryDC, image);
    HBRUSH brush = CreateSolidBrush(ReadColorNumber(dialog, buttonId));
    FillRect(memoryDC, &client, brush);
    DeleteObject(brush);
    SelectObject(memoryDC, first);
    DeleteDC(memoryDC);
    auto previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)));
    if (previous != nullptr) DeleteObject(previous);
}

void RefreshSettingsControls(HWND dialog, SaverSettings settings) {
    SetColorNumber(dialog, IDC_BACKGROUND_COLOR, settings.backgroundColor);
    SetColorNumber(dialog, IDC_FONT_COLOR, settings.fontColor);
    SetDlgItemTextW(dialog, IDC_PGN_PATH, settings.pgnPath);
    CheckDlgButton(dialog, IDC_RANDOM_SKIN, static_cast<UINT>(settings.randomSkin));
    CheckDlgButton(dialog, IDC_SHOW_INFO, static_cast<UINT>(settings.showInfo));
    CheckDlgButton(dialog, IDC_SHOW_LAST_MOVE, static_cast<UINT>(settings.showLastMove));
    CheckDlgButton(dialog, IDC_FIT_BOARD, settings.fitBoard != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_ANIMATE_MOVES,
                   settings.animateMoves != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_PAUSE_SMALL, IDC_PAUSE_LARGE, TimeModeButton(settings.timeMode));
    HWND list = Control(dialog, IDC_SKIN_LIST);
    SelectSavedSkin(list, settings);
    const BOOL pickByHand = settings.randomSkin == 0 ? TRUE : FALSE;
    EnableWindow(list, pickByHand);
    EnableWindow(Control(dialog, IDC_SKIN_PREVIEW), pickByHand);
}

bool ChoosePgnFile(SaverSettings& settings, HWND dialog) {
    WideChar fileName[kPathCapacity] = {0};
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.lpstrFilter = L"Portable game notation (*.pgn)\0*.pgn\0";
    request.lpstrFile = fileName;
    request.nMaxFile = kPathCapacity;
    request.lpstrTitle = L"Select .PGN file for playing";
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                    OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&request)) return false;
    return CopyWideText(settings.pgnPath, fileName);
}

bool ChoosePgnFolder(SaverSettings& settings, HWND dialog) {
    return PickFolder(dialog, L"Select a folder of .PGN files for playing", settings.pgnPath,
                      settings.pgnPath);
}

namespace {

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitSettings(dialog, *reinterpret_cast<const SettingsDialogContext*>(lParam));
    }
    // Messages that arrive before the dialog's state exists or after it is gone (WM_SETFONT,
    // WM_NCDESTROY) are left to the platform.
    if (!HasState(dialog)) return FALSE;
    switch (message) {
        case WM_PAINT:
            OnPaintSettings(dialog);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return OnPreviewColor(dialog, reinterpret_cast<HWND>(lParam));
        case WM_COMMAND:
            OnSettingsCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            OnDestroySettings(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR ShowSettingsDialog(const SettingsDialogContext& context, HWND owner) {
    return DialogBoxParamA(context.instance, MAKEINTRESOURCEA(IDD_SETTINGS_DIALOG), owner,
                           SettingsDialogProc, reinterpret_cast<LPARAM>(&context));
}
