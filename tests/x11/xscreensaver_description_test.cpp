#include "x11/xscreensaver_description.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The element with the given id, from its "<" to its ">".
std::string ElementWithId(const std::string& xml, const std::string& id) {
    const size_t at = xml.find(" id=\"" + id + "\"");
    if (at == std::string::npos) return std::string();
    const size_t start = xml.rfind('<', at);
    return xml.substr(start, xml.find('>', at) - start + 1);
}

// What the panel must write for each kind of row: the widget and the switch it sets.
std::string ExpectedStart(const SettingRow& row) {
    const std::string name = row.switchName;
    switch (row.kind) {
        case SettingKind::Path:
            return "<file id=\"" + name + "\"";
        case SettingKind::Choice:
            return "<select id=\"" + name + "\">";
        case SettingKind::Flag:
            return "<boolean id=\"" + name + "\"";
        case SettingKind::Number:
            return "<number id=\"" + name + "\"";
        case SettingKind::Text:
        case SettingKind::Colour:
            return "<string id=\"" + name + "\"";
    }
    return std::string();
}

std::string ExpectedSwitch(const SettingRow& row) {
    const std::string name = row.switchName;
    if (row.kind != SettingKind::Flag) return "arg=\"--" + name + " %\"";
    // The panel writes a check box's switch only away from the default.
    return row.defaultNumber != 0 ? "arg-unset=\"--no-" + name + "\""
                                  : "arg-set=\"--" + name + "\"";
}

TEST(XScreenSaverDescription, EveryRowWithASwitchHasItsWidget) {
    const std::string xml = XScreenSaverDescription(SettingRows());
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    EXPECT_NE(xml.find("<screensaver name=\"quorvane\" _label=\"Quorvane\">"), std::string::npos);
    EXPECT_NE(xml.find("<command arg=\"--root\"/>"), std::string::npos);
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.name);
        if (row.switchName == nullptr) continue;
        const std::string element = ElementWithId(xml, row.switchName);
        EXPECT_EQ(element.rfind(ExpectedStart(row), 0), 0u) << element;
        if (row.kind != SettingKind::Choice) {
            EXPECT_NE(element.find(ExpectedSwitch(row)), std::string::npos) << element;
        }
    }
}

TEST(XScreenSaverDescription, ANumberIsASliderOverItsRangeAndLabelsAreEscaped) {
    SettingRow row = GameNumberRow();
    row.switchName = "final-pause";
    row.label = "Pause <at> the end & after";
    row.low = 5;
    row.high = 60;
    row.defaultNumber = 10;
    const std::string element =
        ElementWithId(XScreenSaverDescription(std::span<const SettingRow>(&row, 1)), "final-pause");
    for (const char* part :
         {"<number id=\"final-pause\"", "type=\"slider\"", "arg=\"--final-pause %\"", "low=\"5\"",
          "high=\"60\"", "default=\"10\"", "_label=\"Pause &lt;at&gt; the end &amp; after\""}) {
        EXPECT_NE(element.find(part), std::string::npos) << part << " in " << element;
    }
}

}  // namespace
