#include "x11/setting_switches.h"

#include <cstdio>

#include "display/settings_text.h"

namespace {

constexpr const char* kNoPrefix = "no-";
constexpr size_t kHelpColumn = 30;

// The word without its leading dashes, when it has one or two.
std::string Bare(const std::string& word) {
    if (word.size() > 2 && word[0] == '-' && word[1] == '-') return word.substr(2);
    if (word.size() > 1 && word[0] == '-') return word.substr(1);
    return std::string();
}

// The row whose switch the bare word names; negated for a flag's --no- form.
const SettingRow* FindSwitchRow(const std::string& bare, bool& negated) {
    for (const SettingRow& row : SettingRows()) {
        if (row.switchName == nullptr) continue;
        negated = row.kind == SettingKind::Flag && bare == kNoPrefix + std::string(row.switchName);
        if (negated || bare == row.switchName) return &row;
    }
    return nullptr;
}

std::string ChoiceWords(const SettingRow& row) {
    std::string words;
    for (const SettingChoice& choice : row.choices)
        words += (words.empty() ? "" : "|") + std::string(choice.word);
    return words;
}

// The value's word for a switch, checked for the row's kind and range.
bool ParseValue(const SettingRow& row, const std::string& value, SettingOverride& result) {
    const CharString chars(value.c_str());
    uint32_t number = 0;
    switch (row.kind) {
        case SettingKind::Colour:
            if (ParseHashColour(chars, number) ||
                (ParseSettingNumber(chars, number) && number <= 0xFFFFFFu)) {
                result.number = number;
                return true;
            }
            return false;
        case SettingKind::Choice:
            for (const SettingChoice& choice : row.choices) {
                if (value != choice.word) continue;
                result.number = static_cast<uint32_t>(choice.value);
                return true;
            }
            return false;
        case SettingKind::Number:
            if (!ParseSettingNumber(chars, number)) return false;
            result.number = number;
            return static_cast<int32_t>(number) >= row.low &&
                   static_cast<int32_t>(number) <= row.high;
        case SettingKind::Text:
        case SettingKind::Path:
            result.text = value;
            return !value.empty() && value.size() < kPathCapacity;
        case SettingKind::Flag:
            break;
    }
    return false;
}

// What a switch with a value takes, for its help and its messages.
std::string ValueWords(const SettingRow& row) {
    switch (row.kind) {
        case SettingKind::Colour:
            return "#RRGGBB, or 0xBBGGRR as in the settings file";
        case SettingKind::Choice:
            return ChoiceWords(row);
        case SettingKind::Number:
            return "a whole number from " + std::to_string(row.low) + " to " +
                   std::to_string(row.high);
        case SettingKind::Text:
        case SettingKind::Path:
            return std::string("a ") + row.valueName + " of 1 to " +
                   std::to_string(kPathCapacity - 1) + " bytes";
        case SettingKind::Flag:
            break;
    }
    return std::string();
}

std::string DefaultText(const SettingRow& row) {
    switch (row.kind) {
        case SettingKind::Colour:
            return HashColourText(row.defaultNumber);
        case SettingKind::Flag:
            return row.defaultNumber != 0 ? "on" : "off";
        case SettingKind::Choice:
            for (const SettingChoice& choice : row.choices) {
                if (static_cast<uint32_t>(choice.value) == row.defaultNumber) return choice.word;
            }
            break;
        case SettingKind::Number:
            return std::to_string(static_cast<int32_t>(row.defaultNumber));
        case SettingKind::Text:
            return row.defaultText;
        case SettingKind::Path:
            return "the data folder's " + std::string(row.defaultText);
    }
    return std::string();
}

std::string SwitchForm(const SettingRow& row) {
    const std::string name = std::string("--") + row.switchName;
    if (row.kind == SettingKind::Flag) return name + ", --" + kNoPrefix + row.switchName;
    if (row.kind == SettingKind::Choice) return name + " " + ChoiceWords(row);
    return name + " " + (row.valueName != nullptr ? row.valueName : "VALUE");
}

}  // namespace

bool ReadSettingSwitch(const std::vector<std::string>& words, size_t& at,
                       std::vector<SettingOverride>& overrides, std::string& error) {
    bool negated = false;
    const SettingRow* row = FindSwitchRow(Bare(words[at]), negated);
    if (row == nullptr) return false;
    SettingOverride result{row, 0, std::string()};
    if (row->kind == SettingKind::Flag) {
        result.number = negated ? 0 : 1;
    } else if (at + 1 >= words.size()) {
        error = words[at] + " needs " + ValueWords(*row);
        return true;
    } else if (!ParseValue(*row, words[++at], result)) {
        error = words[at - 1] + " takes " + ValueWords(*row) + ", not \"" + words[at] + "\"";
        return true;
    }
    overrides.push_back(result);
    return true;
}

void ApplySettingOverrides(SaverSettings& settings, const std::vector<SettingOverride>& overrides) {
    for (const SettingOverride& entry : overrides) {
        const SettingRow& row = *entry.row;
        if (!IsTextKind(row.kind)) {
            SetSettingNumber(settings, row, entry.number);
            continue;
        }
        WideChar* field = SettingText(settings, row);
        // Checked to fit when it was read.
        for (size_t i = 0; i <= entry.text.size(); ++i)
            field[i] = static_cast<WideChar>(static_cast<unsigned char>(entry.text.c_str()[i]));
    }
}

std::string HashColourText(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof(text), "#%02x%02x%02x", colour & 0xFF, colour >> 8 & 0xFF,
                  colour >> 16 & 0xFF);
    return text;
}

std::string SettingSwitchesHelp() {
    std::string help;
    for (const SettingRow& row : SettingRows()) {
        if (row.switchName == nullptr) continue;
        std::string line = "  " + SwitchForm(row);
        // A long switch stands on a line of its own, its help below it in the column.
        line += line.size() + 2 <= kHelpColumn ? std::string(kHelpColumn - line.size(), ' ')
                                               : "\n" + std::string(kHelpColumn, ' ');
        const std::string byDefault = DefaultText(row);
        help += line + row.help + (byDefault.empty() ? "" : " (default " + byDefault + ")") + "\n";
    }
    return help;
}
