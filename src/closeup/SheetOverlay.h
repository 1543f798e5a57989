#pragma once

// What the sheet viewer draws over the sheet: a thin outline around every
// pattern, thicker ones in their own colours around the patterns of the frame
// on show, and a dashed frame around a selection. Labels are text and are
// left to the window.

#include "closeup/PixelTarget.h"
#include "closeup/SheetRegions.h"

#include <span>

namespace closeup {

inline constexpr std::uint32_t kOutlineColor = 0xFF00C8FFu;
std::uint32_t highlightColor(HighlightRole role);

inline constexpr std::int32_t kHighlightWidth = 2; // device pixels

void drawOutlines(const PixelTarget& target, const Viewport& view, std::span<const Outline> outlines,
    std::span<const Highlight> highlights);

// A band of `width` device pixels just inside an image rectangle.
void drawBand(const PixelTarget& target, const Viewport& view, const TRect& rect, std::int32_t width,
    std::uint32_t color);

// The rectangles of 未定義の絵をすべて切り出す, in a colour that no other
// mark uses.
inline constexpr std::uint32_t kMissingColor = 0xFF2040FFu;
void drawMissing(const PixelTarget& target, const Viewport& view, std::span<const TRect> rects);

// The selection's frame: black and white dashes, seen on any sheet.
void drawSelection(const PixelTarget& target, const Viewport& view, const TRect& selection);

} // namespace closeup
