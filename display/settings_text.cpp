#include "display/settings_text.h"

#include <cstring>
#include <string>

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

// The end of the line that starts at start: its newline, or the text's end.
int32_t LineEnd(const CharString& text, int32_t start) {
    const void* found =
        std::memchr(text.chars() + start, '\n', static_cast<size_t>(text.length() - start));
    return found == nullptr ? text.length()
                            : static_cast<int32_t>(static_cast<const char*>(found) - text.chars());
}

template <typename Field>
void TakeNumber(const CharString& text, Span value, Field& field) {
    static_assert(sizeof(Field) == 4);
    uint32_t number = 0;
    if (!ParseSettingNumber(text.mid(value.start, value.end - value.start), number)) return;
    std::memcpy(&field, &number, sizeof(field));
}

void TakeText(const CharString& text, Span value, WideChar (&field)[kPathCapacity]) {
    const int32_t length = value.end - value.start;
    if (length >= kPathCapacity) return;
    for (int32_t i = 0; i < length; ++i)
        field[i] = static_cast<WideChar>(text.at(value.start + i));
    field[length] = 0;
}

void ApplyLine(SaverSettings& settings, const CharString& text, const SettingLine& line) {
    struct NumberName {
        const char* name;
        uint32_t SaverSettings::*unsignedField;
        int32_t SaverSettings::*signedField;
    };
    static const NumberName kNumbers[] = {
        {"Color of font", &SaverSettings::fontColor, nullptr},
        {"Color of background", &SaverSettings::backgroundColor, nullptr},
        {"Show info", nullptr, &SaverSettings::showInfo},
        {"Time mode", nullptr, &SaverSettings::timeMode},
        {kGameNumberName, nullptr, &SaverSettings::currentGameNumber},
        {"Show last move", nullptr, &SaverSettings::showLastMove},
        {"Random skin", nullptr, &SaverSettings::randomSkin},
        {"Fit board", nullptr, &SaverSettings::fitBoard},
        {"Animate moves", nullptr, &SaverSettings::animateMoves},
    };
    for (const NumberName& entry : kNumbers) {
        if (!NameIs(text, line.name, entry.name)) continue;
        if (entry.unsignedField != nullptr)
            TakeNumber(text, line.value, settings.*entry.unsignedField);
        if (entry.signedField != nullptr) TakeNumber(text, line.value, settings.*entry.signedField);
        return;
    }
    if (NameIs(text, line.name, "Name of skin")) TakeText(text, line.value, settings.skinName);
    if (NameIs(text, line.name, "Path to PGN file")) TakeText(text, line.value, settings.pgnPath);
}

std::string NumberText(int32_t number) {
    return std::to_string(number);
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

void ApplySettingsText(SaverSettings& settings, const CharString& text) {
    for (int32_t start = 0; start < text.length();) {
        const int32_t end = LineEnd(text, start);
        const SettingLine line = ReadLine(text, Span{start, end});
        if (line.hasValue) ApplyLine(settings, text, line);
        start = end + 1;
    }
}

CharString WithCurrentGameNumber(const CharString& text, int32_t number) {
    const std::string value = NumberText(number);
    // Built in a growing string: a file of many such lines still costs one pass.
    std::string result;
    result.reserve(static_cast<size_t>(text.length()) + value.size() + 32);
    bool replaced = false;
    int32_t copied = 0;  // bytes of text already in result
    for (int32_t start = 0; start < text.length();) {
        const int32_t end = LineEnd(text, start);
        const SettingLine line = ReadLine(text, Span{start, end});
        if (line.hasValue && NameIs(text, line.name, kGameNumberName)) {
            result.append(text.chars() + copied, static_cast<size_t>(line.value.start - copied));
            result.append(value);
            copied = line.value.end;
            replaced = true;
        }
        start = end + 1;
    }
    result.append(text.chars() + copied, static_cast<size_t>(text.length() - copied));
    if (!replaced) {
        if (!result.empty() && result.back() != '\n') result.push_back('\n');
        result.append(kGameNumberName).append("=").append(value).append("\n");
    }
    return CharString(result.data(), static_cast<int32_t>(result.size()));
}
