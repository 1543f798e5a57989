#include "closeup/CloseupPicture.h"

#include "closeup/CloseupFrame.h"
#include "closeup/PixelView.h"
#include "display/ViewDesign.h"

#include <algorithm>

namespace closeup {

display::ColorImage closeupPicture(const display::ColorImage& frame, int zoom, bool grid)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    SurfaceImage image;
    image.assign(frame);
    display::ColorImage out(frame.width * zoom, frame.height * zoom);
    const PixelTarget target { out.pixels.data(), out.width, out.height, out.width };
    // The very drawing the window does, over the whole picture at once.
    drawPixels(image, target, Viewport { zoom, 0, 0 }, PixelLook { .grid = grid && zoom >= kMinGridZoom });
    for (std::uint32_t& p : out.pixels)
        p &= 0x00FFFFFFu;
    return out;
}

display::ColorImage frameOnShow(const character::CharacterState& state, std::int32_t frameIndex,
    TDirectDrawSurface* sheet, const OnionSettings& onion, SpriteCache* cache)
{
    if (state.playbackFlag)
        return composeCloseupFrame(state.tables, state.currentAnimation, frameIndex, sheet, onion, cache);
    // Nothing plays: no pattern is drawn, whatever a failed load left in the
    // tables.
    return composeCloseupFrame(state.tables, state.currentAnimation, frameIndex, nullptr, onion);
}

display::ColorImage closeupOnShow(const character::CharacterState& state, std::int32_t frameIndex,
    TDirectDrawSurface* sheet, const CloseupSettings& settings)
{
    return closeupPicture(
        frameOnShow(state, frameIndex, sheet, settings.onion), settings.zoom, settings.grid);
}

} // namespace closeup
