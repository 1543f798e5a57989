#pragma once

// The text lines of the sheet viewer: what lies under the mouse, and the
// pattern line that a selection asks for.

#include "character/CharacterTables.h"
#include "closeup/SheetRegions.h"
#include "closeup/SurfaceImage.h"

#include <string>
#include <vector>

namespace closeup {

// "X 130 Y 40　値 $00FF00FF（透明色）　パターン 02, 10 (0A)" for a point on
// the sheet; empty off the sheet.
std::string pointText(const character::CharacterState& state, const SurfaceImage& sheet,
    const std::vector<Outline>& outlines, std::int32_t x, std::int32_t y);

// The pattern line that cuts the selection with the lowest free number, in
// the file's numbering; a message when no number is free, and empty when
// nothing is selected.
std::string selectionLine(const character::CharacterState& state, const TRect& selection);

inline constexpr const char* kSNoFreePattern = "空いているパターン番号がありません";

} // namespace closeup
