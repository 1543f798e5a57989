#pragma once

// Pixel access to surfaces of the software display for composition and
// player tests. The display's format is 32-bit, so a raw value is one word.

#include "display/DXDraws.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace playbacktest {

// A surface of the given size; freed before its TDirectDraw as long as it is
// declared after it.
inline std::unique_ptr<TDirectDrawSurface> makeSurface(TDirectDraw& dd, int width, int height)
{
    auto surface = std::make_unique<TDirectDrawSurface>(&dd);
    surface->SetSize(width, height);
    return surface;
}

// Sets every pixel of (x, y, width, height) to `value(col, row)`, col and
// row counted inside the rectangle.
inline void paint(TDirectDrawSurface& surface, int x, int y, int width, int height,
    const std::function<std::uint32_t(int, int)>& value)
{
    platform::DDSURFACEDESC desc;
    ASSERT_TRUE(surface.Lock(nullptr, desc));
    ASSERT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
    for (int row = 0; row < height; ++row) {
        auto* line = desc.lpSurface + static_cast<std::ptrdiff_t>(desc.lPitch) * (y + row);
        for (int col = 0; col < width; ++col) {
            const std::uint32_t v = value(col, row);
            std::memcpy(line + 4 * (x + col), &v, 4);
        }
    }
    surface.Unlock();
}

inline void paint(TDirectDrawSurface& surface, int x, int y, int width, int height, std::uint32_t value)
{
    paint(surface, x, y, width, height, [value](int, int) { return value; });
}

} // namespace playbacktest
