#include "closeup/SheetRegions.h"

#include <algorithm>
#include <cstdint>

namespace closeup {

using character::CharacterTables;

namespace {

bool hasArea(const TRect& r)
{
    return r.Right > r.Left && r.Bottom > r.Top;
}

const character::PatternEntry* entryAt(const CharacterTables& tables, std::int32_t number)
{
    if (!character::isPatternNumber(number))
        return nullptr;
    return &tables.patterns[static_cast<std::size_t>(number)];
}

// Values straight from the file may pass the 32-bit range when added; such a
// rectangle lies far off any sheet, so saturating it changes nothing shown.
TRect rectOf(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
{
    const auto cut = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return TRect { cut(left), cut(top), cut(left + width), cut(top + height) };
}

} // namespace

std::vector<Outline> patternOutlines(const character::CharacterState& state)
{
    std::vector<Outline> outlines;
    for (int number = 1; number < character::kPatternCount; ++number) {
        const TRect& rect = state.tables.patterns[static_cast<std::size_t>(number)].rect;
        if (state.definedPatterns.test(static_cast<std::size_t>(number)) && hasArea(rect))
            outlines.push_back({ number, rect });
    }
    return outlines;
}

std::vector<Highlight> frameHighlights(
    const character::CharacterState& state, std::int32_t animation, std::int32_t frameIndex)
{
    const CharacterTables& tables = state.tables;
    std::vector<Highlight> out;
    const std::int32_t baseNumber = CharacterTables::slot(tables.base, animation, frameIndex);
    const character::PatternEntry* base = entryAt(tables, baseNumber);
    if (base != nullptr && hasArea(base->rect))
        out.push_back({ HighlightRole::base, baseNumber, base->rect });
    if (!character::isAnimationNumber(animation) || !tables.layered[static_cast<std::size_t>(animation)])
        return out;

    const std::int32_t layerNumber = CharacterTables::slot(tables.layer, animation, frameIndex);
    const character::PatternEntry* layer = entryAt(tables, layerNumber);
    // The layer copy takes its source from the values as written.
    if (layer != nullptr && layer->width > 0 && layer->height > 0)
        out.push_back({ HighlightRole::layer, layerNumber,
            rectOf(layer->left, layer->top, layer->width, layer->height) });

    const std::int32_t placementNumber = CharacterTables::slot(tables.placement, animation, frameIndex);
    const character::PatternEntry* placement = entryAt(tables, placementNumber);
    if (base != nullptr && hasArea(base->rect) && placement != nullptr && placement->width > 0
        && placement->height > 0)
        out.push_back({ HighlightRole::placement, placementNumber,
            rectOf(std::int64_t { base->rect.Left } + placement->left,
                std::int64_t { base->rect.Top } + placement->top, placement->width, placement->height) });
    return out;
}

bool contains(const TRect& rect, std::int32_t x, std::int32_t y)
{
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

std::vector<int> patternsAt(const std::vector<Outline>& outlines, std::int32_t x, std::int32_t y)
{
    std::vector<int> out;
    for (const Outline& outline : outlines) {
        if (contains(outline.rect, x, y))
            out.push_back(outline.number);
    }
    return out;
}

TRect dragSelection(TPoint from, TPoint to, std::int32_t sheetWidth, std::int32_t sheetHeight)
{
    const std::int64_t left = std::max<std::int64_t>(std::min(from.X, to.X), 0);
    const std::int64_t top = std::max<std::int64_t>(std::min(from.Y, to.Y), 0);
    const std::int64_t right
        = std::min<std::int64_t>(std::int64_t { std::max(from.X, to.X) } + 1, sheetWidth);
    const std::int64_t bottom
        = std::min<std::int64_t>(std::int64_t { std::max(from.Y, to.Y) } + 1, sheetHeight);
    if (right <= left || bottom <= top)
        return TRect {};
    return TRect { static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
        static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom) };
}

} // namespace closeup
