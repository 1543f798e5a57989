#pragma once

// The drawn shapes of a sheet: islands of 8-connected pixels that are not
// the colour key, each with its tight rectangle and its pixel count. Works
// on the raw values as the sheet surface holds them, so a pixel is keyed
// exactly when the surface's copy would leave it out.

#include "platform/Types.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace closeup {

class SurfaceImage;

// A sheet's raw pixels, row after row without padding.
struct SheetPixels {
    std::span<const std::uint32_t> raw;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::optional<std::uint32_t> key; // none: every pixel is drawn
};

// A view of the copy's pixels and key; valid while the copy is unchanged.
SheetPixels sheetPixels(const SurfaceImage& sheet);

struct Island {
    TRect rect;
    std::int64_t pixels = 0;
    bool operator==(const Island&) const = default;
};

// Pixels between two rectangles along the axis that parts them most; 0 when
// they touch or overlap.
std::int64_t rectGap(const TRect& a, const TRect& b);

// Every island of the sheet, in no particular order. Islands whose
// rectangles come within `gap` pixels of each other (rectGap at most `gap`)
// are merged into one, again and again until no two do, so the rectangles
// returned never touch or overlap. A sheet whose `raw` is shorter than its
// size says has no islands.
std::vector<Island> findIslands(const SheetPixels& sheet, std::int32_t gap);

// The island whose rectangle holds the pixel; none over the key colour
// outside every island.
std::optional<Island> islandAt(std::span<const Island> islands, std::int32_t x, std::int32_t y);

// The smallest rectangle that holds both; an empty one counts as nothing.
TRect unionRect(const TRect& a, const TRect& b);

} // namespace closeup
