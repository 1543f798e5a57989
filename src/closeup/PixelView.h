#pragma once

// A surface image enlarged by a whole factor with nearest-neighbour, so that
// every image pixel is an even square: optionally with key-coloured pixels
// shown as a checkerboard and with a grid along the pixel edges.

#include "closeup/PixelTarget.h"
#include "closeup/SurfaceImage.h"

namespace closeup {

struct PixelLook {
    bool checkerboard = false; // key-coloured pixels as a checkerboard
    bool grid = false;
    std::uint32_t background = 0xFF505050u; // around the image
};

// Squares of this many device pixels make up the checkerboard.
inline constexpr std::int32_t kCheckerCell = 8;

void drawPixels(
    const SurfaceImage& image, const PixelTarget& target, const Viewport& view, const PixelLook& look);

} // namespace closeup
