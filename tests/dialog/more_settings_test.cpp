// The "More settings" dialog of the real Quorvane.scr, opened from its settings dialog and driven
// through its controls. The rows are walked from the settings table, so a row added there is
// checked here without more work.

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "display/more_settings_form.h"
#include "user_settings.h"
#include "win32/resource_ids.h"

namespace {

std::wstring WideOf(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

// A value of a row as the registry holds it: a number or a text by the row's kind.
struct RowValue {
    uint32_t number;
    std::wstring text;
};

int ChoiceEntry(const SettingRow& row, uint32_t value) {
    for (size_t i = 0; i < row.choices.size(); ++i) {
        if (static_cast<uint32_t>(row.choices[i].value) == value) return static_cast<int>(i);
    }
    return -1;
}

// A value other than the default, and a second one other than the first: a control that shows
// or stores the wrong one of the three is caught.
RowValue Seeded(const SettingRow& row) {
    switch (row.kind) {
        case SettingKind::Flag:
            return {row.defaultNumber != 0 ? 0u : 1u, L""};
        case SettingKind::Choice:
            for (const SettingChoice& choice : row.choices) {
                if (static_cast<uint32_t>(choice.value) != row.defaultNumber) {
                    return {static_cast<uint32_t>(choice.value), L""};
                }
            }
            break;
        case SettingKind::Text:
        case SettingKind::Path:
            return {0, L"Seeded \u00e9 " + WideOf(row.name)};
        default:
            break;
    }
    return {static_cast<uint32_t>(row.low + (int64_t{row.high} - row.low) / 3), L""};
}

RowValue Edited(const SettingRow& row) {
    const RowValue seeded = Seeded(row);
    switch (row.kind) {
        case SettingKind::Flag:
            return {seeded.number != 0 ? 0u : 1u, L""};
        case SettingKind::Choice:
            // The last choice other than the seeded one: with two choices, the default.
            for (auto choice = row.choices.rbegin(); choice != row.choices.rend(); ++choice) {
                if (static_cast<uint32_t>(choice->value) != seeded.number) {
                    return {static_cast<uint32_t>(choice->value), L""};
                }
            }
            break;
        case SettingKind::Text:
        case SettingKind::Path:
            return {0, L"Edited " + WideOf(row.name)};
        default:
            break;
    }
    return {static_cast<uint32_t>(row.low + (int64_t{row.high} - row.low) / 2), L""};
}

RowValue Default(const SettingRow& row) {
    return {row.defaultNumber, row.defaultText != nullptr ? WideOf(row.defaultText) : L""};
}

bool IsText(const SettingRow& row) {
    return row.kind == SettingKind::Text || row.kind == SettingKind::Path;
}

void Seed(const SettingRow& row, const RowValue& value) {
    if (IsText(row)) {
        WriteUserText(WideOf(row.name).c_str(), value.text);
    } else {
        WriteUserNumber(WideOf(row.name).c_str(), value.number);
    }
}

void ExpectStored(const SettingRow& row, const RowValue& value) {
    if (IsText(row)) {
        EXPECT_EQ(ReadUserText(WideOf(row.name).c_str()), value.text) << row.name;
    } else {
        EXPECT_EQ(ReadUserNumber(WideOf(row.name).c_str()), value.number) << row.name;
    }
}

int ControlOf(size_t index) {
    return IDC_MORE_CONTROL + static_cast<int>(index);
}

LRESULT Send(HWND more, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(GetDlgItem(more, id), message, wParam, lParam);
}

void ExpectShown(HWND more, size_t index, const SettingRow& row, const RowValue& value) {
    SCOPED_TRACE(row.name);
    const int id = ControlOf(index);
    switch (row.kind) {
        case SettingKind::Flag:
            EXPECT_EQ(IsTicked(more, id), value.number != 0);
            break;
        case SettingKind::Choice:
            EXPECT_EQ(Send(more, id, CB_GETCURSEL), ChoiceEntry(row, value.number));
            break;
        case SettingKind::Text:
        case SettingKind::Path:
            EXPECT_EQ(ControlText(more, id), value.text);
            break;
        default:
            EXPECT_EQ(ControlText(more, id), std::to_wstring(static_cast<int32_t>(value.number)));
            break;
    }
}

// What a user's click, pick or typing does to the control.
void Enter(HWND more, size_t index, const SettingRow& row, const RowValue& value) {
    const int id = ControlOf(index);
    switch (row.kind) {
        case SettingKind::Flag:
            if (IsTicked(more, id) != (value.number != 0)) ClickButton(more, id);
            break;
        case SettingKind::Choice:
            Send(more, id, CB_SETCURSEL, static_cast<WPARAM>(ChoiceEntry(row, value.number)));
            break;
        case SettingKind::Text:
        case SettingKind::Path:
            Send(more, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.text.c_str()));
            break;
        default: {
            const std::wstring digits = std::to_wstring(static_cast<int32_t>(value.number));
            Send(more, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(digits.c_str()));
            break;
        }
    }
}

class MoreSettingsTest : public SettingsDialogTest {
  protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        rows = MoreSettingsRows();
        ASSERT_FALSE(rows.empty());
    }

