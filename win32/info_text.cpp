#include "win32/info_text.h"

#include "display/text_script.h"
#include "text/utf8_text.h"

namespace {

constexpr const char* kInfoFontFace = "Palatino Linotype";
constexpr const wchar_t* kInfoFontFaceWide = L"Palatino Linotype";
constexpr int32_t kWideLineCapacity = 128;

// The character set the platform's font mapper chooses a face by, for each TextScript.
constexpr BYTE kScriptCharsets[] = {DEFAULT_CHARSET, GREEK_CHARSET,    RUSSIAN_CHARSET,
                                    HEBREW_CHARSET,  ARABIC_CHARSET,   THAI_CHARSET,
                                    HANGUL_CHARSET,  SHIFTJIS_CHARSET, GB2312_CHARSET};
static_assert(sizeof(kScriptCharsets) == sizeof(InfoFonts::byScript) / sizeof(HFONT));

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

// Whether the font has a glyph for every character (surrogate halves are not asked about).
bool Covers(HDC surface, HFONT font, const WCHAR* text, int32_t length) {
    if (font == nullptr) return false;
    HGDIOBJ previous = SelectObject(surface, font);
    WORD glyphs[kWideLineCapacity];
    const DWORD done = GetGlyphIndicesW(surface, text, length, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(surface, previous);
    if (done == GDI_ERROR) return false;
    for (int32_t i = 0; i < length; ++i) {
        const bool surrogate = text[i] >= 0xD800 && text[i] <= 0xDFFF;
        if (!surrogate && glyphs[i] == 0xFFFF) return false;
    }
    return true;
}

HFONT& Lazily(HFONT& slot, int32_t height, const wchar_t* face, BYTE charset) {
    if (slot == nullptr) slot = CreateWideFont(height, face, charset);
    return slot;
}

// The first font that has every letter: the information face, the fallback faces, the mapper's
// choice for the text's script; the information face when none has them all.
HFONT FontFor(HDC surface, InfoFonts& fonts, const WCHAR* text, int32_t length) {
    HFONT info = Lazily(fonts.infoFace, fonts.height, kInfoFontFaceWide, DEFAULT_CHARSET);
    if (Covers(surface, info, text, length)) return info;
    for (int32_t i = 0; i < kFallbackFaceCount; ++i) {
        HFONT font = Lazily(fonts.fallbacks[i], fonts.height, kFallbackFaces[i], DEFAULT_CHARSET);
        if (Covers(surface, font, text, length)) return font;
    }
    const auto script = static_cast<size_t>(FirstNonLatinScript(text, length));
    HFONT byScript = Lazily(fonts.byScript[script], fonts.height, L"", kScriptCharsets[script]);
    return Covers(surface, byScript, text, length) ? byScript : info;
}

void DeleteFont(HFONT& font) {
    if (font != nullptr) DeleteObject(font);
    font = nullptr;
}

}  // namespace

HFONT CreateInfoFont(int32_t height) {
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, kInfoFontFace);
}

void ReleaseInfoFonts(InfoFonts& fonts) {
    DeleteFont(fonts.infoFace);
    for (HFONT& font : fonts.fallbacks)
        DeleteFont(font);
    for (HFONT& font : fonts.byScript)
        DeleteFont(font);
}

namespace {

// Draws, or with DT_CALCRECT measures into rect, in the font that has the text's letters.
void DrawInfoTextIn(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count, RECT& rect,
                    UINT format) {
    WCHAR wide[kWideLineCapacity];
    const int32_t length = fonts == nullptr || IsAscii(bytes, count)
                               ? -1
                               : Utf8ToUtf16(bytes, count, wide, kWideLineCapacity);
    if (length < 0) {
        DrawTextA(surface, bytes, count, &rect, format);
        return;
    }
    HGDIOBJ previous = SelectObject(surface, FontFor(surface, *fonts, wide, length));
    DrawTextW(surface, wide, length, &rect, format);
    SelectObject(surface, previous);
}

}  // namespace

void DrawInfoText(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count, RECT rect,
                  UINT format) {
    DrawInfoTextIn(surface, fonts, bytes, count, rect, format);
}

int32_t InfoTextWidth(HDC surface, InfoFonts* fonts, const char* bytes, int32_t count) {
    RECT rect{0, 0, 0, 0};
    DrawInfoTextIn(surface, fonts, bytes, count, rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return rect.right - rect.left;
}
