#pragma once

// What the sheet viewer makes of a click and of 未定義の絵をすべて切り出す:
// the rectangle of the island under the mouse, and the listing of every
// missing pattern.

#include "closeup/Islands.h"
#include "closeup/Slicer.h"
#include "closeup/SurfaceImage.h"

#include <span>
#include <string>

namespace closeup {

inline constexpr std::int32_t kMaxViewerGap = 16;

// The selection after a click on `pixel`: over a drawn pixel, its island's
// rectangle, or with `add` that rectangle joined to `selection`; elsewhere a
// plain click selects the pixel itself, as a drag that did not move, and an
// adding click leaves the selection as it is.
TRect clickSelection(const SurfaceImage& sheet, std::span<const Island> islands, TPoint pixel,
    const TRect& selection, bool add);

// Every numbered missing pattern's line, each ended by a line break, ready
// to paste at the end of the file.
std::string missingLines(const SliceResult& result);

// "未定義の絵 3 個（定義済み 76 個、見つけた絵 79 個）", and how many got no
// number when there are any.
std::string missingSummary(const SliceResult& result);

} // namespace closeup
