#pragma once

// The frame on show as the zoom window shows it: the view's own composition
// with the onion skin between the background and the frame's patterns, and
// with a checkerboard for the background when 背景なし is on. Everything is
// composed on surfaces of its own; the view surface and the player are
// never touched.

#include "character/CharacterTables.h"
#include "closeup/OnionSkin.h"
#include "display/ColorImage.h"

#include <cstdint>

class TDirectDrawSurface;

namespace closeup {

// Image pixels per square of the checkerboard behind a frame without its
// background: it grows with the zoom, as in paint programs.
inline constexpr std::int32_t kBackdropCell = 4;
inline constexpr std::uint32_t kBackdropLight = 0xE0E0E0u;
inline constexpr std::uint32_t kBackdropDark = 0xA8A8A8u;

std::uint32_t backdropPixel(std::int32_t x, std::int32_t y);

// What a frame draws without its background: the pixels that its base or
// layer pattern covers, as places in the view (y * width + x) and their
// colours, in rows from the top. Poses rarely fill the view, so a list is
// quicker to lay over a picture than a mask of the whole view.
struct Sprite {
    std::vector<std::uint32_t> places;
    std::vector<std::uint32_t> colors;
};

// Composes on surfaces made on the sheet's own display object, in its
// format; no sheet gives a sprite that covers nothing.
Sprite composeSprite(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet);

// The view's picture of the frame (background pattern and all); black
// without a sheet, as the cleared view.
display::ColorImage composeView(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet);

// The sprites and the background of one animation as composed last, so
// that a frame shown again, or shown as a neighbour, is not composed again.
// Its owner clears it whenever the tables or the sheet may have changed.
class SpriteCache {
public:
    const Sprite& sprite(const character::CharacterTables& tables, std::int32_t animation,
        std::int32_t frameIndex, TDirectDrawSurface* sheet);
    const display::ColorImage& background(
        const character::CharacterTables& tables, TDirectDrawSurface* sheet);
    void clear();

private:
    struct Entry {
        std::int32_t animation;
        std::int32_t frameIndex;
        std::uint64_t used;
        Sprite sprite;
    };
    // The frame on show and six neighbours, with room to move on.
    static constexpr std::size_t kMaxEntries = 16;
    std::vector<Entry> m_entries;
    std::uint64_t m_clock = 0;
    bool m_hasBackground = false;
    display::ColorImage m_background;
};

// The frame of the zoom window, at the view's size; `cache`, when given,
// holds the sprites and background from earlier frames.
display::ColorImage composeCloseupFrame(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet, const OnionSettings& settings,
    SpriteCache* cache = nullptr);

} // namespace closeup
