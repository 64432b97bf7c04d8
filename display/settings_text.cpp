#include "display/settings_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "display/settings_table.h"

namespace {

struct Span {
    int32_t start;
    int32_t end;  // one past the last byte
};

bool IsBlank(unsigned char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r';
}

Span Trimmed(const CharString& text, Span span) {
    while (span.start < span.end && IsBlank(text.at(span.start)))
        ++span.start;
    while (span.end > span.start && IsBlank(text.at(span.end - 1)))
        --span.end;
    return span;
}

unsigned char Lower(unsigned char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<unsigned char>(ch - 'A' + 'a') : ch;
}

bool NameIs(const CharString& text, Span name, const char* wanted) {
    const auto length = static_cast<int32_t>(std::strlen(wanted));
    if (name.end - name.start != length) return false;
    for (int32_t i = 0; i < length; ++i) {
        if (Lower(text.at(name.start + i)) != Lower(static_cast<unsigned char>(wanted[i]))) {
            return false;
        }
    }
    return true;
}

int32_t DigitValue(unsigned char ch, uint32_t base) {
    int32_t value = 99;
    if (ch >= '0' && ch <= '9') value = ch - '0';
    if (ch >= 'a' && ch <= 'f') value = ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') value = ch - 'A' + 10;
    return static_cast<uint32_t>(value) < base ? value : -1;
}

// One line of the file: where its name and value lie; hasValue false for lines to pass over.
struct SettingLine {
    Span name;
    Span value;
    bool hasValue;
};

SettingLine ReadLine(const CharString& text, Span line) {
    const Span trimmed = Trimmed(text, line);
    SettingLine result{trimmed, trimmed, false};
    if (trimmed.start == trimmed.end) return result;
    const unsigned char first = text.at(trimmed.start);
    if (first == '#' || first == ';') return result;
    for (int32_t i = trimmed.start; i < trimmed.end; ++i) {
        if (text.at(i) != '=') continue;
        result.name = Trimmed(text, Span{trimmed.start, i});
        result.value = Trimmed(text, Span{i + 1, trimmed.end});
        result.hasValue = true;
        break;
    }
    return result;
}

// The end of the line that starts at start: its CR or LF, or the text's end.
int32_t LineEnd(const CharString& text, int32_t start) {
    for (int32_t i = start; i < text.length(); ++i) {
        if (text.at(i) == '\n' || text.at(i) == '\r') return i;
    }
    return text.length();
}

// Where the line after the one ending at end starts: a CR LF pair is one line end.
int32_t NextLineStart(const CharString& text, int32_t end) {
    if (end < text.length() && text.at(end) == '\r' && text.at(end + 1) == '\n') return end + 2;
    return end + 1;
}

// The file's own line end, taken from its first line; LF for a file of one line or none.
std::string LineEndOf(const CharString& text) {
    const int32_t end = LineEnd(text, 0);
    if (end == text.length() || text.at(end) == '\n') return "\n";
    return text.at(end + 1) == '\n' ? "\r\n" : "\r";
}

void TakeNumber(SaverSettings& settings, const SettingRow& row, const CharString& value) {
    uint32_t number = 0;
    if (ParseSettingNumber(value, number) ||
        (row.kind == SettingKind::Colour && ParseHashColour(value, number))) {
        SetSettingNumber(settings, row, number);
    }
}

void TakeText(SaverSettings& settings, const SettingRow& row, const CharString& text, Span value) {
    const int32_t length = value.end - value.start;
    if (length >= kPathCapacity) return;
    WideChar* field = SettingText(settings, row);
    for (int32_t i = 0; i < length; ++i)
        field[i] = static_cast<WideChar>(text.at(value.start + i));
    field[length] = 0;
}

void ApplyLine(SaverSettings& settings, const CharString& text, const SettingLine& line) {
    for (const SettingRow& row : SettingRows()) {
        if (!NameIs(text, line.name, row.name)) continue;
        if (IsTextKind(row.kind)) {
            TakeText(settings, row, text, line.value);
        } else {
            TakeNumber(settings, row,
                       text.mid(line.value.start, line.value.end - line.value.start));
        }
        return;
    }
}

std::string ValueText(const SaverSettings& settings, const SettingRow& row) {
    if (IsTextKind(row.kind)) {
        CharString bytes;
        bytes.assignWide(SettingText(settings, row));
        return std::string(bytes.chars(), static_cast<size_t>(bytes.length()));
    }
    const uint32_t bits = SettingNumber(settings, row);
    if (row.kind != SettingKind::Colour) return std::to_string(static_cast<int32_t>(bits));
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%06x", static_cast<unsigned>(bits));
    return hex;
}

}  // namespace

