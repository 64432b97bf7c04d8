#include "win32/shaped_line.h"

#include <algorithm>
#include <utility>

namespace {

// The paragraph level of the line: 1 (right to left) when the first character with a strong
// direction is right to left, else 0.
WORD ParagraphLevel(const WCHAR* text, int32_t length) {
    std::vector<WORD> types(static_cast<size_t>(length));
    if (length == 0 || !GetStringTypeW(CT_CTYPE2, text, length, types.data())) return 0;
    for (const WORD type : types) {
        if (type == C2_LEFTTORIGHT) return 0;
        if (type == C2_RIGHTTOLEFT) return 1;
    }
    return 0;
}

int32_t Sum(const std::vector<int>& values) {
    int32_t sum = 0;
    for (const int value : values)
        sum += value;
    return sum;
}

// Glyphs for one run; a font without the script's shaping gets the script's letters unshaped,
// as Uniscribe asks callers to do.
bool ShapeGlyphs(HDC surface, const WCHAR* text, const LineRun& run, ShapedRun& shaped,
                 std::vector<SCRIPT_VISATTR>& attributes) {
    std::vector<WORD> clusters(static_cast<size_t>(run.length));
    int capacity = run.length * 3 / 2 + 16;
    for (;;) {
        shaped.glyphs.resize(static_cast<size_t>(capacity));
        attributes.resize(static_cast<size_t>(capacity));
        int count = 0;
        const HRESULT result = ScriptShape(surface, run.font.cache, text + run.start, run.length,
                                           capacity, &shaped.analysis, shaped.glyphs.data(),
                                           clusters.data(), attributes.data(), &count);
        if (result == E_OUTOFMEMORY && capacity < run.length * 8 + 64) {
            capacity *= 2;
        } else if (result == USP_E_SCRIPT_NOT_IN_FONT &&
                   shaped.analysis.eScript != SCRIPT_UNDEFINED) {
            shaped.analysis.eScript = SCRIPT_UNDEFINED;
        } else {
            shaped.glyphs.resize(SUCCEEDED(result) ? static_cast<size_t>(count) : 0);
            attributes.resize(shaped.glyphs.size());
            return SUCCEEDED(result);
        }
    }
}

ShapedRun ShapeRun(HDC surface, const WCHAR* text, const LineRun& run) {
    ShapedRun shaped{run.font, run.analysis, {}, {}, {}, 0, 0};
    HGDIOBJ previous = SelectObject(surface, run.font.font);
    std::vector<SCRIPT_VISATTR> attributes;
    if (ShapeGlyphs(surface, text, run, shaped, attributes) && !shaped.glyphs.empty()) {
        shaped.advances.resize(shaped.glyphs.size());
        shaped.offsets.resize(shaped.glyphs.size());
        ABC abc{};
        if (FAILED(ScriptPlace(surface, run.font.cache, shaped.glyphs.data(),
                               static_cast<int>(shaped.glyphs.size()), attributes.data(),
                               &shaped.analysis, shaped.advances.data(), shaped.offsets.data(),
                               &abc))) {
            shaped.glyphs.clear();
            shaped.advances.clear();
            shaped.offsets.clear();
        }
    }
    shaped.width = Sum(shaped.advances);
    SelectObject(surface, previous);
    return shaped;
}

// The ascent and descent of a run's font.
void MeasureFont(HDC surface, HFONT font, int32_t& ascent, int32_t& descent) {
    HGDIOBJ previous = SelectObject(surface, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(surface, &metrics);
    SelectObject(surface, previous);
    ascent = metrics.tmAscent;
    descent = metrics.tmDescent;
}

}  // namespace

std::vector<LineItem> ItemizeLine(const WCHAR* text, int32_t length) {
    std::vector<LineItem> items;
    if (length <= 0) return items;
    SCRIPT_CONTROL control{};
    SCRIPT_STATE state{};
    state.uBidiLevel = ParagraphLevel(text, length) & 0x1F;
    // Each character is at most one item, and Uniscribe wants room for the end mark.
    std::vector<SCRIPT_ITEM> found(static_cast<size_t>(length) + 2);
    int count = 0;
    if (FAILED(ScriptItemize(text, length, length + 1, &control, &state, found.data(), &count)))
        return items;
    for (int i = 0; i < count; ++i) {
        const SCRIPT_ITEM& item = found[static_cast<size_t>(i)];
        const int end = found[static_cast<size_t>(i) + 1].iCharPos;
        items.push_back(LineItem{item.iCharPos, end - item.iCharPos, item.a});
    }
    return items;
}

ShapedLine ShapeLine(HDC surface, const WCHAR* text, const std::vector<LineRun>& runs) {
    ShapedLine line{{}, 0, 0, 0};
    if (runs.empty()) return line;
    std::vector<BYTE> levels;
    for (const LineRun& run : runs)
        levels.push_back(static_cast<BYTE>(run.analysis.s.uBidiLevel));
    std::vector<int> visualToLogical(runs.size());
    if (FAILED(ScriptLayout(static_cast<int>(runs.size()), levels.data(), visualToLogical.data(),
                            nullptr))) {
        for (size_t i = 0; i < runs.size(); ++i)
            visualToLogical[i] = static_cast<int>(i);
    }
    for (const int logical : visualToLogical) {
        ShapedRun shaped = ShapeRun(surface, text, runs[static_cast<size_t>(logical)]);
        int32_t descent = 0;
        MeasureFont(surface, shaped.font.font, shaped.ascent, descent);
        line.ascent = std::max(line.ascent, shaped.ascent);
        line.descent = std::max(line.descent, descent);
        line.width += shaped.width;
        line.runs.push_back(std::move(shaped));
    }
    return line;
}

void DrawShapedLine(HDC surface, const ShapedLine& line, RECT rect, UINT format) {
    int32_t x = rect.left;
    if ((format & DT_CENTER) != 0) {
        x = (rect.left + rect.right - line.width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
        x = rect.right - line.width;
    }
    int32_t top = rect.top;
    if ((format & DT_VCENTER) != 0) {
        top = rect.top + (rect.bottom - rect.top) / 2 - (line.ascent + line.descent) / 2;
    }
    const int32_t baseline = top + line.ascent;
    const UINT align = SetTextAlign(surface, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    // The surface is filled with the background already; an opaque cell of one run would cut
    // into the overhang of the run before it.
    const int mode = SetBkMode(surface, TRANSPARENT);
    HGDIOBJ previous = GetCurrentObject(surface, OBJ_FONT);
    for (const ShapedRun& run : line.runs) {
        SelectObject(surface, run.font.font);
        if (!run.glyphs.empty()) {
            ScriptTextOut(surface, run.font.cache, x, baseline - run.ascent, ETO_CLIPPED, &rect,
                          &run.analysis, nullptr, 0, run.glyphs.data(),
                          static_cast<int>(run.glyphs.size()), run.advances.data(), nullptr,
                          run.offsets.data());
        }
        x += run.width;
    }
    SelectObject(surface, previous);
    SetBkMode(surface, mode);
    SetTextAlign(surface, align);
}
