#include "closeup/SheetPicking.h"

#include "closeup/SheetRegions.h"

namespace closeup {

TRect clickSelection(const SurfaceImage& sheet, std::span<const Island> islands, TPoint pixel,
    const TRect& selection, bool add)
{
    const bool onSheet = pixel.X >= 0 && pixel.Y >= 0 && pixel.X < sheet.width() && pixel.Y < sheet.height();
    const std::optional<Island> island = onSheet && !sheet.keyed(sheet.raw(pixel.X, pixel.Y))
        ? islandAt(islands, pixel.X, pixel.Y)
        : std::nullopt;
    if (island)
        return add ? unionRect(selection, island->rect) : island->rect;
    if (add)
        return selection;
    return dragSelection(pixel, pixel, sheet.width(), sheet.height());
}

std::string missingLines(const SliceResult& result)
{
    std::string lines;
    for (const MissingPattern& pattern : result.missing) {
        if (pattern.number != 0)
            lines += pattern.line + "\n";
    }
    return lines;
}

std::string missingSummary(const SliceResult& result)
{
    std::string text = "未定義の絵 " + std::to_string(result.missing.size()) + " 個（定義済み "
        + std::to_string(result.alreadyDefined) + " 個、見つけた絵 " + std::to_string(result.found) + " 個）";
    if (result.unnumbered > 0)
        text += "　番号が足りず " + std::to_string(result.unnumbered) + " 個は行にできません";
    return text;
}

} // namespace closeup