bool ParseSettingNumber(const CharString& value, uint32_t& number) {
    const Span span = Trimmed(value, Span{0, value.length()});
    int32_t at = span.start;
    bool negative = false;
    if (at < span.end && (value.at(at) == '-' || value.at(at) == '+')) {
        negative = value.at(at) == '-';
        ++at;
    }
    uint32_t base = 10;
    if (!negative && span.end - at > 2 && value.at(at) == '0' && Lower(value.at(at + 1)) == 'x') {
        base = 16;
        at += 2;
    }
    if (at == span.end) return false;
    uint64_t total = 0;
    for (; at < span.end; ++at) {
        const int32_t digit = DigitValue(value.at(at), base);
        if (digit < 0) return false;
        total = total * base + static_cast<uint64_t>(digit);
        if (total > 0xFFFFFFFFu) return false;  // checked per digit, so it never wraps
    }
    if (negative && total > 0x80000000u) return false;
    number = negative ? static_cast<uint32_t>(0x100000000u - total) : static_cast<uint32_t>(total);
    return true;
}

bool ParseHashColour(const CharString& value, uint32_t& colour) {
    if (value.length() != 7 || value.at(0) != '#') return false;
    uint32_t rgb = 0;
    for (int32_t i = 1; i < 7; ++i) {
        const int32_t digit = DigitValue(value.at(i), 16);
        if (digit < 0) return false;
        rgb = rgb << 4 | static_cast<uint32_t>(digit);
    }
    // X writes red first; the settings hold a Windows colour, red in the low byte.
    colour = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    return true;
}

void ApplySettingsText(SaverSettings& settings, const CharString& text) {
    for (int32_t start = 0; start < text.length();) {
        const int32_t end = LineEnd(text, start);
        const SettingLine line = ReadLine(text, Span{start, end});
        if (line.hasValue) ApplyLine(settings, text, line);
        start = NextLineStart(text, end);
    }
}

namespace {

const SettingRow* KeptRowNamed(const CharString& text, Span name) {
    for (const SettingRow& row : SettingRows()) {
        if (IsKeptRow(row) && NameIs(text, name, row.name)) return &row;
    }
    return nullptr;
}

}  // namespace

CharString WithKeptSettings(const CharString& text, const SaverSettings& settings) {
    // Built in a growing string: a file of many such lines still costs one pass.
    std::string result;
    result.reserve(static_cast<size_t>(text.length()) + 128);
    std::vector<const SettingRow*> written;
    int32_t copied = 0;  // bytes of text already in result
    for (int32_t start = 0; start < text.length();) {
        const int32_t end = LineEnd(text, start);
        const SettingLine line = ReadLine(text, Span{start, end});
        const SettingRow* row = line.hasValue ? KeptRowNamed(text, line.name) : nullptr;
        if (row != nullptr) {
            result.append(text.chars() + copied, static_cast<size_t>(line.value.start - copied));
            result.append(ValueText(settings, *row));
            copied = line.value.end;
            written.push_back(row);
        }
        start = NextLineStart(text, end);
    }
    result.append(text.chars() + copied, static_cast<size_t>(text.length() - copied));
    // A value the file has no line for is added, unless it is the default: a user who never
    // plays a folder or a shuffled round keeps a file with the game number alone.
    const std::string lineEnd = LineEndOf(text);
    SaverSettings defaults = settings;
    SetDefaultSettings(defaults);
    for (const SettingRow& row : SettingRows()) {
        if (!IsKeptRow(row) || std::find(written.begin(), written.end(), &row) != written.end()) {
            continue;
        }
        const std::string value = ValueText(settings, row);
        if (&row != &GameNumberRow() && value == ValueText(defaults, row)) continue;
        if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += lineEnd;
        result.append(row.name).append("=").append(value).append(lineEnd);
    }
    return CharString(result.data(), static_cast<int32_t>(result.size()));
}

CharString SettingsFileText(const SaverSettings& settings) {
    std::string result;
    for (const SettingRow& row : SettingRows())
        result.append(row.name).append("=").append(ValueText(settings, row)).append("\n");
    return CharString(result.data(), static_cast<int32_t>(result.size()));
}
