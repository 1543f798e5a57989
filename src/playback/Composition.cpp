#include "playback/Composition.h"

#include "display/DXDraws.h"
#include "display/ViewDesign.h"

#include <limits>
#include <optional>

namespace playback {

using character::CharacterTables;
using character::PatternEntry;

namespace {

const PatternEntry* patternAt(const CharacterTables& tables, std::int32_t number)
{
    if (!character::isPatternNumber(number))
        return nullptr; // the empty slot, or nothing a list could hold
    return &tables.patterns[static_cast<std::size_t>(number)];
}

bool fitsInt32(std::int64_t v)
{
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

// The layer copy after the four edge tests, in their fixed order. The
// arithmetic runs in 64 bits because the values come straight from the file;
// a copy whose numbers leave the 32-bit range could not lie within the
// surfaces anyway and is dropped.
std::optional<LayerCopy> clipLayer(const PatternEntry& layer, const PatternEntry& placement)
{
    std::int64_t sx = layer.left, sy = layer.top, sw = layer.width, sh = layer.height;
    std::int64_t dx = placement.left, dy = placement.top, pw = placement.width, ph = placement.height;

    if (placement.left < 0) {
        sx -= placement.left;
        sw += placement.left;
        pw += placement.left;
        dx = 0;
    }
    if (placement.top < 0) {
        sy -= placement.top;
        sh += placement.top;
        ph += placement.top;
        dy = 0;
    }
    if (dx + pw > kViewWidth)
        sw -= dx + pw - kViewWidth;
    if (dy + ph > kViewHeight)
        sh -= dy + ph - kViewHeight;

    for (const std::int64_t v : { sx, sy, sx + sw, sy + sh, dx, dy }) {
        if (!fitsInt32(v))
            return std::nullopt;
    }
    return LayerCopy { static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy),
        TRect { static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy),
            static_cast<std::int32_t>(sx + sw), static_cast<std::int32_t>(sy + sh) } };
}

void composeBackground(const CharacterTables& tables, TDirectDrawSurface* sheet, TDirectDrawSurface* view)
{
    if (sheet == nullptr || view == nullptr)
        return;
    view->BltFast(0, 0, tables.patterns[kBackgroundPattern].rect, kNoColorKey, sheet);
}

void composeSprite(const CharacterTables& tables, std::int32_t animation, std::int32_t index,
    TDirectDrawSurface* sheet, TDirectDrawSurface* view)
{
    if (sheet == nullptr || view == nullptr)
        return;

    if (const PatternEntry* base = patternAt(tables, CharacterTables::slot(tables.base, animation, index)))
        view->BltFast(0, 0, base->rect, kSourceColorKey, sheet);

    if (!character::isAnimationNumber(animation) || !tables.layered[static_cast<std::size_t>(animation)])
        return;
    const PatternEntry* layer = patternAt(tables, CharacterTables::slot(tables.layer, animation, index));
    const PatternEntry* placement
        = patternAt(tables, CharacterTables::slot(tables.placement, animation, index));
    if (layer == nullptr || placement == nullptr)
        return;
    if (const auto copy = clipLayer(*layer, *placement))
        view->BltFast(copy->x, copy->y, copy->source, kSourceColorKey, sheet);
}

void composeFrame(const CharacterTables& tables, std::int32_t animation, std::int32_t index,
    TDirectDrawSurface* sheet, TDirectDrawSurface* view)
{
    composeBackground(tables, sheet, view);
    composeSprite(tables, animation, index, sheet, view);
}

} // namespace playback
