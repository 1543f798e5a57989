#pragma once

// Small pictures on software surfaces: made from rows of raw values and read
// back the same way, so that copy tests compare whole pixel grids.

#include "platform/SoftDisplay.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace testing_surfaces {

using Grid = std::vector<std::vector<std::uint32_t>>;

inline platform::DDSURFACEDESC offscreenDesc(std::int32_t w, std::int32_t h, std::uint32_t caps = 0)
{
    platform::DDSURFACEDESC desc;
    desc.dwSize = platform::kSurfaceDescSize;
    desc.dwFlags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    desc.dwWidth = static_cast<std::uint32_t>(w);
    desc.dwHeight = static_cast<std::uint32_t>(h);
    desc.ddsCaps.dwCaps = platform::DDSCAPS_OFFSCREENPLAIN | caps;
    return desc;
}

inline std::shared_ptr<platform::SoftSurface> makeSurface(
    platform::SoftDisplay& display, std::int32_t w, std::int32_t h)
{
    std::shared_ptr<platform::SoftSurface> surface;
    EXPECT_EQ(display.createSurface(offscreenDesc(w, h), surface), platform::DD_OK);
    return surface;
}

inline std::uint32_t readRaw(const std::uint8_t* p, std::size_t bytes)
{
    std::uint32_t v = 0;
    std::memcpy(&v, p, bytes);
    return v;
}

inline void write(platform::SoftSurface& surface, const Grid& grid)
{
    platform::DDSURFACEDESC desc;
    ASSERT_EQ(surface.lock(nullptr, desc, platform::DDLOCK_WAIT), platform::DD_OK);
    const std::size_t bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
    for (std::size_t y = 0; y < grid.size(); ++y)
        for (std::size_t x = 0; x < grid[y].size(); ++x)
            std::memcpy(desc.lpSurface + y * desc.lPitch + x * bytes, &grid[y][x], bytes);
    surface.unlock(desc.lpSurface);
}

inline Grid read(platform::SoftSurface& surface)
{
    platform::DDSURFACEDESC desc;
    EXPECT_EQ(surface.lock(nullptr, desc, platform::DDLOCK_WAIT), platform::DD_OK);
    const std::size_t bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
    Grid grid(desc.dwHeight, std::vector<std::uint32_t>(desc.dwWidth));
    for (std::size_t y = 0; y < desc.dwHeight; ++y)
        for (std::size_t x = 0; x < desc.dwWidth; ++x)
            grid[y][x] = readRaw(desc.lpSurface + y * desc.lPitch + x * bytes, bytes);
    surface.unlock(desc.lpSurface);
    return grid;
}

inline Grid filled(std::int32_t w, std::int32_t h, std::uint32_t v)
{
    return Grid(static_cast<std::size_t>(h), std::vector<std::uint32_t>(static_cast<std::size_t>(w), v));
}

} // namespace testing_surfaces
