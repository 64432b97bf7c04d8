#pragma once
// The Windows "More settings" dialog as a form built from the settings table: which rows it shows
// and where each row's controls stand, in dialog units, so that the dialog follows the dialog
// font and the screen's DPI. A row added to the table gets its control here without more work.

#include <cstdint>
#include <span>
#include <vector>

#include "display/settings_table.h"

// A control's rectangle in dialog units.
struct DialogRect {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// One row of the form. A Flag is one check box that carries the label; every other kind has its
// label on the left and its control on the right: a drop-down list for a Choice, a number box
// with up-down arrows for a Number (and a Colour), a text box for a Text (and a Path).
struct MoreSettingsPlace {
    const SettingRow* row;
    DialogRect label;  // all zero for a Flag
    DialogRect control;
};

struct MoreSettingsForm {
    std::vector<MoreSettingsPlace> places;
    DialogRect ok;
    DialogRect cancel;
    int32_t width;
    int32_t height;
};

// The settings dialog itself is this tall and fits a 1366 x 768 screen at 150 % with its title
// bar; a form no taller, in the same font, fits it too.
constexpr int32_t kMoreSettingsMostHeight = 344;

// A labelled row that is neither the saver's own place nor shown by the settings dialog.
bool IsMoreSettingsRow(const SettingRow& row);

// The form's rows, in the table's order.
std::vector<const SettingRow*> MoreSettingsRows();

// One row under the other, then OK and Cancel at the bottom right.
MoreSettingsForm LayOutMoreSettings(std::span<const SettingRow* const> rows);

// The entry of a Choice row's list that shows value; a value no choice has shows the default.
int32_t ChoiceIndexOf(const SettingRow& row, int32_t value);

// A number box's text as the row's value, held within [low, high]: a whole number, perhaps with a
// minus sign and blanks around it, however long. Text that is no number keeps current, held
// within the range too.
int32_t SettingNumberFromText(const SettingRow& row, const WideChar* text, int32_t current);