    // Opens "More settings" from the settings dialog; null when it does not come.
    HWND OpenMore() {
        PostClick(dialog, IDC_MORE_SETTINGS);
        return WaitForDialog("More settings", dialog, 10000);
    }

    void SeedAll(RowValue (*value)(const SettingRow&)) {
        for (const SettingRow* row : rows)
            Seed(*row, value(*row));
    }
    void ExpectAllShown(HWND more, RowValue (*value)(const SettingRow&)) {
        for (size_t i = 0; i < rows.size(); ++i)
            ExpectShown(more, i, *rows[i], value(*rows[i]));
    }
    void EnterAll(HWND more, RowValue (*value)(const SettingRow&)) {
        for (size_t i = 0; i < rows.size(); ++i)
            Enter(more, i, *rows[i], value(*rows[i]));
    }
    void ExpectAllStored(RowValue (*value)(const SettingRow&)) {
        for (const SettingRow* row : rows)
            ExpectStored(*row, value(*row));
    }
    // Presses a button of "More settings" and waits until it has gone, the settings dialog open.
    void CloseMore(HWND more, int buttonId) {
        PostClick(more, buttonId);
        ASSERT_TRUE(WaitUntilGone(more, 5000));
        EXPECT_TRUE(IsWindow(dialog) && IsWindowEnabled(dialog));
    }

    std::vector<const SettingRow*> rows;
};

std::string ClassOf(HWND control) {
    char name[32] = {0};
    GetClassNameA(control, name, sizeof name);
    return name;
}

LONG_PTR StyleOf(HWND control) {
    return GetWindowLongPtrW(control, GWL_STYLE);
}

