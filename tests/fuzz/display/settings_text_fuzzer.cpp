// Fuzzes what the display layer reads from bytes a user or a game file gives: the settings text
// (read, and the game number written back and read again) and the drawn-text encoding.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "display/drawn_text.h"
#include "display/settings_text.h"
#include "text/utf8_text.h"

namespace {

// The file as a run that ends on game number writes it.
CharString WithGameNumber(const CharString& text, int32_t number) {
    SaverSettings settings{};
    SetDefaultSettings(settings);
    settings.currentGameNumber = number;
    return WithKeptSettings(text, settings);
}

void Require(bool condition) {
    if (!condition) std::abort();
}

bool Terminated(const WideChar (&field)[kPathCapacity]) {
    for (WideChar ch : field) {
        if (ch == 0) return true;
    }
    return false;
}

bool SameBytes(const CharString& a, const CharString& b) {
    return a.length() == b.length() &&
           std::memcmp(a.chars(), b.chars(), static_cast<size_t>(a.length())) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    const CharString text(reinterpret_cast<const char*>(data), static_cast<int32_t>(size));

    SaverSettings settings{};
    SetDefaultSettings(settings);
    ApplySettingsText(settings, text);
    Require(Terminated(settings.pgnPath) && Terminated(settings.skinName));

    // Whatever the file held, the number written back is the number read back, and the bytes
    // before the first rewritten line are kept.
    uint32_t bits = 7;
    if (size >= 4) std::memcpy(&bits, data, sizeof(bits));
    const auto number = static_cast<int32_t>(bits);
    const CharString merged = WithGameNumber(text, number);
    ApplySettingsText(settings, merged);
    Require(settings.currentGameNumber == number);

    // The drawn text is valid UTF-8 and draws as itself.
    const CharString drawn = DrawnTextUtf8(text);
    Require(IsValidUtf8(drawn.chars(), drawn.length()));
    Require(SameBytes(DrawnTextUtf8(drawn), drawn));
    return 0;
}
