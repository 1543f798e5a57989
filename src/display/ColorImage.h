#pragma once

// A picture held as plain colours rather than in a surface's format:
// 0x00RRGGBB pixels, rows top-down, no gaps. The close-up windows draw such
// pictures and the writers save them as they are, so one kind serves both.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace display {

struct ColorImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;

    ColorImage() = default;
    ColorImage(std::int32_t w, std::int32_t h, std::uint32_t fill = 0)
        : width(w)
        , height(h)
        , pixels(std::size_t(w) * std::size_t(h), fill)
    {
    }
    std::uint32_t& at(std::int32_t x, std::int32_t y)
    {
        return pixels[std::size_t(y) * std::size_t(width) + x];
    }
    std::uint32_t at(std::int32_t x, std::int32_t y) const
    {
        return pixels[std::size_t(y) * std::size_t(width) + x];
    }
    bool operator==(const ColorImage&) const = default;
};

} // namespace display
