#include "pgn/opening_table.h"

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "chess/san_move.h"
#include "pgn/opening_lines.h"

namespace {

// Twice as many slots as named positions or more, so that probes stay short.
constexpr int32_t kSlotBits = 13;
constexpr size_t kSlotCount = size_t{1} << kSlotBits;
constexpr size_t kSlotMask = kSlotCount - 1;
constexpr int16_t kEmptySlot = -1;
constexpr size_t kMostPlies = 64;

struct OpeningEntry {
    int32_t record;  // offset of its record in kOpeningLines: the ECO code comes first
    int32_t rest;    // offset and length of the rest of its name
    int32_t restLength;
    int16_t family;
    int16_t plies;
};

struct OpeningTable {
    std::vector<OpeningEntry> entries;
    std::array<PositionKey, kSlotCount> slotKeys;
    std::array<int16_t, kSlotCount> slotEntries;
    int32_t lines;
    int32_t unplayable;
};

struct MoveText {
    int32_t start;
    int32_t length;
};

// A cursor over kOpeningLines.
struct RecordReader {
    int32_t at;
};

char ByteAt(int32_t offset) {
    return kOpeningLines[offset];
}

int32_t ReadNumber(RecordReader& reader) {
    int32_t value = 0;
    while (ByteAt(reader.at) >= '0' && ByteAt(reader.at) <= '9')
        value = value * 10 + (ByteAt(reader.at++) - '0');
    return value;
}

// The moves after the shared ones, appended to moves; the reader is left on the tab.
void ReadMoves(RecordReader& reader, std::vector<MoveText>& moves) {
    while (ByteAt(reader.at) == ' ') {
        const int32_t start = ++reader.at;
        while (ByteAt(reader.at) != ' ' && ByteAt(reader.at) != '\t')
            ++reader.at;
        moves.push_back({start, reader.at - start});
    }
}

// Plays the line's moves from the position after its first played plies (the previous line's
// moves, still recorded in state); false when a move cannot be played.
bool PlayLine(GameState& state, const std::vector<MoveText>& moves, int32_t played) {
    ReplayPlies(state, played);
    for (size_t i = static_cast<size_t>(played); i < moves.size(); ++i) {
        if (!InterpretSanMove(state, kOpeningLines + moves[i].start, moves[i].length)) return false;
    }
    return true;
}

size_t SlotOf(const OpeningTable& table, PositionKey key) {
    size_t slot = static_cast<size_t>(key) & kSlotMask;
    while (table.slotEntries[slot] != kEmptySlot && table.slotKeys[slot] != key)
        slot = (slot + 1) & kSlotMask;
    return slot;
}

// The first line to reach a position names it.
void Insert(OpeningTable& table, PositionKey key, const OpeningEntry& entry) {
    const size_t slot = SlotOf(table, key);
    if (table.slotEntries[slot] != kEmptySlot) return;
    if (table.entries.size() * 2 >= kSlotCount) return;
    table.slotKeys[slot] = key;
    table.slotEntries[slot] = static_cast<int16_t>(table.entries.size());
    table.entries.push_back(entry);
}

std::unique_ptr<OpeningTable> BuildTable() {
    auto table = std::make_unique<OpeningTable>();
    table->slotEntries.fill(kEmptySlot);
    table->entries.reserve(static_cast<size_t>(kOpeningLineCount));
    auto state = std::make_unique<GameState>();
    ResetGame(*state, false);
    std::vector<MoveText> moves;
    int32_t played = 0;  // plies of the previous line that could be played
    RecordReader reader{0};
    while (ByteAt(reader.at) != 0) {
        OpeningEntry entry{};
        entry.record = reader.at;
        reader.at += 4;  // the ECO code and its space
        entry.family = static_cast<int16_t>(ReadNumber(reader));
        ++reader.at;
        const auto shared = static_cast<size_t>(ReadNumber(reader));
        moves.resize(shared < moves.size() ? shared : moves.size());
        ReadMoves(reader, moves);
        entry.rest = ++reader.at;
        while (ByteAt(reader.at) != '\n')
            ++reader.at;
        entry.restLength = reader.at++ - entry.rest;
        entry.plies = static_cast<int16_t>(moves.size());
        ++table->lines;
        const bool playable = moves.size() <= kMostPlies &&
                              static_cast<int32_t>(shared) <= played &&
                              PlayLine(*state, moves, static_cast<int32_t>(shared));
        played = state->ply;
        if (!playable || entry.family < 0 || entry.family >= kOpeningFamilyCount) {
            ++table->unplayable;
            continue;
        }
        Insert(*table, PositionKeyOf(*state), entry);
    }
    return table;
}

const OpeningTable& Table() {
    static const std::unique_ptr<OpeningTable> table = BuildTable();
    return *table;
}

}  // namespace

int32_t FindOpening(PositionKey key) {
    const OpeningTable& table = Table();
    const int16_t entry = table.slotEntries[SlotOf(table, key)];
    return entry;
}

NamedOpening OpeningAt(int32_t index) {
    const OpeningEntry& entry = Table().entries[static_cast<size_t>(index)];
    return {std::string_view(kOpeningLines + entry.record, 3), kOpeningFamilies[entry.family],
            std::string_view(kOpeningLines + entry.rest, static_cast<size_t>(entry.restLength)),
            entry.plies};
}

void ClassifyPositions(const PositionKey* keys, int32_t count, int16_t* openingByPly) {
    const OpeningTable& table = Table();
    int16_t best = kEmptySlot;
    int32_t bestPlies = -1;
    for (int32_t p = 0; p < count; ++p) {
        const int16_t found = table.slotEntries[SlotOf(table, keys[p])];
        // Of two named positions as deep, the later one reached is the game's.
        if (found != kEmptySlot && table.entries[static_cast<size_t>(found)].plies >= bestPlies) {
            best = found;
            bestPlies = table.entries[static_cast<size_t>(found)].plies;
        }
        openingByPly[p] = best;
    }
}

OpeningTableSummary SummarizeOpeningTable() {
    const OpeningTable& table = Table();
    return {table.lines, static_cast<int32_t>(table.entries.size()), table.unplayable};
}