TEST_F(MoreSettingsTest, EveryRowOfTheTableHasAControlOfItsKind) {
    Open();
    HWND more = OpenMore();
    ASSERT_NE(more, nullptr) << "no \"More settings\" dialog owned by the settings dialog";
    EXPECT_FALSE(IsWindowEnabled(dialog)) << "modal: the settings dialog waits";
    for (size_t i = 0; i < rows.size(); ++i) {
        const SettingRow& row = *rows[i];
        SCOPED_TRACE(row.name);
        HWND control = GetDlgItem(more, ControlOf(i));
        ASSERT_NE(control, nullptr);
        EXPECT_NE(StyleOf(control) & WS_TABSTOP, 0);
        HWND label = GetDlgItem(more, IDC_MORE_LABEL + static_cast<int>(i));
        if (row.kind == SettingKind::Flag) {
            EXPECT_EQ(ClassOf(control), "Button");
            EXPECT_EQ(StyleOf(control) & BS_TYPEMASK, BS_AUTOCHECKBOX);
            EXPECT_EQ(ControlText(more, ControlOf(i)), WideOf(row.label));
            EXPECT_EQ(label, nullptr) << "the box carries its own label";
            continue;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(ControlText(more, IDC_MORE_LABEL + static_cast<int>(i)), WideOf(row.label));
        // The label stands level with its control, to its left.
        RECT labelRect{}, controlRect{};
        GetWindowRect(label, &labelRect);
        GetWindowRect(control, &controlRect);
        EXPECT_LE(labelRect.right, controlRect.left);
        EXPECT_LT(labelRect.top, controlRect.bottom);
        EXPECT_GT(labelRect.bottom, controlRect.top);
        HWND arrows = GetDlgItem(more, IDC_MORE_ARROWS + static_cast<int>(i));
        switch (row.kind) {
            case SettingKind::Choice: {
                EXPECT_EQ(ClassOf(control), "ComboBox");
                EXPECT_EQ(StyleOf(control) & 3, CBS_DROPDOWNLIST);
                ASSERT_EQ(Send(more, ControlOf(i), CB_GETCOUNT),
                          static_cast<LRESULT>(row.choices.size()));
                for (size_t c = 0; c < row.choices.size(); ++c) {
                    wchar_t entry[128] = {0};
                    Send(more, ControlOf(i), CB_GETLBTEXT, c, reinterpret_cast<LPARAM>(entry));
                    EXPECT_EQ(std::wstring(entry), WideOf(row.choices[c].label));
                }
                break;
            }
            case SettingKind::Text:
            case SettingKind::Path:
                EXPECT_EQ(ClassOf(control), "Edit");
                EXPECT_EQ(arrows, nullptr);
                break;
            default:
                EXPECT_EQ(ClassOf(control), "Edit");
                ASSERT_NE(arrows, nullptr) << "a number has up-down arrows";
                EXPECT_EQ(ClassOf(arrows), "msctls_updown32");
                EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)),
                          control);
                EXPECT_EQ(StyleOf(control) & ES_NUMBER, row.low >= 0 ? ES_NUMBER : 0);
                break;
        }
    }
    EXPECT_EQ(GetDlgItem(more, ControlOf(rows.size())), nullptr) << "one control per row";
    CloseMore(more, IDCANCEL);
    EndWith(IDCANCEL);
}

TEST_F(MoreSettingsTest, ValuesGoFromTheRecordToTheControlsAndBackOnOk) {
    SeedAll(Seeded);
    Open();
    HWND more = OpenMore();
    ASSERT_NE(more, nullptr);
    ExpectAllShown(more, Seeded);
    EnterAll(more, Edited);
    CloseMore(more, IDOK);
    // The settings dialog's record holds them now: they come back when the dialog reopens.
    more = OpenMore();
    ASSERT_NE(more, nullptr);
    ExpectAllShown(more, Edited);
    CloseMore(more, IDCANCEL);
    EndWith(IDOK);
    ExpectAllStored(Edited);
}

struct CloseCase {
    const char* name;
    void (*close)(HWND more);
};

class ClosingMoreWithoutOk : public MoreSettingsTest,
                             public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingMoreWithoutOk, ForgetsTheChangesMadeThere) {
    SeedAll(Seeded);
    Open();
    HWND more = OpenMore();
    ASSERT_NE(more, nullptr);
    EnterAll(more, Edited);
    GetParam().close(more);
    ASSERT_TRUE(WaitUntilGone(more, 5000));
    ASSERT_TRUE(IsWindow(dialog)) << "only \"More settings\" closes";
    more = OpenMore();
    ASSERT_NE(more, nullptr);
    ExpectAllShown(more, Seeded);
    CloseMore(more, IDCANCEL);
    EndWith(IDOK);
    ExpectAllStored(Seeded);
}

