#include "closeup/Slicer.h"

#include "closeup/PatternNumbers.h"
#include "closeup/SheetRegions.h"

#include <algorithm>

namespace closeup {

namespace {

bool inside(const TRect& inner, const TRect& outer)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right
        && inner.Bottom <= outer.Bottom;
}

bool alreadyCut(const TRect& content, const std::vector<Outline>& defined)
{
    return std::any_of(defined.begin(), defined.end(),
        [&](const Outline& outline) { return inside(content, outline.rect); });
}

// The first cell corner at or after 0 on one axis, as a multiple of the step
// from the grid's offset.
std::int64_t firstCell(std::int64_t offset, std::int64_t step)
{
    if (offset >= 0)
        return offset;
    return offset + (-offset + step - 1) / step * step;
}

// The drawn pixels of one cell and the tight box around them.
Island cellContent(const SheetPixels& sheet, const TRect& cell)
{
    Island content;
    TRect box { cell.Right, cell.Bottom, cell.Left, cell.Top };
    for (std::int32_t y = cell.Top; y < cell.Bottom; ++y) {
        const std::uint32_t* row = sheet.raw.data() + std::size_t(y) * std::size_t(sheet.width);
        for (std::int32_t x = cell.Left; x < cell.Right; ++x) {
            if (sheet.key && row[x] == *sheet.key)
                continue;
            ++content.pixels;
            box = TRect { std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                std::max(box.Bottom, y + 1) };
        }
    }
    content.rect = box;
    return content;
}

struct Candidate {
    TRect rect;
    std::int64_t pixels;
};

// Every cell of the grid that holds a drawn pixel, by rows; a cell counts as
// defined when a defined pattern holds all of its drawn pixels, which a
// pattern cutting the cell exactly always does.
std::vector<Candidate> gridCells(
    const SheetPixels& sheet, const SliceGrid& grid, const std::vector<Outline>& defined, SliceResult& result)
{
    std::vector<Candidate> cells;
    if (grid.width <= 0 || grid.height <= 0)
        return cells;
    for (std::int64_t top = firstCell(grid.y, grid.height); top + grid.height <= sheet.height;
         top += grid.height) {
        for (std::int64_t left = firstCell(grid.x, grid.width); left + grid.width <= sheet.width;
             left += grid.width) {
            const TRect cell { std::int32_t(left), std::int32_t(top), std::int32_t(left + grid.width),
                std::int32_t(top + grid.height) };
            const Island content = cellContent(sheet, cell);
            if (content.pixels == 0)
                continue;
            ++result.found;
            if (alreadyCut(content.rect, defined))
                ++result.alreadyDefined;
            else
                cells.push_back({ cell, content.pixels });
        }
    }
    return cells;
}

std::vector<Candidate> islandCandidates(const SheetPixels& sheet, const SliceOptions& options,
    const std::vector<Outline>& defined, SliceResult& result)
{
    std::vector<Island> islands = findIslands(sheet, std::max(options.gap, 0));
    std::erase_if(islands, [&](const Island& island) { return island.pixels < options.minArea; });
    sortInReadingOrder(islands);
    std::vector<Candidate> out;
    for (const Island& island : islands) {
        ++result.found;
        if (alreadyCut(island.rect, defined))
            ++result.alreadyDefined;
        else
            out.push_back({ island.rect, island.pixels });
    }
    return out;
}

} // namespace

void sortInReadingOrder(std::vector<Island>& islands)
{
    // Rows are bands formed from the top down. The topmost island not yet
    // placed opens a row that reaches down to its bottom; an island joins
    // the row when its vertical centre lies above the row's bottom, and the
    // row then reaches down to the lowest bottom of its members. So poses
    // whose heads start at different heights read as one row, while an
    // island that only grazes the row with its top (a spark between two
    // rows of poses) waits for a row of its own, and a column of small
    // sprites beside the poses does not chain the rows together.
    std::sort(islands.begin(), islands.end(), [](const Island& a, const Island& b) {
        return a.rect.Top != b.rect.Top ? a.rect.Top < b.rect.Top : a.rect.Left < b.rect.Left;
    });
    std::vector<Island> ordered;
    std::vector<bool> placed(islands.size());
    std::size_t open = 0;
    for (;;) {
        while (open < islands.size() && placed[open])
            ++open;
        if (open == islands.size())
            break;
        placed[open] = true;
        const std::size_t rowBegin = ordered.size();
        ordered.push_back(islands[open]);
        std::int64_t bottom = islands[open].rect.Bottom;
        // A lower bottom may take in an island passed over before it.
        for (bool grown = true; grown;) {
            grown = false;
            for (std::size_t i = open + 1; i < islands.size() && islands[i].rect.Top < bottom; ++i) {
                const TRect& r = islands[i].rect;
                if (placed[i] || std::int64_t { r.Top } + r.Bottom >= 2 * bottom)
                    continue;
                placed[i] = true;
                ordered.push_back(islands[i]);
                grown |= r.Bottom > bottom;
                bottom = std::max<std::int64_t>(bottom, r.Bottom);
            }
        }
        std::stable_sort(ordered.begin() + std::ptrdiff_t(rowBegin), ordered.end(),
            [](const Island& a, const Island& b) { return a.rect.Left < b.rect.Left; });
    }
    islands = std::move(ordered);
}

SliceResult findMissingPatterns(
    const SheetPixels& sheet, const character::CharacterState& state, const SliceOptions& options)
{
    SliceResult result;
    if (sheet.width <= 0 || sheet.height <= 0
        || sheet.raw.size() / std::size_t(sheet.width) < std::size_t(sheet.height))
        return result;
    const std::vector<Outline> defined = patternOutlines(state);
    const std::vector<Candidate> candidates = options.grid
        ? gridCells(sheet, *options.grid, defined, result)
        : islandCandidates(sheet, options, defined, result);
    const std::vector<int> numbers = freePatterns(state);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        MissingPattern pattern { 0, {}, candidates[i].rect, candidates[i].pixels };
        if (i < numbers.size()) {
            pattern.number = numbers[i];
            pattern.line = patternLine(pattern.number, state.hexNumbering, pattern.rect);
        } else {
            ++result.unnumbered;
        }
        result.missing.push_back(std::move(pattern));
    }
    return result;
}

} // namespace closeup
