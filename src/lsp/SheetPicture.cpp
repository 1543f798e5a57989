#include "lsp/SheetPicture.h"

#include "character/LoadProcedure.h"
#include "closeup/Slicer.h"
#include "display/DXDraws.h"
#include "export/Html.h"
#include "export/Image.h"
#include "export/PngEncoder.h"

#include <algorithm>
#include <cstdint>

namespace lsp {

namespace {

// Larger patterns are left out of the hover: their data would flood it.
constexpr std::int32_t kLargestShown = 512;
// Small sprites are enlarged to about this size, pixel for pixel.
constexpr std::int32_t kShownSize = 96;

// A rectangle's far edge; values near the ends of the range stay in it.
std::int32_t sum(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t { a } + b, INT32_MIN, INT32_MAX));
}

} // namespace

std::shared_ptr<const closeup::SurfaceImage> loadSheetPicture(const std::string& path)
{
    try {
        TDirectDraw directDraw;
        TDirectDrawSurface surface(&directDraw);
        surface.LoadFromFile(path);
        character::takeTransparentColor(surface);
        auto image = std::make_shared<closeup::SurfaceImage>();
        image->capture(&surface);
        if (image->empty())
            return nullptr;
        return image;
    } catch (const Exception&) {
        return nullptr;
    }
}

std::string patternPictureUri(const closeup::SurfaceImage& sheet, const PatternDefinition& pattern)
{
    const std::int64_t left = std::max<std::int64_t>(pattern.values[0], 0);
    const std::int64_t top = std::max<std::int64_t>(pattern.values[1], 0);
    const std::int64_t right
        = std::min<std::int64_t>(std::int64_t { pattern.values[0] } + pattern.values[2], sheet.width());
    const std::int64_t bottom
        = std::min<std::int64_t>(std::int64_t { pattern.values[1] } + pattern.values[3], sheet.height());
    if (right <= left || bottom <= top || right - left > kLargestShown || bottom - top > kLargestShown)
        return {};
    exporter::Image image(static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top));
    for (std::int32_t y = 0; y < image.height; ++y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            const std::uint32_t raw
                = sheet.raw(static_cast<std::int32_t>(left) + x, static_cast<std::int32_t>(top) + y);
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width)
                + static_cast<std::size_t>(x)]
                = sheet.color(raw);
        }
    }
    const int factor = std::clamp(kShownSize / std::max(image.width, image.height), 1, exporter::kMaxScale);
    const std::vector<std::uint8_t> png
        = exporter::encodePng(factor > 1 ? exporter::scaled(image, factor) : image);
    return png.empty() ? std::string() : exporter::dataUri("image/png", png);
}

std::vector<std::string> missingPatternLines(const closeup::SurfaceImage& sheet, const Index& index)
{
    character::CharacterState state;
    for (const PatternDefinition& d : index.patterns) {
        const std::size_t n = static_cast<std::size_t>(d.number);
        character::PatternEntry& entry = state.tables.patterns[n];
        entry.rect = TRect { d.values[0], d.values[1], sum(d.values[0], d.values[2]),
            sum(d.values[1], d.values[3]) };
        entry.left = d.values[0];
        entry.top = d.values[1];
        entry.width = d.values[2];
        entry.height = d.values[3];
        state.definedPatterns.set(n);
        state.hexPatterns.set(n, d.hexNumbering);
    }
    state.hexNumbering = index.numberingLine != 0;
    const closeup::SliceResult result = closeup::findMissingPatterns(closeup::sheetPixels(sheet), state, {});
    std::vector<std::string> lines;
    for (const closeup::MissingPattern& m : result.missing) {
        if (m.number != 0)
            lines.push_back(m.line);
    }
    return lines;
}

} // namespace lsp
