#pragma once

// Drawing into a window's pixels without the window: a target of 32-bit
// 0xAARRGGBB pixels that stands for part of an image scaled by a whole
// number of device pixels per image pixel. The windows draw the part that
// is exposed and hand the pixels to the screen as they are.

#include "platform/Types.h"

#include <cstddef>
#include <cstdint>

namespace closeup {

struct PixelTarget {
    std::uint32_t* pixels = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::ptrdiff_t stride = 0; // in pixels

    std::uint32_t* row(std::int32_t y) const { return pixels + stride * y; }
};

struct Viewport {
    std::int32_t scale = 1; // device pixels per image pixel, at least 1
    // The device pixel of the scaled image at the target's top-left corner.
    std::int32_t x = 0;
    std::int32_t y = 0;
};

inline constexpr std::uint32_t kOpaque = 0xFF000000u;

// The image pixel under a device pixel of the scaled image, rounding down
// for the pixels left of or above the image as well.
inline std::int32_t imagePixel(std::int64_t device, std::int32_t scale)
{
    const std::int64_t q = device / scale;
    return static_cast<std::int32_t>(device % scale < 0 ? q - 1 : q);
}

// The device pixels of the scaled image that an image rectangle covers.
TRect deviceRect(const TRect& imageRect, std::int32_t scale);

} // namespace closeup
