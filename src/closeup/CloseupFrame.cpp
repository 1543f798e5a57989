#include "closeup/CloseupFrame.h"

#include "closeup/SurfaceImage.h"
#include "display/DXDraws.h"
#include "display/ViewDesign.h"
#include "playback/Composition.h"

#include <memory>

namespace closeup {

namespace {

using display::kViewHeight;
using display::kViewWidth;

// A surface of the view's size on the sheet's display object, freed at the
// end of the composition, long before that display object can go.
std::unique_ptr<TDirectDrawSurface> scratchSurface(TDirectDrawSurface& sheet)
{
    auto surface = std::make_unique<TDirectDrawSurface>(&sheet.DirectDraw());
    surface->SetSize(kViewWidth, kViewHeight);
    return surface;
}

bool usable(TDirectDrawSurface* sheet)
{
    return sheet != nullptr && sheet->SurfaceInterface() != nullptr;
}

// The image's colours at the view's size; pixels the surface lacks stay black.
ColorImage colors(const SurfaceImage& image)
{
    ColorImage out(kViewWidth, kViewHeight);
    for (std::int32_t y = 0; y < std::min(kViewHeight, image.height()); ++y) {
        for (std::int32_t x = 0; x < std::min(kViewWidth, image.width()); ++x)
            out.at(x, y) = image.color(image.raw(x, y));
    }
    return out;
}

} // namespace

std::uint32_t backdropPixel(std::int32_t x, std::int32_t y)
{
    return ((x / kBackdropCell + y / kBackdropCell) & 1) != 0 ? kBackdropDark : kBackdropLight;
}

Sprite composeSprite(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet)
{
    Sprite sprite { ColorImage(kViewWidth, kViewHeight),
        std::vector<bool>(std::size_t(kViewWidth) * kViewHeight, false) };
    if (!usable(sheet))
        return sprite;
    // The patterns are drawn twice, over two different fills: a pixel that
    // comes out the same both times was drawn, whatever its value, the
    // colour key's and the fills' own included.
    SurfaceImage drawn[2];
    const auto surface = scratchSurface(*sheet);
    for (const std::uint32_t fill : { 0u, 1u }) {
        surface->Fill(fill);
        playback::composeSprite(tables, animation, frameIndex, sheet, surface.get());
        drawn[fill].capture(surface.get());
    }
    const SurfaceImage& a = drawn[0];
    for (std::int32_t y = 0; y < std::min(kViewHeight, a.height()); ++y) {
        for (std::int32_t x = 0; x < std::min(kViewWidth, a.width()); ++x) {
            const std::uint32_t raw = a.raw(x, y);
            if (raw != drawn[1].raw(x, y))
                continue;
            sprite.covered[std::size_t(y) * kViewWidth + x] = true;
            sprite.color.at(x, y) = a.color(raw);
        }
    }
    return sprite;
}

ColorImage composeView(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet)
{
    if (!usable(sheet))
        return ColorImage(kViewWidth, kViewHeight);
    const auto surface = scratchSurface(*sheet);
    surface->Fill(0);
    playback::composeFrame(tables, animation, frameIndex, sheet, surface.get());
    SurfaceImage image;
    image.capture(surface.get());
    return colors(image);
}

ColorImage composeCloseupFrame(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet, const OnionSettings& settings)
{
    ColorImage out(kViewWidth, kViewHeight);
    if (settings.noBackground) {
        for (std::int32_t y = 0; y < kViewHeight; ++y) {
            for (std::int32_t x = 0; x < kViewWidth; ++x)
                out.at(x, y) = backdropPixel(x, y);
        }
    } else if (usable(sheet)) {
        const auto surface = scratchSurface(*sheet);
        surface->Fill(0);
        playback::composeBackground(tables, sheet, surface.get());
        SurfaceImage image;
        image.capture(surface.get());
        out = colors(image);
    }
    // The farthest go first, so that the nearer ones lie over them.
    const std::vector<OnionFrame> neighbours
        = onionFrames(tables, animation, frameIndex, settings.before, settings.after);
    for (auto it = neighbours.rbegin(); it != neighbours.rend(); ++it) {
        const Sprite ghost = composeSprite(tables, animation, it->index, sheet);
        for (std::size_t i = 0; i < out.pixels.size(); ++i) {
            if (ghost.covered[i])
                out.pixels[i] = ghostPixel(out.pixels[i], ghost.color.pixels[i], *it);
        }
    }
    const Sprite own = composeSprite(tables, animation, frameIndex, sheet);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        if (own.covered[i])
            out.pixels[i] = own.color.pixels[i];
    }
    return out;
}

} // namespace closeup
