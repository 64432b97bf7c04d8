#include "display/settings_table.h"

#include <climits>
#include <cstring>

namespace {

constexpr SettingChoice kMonitorChoices[] = {
    {"primary", 0, "The board on the primary monitor"},
    {"same", 1, "The same game on every monitor"},
    {"each", 2, "A game of its own on each monitor"},
};

constexpr SettingChoice kOrderChoices[] = {
    {"file", 0, "In file order"},
    {"shuffled", 1, "Shuffled, every game once a round"},
};

constexpr SettingChoice kPauseChoices[] = {
    {"1", 0, "One second a move"},
    {"2", 1, "Two seconds a move"},
    {"3", 2, "Three seconds a move"},
};

constexpr SettingRow ColourRow(const char* name, uint32_t SaverSettings::*field, uint32_t value,
                               const char* switchName, const char* label, const char* help) {
    return SettingRow{.name = name,
                      .kind = SettingKind::Colour,
                      .colour = field,
                      .defaultNumber = value,
                      .high = 0xFFFFFF,
                      .switchName = switchName,
                      .valueName = "COLOR",
                      .label = label,
                      .help = help};
}

constexpr SettingRow FlagRow(const char* name, int32_t SaverSettings::*field, uint32_t value,
                             const char* switchName, const char* label, const char* help) {
    return SettingRow{.name = name,
                      .kind = SettingKind::Flag,
                      .number = field,
                      .defaultNumber = value,
                      .high = 1,
                      .switchName = switchName,
                      .label = label,
                      .help = help};
}

constexpr SettingRow TextRow(const char* name, SettingKind kind,
                             WideChar (SaverSettings::*field)[kPathCapacity], const char* value,
                             const char* switchName, const char* valueName, const char* label,
                             const char* help) {
    return SettingRow{.name = name,
                      .kind = kind,
                      .text = field,
                      .defaultText = value,
                      .switchName = switchName,
                      .valueName = valueName,
                      .label = label,
                      .help = help};
}

// A row the Windows settings dialog shows among its classic controls.
constexpr SettingRow OnMainDialog(SettingRow row) {
    row.mainDialog = true;
    return row;
}

// Numbers first and texts last, "Current game number" among the numbers: the registry store's
// order, which the Windows saver has always read and written.
constexpr SettingRow kRows[] = {
    OnMainDialog(ColourRow("Color of font", &SaverSettings::fontColor, 0xc8c8c8, "foreground",
                           "Text color", "colour of the texts around the board")),
    OnMainDialog(ColourRow("Color of background", &SaverSettings::backgroundColor, 0, "background",
                           "Background color", "colour of the screen around the board")),
    OnMainDialog(FlagRow("Show info", &SaverSettings::showInfo, 1, "info",
                         "Show the players, date, event and site",
                         "the players, date, event and site")),
    OnMainDialog(SettingRow{.name = "Time mode",
                            .kind = SettingKind::Choice,
                            .number = &SaverSettings::timeMode,
                            .defaultNumber = 1,
                            .high = 2,
                            .choices = kPauseChoices,
                            .switchName = "pause",
                            .label = "Pause between moves",
                            .help = "seconds a move stays (a game's end stays 10)"}),
    // The saver's own state rather than a choice of the user's: no switch.
    SettingRow{.name = "Current game number",
               .kind = SettingKind::Number,
               .number = &SaverSettings::currentGameNumber,
               .high = 2147483647,
               .label = "Game to continue with",
               .help = "the game on screen when the saver last ended",
               .kept = true},
    OnMainDialog(FlagRow("Show last move", &SaverSettings::showLastMove, 1, "last-move",
                         "Mark the last move", "the last move's two squares marked")),
    OnMainDialog(FlagRow("Random skin", &SaverSettings::randomSkin, 1, "random-skin",
                         "A random skin each time", "a random skin each run, else --skin")),
    // Off by default: a fresh installation shows the classic board.
    OnMainDialog(FlagRow("Fit board", &SaverSettings::fitBoard, 0, "fit",
                         "Fit the board to the screen",
                         "the board and its texts grown to fit the screen")),
    OnMainDialog(FlagRow("Animate moves", &SaverSettings::animateMoves, 0, "animate",
                         "Animate moves", "each move's piece slides to its square")),
    SettingRow{.name = "Monitors",
               .kind = SettingKind::Choice,
               .number = &SaverSettings::monitors,
               .high = 2,
               .choices = kMonitorChoices,
               .switchName = "monitors",
               .label = "Several monitors",
               .help = "what each monitor shows"},
    FlagRow("Drift", &SaverSettings::drift, 0, "drift", "Move the board a little every few minutes",
            "the board and its texts drift a few pixels, against burn-in"),
    FlagRow("Show result", &SaverSettings::showResult, 0, "result",
            "The result at the end of each game", "the result and how the game ended, at its end"),
    FlagRow("Show ratings", &SaverSettings::showRatings, 0, "ratings",
            "Titles and ratings beside the names", "the players' titles and ratings"),
    FlagRow("Show opening", &SaverSettings::showOpening, 0, "opening", "The opening's name",
            "the opening reached, with its ECO code"),
    FlagRow("Show move", &SaverSettings::showMoveText, 0, "move", "The last move in notation",
            "the last move as the file wrote it, under the board"),
    FlagRow("Show clocks", &SaverSettings::showClocks, 0, "clocks", "The clocks beside the names",
            "each side's time left, when the file records it"),
    FlagRow("Show coordinates", &SaverSettings::showCoordinates, 0, "coordinates",
            "Coordinates around the board", "a to h and 1 to 8 around the board"),
    SettingRow{.name = "Game order",
               .kind = SettingKind::Choice,
               .number = &SaverSettings::gameOrder,
               .high = 1,
               .choices = kOrderChoices,
               .switchName = "order",
               .label = "Order of the games",
               .help = "the games in file order, or shuffled"},
    SettingRow{.name = "Minimum rating",
               .kind = SettingKind::Number,
               .number = &SaverSettings::minimumRating,
               .high = 4000,
               .switchName = "min-rating",
               .valueName = "ELO",
               .label = "Minimum rating of both players (0: any)",
               .help = "only games whose players are both rated at least this; 0 any"},
    FlagRow("Decisive games only", &SaverSettings::decisiveOnly, 0, "decisive",
            "Decisive games only", "only games won by one side"),
    // Where the saver stands in a folder or a shuffled round: its own state, no switch.
    SettingRow{.name = "Shuffle seed",
               .kind = SettingKind::Number,
               .number = &SaverSettings::shuffleSeed,
               .low = INT32_MIN,
               .high = INT32_MAX,
               .label = "Shuffled round",
               .help = "the shuffled round the saver stands in",
               .kept = true},
    SettingRow{.name = "Shuffle position",
               .kind = SettingKind::Number,
               .number = &SaverSettings::shufflePosition,
               .high = INT32_MAX,
               .label = "Place in the shuffled round",
               .help = "the game's place in its shuffled round",
               .kept = true},
    OnMainDialog(TextRow(
        "Name of skin", SettingKind::Text, &SaverSettings::skinName, "Quorvane.bmp", "skin", "NAME",
        "Skin when not random (a file of the Skin folder)", "the skin's file in the Skin folder")),
    OnMainDialog(TextRow("Path to PGN file", SettingKind::Path, &SaverSettings::pgnPath,
                         "varnoth.pgn", "pgn", "FILE", "PGN file or folder",
                         "the file of games to play, or a folder of .pgn files")),
    TextRow("Player", SettingKind::Text, &SaverSettings::player, "", "player", "NAME",
            "Only games of this player (empty: all)",
            "only games where White or Black holds this name, in any case"),
    SettingRow{.name = "Current file",
               .kind = SettingKind::Text,
               .text = &SaverSettings::currentFile,
               .defaultText = "",
               .label = "File of the game to continue with",
               .help = "with a folder, the file the saver last played",
               .kept = true},
};

const SettingRow& RowOfNumber(int32_t SaverSettings::*field) {
    for (const SettingRow& row : kRows) {
        if (row.number == field) return row;
    }
    return kRows[0];  // not reached: the field has a row
}

}  // namespace

