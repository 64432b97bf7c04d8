#pragma once
// The clock a comment gives, written as [%clk h:mm:ss] with an optional fraction of a second
// ([%clk 0:01:02.5]); blanks are allowed around the time. The first well-formed one counts.

#include <cstdint>

struct ClockReading {
    int32_t tenths;  // time left, in tenths of a second
    bool hasTenths;  // the comment wrote a fraction
};

// Looks through the count bytes of a comment's text; false when none holds a well-formed clock.
// Each byte is looked at a bounded number of times, however many "[%clk" a comment repeats.
bool ReadClockComment(const char* bytes, int32_t count, ClockReading& clock);
