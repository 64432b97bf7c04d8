#include "x11/xscreensaver_description.h"

#include "x11/setting_switches.h"

namespace {

// The panel's widgets from the most used down: the games, the pace, what to show, the looks.
constexpr SettingKind kWidgetOrder[] = {SettingKind::Path, SettingKind::Choice,
                                        SettingKind::Flag, SettingKind::Number,
                                        SettingKind::Text, SettingKind::Colour};

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += ch;
        }
    }
    return out;
}

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + Escaped(value) + "\"";
}

// "<element id=.. _label=.." for the row.
std::string Opening(const char* element, const SettingRow& row, const std::string& label) {
    return std::string("  <") + element + Attribute("id", row.switchName) +
           Attribute("_label", label);
}

std::string Switch(const SettingRow& row) {
    return std::string("--") + row.switchName;
}

// XScreenSaver writes a widget's switch only away from the default: a flag that is on by
// default is unset with --no-name, one that is off is set with --name.
std::string BooleanWidget(const SettingRow& row) {
    return Opening("boolean", row, row.label) +
           (row.defaultNumber != 0 ? Attribute("arg-unset", "--no-" + std::string(row.switchName))
                                   : Attribute("arg-set", Switch(row))) +
           "/>\n";
}

// The default's option carries no switch, as in XScreenSaver's own modules.
std::string SelectWidget(const SettingRow& row) {
    std::string xml = "  <select" + Attribute("id", row.switchName) + ">\n";
    for (const SettingChoice& choice : row.choices) {
        xml += "    <option" + Attribute("id", std::string(row.switchName) + "-" + choice.word) +
               Attribute("_label", choice.label);
        if (static_cast<uint32_t>(choice.value) != row.defaultNumber) {
            xml += Attribute("arg-set", Switch(row) + " " + choice.word);
        }
        xml += "/>\n";
    }
    return xml + "  </select>\n";
}

std::string NumberWidget(const SettingRow& row) {
    const std::string low = std::to_string(row.low);
    const std::string high = std::to_string(row.high);
    return Opening("number", row, row.label) + Attribute("type", "slider") +
           Attribute("arg", Switch(row) + " %") + Attribute("_low-label", low) +
           Attribute("_high-label", high) + Attribute("low", low) + Attribute("high", high) +
           Attribute("default", std::to_string(static_cast<int32_t>(row.defaultNumber))) + "/>\n";
}

std::string ValueWidget(const char* element, const SettingRow& row, const std::string& label) {
    return Opening(element, row, label) + Attribute("arg", Switch(row) + " %") + "/>\n";
}

std::string Widget(const SettingRow& row) {
    switch (row.kind) {
        case SettingKind::Path:
            return ValueWidget("file", row, row.label);
        case SettingKind::Choice:
            return SelectWidget(row);
        case SettingKind::Flag:
            return BooleanWidget(row);
        case SettingKind::Number:
            return NumberWidget(row);
        case SettingKind::Text:
            return ValueWidget("string", row, row.label);
        case SettingKind::Colour:
            return ValueWidget("string", row,
                               std::string(row.label) + " (#RRGGBB, default " +
                                   HashColourText(row.defaultNumber) + ")");
    }
    return std::string();
}

constexpr const char* kDescription =
    "Plays the games of a PGN file on a chess board, a move every one, two or\n"
    "three seconds, with the players, date, event and site around the board.\n"
    "\n"
    "The options here are for XScreenSaver's runs. Every run also reads\n"
    "~/.config/quorvane/quorvane.conf, where the same settings can be written\n"
    "one \"Name=value\" per line and the game to continue with is kept; the\n"
    "options above win over it. \"quorvane --help\" lists them all.\n";

}  // namespace

std::string XScreenSaverDescription(std::span<const SettingRow> rows) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n"
        "<screensaver name=\"quorvane\" _label=\"Quorvane\">\n\n"
        "  <command arg=\"--root\"/>\n\n";
    for (const SettingKind kind : kWidgetOrder) {
        for (const SettingRow& row : rows) {
            if (row.kind == kind && row.switchName != nullptr) xml += Widget(row);
        }
    }
    return xml + "\n  <_description>\n" + Escaped(kDescription) + "  </_description>\n" +
           "</screensaver>\n";
}
