#pragma once

// An animation played once through, as the player would show it: from frame
// index 1 up to the frame before its end test (the first index whose base and
// layer slots are both empty), without what plays after it. A one-shot thus
// ends without its fall-back, and a loop after its last frame.

#include "character/CharacterTables.h"
#include "export/Image.h"

#include <cstdint>
#include <vector>

class TDirectDraw;
class TDirectDrawSurface;

namespace exporter {

// Composes the frames that the animation plays once through (the tables'
// frameCount), each on a cleared view of its own made on
// `directDraw` (the window's view is left alone), from `sheet`.
std::vector<Image> onceThroughFrames(const character::CharacterTables& tables, std::int32_t animation,
    TDirectDrawSurface* sheet, TDirectDraw& directDraw);

} // namespace exporter