std::span<const SettingRow> SettingRows() {
    return kRows;
}

const SettingRow& GameNumberRow() {
    return RowOfNumber(&SaverSettings::currentGameNumber);
}

const SettingRow& PgnPathRow() {
    for (const SettingRow& row : kRows) {
        if (row.text == &SaverSettings::pgnPath) return row;
    }
    return kRows[0];  // not reached: the field has a row
}

bool IsKeptRow(const SettingRow& row) {
    return row.kept;
}

void ResetSaverPlace(SaverSettings& settings) {
    for (const SettingRow& row : kRows) {
        if (IsKeptRow(row)) SetDefaultSetting(settings, row);
    }
}

bool IsTextKind(SettingKind kind) {
    return kind == SettingKind::Text || kind == SettingKind::Path;
}

uint32_t SettingNumber(const SaverSettings& settings, const SettingRow& row) {
    if (row.colour != nullptr) return settings.*row.colour;
    if (row.number == nullptr) return 0;
    uint32_t bits = 0;
    std::memcpy(&bits, &(settings.*row.number), sizeof(bits));
    return bits;
}

void SetSettingNumber(SaverSettings& settings, const SettingRow& row, uint32_t value) {
    if (row.colour != nullptr) settings.*row.colour = value;
    // A value above 2147483647 keeps its 32 bits, as a registry DWORD does.
    if (row.number != nullptr) std::memcpy(&(settings.*row.number), &value, sizeof(value));
}

const WideChar* SettingText(const SaverSettings& settings, const SettingRow& row) {
    return settings.*row.text;
}

WideChar* SettingText(SaverSettings& settings, const SettingRow& row) {
    return settings.*row.text;
}

void SetDefaultSetting(SaverSettings& settings, const SettingRow& row) {
    if (!IsTextKind(row.kind)) {
        SetSettingNumber(settings, row, row.defaultNumber);
        return;
    }
    WideChar* field = SettingText(settings, row);
    WideChar value[kPathCapacity] = {0};
    AppendAsciiText(value, row.defaultText);
    if (row.kind == SettingKind::Path) {
        ComposePath(field, kPathCapacity, settings.installPath, kFolderSeparator, value);
    } else {
        CopyWideText(field, kPathCapacity, value);
    }
}
