#pragma once
// The one table of the user settings: for each field of SaverSettings but installPath (machine-
// wide and read-only) its stored name, kind, default, range, labels and command-line switch. The
// defaults, the registry store, the settings file, the native program's switches and its
// XScreenSaver description all walk it, so a new setting is a field and a row.

#include <cstdint>
#include <span>

#include "display/settings.h"

enum class SettingKind : int32_t {
    Colour,  // 0x00BBGGRR
    Flag,    // 0 or 1
    Choice,  // one of the row's choices
    Number,  // a whole number; a switch takes it in [low, high]
    Text,    // a name
    Path,    // a file's path; its default names a file in the installation folder
};

// One value of a Choice: the word its switch takes, the value stored, the settings panel's label.
struct SettingChoice {
    const char* word;
    int32_t value;
    const char* label;
};

// A row names its field through the one pointer of its kind; what a row leaves out is empty.
struct SettingRow {
    const char* name = nullptr;  // the registry value's and the settings file line's name
    SettingKind kind = SettingKind::Number;
    uint32_t SaverSettings::*colour = nullptr;                 // Colour rows
    int32_t SaverSettings::*number = nullptr;                  // Flag, Choice and Number rows
    WideChar (SaverSettings::*text)[kPathCapacity] = nullptr;  // Text and Path rows
    uint32_t defaultNumber = 0;
    const char* defaultText = nullptr;  // Text and Path rows
    int32_t low = 0;                    // Number rows: the range a switch accepts
    int32_t high = 0;
    std::span<const SettingChoice> choices = {};  // Choice rows
    const char* switchName = nullptr;  // "pause": --pause; "info": --info and --no-info; null: none
    const char* valueName = nullptr;   // what a switch with a value takes, for its help: "FILE"
    const char* label = nullptr;       // the settings panel's label
    const char* help = nullptr;        // one line of --help
    bool kept = false;  // the saver's own place in its games, written when a run ends; no switch
    // Shown by the Windows settings dialog's own controls; every other labelled row that is not
    // kept gets a control in its "More settings" dialog.
    bool mainDialog = false;
};

// Every row, in the order the registry store reads and writes them: the numbers, then the texts.
std::span<const SettingRow> SettingRows();

// The game to continue with: the saver's own state, written when a run ends (in the registry
// after every other value), never a switch.
const SettingRow& GameNumberRow();

// The rows the saver writes when a run ends: where it stands in its games.
bool IsKeptRow(const SettingRow& row);

// The saver's place to the start of its games (the kept rows to their defaults): what choosing
// another file or folder of games means.
void ResetSaverPlace(SaverSettings& settings);

// The PGN file's row, whose name the native program's messages quote.
const SettingRow& PgnPathRow();

bool IsTextKind(SettingKind kind);

// A number row's field as its 32 bits (Colour, Flag, Choice, Number rows).
uint32_t SettingNumber(const SaverSettings& settings, const SettingRow& row);
void SetSettingNumber(SaverSettings& settings, const SettingRow& row, uint32_t value);

// A text row's field (Text and Path rows).
const WideChar* SettingText(const SaverSettings& settings, const SettingRow& row);
WideChar* SettingText(SaverSettings& settings, const SettingRow& row);

// The row's field to its default; a Path's default is built from installPath as it is now.
void SetDefaultSetting(SaverSettings& settings, const SettingRow& row);
