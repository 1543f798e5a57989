#pragma once

// Composition of one frame on the view surface from patterns of the sheet
// surface: background, base pattern, and on layered animations the layer
// pattern clipped to the view at the place its placement pattern gives.

#include "character/CharacterTables.h"
#include "display/ViewDesign.h"

#include <cstdint>
#include <optional>

class TDirectDrawSurface;

namespace playback {

// The layer clipping measures against the view's design size, not against
// the surface, as the view surface always has that size.
using display::kViewHeight;
using display::kViewWidth;

inline constexpr std::uint32_t kNoColorKey = 0;
inline constexpr std::uint32_t kSourceColorKey = 1;

// The background pattern every frame starts with.
inline constexpr int kBackgroundPattern = 1;

// Where the layer of a frame is copied from and to, after the cuts at the
// view's edges; none when its numbers leave the 32-bit range. The copy may
// still be refused by the surfaces (empty, or off the sheet or the view).
struct LayerCopy {
    std::int32_t x;
    std::int32_t y;
    TRect source;
};
std::optional<LayerCopy> clipLayer(
    const character::PatternEntry& layer, const character::PatternEntry& placement);

// Draws frame `index` of `animation`. The view must have been cleared. A
// missing surface, an empty slot or a copy the surfaces refuse draws nothing.
void composeFrame(const character::CharacterTables& tables, std::int32_t animation, std::int32_t index,
    TDirectDrawSurface* sheet, TDirectDrawSurface* view);

// The two halves of a frame, for the close-up windows that put other things
// between them: the background pattern alone, and the base and layer
// patterns alone, each drawn as composeFrame draws it.
void composeBackground(
    const character::CharacterTables& tables, TDirectDrawSurface* sheet, TDirectDrawSurface* view);
void composeSprite(const character::CharacterTables& tables, std::int32_t animation, std::int32_t index,
    TDirectDrawSurface* sheet, TDirectDrawSurface* view);

} // namespace playback
