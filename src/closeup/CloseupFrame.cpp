#include "closeup/CloseupFrame.h"

#include "closeup/SurfaceImage.h"
#include "display/DXDraws.h"
#include "display/ViewDesign.h"
#include "playback/Composition.h"

#include <algorithm>
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
display::ColorImage colors(const SurfaceImage& image)
{
    display::ColorImage out(kViewWidth, kViewHeight);
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
    Sprite sprite;
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
    const SurfaceImage& b = drawn[1];
    if (a.width() != b.width() || a.height() != b.height())
        return sprite; // a surface that could not be read the second time
    const std::int32_t width = std::min(kViewWidth, a.width());
    for (std::int32_t y = 0; y < std::min(kViewHeight, a.height()); ++y) {
        const std::uint32_t* rowA = a.rawRow(y);
        const std::uint32_t* rowB = b.rawRow(y);
        for (std::int32_t x = 0; x < width; ++x) {
            if (rowA[x] != rowB[x])
                continue;
            sprite.places.push_back(static_cast<std::uint32_t>(y * kViewWidth + x));
            sprite.colors.push_back(a.color(rowA[x]));
        }
    }
    return sprite;
}

display::ColorImage composeView(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet)
{
    if (!usable(sheet))
        return display::ColorImage(kViewWidth, kViewHeight);
    const auto surface = scratchSurface(*sheet);
    surface->Fill(0);
    playback::composeFrame(tables, animation, frameIndex, sheet, surface.get());
    SurfaceImage image;
    image.capture(surface.get());
    return colors(image);
}

namespace {

display::ColorImage composeBackgroundOnly(const character::CharacterTables& tables, TDirectDrawSurface* sheet)
{
    if (!usable(sheet))
        return display::ColorImage(kViewWidth, kViewHeight);
    const auto surface = scratchSurface(*sheet);
    surface->Fill(0);
    playback::composeBackground(tables, sheet, surface.get());
    SurfaceImage image;
    image.capture(surface.get());
    return colors(image);
}

} // namespace

const Sprite& SpriteCache::sprite(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet)
{
    ++m_clock;
    for (Entry& entry : m_entries) {
        if (entry.animation == animation && entry.frameIndex == frameIndex) {
            entry.used = m_clock;
            return entry.sprite;
        }
    }
    if (m_entries.size() >= kMaxEntries) {
        const auto oldest = std::min_element(m_entries.begin(), m_entries.end(),
            [](const Entry& a, const Entry& b) { return a.used < b.used; });
        m_entries.erase(oldest);
    }
    m_entries.push_back(
        { animation, frameIndex, m_clock, composeSprite(tables, animation, frameIndex, sheet) });
    return m_entries.back().sprite;
}

const display::ColorImage& SpriteCache::background(
    const character::CharacterTables& tables, TDirectDrawSurface* sheet)
{
    if (!m_hasBackground) {
        m_background = composeBackgroundOnly(tables, sheet);
        m_hasBackground = true;
    }
    return m_background;
}

void SpriteCache::clear()
{
    m_entries.clear();
    m_hasBackground = false;
}

display::ColorImage composeCloseupFrame(const character::CharacterTables& tables, std::int32_t animation,
    std::int32_t frameIndex, TDirectDrawSurface* sheet, const OnionSettings& settings, SpriteCache* cache)
{
    SpriteCache once;
    SpriteCache& sprites = cache != nullptr ? *cache : once;
    display::ColorImage out(kViewWidth, kViewHeight);
    if (settings.noBackground) {
        for (std::int32_t y = 0; y < kViewHeight; ++y) {
            for (std::int32_t x = 0; x < kViewWidth; ++x)
                out.at(x, y) = backdropPixel(x, y);
        }
    } else {
        out = sprites.background(tables, sheet);
    }
    // The farthest go first, so that the nearer ones lie over them.
    const std::vector<OnionFrame> neighbours
        = onionFrames(tables, animation, frameIndex, settings.before, settings.after);
    for (auto it = neighbours.rbegin(); it != neighbours.rend(); ++it) {
        const Sprite& ghost = sprites.sprite(tables, animation, it->index, sheet);
        for (std::size_t i = 0; i < ghost.places.size(); ++i) {
            std::uint32_t& pixel = out.pixels[ghost.places[i]];
            pixel = ghostPixel(pixel, ghost.colors[i], *it);
        }
    }
    const Sprite& own = sprites.sprite(tables, animation, frameIndex, sheet);
    for (std::size_t i = 0; i < own.places.size(); ++i)
        out.pixels[own.places[i]] = own.colors[i];
    return out;
}

} // namespace closeup
