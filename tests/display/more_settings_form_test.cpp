#include "display/more_settings_form.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/display/wide_literal.h"

namespace {

// The settings dialog's own controls edit exactly these; a row marked wrongly would show twice or
// nowhere.
TEST(MoreSettingsForm, TheSettingsDialogKeepsTheClassicRowsAndTheFormTakesTheRest) {
    const std::set<std::string> classic = {"Color of font",   "Color of background", "Show info",
                                           "Time mode",       "Show last move",      "Random skin",
                                           "Fit board",       "Animate moves",       "Name of skin",
                                           "Path to PGN file"};
    std::set<std::string> onMainDialog;
    std::set<std::string> inForm;
    for (const SettingRow& row : SettingRows()) {
        if (row.mainDialog) onMainDialog.insert(row.name);
        if (IsMoreSettingsRow(row)) inForm.insert(row.name);
        EXPECT_FALSE(IsKeptRow(row) && IsMoreSettingsRow(row)) << row.name;
    }
    EXPECT_EQ(onMainDialog, classic);
    for (const char* name :
         {"Monitors", "Drift", "Game order", "Minimum rating", "Decisive games only", "Player"}) {
        EXPECT_EQ(inForm.count(name), 1u) << name;
    }
    // Every setting the user chooses is reachable from one dialog or the other.
    for (const SettingRow& row : SettingRows()) {
        if (IsKeptRow(row)) continue;
        EXPECT_TRUE(row.mainDialog || IsMoreSettingsRow(row)) << row.name;
    }
}

bool Overlap(const DialogRect& a, const DialogRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

bool Inside(const DialogRect& inner, int32_t width, int32_t height) {
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width &&
           inner.y + inner.height <= height;
}

// A drop-down list's rectangle reaches over the rows below it for its open list; on screen it
// takes one control's height.
DialogRect ClosedRect(const MoreSettingsPlace& place) {
    DialogRect shown = place.control;
    if (place.row->kind == SettingKind::Choice) shown.height = 14;
    return shown;
}

// The screen settings announced for the information text: six more check boxes.
const SettingRow kComingFlags[] = {
    {.name = "Show result", .kind = SettingKind::Flag, .label = "Show the result"},
    {.name = "Show ratings", .kind = SettingKind::Flag, .label = "Show the ratings"},
    {.name = "Show opening", .kind = SettingKind::Flag, .label = "Show the opening"},
    {.name = "Show move", .kind = SettingKind::Flag, .label = "Show the move"},
    {.name = "Show clocks", .kind = SettingKind::Flag, .label = "Show the clocks"},
    {.name = "Show coordinates", .kind = SettingKind::Flag, .label = "Show the coordinates"},
};

struct FormCase {
    const char* name;
    std::vector<const SettingRow*> rows;
};

std::vector<FormCase> FormCases() {
    std::vector<const SettingRow*> withComing = MoreSettingsRows();
    for (const SettingRow& row : kComingFlags)
        withComing.push_back(&row);
    // Twelve rows that each take a box or a list, the tallest kind of row.
    std::vector<const SettingRow*> twelveTall;
    for (const SettingRow* row : MoreSettingsRows()) {
        if (row->kind != SettingKind::Flag && twelveTall.size() < 12) twelveTall.push_back(row);
    }
    while (twelveTall.size() < 12)
        twelveTall.push_back(twelveTall.front());
    return {{"today's table", MoreSettingsRows()},
            {"with the coming check boxes", withComing},
            {"twelve boxes and lists", twelveTall},
            {"no rows", {}}};
}

TEST(MoreSettingsForm, RowsStandApartInsideAFormThatFitsTheScreen) {
    for (const FormCase& c : FormCases()) {
        SCOPED_TRACE(c.name);
        const MoreSettingsForm form = LayOutMoreSettings(c.rows);
        ASSERT_EQ(form.places.size(), c.rows.size());
        EXPECT_LE(form.height, kMoreSettingsMostHeight);
        std::vector<DialogRect> shown = {form.ok, form.cancel};
        for (size_t i = 0; i < form.places.size(); ++i) {
            const MoreSettingsPlace& place = form.places[i];
            EXPECT_EQ(place.row, c.rows[i]) << "the table's order";
            shown.push_back(ClosedRect(place));
            if (place.row->kind != SettingKind::Flag) {
                shown.push_back(place.label);
                EXPECT_GT(place.label.width, 0);
                // Read left to right: the label, then what it names, on one line.
                EXPECT_LE(place.label.x + place.label.width, place.control.x);
                EXPECT_TRUE(Overlap(DialogRect{0, place.label.y, form.width, place.label.height},
                                    ClosedRect(place)));
            }
            if (i > 0) {
                EXPECT_GT(place.control.y, form.places[i - 1].control.y);
            }
            // The buttons come after the last row, in tab order and on screen.
            EXPECT_LT(place.control.y + ClosedRect(place).height, form.ok.y);
        }
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_TRUE(Inside(shown[i], form.width, form.height)) << "control " << i;
            for (size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_FALSE(Overlap(shown[i], shown[j])) << "controls " << i << " and " << j;
            }
        }
        EXPECT_LT(form.ok.x, form.cancel.x) << "OK before Cancel";
    }
}

TEST(MoreSettingsForm, AChoiceListOpensTallEnoughForEveryChoice) {
    for (const SettingRow* row : MoreSettingsRows()) {
        if (row->kind != SettingKind::Choice) continue;
        SCOPED_TRACE(row->name);
        const MoreSettingsForm form = LayOutMoreSettings(std::vector<const SettingRow*>{row});
        EXPECT_GE(form.places[0].control.height,
                  14 + 8 * static_cast<int32_t>(row->choices.size()));
    }
}

const SettingRow& RowNamed(const std::string& name) {
    for (const SettingRow& row : SettingRows()) {
        if (name == row.name) return row;
    }
    ADD_FAILURE() << "no row " << name;
    return SettingRows().front();
}

TEST(MoreSettingsForm, AStoredValueNoChoiceHasShowsTheDefault) {
    const SettingRow& order = RowNamed("Game order");
    const SettingRow& monitors = RowNamed("Monitors");
    const struct {
        const SettingRow* row;
        int32_t value;
        int32_t index;
    } cases[] = {{&order, 0, 0},    {&order, 1, 1},    {&order, 7, 0},   {&order, -1, 0},
                 {&monitors, 2, 2}, {&monitors, 3, 0}, {&monitors, 1, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(ChoiceIndexOf(*c.row, c.value), c.index) << c.row->name << " " << c.value;
    }
    // The default's entry, wherever it stands in the list.
    const SettingChoice choices[] = {{"a", 4, "A"}, {"b", 9, "B"}};
    const SettingRow laterDefault{
        .kind = SettingKind::Choice, .defaultNumber = 9, .choices = choices};
    EXPECT_EQ(ChoiceIndexOf(laterDefault, 5), 1);
}

TEST(MoreSettingsForm, NumberTextIsReadAndClampedToTheRowsRange) {
    const SettingRow& rating = RowNamed("Minimum rating");  // 0 to 4000
    const SettingRow signedRow{.kind = SettingKind::Number, .low = -50, .high = 50};
    const struct {
        const SettingRow* row;
        const char* text;
        int32_t current;
        int32_t expected;
    } cases[] = {
        {&rating, "2700", 0, 2700},
        {&rating, "  1500 ", 0, 1500},
        {&rating, "4000", 0, 4000},
        {&rating, "4001", 0, 4000},
        {&rating, "99999999999999999999", 0, 4000},
        {&rating, "-20", 100, 0},
        {&rating, "0", 100, 0},
        {&rating, "", 2200, 2200},
        {&rating, "12a", 2200, 2200},
        {&rating, "-", 2200, 2200},
        {&rating, "abc", 9000, 4000},
        {&signedRow, "-30", 0, -30},
        {&signedRow, "-70", 0, -50},
        {&signedRow, "007", 0, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SettingNumberFromText(*c.row, Wide(c.text).c_str(), c.current), c.expected);
    }
}

}  // namespace
