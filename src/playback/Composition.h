#pragma once

// Composition of one frame on the view surface from patterns of the sheet
// surface: background, base pattern, and on layered animations the layer
// pattern clipped to the view at the place its placement pattern gives.

#include "character/CharacterTables.h"

#include <cstdint>

class TDirectDrawSurface;

namespace playback {

inline constexpr std::uint32_t kNoColorKey = 0;
inline constexpr std::uint32_t kSourceColorKey = 1;

// The background pattern every frame starts with.
inline constexpr int kBackgroundPattern = 1;

// Draws frame `index` of `animation`. The view must have been cleared. A
// missing surface, an empty slot or a copy the surfaces refuse draws nothing.
void composeFrame(const character::CharacterTables& tables, std::int32_t animation, std::int32_t index,
    TDirectDrawSurface* sheet, TDirectDrawSurface* view);

} // namespace playback
