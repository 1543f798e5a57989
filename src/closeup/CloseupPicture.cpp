#include "closeup/CloseupPicture.h"

#include "closeup/PixelView.h"

#include <algorithm>

namespace closeup {

ColorImage closeupPicture(const ColorImage& frame, int zoom, bool grid)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    SurfaceImage image;
    image.assign(frame);
    ColorImage out(frame.width * zoom, frame.height * zoom);
    const PixelTarget target { out.pixels.data(), out.width, out.height, out.width };
    // The very drawing the window does, over the whole picture at once.
    drawPixels(image, target, Viewport { zoom, 0, 0 }, PixelLook { .grid = grid && zoom >= kMinGridZoom });
    for (std::uint32_t& p : out.pixels)
        p &= 0x00FFFFFFu;
    return out;
}

} // namespace closeup
