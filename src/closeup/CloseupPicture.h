#pragma once

// The picture the zoom window shows of a frame, as PNG で保存… and
// --closeup write it: every pixel a square of `zoom` pixels, and the pixel
// grid from kMinGridZoom up when it is on.

#include "closeup/ColorImage.h"

namespace closeup {

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 8;
// A grid over pixels smaller than this would hide them.
inline constexpr int kMinGridZoom = 4;

ColorImage closeupPicture(const ColorImage& frame, int zoom, bool grid);

} // namespace closeup
