#include "win32/skin_catalogue.h"

#include "display/bitmap_file.h"
#include "display/board_layout.h"
#include "display/skin_scale.h"

namespace {

constexpr const char* kDialogSkinFolder = "\\skin\\";

WideChar selectedSkinName[kPathCapacity] = {0};

// Installation folder + Skin + the scale's folder + "\" + name: "\Skin\x2\".
CharString LargeSkinFolderPath(int32_t scale) {
    char scaleFolder[8];
    LargeSkinFolder(scale, scaleFolder);
    CharString folder(kSaverSkinFolder);
    folder.append(scaleFolder);
    folder.append("\\");
    return folder;
}

}  // namespace

int32_t ListSkinNames(const SaverSettings& settings, SkinName* names, int32_t capacity) {
    int32_t count = 0;
    WideChar pattern[kPathCapacity];
    const WideChar star[] = {'*', '.', 'b', 'm', 'p', 0};
    if (!ComposePath(pattern, settings.installPath, kSaverSkinFolder, star)) return 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        // A folder whose name ends in .bmp is no skin.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        if (CopyWideText(names[count].text, found.cFileName)) ++count;
    } while (count < capacity && FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

bool HasLargeSkinFile(const SaverSettings& settings, const WideChar* name, int32_t scale) {
    WideChar path[kPathCapacity];
    if (!ComposePath(path, settings.installPath, LargeSkinFolderPath(scale).chars(), name)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// Whether the file's headers promise no more bytes than it holds; a cut-short bitmap would
// otherwise be read past its end by the loader.
bool SkinFileIsComplete(const WideChar* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char head[kBitmapHeadBytes] = {};
    DWORD read = 0;
    LARGE_INTEGER size{};
    const bool ok =
        GetFileSizeEx(file, &size) != 0 && ReadFile(file, head, sizeof(head), &read, nullptr) != 0;
    CloseHandle(file);
    return ok &&
           BitmapFitsFile(head, static_cast<int32_t>(read), static_cast<uint64_t>(size.QuadPart));
}

}  // namespace

HBITMAP LoadSkinFile(const WideChar* path) {
    if (!SkinFileIsComplete(path)) return nullptr;
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HBITMAP LoadSkinNamed(const SaverSettings& settings, const char* folder, const WideChar* name) {
    WideChar path[kPathCapacity];
    if (!ComposePath(path, settings.installPath, folder, name)) return nullptr;
    return LoadSkinFile(path);
}

HBITMAP LoadLargeSkin(const SaverSettings& settings, const WideChar* name, int32_t scale) {
    HBITMAP skin = LoadSkinNamed(settings, LargeSkinFolderPath(scale).chars(), name);
    if (skin == nullptr) return nullptr;
    BITMAP shape{};
    GetObjectW(skin, sizeof(shape), &shape);
    // A drawing of another size would put the cells out of step with the scale.
    if (shape.bmWidth == kSkinSheetWidth * scale && shape.bmHeight == kSkinSheetHeight * scale) {
        return skin;
    }
    DeleteObject(skin);
    return nullptr;
}

void ListSkinFiles(HWND list, const SaverSettings& settings) {
    // The wide form: an installation folder outside the 8-bit code page must still list.
    WideChar pattern[kPathCapacity];
    const WideChar star[] = {'*', '.', 'b', 'm', 'p', 0};
    if (!ComposePath(pattern, settings.installPath, kDialogSkinFolder, star)) return;
    SendMessageW(list, LB_DIR, 0, reinterpret_cast<LPARAM>(pattern));
}

const WideChar* ReadSelectedSkinName(HWND list) {
    const LRESULT selection = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR) return selectedSkinName;
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(selection), 0);
    // LB_GETTEXT has no size of its own: an entry too long for the buffer is not read at all.
    if (length == LB_ERR || length >= kPathCapacity) return selectedSkinName;
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(selection),
                 reinterpret_cast<LPARAM>(selectedSkinName));
    return selectedSkinName;
}

bool LoadPreviewSkin(const SaverSettings& settings, HWND list, HDC previewDC) {
    const WideChar* name = ReadSelectedSkinName(list);
    HBITMAP skin = LoadSkinNamed(settings, kDialogSkinFolder, name);
    if (skin == nullptr) return false;
    HGDIOBJ previous = SelectObject(previewDC, skin);
    // The DC's own first bitmap is a stock object; deleting it is refused and harmless.
    if (previous != nullptr) DeleteObject(previous);
    return true;
}
