#include "win32/info_text.h"

#include <vector>

#include "display/font_runs.h"
#include "display/text_script.h"
#include "text/utf8_text.h"
#include "win32/shaped_line.h"

namespace {

constexpr const char* kInfoFontFace = "Palatino Linotype";
constexpr const wchar_t* kInfoFontFaceWide = L"Palatino Linotype";
constexpr int32_t kFirstScriptSlot = 1 + kFallbackFaceCount;

// The character set the platform's font mapper chooses a face by, for each TextScript.
constexpr BYTE kScriptCharsets[] = {DEFAULT_CHARSET, GREEK_CHARSET,    RUSSIAN_CHARSET,
                                    HEBREW_CHARSET,  ARABIC_CHARSET,   THAI_CHARSET,
                                    HANGUL_CHARSET,  SHIFTJIS_CHARSET, GB2312_CHARSET};
static_assert(sizeof(kScriptCharsets) == kScriptFontCount);
static_assert(kInfoFontSlots <= kMaxRunFonts);

HFONT CreateWideFont(int32_t height, const wchar_t* face, BYTE charset) {
    return CreateFontW(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

bool IsAscii(const char* bytes, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
    }
    return true;
}

bool IsSurrogate(WCHAR unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// The font of a slot, made on first use.
InfoFontSlot& Slot(InfoFonts& fonts, int32_t slot) {
    InfoFontSlot& made = fonts.slots[slot];
    if (made.font != nullptr) return made;
    if (slot == 0) {
        made.font = CreateWideFont(fonts.height, kInfoFontFaceWide, DEFAULT_CHARSET);
    } else if (slot < kFirstScriptSlot) {
        made.font = CreateWideFont(fonts.height, kFallbackFaces[slot - 1], DEFAULT_CHARSET);
    } else {
        made.font = CreateWideFont(fonts.height, L"", kScriptCharsets[slot - kFirstScriptSlot]);
    }
    return made;
}

// The script whose font a character wants: Han in a line with kana is Japanese.
TextScript WantedScript(WCHAR unit, bool japanese) {
    const TextScript script = ScriptOf(unit);
    return japanese && script == TextScript::Han ? TextScript::Kana : script;
}

// Marks the characters the slot's font has; a script font answers only for its own script's
// letters, so that it is the font the mapper chose for them that draws them.
void AddFont(HDC surface, InfoFonts& fonts, int32_t slot, const WCHAR* text,
             std::vector<CharacterFonts>& characters, bool japanese) {
    const HFONT font = Slot(fonts, slot).font;
    if (font == nullptr) return;
    const auto length = static_cast<int32_t>(characters.size());
    std::vector<WORD> glyphs(characters.size());
    HGDIOBJ previous = SelectObject(surface, font);
    const DWORD done =
        GetGlyphIndicesW(surface, text, length, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(surface, previous);
    if (done == GDI_ERROR) return;
    for (int32_t i = 0; i < length; ++i) {
        CharacterFonts& character = characters[static_cast<size_t>(i)];
        const bool asked =
            slot < kFirstScriptSlot || !character.isLetter ||
            static_cast<int32_t>(WantedScript(text[i], japanese)) == slot - kFirstScriptSlot;
        if (asked && !IsSurrogate(text[i]) && glyphs[static_cast<size_t>(i)] != 0xFFFF) {
            character.fontsWith |= uint32_t{1} << slot;
        }
    }
}

bool EveryLetterHasAFont(const std::vector<CharacterFonts>& characters) {
    for (const CharacterFonts& character : characters) {
        if (character.isLetter && character.fontsWith == 0) return false;
    }
    return true;
}

// Which fonts have each character: the information face, then each fallback face, then the
// script fonts of the letters still without one, asked only until every letter has a font.
std::vector<CharacterFonts> FontsOfCharacters(HDC surface, InfoFonts& fonts, const WCHAR* text,
                                              int32_t length) {
    std::vector<CharacterFonts> characters(static_cast<size_t>(length), CharacterFonts{0, false});
    std::vector<WORD> types(static_cast<size_t>(length));
    if (GetStringTypeW(CT_CTYPE1, text, length, types.data())) {
        for (int32_t i = 0; i < length; ++i) {
            // Half a surrogate pair is asked of no font: it stays in the run it stands in.
            const bool letter = (types[static_cast<size_t>(i)] & C1_ALPHA) != 0;
            characters[static_cast<size_t>(i)].isLetter = letter && !IsSurrogate(text[i]);
        }
    }
    const bool japanese = FirstNonLatinScript(text, length) == TextScript::Kana;
    for (int32_t slot = 0; slot < kFirstScriptSlot && !EveryLetterHasAFont(characters); ++slot)
        AddFont(surface, fonts, slot, text, characters, japanese);
    // One script font answers for every later letter of its script, so one pass asks them all.
    bool asked[kScriptFontCount] = {};
    for (int32_t i = 0; i < length; ++i) {
        const CharacterFonts& character = characters[static_cast<size_t>(i)];
        const auto script = static_cast<int32_t>(WantedScript(text[i], japanese));
        if (!character.isLetter || character.fontsWith != 0 || asked[script]) continue;
        asked[script] = true;
        AddFont(surface, fonts, kFirstScriptSlot + script, text, characters, japanese);
    }
    return characters;
}

// The line cut into items by script and direction, and each item into runs of one font.
ShapedLine LayOutLine(HDC surface, InfoFonts& fonts, const WCHAR* text, int32_t length) {
    const std::vector<CharacterFonts> characters = FontsOfCharacters(surface, fonts, text, length);
    std::vector<LineRun> runs;
    for (const LineItem& item : ItemizeLine(text, length)) {
        const auto first = characters.begin() + item.start;
        for (const FontRun& run : SplitFontRuns({first, first + item.length})) {
            InfoFontSlot& slot = Slot(fonts, run.font);
            runs.push_back(LineRun{item.start + run.start, run.length, item.analysis,
                                   RunFont{slot.font, &slot.cache}});
        }
    }
    return ShapeLine(surface, text, runs);
}

// The UTF-16 form of a text to draw as Unicode; empty when it goes through the 8-bit call.
std::vector<WCHAR> WideForm(const InfoFonts* fonts, const char* bytes, int32_t count) {
    if (fonts == nullptr || IsAscii(bytes, count)) return {};
    // UTF-16 never has more units than UTF-8 has bytes.
    std::vector<WCHAR> wide(static_cast<size_t>(count) + 1);
    const int32_t length = Utf8ToUtf16(bytes, count, wide.data(), count + 1);
    wide.resize(length < 0 ? 0 : static_cast<size_t>(length));
    return wide;
}

}  // namespace

HFONT CreateInfoFont(int32_t height) {
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, kInfoFontFace);
}

void ReleaseInfoFonts(InfoFonts& fonts) {
    for (InfoFontSlot& slot : fonts.slots) {
        if (slot.cache != nullptr) ScriptFreeCache(&slot.cache);
        if (slot.font != nullptr) DeleteObject(slot.font);
        slot = InfoFontSlot{nullptr, nullptr};
    }
}

void DrawInfoText(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count, RECT rect,
                  UINT format) {
    const std::vector<WCHAR> wide = WideForm(fonts, bytes, count);
    if (wide.empty()) {
        DrawTextA(surface, bytes, count, &rect, format);
        return;
    }
    const auto length = static_cast<int32_t>(wide.size());
    DrawShapedLine(surface, LayOutLine(surface, *fonts, wide.data(), length), rect, format);
}

int32_t InfoTextWidth(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count) {
    const std::vector<WCHAR> wide = WideForm(fonts, bytes, count);
    if (wide.empty()) {
        RECT rect{0, 0, 0, 0};
        DrawTextA(surface, bytes, count, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return rect.right - rect.left;
    }
    const auto length = static_cast<int32_t>(wide.size());
    return LayOutLine(surface, *fonts, wide.data(), length).width;
}
