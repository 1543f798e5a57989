#include "render/FrameStrip.h"

#include "display/DXDraws.h"
#include "export/ExportConsts.h"
#include "export/PngEncoder.h"

#include <algorithm>
#include <cstring>

namespace render {

namespace {

constexpr std::size_t kChannels = 3;
constexpr std::size_t kRowBytes = static_cast<std::size_t>(kViewWidth) * kChannels;
constexpr std::size_t kFrameBytes = kRowBytes * static_cast<std::size_t>(kViewHeight);

void putRaw(std::uint8_t* rgb, std::uint32_t raw)
{
    rgb[0] = static_cast<std::uint8_t>(raw >> 16);
    rgb[1] = static_cast<std::uint8_t>(raw >> 8);
    rgb[2] = static_cast<std::uint8_t>(raw);
}

// Reads through one lock when the memory holds 32-bit values; any other
// format goes pixel by pixel through the surface's own raw read.
void copyPixels(TDirectDrawSurface& view, std::uint8_t* frame)
{
    const std::int32_t width = std::min(view.Width(), kViewWidth);
    const std::int32_t height = std::min(view.Height(), kViewHeight);
    platform::DDSURFACEDESC desc;
    if (view.Lock(nullptr, desc)) {
        if (desc.lpSurface != nullptr && desc.ddpfPixelFormat.dwRGBBitCount == 32) {
            for (std::int32_t y = 0; y < height; ++y) {
                const std::uint8_t* row = desc.lpSurface + static_cast<std::ptrdiff_t>(y) * desc.lPitch;
                for (std::int32_t x = 0; x < width; ++x) {
                    std::uint32_t raw;
                    std::memcpy(&raw, row + static_cast<std::size_t>(x) * 4, sizeof raw);
                    putRaw(frame + static_cast<std::size_t>(y) * kRowBytes
                            + static_cast<std::size_t>(x) * kChannels,
                        raw);
                }
            }
            view.Unlock();
            return;
        }
        view.Unlock();
    }
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x)
            putRaw(frame + static_cast<std::size_t>(y) * kRowBytes + static_cast<std::size_t>(x) * kChannels,
                view.Pixels(x, y));
    }
}

} // namespace

void FrameStrip::append(TDirectDrawSurface* view)
{
    Frame frame(kFrameBytes, 0);
    if (view != nullptr && view->SurfaceInterface())
        copyPixels(*view, frame.data());
    m_frames.push_back(std::move(frame));
}

const std::uint8_t* FrameStrip::pixel(std::size_t index, std::int32_t x, std::int32_t y) const
{
    return m_frames.at(index).data() + static_cast<std::size_t>(y) * kRowBytes
        + static_cast<std::size_t>(x) * kChannels;
}

exporter::Image FrameStrip::frame(std::size_t index) const
{
    exporter::Image image(kViewWidth, kViewHeight);
    const std::uint8_t* rgb = m_frames.at(index).data();
    for (std::uint32_t& pixel : image.pixels) {
        pixel = static_cast<std::uint32_t>(rgb[0]) << 16 | static_cast<std::uint32_t>(rgb[1]) << 8 | rgb[2];
        rgb += kChannels;
    }
    return image;
}

void FrameStrip::writePng(const std::string& path, int scale) const
{
    // Row by row from the frames kept: no strip is ever held whole, and the
    // size is checked in 64 bits before anything is made.
    const std::int64_t width
        = std::int64_t { kViewWidth } * static_cast<std::int64_t>(m_frames.size()) * scale;
    const std::int64_t height = std::int64_t { kViewHeight } * scale;
    if (!exporter::pngSizeFits(width, height))
        throw exporter::EFCreateError(platform::format(exporter::kSFCreateError, { path }));
    const auto rows = [this, scale](std::int32_t y, std::span<std::uint32_t> row) {
        const std::int32_t frameWidth = kViewWidth * scale;
        for (std::size_t i = 0; i < m_frames.size(); ++i) {
            std::uint32_t* out = row.data() + i * static_cast<std::size_t>(frameWidth);
            for (std::int32_t x = 0; x < frameWidth; ++x) {
                const std::uint8_t* rgb = pixel(i, x / scale, y / scale);
                out[x] = std::uint32_t { rgb[0] } << 16 | std::uint32_t { rgb[1] } << 8 | rgb[2];
            }
        }
    };
    exporter::writePng(path, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), rows);
}

} // namespace render
