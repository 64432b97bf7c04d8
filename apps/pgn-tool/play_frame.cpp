#include "apps/pgn-tool/play_frame.h"

#include <algorithm>
#include <cstdlib>

#include "apps/pgn-tool/command_support.h"
#include "apps/pgn-tool/output_text.h"
#include "chess/notation.h"
#include "display/board_layout.h"
#include "display/home_page.h"

namespace {

struct Rgb {
    int32_t red;
    int32_t green;
    int32_t blue;
};

// The default skin's squares and pieces.
constexpr Rgb kDarkSquare{171, 124, 89};
constexpr Rgb kLightSquare{238, 219, 184};
constexpr Rgb kLastMoveSquare{226, 182, 64};
constexpr Rgb kWhitePiece{255, 253, 246};
constexpr Rgb kBlackPiece{24, 22, 22};

// A rank's digit and a space, then eight squares of three cells each.
constexpr int32_t kSquareCells = 3;
constexpr int32_t kBoardColumns = 2 + 8 * kSquareCells;
// Black's name, eight ranks, the file letters, White's name, date, event and site.
constexpr int32_t kBoardRowsWithInfo = 14;
constexpr int32_t kBoardRowsWithoutInfo = 9;

// The filled symbols for both sides, told apart by their colour: they fill the cell better.
constexpr const char* kPieceSymbols[] = {" ",      "\u265F", "\u265E", "\u265D",
                                         "\u265C", "\u265B", "\u265A"};

Rgb FromColorRef(uint32_t value) {
    return Rgb{static_cast<int32_t>(value & 0xFF), static_cast<int32_t>((value >> 8) & 0xFF),
               static_cast<int32_t>((value >> 16) & 0xFF)};
}

int32_t DistanceSquared(Rgb a, Rgb b) {
    const int32_t red = a.red - b.red;
    const int32_t green = a.green - b.green;
    const int32_t blue = a.blue - b.blue;
    return red * red + green * green + blue * blue;
}

// The nearest colour of the xterm palette's 6 x 6 x 6 cube (16 to 231) or grey ramp (232 to 255).
int32_t PaletteIndex(Rgb colour) {
    static constexpr int32_t kLevels[] = {0, 95, 135, 175, 215, 255};
    const auto nearestLevel = [](int32_t value) {
        int32_t best = 0;
        for (int32_t i = 1; i < 6; ++i)
            if (std::abs(kLevels[i] - value) < std::abs(kLevels[best] - value)) best = i;
        return best;
    };
    const int32_t r = nearestLevel(colour.red);
    const int32_t g = nearestLevel(colour.green);
    const int32_t b = nearestLevel(colour.blue);
    const int32_t cubeIndex = 16 + 36 * r + 6 * g + b;
    const Rgb cube{kLevels[r], kLevels[g], kLevels[b]};
    const int32_t average = (colour.red + colour.green + colour.blue) / 3;
    const int32_t step = std::clamp((average - 8 + 5) / 10, 0, 23);
    const Rgb grey{8 + 10 * step, 8 + 10 * step, 8 + 10 * step};
    return DistanceSquared(colour, grey) < DistanceSquared(colour, cube) ? 232 + step : cubeIndex;
}

std::string Sgr(FrameColours colours, bool background, Rgb colour) {
    std::string code = background ? "\x1b[48;" : "\x1b[38;";
    if (colours == FrameColours::TrueColour) {
        code += "2;" + std::to_string(colour.red) + ";" + std::to_string(colour.green) + ";" +
                std::to_string(colour.blue);
    } else {
        code += "5;" + std::to_string(PaletteIndex(colour));
    }
    return code + "m";
}

// Cells a terminal gives the text: one per character (the text is well-formed UTF-8).
int32_t DisplayWidth(const std::string& text) {
    return static_cast<int32_t>(std::count_if(text.begin(), text.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

struct FrameWriter {
    FrameColours colours;
    std::string base;  // the saver's font and background colours; empty in plain text
    int32_t left;      // cells before the board
    std::string out;
};

void EndLine(FrameWriter& writer, std::string line) {
    if (writer.colours == FrameColours::None) {
        line.erase(line.find_last_not_of(' ') + 1);
        writer.out += line + "\n";
    } else {
        // The rest of the row in the saver's background, whatever colour the line ended in.
        const bool recoloured = line.find('\x1b') != std::string::npos;
        writer.out += writer.base + line + (recoloured ? writer.base : "") + "\x1b[K\n";
    }
}

std::string Spaces(int32_t count) {
    return std::string(static_cast<size_t>(std::max(count, 0)), ' ');
}

// Centred over the board, as the saver centres its lines in bands as wide as the board; a line
// wider than the board starts where the board starts.
void CentredLine(FrameWriter& writer, const std::string& text) {
    const int32_t spare = std::max(kBoardColumns - DisplayWidth(text), 0);
    EndLine(writer, Spaces(writer.left + spare / 2) + text);
}

std::string SquareText(const FrameWriter& writer, SkinCell cell) {
    const int32_t kind = cell.y / kSkinCellSize;
    if (kind < kEmpty || kind > kKing) return " ? ";
    const bool blackPiece = cell.x >= kBlackPieceOffset;
    const int32_t column = cell.x % kBlackPieceOffset;
    const bool marked = column == kLastMoveColumn;
    if (writer.colours == FrameColours::None) {
        const char letter = kind == kEmpty ? '.' : FenLetterOf(kind, blackPiece ? kBlack : kWhite);
        return marked ? std::string{'[', letter, ']'} : std::string{' ', letter, ' '};
    }
    const Rgb square = marked                         ? kLastMoveSquare
                       : column == kLightSquareColumn ? kLightSquare
                                                      : kDarkSquare;
    return Sgr(writer.colours, true, square) +
           Sgr(writer.colours, false, blackPiece ? kBlackPiece : kWhitePiece) + " " +
           kPieceSymbols[kind] + " ";
}

void BoardLines(FrameWriter& writer, const GameState& state, bool showLastMove) {
    for (int32_t rank = 7; rank >= 0; --rank) {
        std::string line = Spaces(writer.left) + std::to_string(rank + 1) + " ";
        for (int32_t file = 0; file < 8; ++file) {
            line += SquareText(writer, SkinCellFor(state, file, rank, showLastMove));
        }
        EndLine(writer, line);
    }
    std::string files = Spaces(writer.left) + "  ";
    for (char file = 'a'; file <= 'h'; ++file)
        files += std::string{' ', file, ' '};
    EndLine(writer, files);
}

void HomePageLine(FrameWriter& writer, const GameState& state, FrameArea area) {
    if (!IsFinalPosition(state)) {
        if (area.rows > 0) EndLine(writer, "");
        return;
    }
    // Right-aligned across the whole area, as in the saver's top band.
    const int32_t width = std::max(area.columns, writer.left + kBoardColumns);
    const std::string address = kHomePageAddress;
    EndLine(writer, Spaces(width - DisplayWidth(address)) + address);
}

void InfoLinesBelow(FrameWriter& writer, const GameInfo& info) {
    CentredLine(writer, SafeText(QV_FIELD(info, white)));
    CentredLine(writer, "DATE: " + SafeText(QV_FIELD(info, date)));
    CentredLine(writer, "EVENT: " + SafeText(QV_FIELD(info, event)));
    CentredLine(writer, "SITE: " + SafeText(QV_FIELD(info, site)));
}

}  // namespace

std::string RenderFrame(const GameState& state, const GameInfo& info, const SaverSettings& settings,
                        FrameColours colours, FrameArea area) {
    FrameWriter writer{colours, "", std::max((area.columns - kBoardColumns) / 2, 0), ""};
    if (colours != FrameColours::None) {
        writer.base = "\x1b[0m" + Sgr(colours, false, FromColorRef(settings.fontColor)) +
                      Sgr(colours, true, FromColorRef(settings.backgroundColor));
    }
    const bool showInfo = settings.showInfo != 0;
    HomePageLine(writer, state, area);
    // The home page keeps the top row; the board and its texts are centred in the rest.
    const int32_t boardRows = showInfo ? kBoardRowsWithInfo : kBoardRowsWithoutInfo;
    for (int32_t row = 1; row < (area.rows - boardRows) / 2; ++row)
        EndLine(writer, "");
    if (showInfo) CentredLine(writer, SafeText(QV_FIELD(info, black)));
    BoardLines(writer, state, settings.showLastMove != 0);
    if (showInfo) InfoLinesBelow(writer, info);
    return writer.out;
}
