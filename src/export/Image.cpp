#include "export/Image.h"

#include "display/DXDraws.h"

#include <algorithm>
#include <cstring>

namespace exporter {

Image scaled(const Image& image, int factor)
{
    if (factor <= 1)
        return image;
    Image out(image.width * factor, image.height * factor);
    const auto outWidth = static_cast<std::size_t>(out.width);
    for (std::int32_t y = 0; y < image.height; ++y) {
        std::uint32_t* row = out.pixels.data() + static_cast<std::size_t>(y) * factor * outWidth;
        for (std::int32_t x = 0; x < image.width; ++x)
            std::fill_n(row + static_cast<std::size_t>(x) * factor, factor, image.at(x, y));
        for (int copy = 1; copy < factor; ++copy)
            std::copy_n(row, outWidth, row + copy * outWidth);
    }
    return out;
}

Image readSurface(TDirectDrawSurface& surface)
{
    if (!surface.SurfaceInterface() || surface.Width() <= 0 || surface.Height() <= 0)
        return {};
    Image image(surface.Width(), surface.Height());
    platform::DDSURFACEDESC desc;
    if (surface.Lock(nullptr, desc)) {
        const bool direct = desc.lpSurface != nullptr && desc.ddpfPixelFormat.dwRGBBitCount == 32;
        if (direct) {
            const auto rowBytes = static_cast<std::size_t>(image.width) * sizeof(std::uint32_t);
            for (std::int32_t y = 0; y < image.height; ++y)
                std::memcpy(image.pixels.data() + static_cast<std::size_t>(y) * image.width,
                    desc.lpSurface + static_cast<std::ptrdiff_t>(y) * desc.lPitch, rowBytes);
        }
        surface.Unlock();
        if (direct) {
            for (std::uint32_t& pixel : image.pixels)
                pixel &= 0x00FFFFFFu;
            return image;
        }
    }
    // Any other memory layout goes through the surface's own raw read.
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::int32_t x = 0; x < image.width; ++x)
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = surface.Pixels(x, y) & 0x00FFFFFFu;
    }
    return image;
}

} // namespace exporter
