#include "pgn/pgn_clock.h"

#include <cstring>

namespace {

constexpr char kClockCommand[] = "[%clk";
constexpr int32_t kClockCommandLength = 5;
constexpr int32_t kMostHourDigits = 4;

// A cursor over one candidate clock; every read stays inside [at, end).
struct ClockText {
    const char* at;
    const char* end;
};

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

void SkipBlanks(ClockText& text) {
    while (text.at != text.end && (*text.at == ' ' || *text.at == '\t'))
        ++text.at;
}

bool Take(ClockText& text, char wanted) {
    if (text.at == text.end || *text.at != wanted) return false;
    ++text.at;
    return true;
}

// Between fewest and most digits; false for fewer. The value stays small: most is at most 4.
bool TakeNumber(ClockText& text, int32_t fewest, int32_t most, int32_t& value) {
    int32_t digits = 0;
    value = 0;
    while (text.at != text.end && IsDigit(*text.at) && digits < most) {
        value = value * 10 + (*text.at++ - '0');
        ++digits;
    }
    return digits >= fewest;
}

// h:mm:ss[.f...] and the ] after it, the text just past "[%clk".
bool ReadTime(ClockText text, ClockReading& clock) {
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
    SkipBlanks(text);
    if (!TakeNumber(text, 1, kMostHourDigits, hours) || !Take(text, ':')) return false;
    if (!TakeNumber(text, 2, 2, minutes) || minutes > 59 || !Take(text, ':')) return false;
    if (!TakeNumber(text, 2, 2, seconds) || seconds > 59) return false;
    int32_t tenths = 0;
    clock.hasTenths = Take(text, '.');
    if (clock.hasTenths) {
        if (!TakeNumber(text, 1, 1, tenths)) return false;
        while (text.at != text.end && IsDigit(*text.at))  // finer digits are not shown
            ++text.at;
    }
    SkipBlanks(text);
    if (!Take(text, ']')) return false;
    clock.tenths = ((hours * 60 + minutes) * 60 + seconds) * 10 + tenths;
    return true;
}

}  // namespace

bool ReadClockComment(const char* bytes, int32_t count, ClockReading& clock) {
    const char* const end = bytes + count;
    const char* at = bytes;
    while (end - at >= kClockCommandLength) {
        at = static_cast<const char*>(std::memchr(at, '[', static_cast<size_t>(end - at)));
        if (at == nullptr) return false;
        if (end - at >= kClockCommandLength &&
            std::memcmp(at, kClockCommand, kClockCommandLength) == 0 &&
            ReadTime({at + kClockCommandLength, end}, clock))
            return true;
        ++at;
    }
    return false;
}
