#pragma once

// The patterns that a sheet shows and its definition file does not cut yet,
// each with the pattern line that would cut it.
//
// findMissingPatterns is the one entry point for every caller (the sheet
// viewer, nimbrel-slice, the language server's code action): it takes the
// loaded character (the sheet's raw pixels and colour key, the pattern table
// and the file's numbering) and the options, and gives back the missing
// patterns in reading order with their numbers and lines. Keep its
// signature and meaning stable; add options with defaults instead.

#include "character/CharacterTables.h"
#include "closeup/Islands.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace closeup {

// Cells of width × height whose corner lies at (x, y) and every whole step
// from it; only cells that lie wholly on the sheet count.
struct SliceGrid {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct SliceOptions {
    std::int32_t gap = 0; // see findIslands
    std::int64_t minArea = 1; // islands of fewer pixels are dropped
    std::optional<SliceGrid> grid; // cells instead of islands
};

struct MissingPattern {
    int number = 0; // 0 once the file's numbering has no number left
    std::string line; // "#NN left top width height"; empty without a number
    TRect rect;
    std::int64_t pixels = 0; // drawn pixels in the rectangle
};

struct SliceResult {
    std::vector<MissingPattern> missing; // numbered ones first, in reading order
    std::size_t found = 0; // islands (or cells holding drawn pixels)
    std::size_t alreadyDefined = 0;
    std::size_t unnumbered = 0; // missing ones left without a number
};

// Islands (or cells) lying wholly inside the rectangle of a pattern that the
// file defines are already defined; every other one is missing and takes the
// lowest pattern number still free, in the file's numbering, as a selection
// in the sheet viewer does. A surface without an image gives nothing.
SliceResult findMissingPatterns(
    const SheetPixels& sheet, const character::CharacterState& state, const SliceOptions& options);

// Reading order: top to bottom by rows, left to right within a row.
void sortInReadingOrder(std::vector<Island>& islands);

} // namespace closeup
