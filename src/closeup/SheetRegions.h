#pragma once

// Where the patterns lie on the sheet: the outline of every pattern the file
// defines, the patterns of the frame on show, the patterns under a point and
// the rectangle that a drag selects. Rectangles are sheet pixels, right and
// bottom exclusive.

#include "character/CharacterTables.h"
#include "platform/Types.h"

#include <cstdint>
#include <vector>

namespace closeup {

struct Outline {
    int number;
    TRect rect;
    bool operator==(const Outline&) const = default;
};

// Every pattern that a line of the file defines and whose rectangle has an
// area, by number. Rectangles may reach past the sheet.
std::vector<Outline> patternOutlines(const character::CharacterState& state);

enum class HighlightRole { base, layer, placement };

struct Highlight {
    HighlightRole role;
    int number;
    TRect rect;
    bool operator==(const Highlight&) const = default;
};

// The base and layer patterns of a frame where they lie on the sheet, and
// where its layer lands: the placement is a place in the view, and the base
// pattern always starts at the view's corner, so it is marked over the base
// pattern's rectangle. Entries without a rectangle are left out.
std::vector<Highlight> frameHighlights(
    const character::CharacterState& state, std::int32_t animation, std::int32_t frameIndex);

bool contains(const TRect& rect, std::int32_t x, std::int32_t y);

// The numbers of the outlined patterns that hold the sheet point (x, y).
std::vector<int> patternsAt(const std::vector<Outline>& outlines, std::int32_t x, std::int32_t y);

// The rectangle of sheet pixels between the pixels where a drag began and
// ended, both included, cut to the sheet; empty when nothing of it is on
// the sheet.
TRect dragSelection(TPoint from, TPoint to, std::int32_t sheetWidth, std::int32_t sheetHeight);

} // namespace closeup
