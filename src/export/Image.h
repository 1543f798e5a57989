#pragma once

// A picture held as plain pixels, for what the viewer writes out: frames of
// the view, the sheet image. Pixels are 0x00RRGGBB, rows top-down, no gaps.

#include <cstdint>
#include <vector>

class TDirectDrawSurface;

namespace exporter {

struct Image {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;

    Image() = default;
    Image(std::int32_t w, std::int32_t h)
        : width(w)
        , height(h)
        , pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0)
    {
    }

    std::uint32_t at(std::int32_t x, std::int32_t y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
            + static_cast<std::size_t>(x)];
    }
    bool operator==(const Image&) const = default;
};

// The largest factor that the writers enlarge by.
inline constexpr int kMaxScale = 8;

// Enlarges by a whole factor, each pixel becoming a factor × factor block
// (nearest neighbour: pixel art stays sharp).
Image scaled(const Image& image, int factor);

// The surface's pixels at the surface's size, read as raw values of the
// display's 32-bit format; a surface that holds nothing gives an empty image.
Image readSurface(TDirectDrawSurface& surface);

} // namespace exporter
