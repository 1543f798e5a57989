#pragma once

// What the viewer writes out, frames of the view and the sheet image, held
// as plain colours.

#include "display/ColorImage.h"

class TDirectDrawSurface;

namespace exporter {

using Image = display::ColorImage;

// The largest factor that the writers enlarge by.
inline constexpr int kMaxScale = 8;

// Enlarges by a whole factor, each pixel becoming a factor × factor block
// (nearest neighbour: pixel art stays sharp).
Image scaled(const Image& image, int factor);

// The surface's pixels at the surface's size, read as raw values of the
// display's 32-bit format; a surface that holds nothing gives an empty image.
Image readSurface(TDirectDrawSurface& surface);

} // namespace exporter
