#include "closeup/SheetOverlay.h"

#include <algorithm>

namespace closeup {

namespace {

constexpr std::int32_t kDash = 4;

struct Span {
    std::int32_t from;
    std::int32_t to; // exclusive
};

// A device interval of the scaled sheet as target coordinates cut to the
// target's extent.
Span cut(std::int64_t from, std::int64_t to, std::int32_t origin, std::int32_t extent)
{
    return Span { static_cast<std::int32_t>(std::clamp<std::int64_t>(from - origin, 0, extent)),
        static_cast<std::int32_t>(std::clamp<std::int64_t>(to - origin, 0, extent)) };
}

// Paints the band of `width` device pixels just inside the device rectangle
// of `rect`; `color` gives the colour of a device pixel on the border.
template <typename Color>
void drawBorder(
    const PixelTarget& target, const Viewport& view, const TRect& rect, std::int32_t width, Color color)
{
    const TRect box = deviceRect(rect, view.scale);
    const std::int64_t w = std::min<std::int64_t>(width, std::min(box.width(), box.height()) / 2 + 1);
    const Span cols = cut(box.Left, box.Right, view.x, target.width);
    const Span rows = cut(box.Top, box.Bottom, view.y, target.height);
    if (cols.from >= cols.to || rows.from >= rows.to)
        return;
    const Span top = cut(box.Top, std::int64_t { box.Top } + w, view.y, target.height);
    const Span bottom = cut(std::int64_t { box.Bottom } - w, box.Bottom, view.y, target.height);
    const Span left = cut(box.Left, std::int64_t { box.Left } + w, view.x, target.width);
    const Span right = cut(std::int64_t { box.Right } - w, box.Right, view.x, target.width);
    for (std::int32_t y = rows.from; y < rows.to; ++y) {
        std::uint32_t* out = target.row(y);
        const bool edgeRow = (y >= top.from && y < top.to) || (y >= bottom.from && y < bottom.to);
        if (edgeRow) {
            for (std::int32_t x = cols.from; x < cols.to; ++x)
                out[x] = color(x, y);
            continue;
        }
        for (const Span side : { left, right }) {
            for (std::int32_t x = side.from; x < side.to; ++x)
                out[x] = color(x, y);
        }
    }
}

} // namespace

std::uint32_t highlightColor(HighlightRole role)
{
    switch (role) {
    case HighlightRole::base:
        return 0xFFFF3030u;
    case HighlightRole::layer:
        return 0xFF30E030u;
    case HighlightRole::placement:
        return 0xFFFFD800u;
    }
    return kOutlineColor;
}

void drawOutlines(const PixelTarget& target, const Viewport& view, std::span<const Outline> outlines,
    std::span<const Highlight> highlights)
{
    for (const Outline& outline : outlines)
        drawBorder(target, view, outline.rect, 1, [](std::int32_t, std::int32_t) { return kOutlineColor; });
    // Highlights go last so that they stay whole where outlines cross them.
    for (const Highlight& highlight : highlights) {
        const std::uint32_t color = highlightColor(highlight.role);
        drawBorder(target, view, highlight.rect, kHighlightWidth,
            [color](std::int32_t, std::int32_t) { return color; });
    }
}

void drawBand(const PixelTarget& target, const Viewport& view, const TRect& rect, std::int32_t width,
    std::uint32_t color)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    drawBorder(target, view, rect, width, [color](std::int32_t, std::int32_t) { return color; });
}

void drawMissing(const PixelTarget& target, const Viewport& view, std::span<const TRect> rects)
{
    for (const TRect& rect : rects)
        drawBorder(
            target, view, rect, kHighlightWidth, [](std::int32_t, std::int32_t) { return kMissingColor; });
}

void drawSelection(const PixelTarget& target, const Viewport& view, const TRect& selection)
{
    if (selection.width() <= 0 || selection.height() <= 0)
        return;
    drawBorder(target, view, selection, 1, [&view](std::int32_t x, std::int32_t y) {
        const std::int64_t along = std::int64_t { view.x } + x + view.y + y;
        return (along / kDash) % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu;
    });
}

} // namespace closeup