INSTANTIATE_TEST_SUITE_P(
    More, ClosingMoreWithoutOk,
    ::testing::Values(CloseCase{"CancelButton", [](HWND m) { PostClick(m, IDCANCEL); }},
                      CloseCase{"EscKey", [](HWND m) { PressKey(m, VK_ESCAPE); }},
                      CloseCase{"CloseBox",
                                [](HWND m) { PostMessageW(m, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MoreSettingsTest, NothingIsStoredWhenTheSettingsDialogIsCancelled) {
    SeedAll(Seeded);
    const auto before = SnapshotUserSettings();
    Open();
    HWND more = OpenMore();
    ASSERT_NE(more, nullptr);
    EnterAll(more, Edited);
    CloseMore(more, IDOK);
    EndWith(IDCANCEL);
    EXPECT_EQ(SnapshotUserSettings(), before);
}

// Typed past the top, or stored there by another program: OK holds it at the row's limit.
TEST_F(MoreSettingsTest, NumbersOutOfRangeAreHeldWithinTheirRowsRangeOnOk) {
    std::vector<size_t> numbers;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->kind == SettingKind::Number) numbers.push_back(i);
    }
    if (numbers.empty()) GTEST_SKIP() << "no number in the form";
    const struct {
        const char* name;
        bool typed;  // else stored
        uint32_t (*value)(const SettingRow&);
        uint32_t (*held)(const SettingRow&);
    } cases[] = {
        {"typed far above", true, [](const SettingRow&) { return 99999999u; },
         [](const SettingRow& r) { return static_cast<uint32_t>(r.high); }},
        {"stored one above", false,
         [](const SettingRow& r) { return static_cast<uint32_t>(r.high) + 1; },
         [](const SettingRow& r) { return static_cast<uint32_t>(r.high); }},
        {"stored below", false,
         [](const SettingRow& r) { return static_cast<uint32_t>(r.low - 1); },
         [](const SettingRow& r) { return static_cast<uint32_t>(r.low); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (size_t i : numbers) {
            if (!c.typed) WriteUserNumber(WideOf(rows[i]->name).c_str(), c.value(*rows[i]));
        }
        Open();
        HWND more = OpenMore();
        ASSERT_NE(more, nullptr);
        for (size_t i : numbers) {
            if (c.typed) Enter(more, i, *rows[i], {c.value(*rows[i]), L""});
        }
        CloseMore(more, IDOK);
        EndWith(IDOK);
        for (size_t i : numbers)
            ExpectStored(*rows[i], {c.held(*rows[i]), L""});
    }
}

TEST_F(MoreSettingsTest, SetToDefaultResetsTheRowsOfMoreSettings) {
    SeedAll(Seeded);
    Open();
    HWND more = OpenMore();
    ASSERT_NE(more, nullptr);
    EnterAll(more, Edited);
    CloseMore(more, IDOK);
    ClickButton(dialog, IDC_SET_DEFAULT);
    more = OpenMore();
    ASSERT_NE(more, nullptr);
    ExpectAllShown(more, Default);
    CloseMore(more, IDOK);
    EndWith(IDOK);
    ExpectAllStored(Default);
}

// The window that has the keyboard focus in the saver's dialog thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) return nullptr;
    return thread.hwndFocus;
}

// The control that holds the focus, or whose child (a combo box's edit) holds it.
int FocusedId(HWND more) {
    for (HWND at = FocusOf(more); at != nullptr && at != more; at = GetParent(at)) {
        if (GetParent(at) == more) return GetDlgCtrlID(at);
    }
    return 0;
}

TEST_F(MoreSettingsTest, TabWalksTheRowsInOrderAndEnterIsOk) {
    SeedAll(Seeded);
    Open();
    HWND more = OpenMore();
    ASSERT_NE(more, nullptr);
    std::vector<int> expected;
    for (size_t i = 0; i < rows.size(); ++i)
        expected.push_back(ControlOf(i));
    expected.push_back(IDOK);
    expected.push_back(IDCANCEL);
    expected.push_back(ControlOf(0));  // and round again
    ASSERT_TRUE(Eventually([&] { return FocusedId(more) == expected.front(); }))
        << "the first row has the focus, has " << FocusedId(more);
    for (size_t step = 1; step < expected.size(); ++step) {
        PressKey(more, VK_TAB);
        EXPECT_TRUE(Eventually([&] { return FocusedId(more) == expected[step]; }))
            << "after tab " << step << " the focus is on " << FocusedId(more);
    }
    // Enter in a box is the default button's: OK takes the edit.
    size_t box = rows.size();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (IsText(*rows[i])) box = i;
    }
    ASSERT_LT(box, rows.size()) << "no text box in the form";
    Enter(more, box, *rows[box], Edited(*rows[box]));
    for (size_t step = 1; step <= box; ++step) {
        PressKey(more, VK_TAB);
        ASSERT_TRUE(Eventually([&] { return FocusedId(more) == ControlOf(step); }));
    }
    PressKey(more, VK_RETURN);
    ASSERT_TRUE(WaitUntilGone(more, 5000));
    EndWith(IDOK);
    ExpectStored(*rows[box], Edited(*rows[box]));
}

}  // namespace
