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
    // Rows are formed from the top down: the topmost island not yet placed
    // opens a row that reaches down to its bottom, and every further island
    // whose top lies above the row's bottom joins it and, when it reaches
    // lower, lowers that bottom. So poses whose heads start at different
    // heights, and a mark above a pose that reaches down into its row, read
    // as one row.
    std::sort(islands.begin(), islands.end(), [](const Island& a, const Island& b) {
        return a.rect.Top != b.rect.Top ? a.rect.Top < b.rect.Top : a.rect.Left < b.rect.Left;
    });
    auto rowBegin = islands.begin();
    while (rowBegin != islands.end()) {
        std::int32_t bottom = rowBegin->rect.Bottom;
        auto rowEnd = rowBegin + 1;
        for (; rowEnd != islands.end() && rowEnd->rect.Top < bottom; ++rowEnd)
            bottom = std::max(bottom, rowEnd->rect.Bottom);
        std::stable_sort(
            rowBegin, rowEnd, [](const Island& a, const Island& b) { return a.rect.Left < b.rect.Left; });
        rowBegin = rowEnd;
    }
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
