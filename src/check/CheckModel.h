#pragma once

// What the checker knows of a definition file once it has read it: the
// tables as a load would leave them, each slot with the place that wrote it,
// and what the lines said beside the tables.

#include "character/CharacterTables.h"
#include "character/DefinitionReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace check {

using character::SourceRange;

struct SheetSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct Slot {
    std::int32_t pattern = character::kEmptySlot;
    SourceRange at;
};
using SlotRow = std::array<Slot, character::kSlotCount>;
using SlotTable = std::array<SlotRow, character::kAnimationCount>;

// How far the lists of one animation reached in one table, and which line
// reached that far.
struct RowReach {
    std::size_t frames = 0;
    std::size_t line = 0;
};
using RowReaches = std::array<RowReach, character::kAnimationCount>;

struct PatternLine {
    bool defined = false;
    bool decimal = false; // defined above any numbering line
    character::PatternEntry values;
    SourceRange number;
    SourceRange valuesAt; // from the left value to the height value
};

// A list pair naming a pattern that no line had defined when it was read.
struct PatternUse {
    std::int32_t pattern;
    SourceRange at;
};

struct CheckModel {
    SlotTable base;
    SlotTable layer;
    SlotTable placement;
    RowReaches baseReach {};
    RowReaches layerReach {};
    RowReaches placementReach {};
    std::array<bool, character::kAnimationCount> layered {};
    std::array<std::optional<SourceRange>, character::kAnimationCount> firstList {};
    std::array<SourceRange, character::kAnimationCount> lastLayerList {};
    std::array<PatternLine, character::kPatternCount> patterns {};
    std::vector<PatternUse> earlyUses;
    std::optional<std::int32_t> interval;
    SourceRange intervalAt;
    bool sheetLine = false;
    std::optional<SheetSize> sheet; // of the last sheet line that loaded
    bool hexNumbering = false;
};

} // namespace check
