#include "display/text_script.h"

namespace {

struct ScriptRange {
    uint32_t first;
    uint32_t last;
    TextScript script;
};

// Kana is listed before the Han blocks: a Japanese name with kana wants a Japanese font even when
// it starts with a Han character.
constexpr ScriptRange kScriptRanges[] = {
    {0x0370, 0x03FF, TextScript::Greek},    {0x1F00, 0x1FFF, TextScript::Greek},
    {0x0400, 0x052F, TextScript::Cyrillic}, {0x0590, 0x05FF, TextScript::Hebrew},
    {0x0600, 0x06FF, TextScript::Arabic},   {0x0750, 0x077F, TextScript::Arabic},
    {0x0E00, 0x0E7F, TextScript::Thai},     {0x1100, 0x11FF, TextScript::Hangul},
    {0x3130, 0x318F, TextScript::Hangul},   {0xAC00, 0xD7AF, TextScript::Hangul},
    {0x3040, 0x30FF, TextScript::Kana},     {0x31F0, 0x31FF, TextScript::Kana},
    {0x3400, 0x4DBF, TextScript::Han},      {0x4E00, 0x9FFF, TextScript::Han},
    {0xF900, 0xFAFF, TextScript::Han}};

}  // namespace

TextScript ScriptOf(WideChar unit) {
    const auto code = static_cast<uint32_t>(unit);
    for (const ScriptRange& range : kScriptRanges) {
        if (code >= range.first && code <= range.last) return range.script;
    }
    return TextScript::Latin;
}

TextScript FirstNonLatinScript(const WideChar* text, int32_t length) {
    TextScript found = TextScript::Latin;
    for (int32_t i = 0; i < length; ++i) {
        const TextScript script = ScriptOf(text[i]);
        if (script == TextScript::Kana) return script;
        if (found == TextScript::Latin) found = script;
    }
    return found;
}
