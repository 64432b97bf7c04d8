#include "display/text_script.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ScriptCase {
    const char* name;
    std::u16string text;
    TextScript script;
};

TEST(TextScript, FindsTheScriptAFallbackFontMustCover) {
    const ScriptCase cases[] = {
        {"ASCII", u"Tal", TextScript::Latin},
        {"accented Latin", u"D\u00FCckhorn", TextScript::Latin},
        {"Cyrillic", u"\u0422\u0430\u043B\u044C", TextScript::Cyrillic},
        {"Greek", u"\u03A0\u03B1\u03C0", TextScript::Greek},
        {"Chinese", u"\u4E01\u7ACB\u4EBA", TextScript::Han},
        {"Korean", u"\uAE40", TextScript::Hangul},
        {"Japanese with kana after Han", u"\u5C71\u7530\u3055\u3093", TextScript::Kana},
        {"Hebrew", u"\u05D0", TextScript::Hebrew},
        {"Arabic", u"\u0639\u0644\u064A", TextScript::Arabic},
        {"Thai", u"\u0E01", TextScript::Thai},
        {"Latin first, then Cyrillic", u"GM \u0422\u0430\u043B\u044C", TextScript::Cyrillic},
        {"a surrogate pair counts as Latin", u"\U0001F600", TextScript::Latin},
        {"empty", u"", TextScript::Latin}};
    for (const ScriptCase& c : cases) {
        std::basic_string<WideChar> text(c.text.begin(), c.text.end());
        EXPECT_EQ(FirstNonLatinScript(text.data(), static_cast<int32_t>(text.size())), c.script)
            << c.name;
    }
}

}  // namespace
