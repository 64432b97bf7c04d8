#include "win32/more_settings_dialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "display/more_settings_form.h"
#include "win32/dialog_template.h"
#include "win32/resource_ids.h"

namespace {

struct MoreSettingsState {
    SaverSettings* settings;
    std::vector<const SettingRow*> rows;
};

MoreSettingsState& StateOf(HWND dialog) {
    return *reinterpret_cast<MoreSettingsState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The table's texts are plain ASCII.
std::wstring WideOf(const char* text) {
    return std::wstring(text, text + (text != nullptr ? std::char_traits<char>::length(text) : 0));
}

int ControlId(size_t index) {
    return IDC_MORE_CONTROL + static_cast<int>(index);
}

void AddLabel(DialogTemplate& dialog, const MoreSettingsPlace& place, size_t index) {
    const DialogRect& r = place.label;
    const std::wstring text = WideOf(place.row->label);
    AddDialogItem(dialog, {L"Static", text.c_str(), SS_LEFT | SS_NOPREFIX,
                           IDC_MORE_LABEL + static_cast<int>(index), r.x, r.y, r.width, r.height});
}

void AddControl(DialogTemplate& dialog, const MoreSettingsPlace& place, size_t index) {
    const DialogRect& r = place.control;
    const SettingRow& row = *place.row;
    const int id = ControlId(index);
    // A label goes before what it names, as a dialog lists them.
    if (row.kind != SettingKind::Flag) AddLabel(dialog, place, index);
    switch (row.kind) {
        case SettingKind::Flag: {
            const std::wstring text = WideOf(row.label);
            AddDialogItem(dialog, {L"Button", text.c_str(), BS_AUTOCHECKBOX | WS_TABSTOP, id, r.x,
                                   r.y, r.width, r.height});
            break;
        }
        case SettingKind::Choice:
            AddDialogItem(dialog, {L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id,
                                   r.x, r.y, r.width, r.height});
            break;
        case SettingKind::Number:
        case SettingKind::Colour: {
            // Digits alone unless the range takes a minus sign.
            const DWORD digitsOnly = row.low >= 0 ? ES_NUMBER : 0;
            AddDialogItem(dialog,
                          {L"Edit", L"", ES_AUTOHSCROLL | digitsOnly | WS_BORDER | WS_TABSTOP, id,
                           r.x, r.y, r.width, r.height});
            // Straight after its box, whose right end it takes: UDS_AUTOBUDDY pairs them.
            AddDialogItem(
                dialog,
                {UPDOWN_CLASSW, L"",
                 UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                 IDC_MORE_ARROWS + static_cast<int>(index), r.x + r.width, r.y, 10, r.height});
            break;
        }
        case SettingKind::Text:
        case SettingKind::Path:
            AddDialogItem(dialog, {L"Edit", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, id, r.x,
                                   r.y, r.width, r.height});
            break;
    }
}

DialogTemplate BuildTemplate(const std::vector<const SettingRow*>& rows) {
    const MoreSettingsForm form = LayOutMoreSettings(rows);
    DialogTemplate dialog = BeginDialogTemplate(L"More settings", form.width, form.height);
    for (size_t i = 0; i < form.places.size(); ++i)
        AddControl(dialog, form.places[i], i);
    const DialogRect& ok = form.ok;
    const DialogRect& cancel = form.cancel;
    AddDialogItem(dialog, {L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, ok.x, ok.y,
                           ok.width, ok.height});
    AddDialogItem(dialog, {L"Button", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, cancel.x,
                           cancel.y, cancel.width, cancel.height});
    return dialog;
}

int32_t NumberOf(const SaverSettings& settings, const SettingRow& row) {
    return static_cast<int32_t>(SettingNumber(settings, row));
}

void ShowValue(HWND dialog, size_t index, const SettingRow& row, const SaverSettings& settings) {
    HWND control = GetDlgItem(dialog, ControlId(index));
    switch (row.kind) {
        case SettingKind::Flag:
            SendMessageW(control, BM_SETCHECK, NumberOf(settings, row) != 0 ? BST_CHECKED : 0, 0);
            break;
        case SettingKind::Choice:
            for (const SettingChoice& choice : row.choices) {
                const std::wstring label = WideOf(choice.label);
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
            }
            SendMessageW(control, CB_SETCURSEL,
                         static_cast<WPARAM>(ChoiceIndexOf(row, NumberOf(settings, row))), 0);
            break;
        case SettingKind::Number:
        case SettingKind::Colour:
            SendMessageW(control, EM_LIMITTEXT, 11, 0);  // "-2147483648"
            SendDlgItemMessageW(dialog, IDC_MORE_ARROWS + static_cast<int>(index), UDM_SETRANGE32,
                                static_cast<WPARAM>(row.low), static_cast<LPARAM>(row.high));
            // As the saver reads it; a stored value out of range is held within it on OK.
            SetWindowTextW(control, std::to_wstring(NumberOf(settings, row)).c_str());
            break;
        case SettingKind::Text:
        case SettingKind::Path:
            SendMessageW(control, EM_LIMITTEXT, kPathCapacity - 1, 0);
            SetWindowTextW(control, SettingText(settings, row));
            break;
    }
}

void ReadValue(HWND dialog, size_t index, const SettingRow& row, SaverSettings& settings) {
    HWND control = GetDlgItem(dialog, ControlId(index));
    switch (row.kind) {
        case SettingKind::Flag:
            SetSettingNumber(settings, row,
                             IsDlgButtonChecked(dialog, ControlId(index)) == BST_CHECKED ? 1 : 0);
            break;
        case SettingKind::Choice: {
            const LRESULT entry = SendMessageW(control, CB_GETCURSEL, 0, 0);
            if (entry >= 0 && static_cast<size_t>(entry) < row.choices.size()) {
                SetSettingNumber(
                    settings, row,
                    static_cast<uint32_t>(row.choices[static_cast<size_t>(entry)].value));
            }
            break;
        }
        case SettingKind::Number:
        case SettingKind::Colour: {
            WideChar text[32] = {0};
            GetWindowTextW(control, text, 32);
            SetSettingNumber(
                settings, row,
                static_cast<uint32_t>(SettingNumberFromText(row, text, NumberOf(settings, row))));
            break;
        }
        case SettingKind::Text:
        case SettingKind::Path:
            // The count bounds the copy to the field, terminator included.
            GetWindowTextW(control, SettingText(settings, row), kPathCapacity);
            break;
    }
}

BOOL OnInitMore(HWND dialog, MoreSettingsState* state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    for (size_t i = 0; i < state->rows.size(); ++i)
        ShowValue(dialog, i, *state->rows[i], *state->settings);
    return TRUE;
}

void OnOk(HWND dialog) {
    const MoreSettingsState& state = StateOf(dialog);
    // Read into a copy, so that the record changes in one piece.
    SaverSettings edited = *state.settings;
    for (size_t i = 0; i < state.rows.size(); ++i)
        ReadValue(dialog, i, *state.rows[i], edited);
    *state.settings = edited;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK MoreSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitMore(dialog, reinterpret_cast<MoreSettingsState*>(lParam));
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowMoreSettingsDialog(HINSTANCE instance, HWND owner, SaverSettings& settings) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    MoreSettingsState state{&settings, MoreSettingsRows()};
    const DialogTemplate dialog = BuildTemplate(state.rows);
    return DialogBoxIndirectParamW(instance, TemplateOf(dialog), owner, MoreSettingsProc,
                                   reinterpret_cast<LPARAM>(&state)) == IDOK;
}
