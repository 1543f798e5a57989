#include "export/ReportParts.h"

#include "display/DXDraws.h"
#include "export/GifEncoder.h"
#include "export/Html.h"
#include "export/Image.h"
#include "export/PngEncoder.h"

#include <array>

namespace exporter::report {

namespace {

using character::CharacterTables;

// Patterns that only ever give a layer its place hold a position in the
// view, not an area of the sheet; the overlay tells them apart.
std::array<bool, character::kPatternCount> placementOnly(const CharacterTables& tables)
{
    std::array<bool, character::kPatternCount> asPlace {}, asImage {};
    for (int a = 0; a < character::kAnimationCount; ++a) {
        for (int i = 1; i < character::kSlotCount; ++i) {
            const auto mark = [&](std::array<bool, character::kPatternCount>& marks, std::int32_t p) {
                if (character::isPatternNumber(p))
                    marks[static_cast<std::size_t>(p)] = true;
            };
            mark(asImage, CharacterTables::slot(tables.base, a, i));
            if (tables.layered[static_cast<std::size_t>(a)]) {
                mark(asImage, CharacterTables::slot(tables.layer, a, i));
                mark(asPlace, CharacterTables::slot(tables.placement, a, i));
            }
        }
    }
    std::array<bool, character::kPatternCount> only {};
    for (std::size_t p = 0; p < only.size(); ++p)
        only[p] = asPlace[p] && !asImage[p];
    return only;
}

void appendPattern(std::string& page, int number, const character::PatternEntry& entry, bool place,
    const DefinitionListing& listing)
{
    const int line = listing.patternLine[static_cast<std::size_t>(number)];
    const std::string values = "左 " + std::to_string(entry.left) + "、上 " + std::to_string(entry.top)
        + "、幅 " + std::to_string(entry.width) + "、高さ " + std::to_string(entry.height);
    std::string title = "パターン " + character::hexPair(number) + "（" + std::to_string(number) + "）"
        + (place ? "：配置（ビュー上の位置）" : "") + "\n" + values;
    if (line > 0 && static_cast<std::size_t>(line) <= listing.lines.size())
        title += "\n" + std::to_string(line) + " 行目: " + listing.lines[static_cast<std::size_t>(line - 1)];
    if (line > 0)
        page += "<a href=\"#L" + std::to_string(line) + "\">";
    page += "<g class=\"pat" + std::string(place ? " place" : "") + "\"><title>" + escapeHtml(title)
        + "</title>";
    // 64-bit: the four values are any 32-bit numbers the file wrote.
    const std::int64_t left = entry.left, top = entry.top;
    page += "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) + "\" width=\""
        + std::to_string(std::max(entry.width, 0)) + "\" height=\""
        + std::to_string(std::max(entry.height, 0)) + "\"/>";
    page += "<text x=\"" + std::to_string(left + 2) + "\" y=\"" + std::to_string(top + 11) + "\">"
        + character::hexPair(number) + "</text></g>" + (line > 0 ? "</a>" : "") + "\n";
}

} // namespace

std::string imageUri(const Image& image)
{
    const std::vector<std::uint8_t> gif = encodeStillGif(image);
    return gif.empty() ? dataUri("image/png", encodePng(image)) : dataUri("image/gif", gif);
}

void appendSheet(std::string& page, const ReportInput& input, const DefinitionListing& listing)
{
    page += "<section id=\"sheet\"><h2>シート画像とパターン</h2>\n";
    const Image sheet = input.sheet != nullptr ? readSurface(*input.sheet) : Image();
    if (sheet.pixels.empty()) {
        page += "<p>シート画像がありません。</p></section>\n";
        return;
    }
    page += "<p>枠はこのファイルが定義したパターンです。マウスを乗せると四つの値と定義した行が出ます"
            "（青い点線は配置パターン）。</p>\n";
    const std::string w = std::to_string(sheet.width), h = std::to_string(sheet.height);
    page += "<div class=\"scroll\"><div class=\"sheet\"><img src=\"" + imageUri(sheet) + "\" width=\"" + w
        + "\" height=\"" + h + "\" alt=\"シート画像\">";
    page += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h
        + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    const CharacterTables& tables = input.state->tables;
    const auto places = placementOnly(tables);
    for (int p = 1; p < character::kPatternCount; ++p) {
        const character::PatternEntry& entry = tables.patterns[static_cast<std::size_t>(p)];
        const bool inTable = entry.rect.Right > entry.rect.Left && entry.rect.Bottom > entry.rect.Top;
        if (listing.patternLine[static_cast<std::size_t>(p)] > 0 || inTable)
            appendPattern(page, p, entry, places[static_cast<std::size_t>(p)], listing);
    }
    page += "</svg></div></div></section>\n";
}

} // namespace exporter::report
