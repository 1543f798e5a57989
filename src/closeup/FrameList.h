#pragma once

// コマ一覧: a small picture of every frame of the current animation side by
// side, from frame 1 to the frame that the end test sends back, or to slot
// 255 for an animation without an end. The pictures are made once per load,
// reload or change of animation; marking the frame on show only draws a
// border around its cell.

#include "character/CharacterTables.h"
#include "closeup/FrameSource.h"
#include "closeup/PixelTarget.h"
#include "display/ColorImage.h"

#include <cstdint>

namespace closeup {

// Half the view, each pixel the mean of the two by two it stands for.
inline constexpr std::int32_t kThumbWidth = 61;
inline constexpr std::int32_t kThumbHeight = 136;
// Around every picture; the mark of the frame on show fills it.
inline constexpr std::int32_t kCellMargin = 3;
inline constexpr std::int32_t kCellWidth = kThumbWidth + 2 * kCellMargin;
inline constexpr std::int32_t kCellHeight = kThumbHeight + 2 * kCellMargin;
inline constexpr std::uint32_t kStripBackground = 0x505050u;
inline constexpr std::uint32_t kMarkColor = 0xFFD800u;

// The frames the strip shows: those the animation plays, and slot 1 alone
// for an animation without frames, as the player shows it.
std::int32_t stripFrameCount(const character::CharacterTables& tables, std::int32_t animation);

display::ColorImage thumbnail(const display::ColorImage& frame);

class FrameList {
public:
    // Remakes the pictures when the animation's tables or the sheet differ
    // from those they were made of; answers whether it did. Without a
    // playing character (`playing` false) the strip is empty.
    bool update(const character::CharacterTables& tables, std::int32_t animation, TDirectDrawSurface* sheet,
        bool playing);

    std::int32_t count() const { return m_count; }
    std::int32_t animation() const { return m_animation; }
    // Every picture in its cell, unmarked.
    const display::ColorImage& image() const { return m_image; }

    // The cell of a frame in the strip's image; empty for no frame of it.
    TRect cell(std::int32_t frameIndex) const;
    // The frame whose cell holds the point, or 0.
    std::int32_t frameAt(std::int32_t x, std::int32_t y) const;

private:
    FrameSource m_source;
    std::int32_t m_animation = 0;
    std::int32_t m_count = 0;
    display::ColorImage m_image;
};

// The border around the cell of the frame on show.
void drawMark(const PixelTarget& target, const Viewport& view, const TRect& cell);

// The strip as --frame-list and the window show it: every picture, the
// frame on show marked.
display::ColorImage stripPicture(const FrameList& list, std::int32_t marked);

} // namespace closeup
