#pragma once

// The frame on show as the zoom window shows it: the view's own composition
// with the onion skin between the background and the frame's patterns, and
// with a checkerboard for the background when 背景なし is on. Everything is
// composed on surfaces of its own; the view surface and the player are
// never touched.

#include "character/CharacterTables.h"
#include "closeup/ColorImage.h"
#include "closeup/OnionSkin.h"

#include <cstdint>

class TDirectDrawSurface;

namespace closeup {

// Image pixels per square of the checkerboard behind a frame without its
// background: it grows with the zoom, as in paint programs.
inline constexpr std::int32_t kBackdropCell = 4;
inline constexpr std::uint32_t kBackdropLight = 0xE0E0E0u;
inline constexpr std::uint32_t kBackdropDark = 0xA8A8A8u;

std::uint32_t backdropPixel(std::int32_t x, std::int32_t y);

// What a frame draws without its background: the colour of every pixel
// that its base or layer pattern covers, and which pixels those are.
struct Sprite {
    ColorImage color;
    std::vector<bool> covered;
    bool at(std::int32_t x, std::int32_t y) const { return covered[std::size_t(y) * color.width + x]; }
};

// Composes on surfaces made on the sheet's own display object, in its
// format; no sheet gives a sprite that covers nothing.
Sprite composeSprite(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet);

// The view's picture of the frame (background pattern and all); black
// without a sheet, as the cleared view.
ColorImage composeView(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet);

// The frame of the zoom window, at the view's size.
ColorImage composeCloseupFrame(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet, const OnionSettings& settings);

} // namespace closeup
