// The slicer on sheets of any shape: the first bytes pick the width, the
// gap and a grid, every later bit is a pixel, drawn or keyed. Whatever the
// sheet, the islands hold every drawn pixel once, lie on the sheet and, once
// merged, keep more than the gap between each other.

#include "closeup/Slicer.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::int32_t width = 1 + data[0] % 64;
    const std::int32_t gap = data[1] % 18;
    std::vector<std::uint32_t> raw;
    for (std::size_t i = 3; i < size; ++i) {
        for (int bit = 0; bit < 8; ++bit)
            raw.push_back((data[i] >> bit) & 1u);
    }
    const std::int32_t height = static_cast<std::int32_t>(raw.size() / std::size_t(width));
    const closeup::SheetPixels sheet { raw, width, height, 0u };
    std::int64_t drawn = 0;
    for (std::size_t i = 0; i < std::size_t(width) * std::size_t(height); ++i)
        drawn += raw[i];

    const std::vector<closeup::Island> islands = closeup::findIslands(sheet, gap);
    std::int64_t held = 0;
    for (std::size_t i = 0; i < islands.size(); ++i) {
        const TRect& r = islands[i].rect;
        if (r.Left < 0 || r.Top < 0 || r.Right > width || r.Bottom > height || r.width() <= 0
            || r.height() <= 0)
            std::abort();
        held += islands[i].pixels;
        for (std::size_t j = i + 1; j < islands.size(); ++j) {
            if (closeup::rectGap(r, islands[j].rect) <= gap)
                std::abort();
        }
    }
    if (held != drawn)
        std::abort();

    closeup::SliceOptions options;
    options.gap = gap;
    if (data[2] & 0x80)
        options.grid
            = closeup::SliceGrid { 1 + data[2] % 9, 1 + data[2] / 9 % 7, data[2] % 5 - 2, data[2] % 3 - 1 };
    character::CharacterState state;
    state.hexNumbering = data[2] & 1;
    const closeup::SliceResult result = closeup::findMissingPatterns(sheet, state, options);
    if (result.found != result.alreadyDefined + result.missing.size())
        std::abort();
    return 0;
}
