#include "display/more_settings_form.h"

#include <algorithm>

namespace {

constexpr int32_t kMargin = 7;
constexpr int32_t kLabelWidth = 160;
constexpr int32_t kGap = 4;  // between a label and its control, and between the buttons
constexpr int32_t kControlWidth = 150;
constexpr int32_t kNumberWidth = 50;  // the arrows take their room inside it
constexpr int32_t kControlHeight = 14;
constexpr int32_t kCheckHeight = 12;
constexpr int32_t kLabelHeight = 8;
constexpr int32_t kButtonWidth = 50;
constexpr int32_t kButtonHeight = 14;
// Check boxes stand closer together than the boxes and lists, as in the settings dialog.
constexpr int32_t kCheckPitch = 14;
constexpr int32_t kControlPitch = 18;
// A drop-down list's rectangle includes the list it opens: room for each choice.
constexpr int32_t kListEntryHeight = 10;

constexpr int32_t kFormWidth = kMargin + kLabelWidth + kGap + kControlWidth + kMargin;

int32_t PitchOf(const SettingRow& row) {
    return row.kind == SettingKind::Flag ? kCheckPitch : kControlPitch;
}

MoreSettingsPlace PlaceRow(const SettingRow& row, int32_t top) {
    MoreSettingsPlace place{&row, {}, {}};
    const int32_t right = kMargin + kLabelWidth + kGap;
    switch (row.kind) {
        case SettingKind::Flag:
            place.control = {kMargin, top, kLabelWidth + kGap + kControlWidth, kCheckHeight};
            return place;
        case SettingKind::Choice:
            place.control = {
                right, top, kControlWidth,
                kControlHeight + kListEntryHeight * static_cast<int32_t>(row.choices.size())};
            break;
        case SettingKind::Number:
        case SettingKind::Colour:
            place.control = {right, top, kNumberWidth, kControlHeight};
            break;
        case SettingKind::Text:
        case SettingKind::Path:
            place.control = {right, top, kControlWidth, kControlHeight};
            break;
    }
    // The label's text stands level with the text in its control.
    place.label = {kMargin, top + (kControlHeight - kLabelHeight) / 2, kLabelWidth, kLabelHeight};
    return place;
}

}  // namespace

bool IsMoreSettingsRow(const SettingRow& row) {
    return row.label != nullptr && !IsKeptRow(row) && !row.mainDialog;
}

std::vector<const SettingRow*> MoreSettingsRows() {
    std::vector<const SettingRow*> rows;
    for (const SettingRow& row : SettingRows()) {
        if (IsMoreSettingsRow(row)) rows.push_back(&row);
    }
    return rows;
}

MoreSettingsForm LayOutMoreSettings(std::span<const SettingRow* const> rows) {
    MoreSettingsForm form{};
    int32_t top = kMargin;
    int32_t bottom = kMargin;
    for (const SettingRow* row : rows) {
        form.places.push_back(PlaceRow(*row, top));
        bottom = top + (row->kind == SettingKind::Flag ? kCheckHeight : kControlHeight);
        top += PitchOf(*row);
    }
    const int32_t buttonsTop = bottom + kMargin;
    form.width = kFormWidth;
    form.cancel = {kFormWidth - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight};
    form.ok = {form.cancel.x - kGap - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight};
    form.height = buttonsTop + kButtonHeight + kMargin;
    return form;
}

int32_t ChoiceIndexOf(const SettingRow& row, int32_t value) {
    int32_t defaultIndex = 0;
    for (size_t i = 0; i < row.choices.size(); ++i) {
        if (row.choices[i].value == value) return static_cast<int32_t>(i);
        if (row.choices[i].value == static_cast<int32_t>(row.defaultNumber)) {
            defaultIndex = static_cast<int32_t>(i);
        }
    }
    return defaultIndex;
}

int32_t SettingNumberFromText(const SettingRow& row, const WideChar* text, int32_t current) {
    const auto isBlank = [](WideChar c) { return c == ' ' || c == '\t'; };
    const auto isDigit = [](WideChar c) { return c >= '0' && c <= '9'; };
    const WideChar* p = text;
    while (isBlank(*p))
        ++p;
    const bool negative = *p == '-';
    if (negative) ++p;
    int64_t value = current;
    if (isDigit(*p)) {
        // Held beyond any 32-bit range, so that a long run of digits still clamps to the top.
        constexpr int64_t kCeiling = int64_t{1} << 40;
        int64_t digits = 0;
        for (; isDigit(*p); ++p)
            digits = std::min(digits * 10 + (*p - '0'), kCeiling);
        while (isBlank(*p))
            ++p;
        if (*p == 0) value = negative ? -digits : digits;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(value, row.low, row.high));
}
