#include "closeup/PixelView.h"

#include <algorithm>

namespace closeup {

namespace {

constexpr std::uint32_t kCheckerLight = 0xFFE0E0E0u;
constexpr std::uint32_t kCheckerDark = 0xFFA8A8A8u;

// Half way to mid-grey: a grid line shows on black and on white alike.
std::uint32_t gridBlend(std::uint32_t pixel)
{
    return kOpaque | (((pixel & 0xFEFEFEu) >> 1) + 0x404040u);
}

std::uint32_t checker(std::int64_t deviceX, std::int64_t deviceY)
{
    return ((deviceX / kCheckerCell + deviceY / kCheckerCell) & 1) != 0 ? kCheckerDark : kCheckerLight;
}

std::uint32_t pixelColor(const SurfaceImage& image, std::uint32_t raw, std::int64_t deviceX,
    std::int64_t deviceY, bool checkerboard)
{
    if (checkerboard && image.keyed(raw))
        return checker(deviceX, deviceY);
    return kOpaque | image.color(raw);
}

// One device row of the scaled image: a run of `scale` pixels per image
// pixel, background left and right of the image.
void drawRow(const SurfaceImage& image, std::int32_t imageY, std::uint32_t* out, std::int32_t width,
    const Viewport& view, std::int64_t deviceY, const PixelLook& look)
{
    const std::uint32_t* raw = image.rawRow(imageY);
    const std::int64_t s = view.scale;
    const std::int32_t begin
        = static_cast<std::int32_t>(std::clamp<std::int64_t>(-std::int64_t { view.x }, 0, width));
    const std::int32_t end
        = static_cast<std::int32_t>(std::clamp<std::int64_t>(image.width() * s - view.x, begin, width));
    std::fill(out, out + begin, look.background);
    std::fill(out + end, out + width, look.background);
    const bool keyed = look.checkerboard && image.hasKey();
    if (s == 1) {
        const std::uint32_t* from = raw + (std::int64_t { view.x } + begin);
        for (std::int32_t x = begin; x < end; ++x)
            out[x] = keyed ? pixelColor(image, from[x - begin], std::int64_t { view.x } + x, deviceY, true)
                           : kOpaque | image.color(from[x - begin]);
        return;
    }
    std::int32_t x = begin;
    while (x < end) {
        const std::int64_t deviceX = std::int64_t { view.x } + x;
        const std::uint32_t value = raw[imagePixel(deviceX, view.scale)];
        const std::int32_t runEnd
            = static_cast<std::int32_t>(std::min<std::int64_t>(deviceX - deviceX % s + s - view.x, end));
        if (keyed && image.keyed(value)) {
            for (; x < runEnd; ++x)
                out[x] = checker(std::int64_t { view.x } + x, deviceY);
        } else {
            std::fill(out + x, out + runEnd, kOpaque | image.color(value));
            x = runEnd;
        }
    }
}

void drawGrid(const SurfaceImage& image, const PixelTarget& target, const Viewport& view)
{
    const TRect inside = deviceRect(TRect { 0, 0, image.width(), image.height() }, view.scale);
    for (std::int32_t ty = 0; ty < target.height; ++ty) {
        const std::int64_t deviceY = std::int64_t { view.y } + ty;
        if (deviceY < inside.Top || deviceY >= inside.Bottom)
            continue;
        std::uint32_t* out = target.row(ty);
        const std::int32_t from
            = static_cast<std::int32_t>(std::clamp<std::int64_t>(inside.Left - view.x, 0, target.width));
        const std::int32_t to
            = static_cast<std::int32_t>(std::clamp<std::int64_t>(inside.Right - view.x, 0, target.width));
        if (deviceY % view.scale == 0) {
            for (std::int32_t x = from; x < to; ++x)
                out[x] = gridBlend(out[x]);
            continue;
        }
        // The first column of every image pixel.
        std::int64_t first = std::int64_t { from } + view.x;
        first += (view.scale - first % view.scale) % view.scale;
        for (std::int64_t x = first - view.x; x < to; x += view.scale)
            out[x] = gridBlend(out[x]);
    }
}

} // namespace

TRect deviceRect(const TRect& imageRect, std::int32_t scale)
{
    const auto cut = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return TRect { cut(std::int64_t { imageRect.Left } * scale), cut(std::int64_t { imageRect.Top } * scale),
        cut(std::int64_t { imageRect.Right } * scale), cut(std::int64_t { imageRect.Bottom } * scale) };
}

void drawPixels(
    const SurfaceImage& image, const PixelTarget& target, const Viewport& view, const PixelLook& look)
{
    if (view.scale < 1)
        return;
    std::int32_t lastRow = -1; // image row and checker band of the row above
    std::int64_t lastBand = -1;
    for (std::int32_t ty = 0; ty < target.height; ++ty) {
        std::uint32_t* out = target.row(ty);
        const std::int64_t deviceY = std::int64_t { view.y } + ty;
        const std::int32_t iy = imagePixel(deviceY, view.scale);
        const std::int64_t band = look.checkerboard ? deviceY / kCheckerCell : 0;
        if (iy < 0 || iy >= image.height()) {
            std::fill(out, out + target.width, look.background);
            lastRow = -1;
        } else if (iy == lastRow && band == lastBand) {
            // The rows of one image pixel are alike until the checker changes.
            std::copy(target.row(ty - 1), target.row(ty - 1) + target.width, out);
        } else {
            drawRow(image, iy, out, target.width, view, deviceY, look);
            lastRow = iy;
            lastBand = band;
        }
    }
    if (look.grid && view.scale > 1)
        drawGrid(image, target, view);
}

} // namespace closeup
