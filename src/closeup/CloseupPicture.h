#pragma once

// The picture the zoom window shows of a frame, as PNG で保存… and
// --closeup write it: every pixel a square of `zoom` pixels, and the pixel
// grid from kMinGridZoom up when it is on.

#include "character/CharacterTables.h"
#include "closeup/OnionSkin.h"
#include "display/ColorImage.h"

class TDirectDrawSurface;

namespace closeup {
class SpriteCache;
}

namespace closeup {

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 8;
// A grid over pixels smaller than this would hide them.
inline constexpr int kMinGridZoom = 4;

inline constexpr int kStartZoom = 4;

// Everything the zoom window lets the user set about its picture.
struct CloseupSettings {
    int zoom = kStartZoom;
    bool grid = false;
    OnionSettings onion;
};

display::ColorImage closeupPicture(const display::ColorImage& frame, int zoom, bool grid);

// The frame on show as the zoom window composes it: the player's frame of
// the current animation; before a character plays, the cleared view (or
// the bare checkerboard without the background).
display::ColorImage frameOnShow(const character::CharacterState& state, std::int32_t frameIndex,
    TDirectDrawSurface* sheet, const OnionSettings& onion, SpriteCache* cache = nullptr);

// What the zoom window shows and saves: the frame on show, enlarged.
display::ColorImage closeupOnShow(const character::CharacterState& state, std::int32_t frameIndex,
    TDirectDrawSurface* sheet, const CloseupSettings& settings);

} // namespace closeup
