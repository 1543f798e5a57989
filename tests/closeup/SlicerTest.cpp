#include "closeup/Slicer.h"
#include "closeup/SheetPicking.h"
#include "playback/SurfacePixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kKey = 0x00FF00FFu;

// A sheet drawn in text: '.' is the key colour, any other character a drawn
// pixel of its own value.
struct Sheet {
    std::vector<std::uint32_t> raw;
    std::int32_t width = 0;
    std::int32_t height = 0;

    explicit Sheet(const std::vector<std::string>& rows)
        : width(static_cast<std::int32_t>(rows.front().size()))
        , height(static_cast<std::int32_t>(rows.size()))
    {
        for (const std::string& row : rows) {
            for (const char c : row)
                raw.push_back(c == '.' ? kKey : std::uint32_t(static_cast<unsigned char>(c)));
        }
    }
    Sheet(std::int32_t w, std::int32_t h, std::uint32_t fill)
        : raw(std::size_t(w) * std::size_t(h), fill)
        , width(w)
        , height(h)
    {
    }
    void draw(const TRect& r, std::uint32_t value = 1)
    {
        for (std::int32_t y = r.Top; y < r.Bottom; ++y)
            for (std::int32_t x = r.Left; x < r.Right; ++x)
                raw[std::size_t(y) * std::size_t(width) + std::size_t(x)] = value;
    }
    closeup::SheetPixels pixels(std::optional<std::uint32_t> key = kKey) const
    {
        return { raw, width, height, key };
    }
};

std::vector<TRect> rectsOf(std::vector<closeup::Island> islands)
{
    closeup::sortInReadingOrder(islands);
    std::vector<TRect> rects;
    for (const closeup::Island& island : islands)
        rects.push_back(island.rect);
    return rects;
}

// A character whose file defines these patterns, in either numbering.
character::CharacterState defining(const std::vector<std::pair<int, TRect>>& patterns, bool hex = false)
{
    character::CharacterState state;
    state.hexNumbering = hex;
    for (const auto& [number, rect] : patterns) {
        state.definedPatterns.set(std::size_t(number));
        state.tables.patterns[std::size_t(number)].rect = rect;
    }
    return state;
}

std::vector<std::string> linesOf(const closeup::SliceResult& result)
{
    std::vector<std::string> lines;
    for (const closeup::MissingPattern& pattern : result.missing)
        lines.push_back(pattern.line);
    return lines;
}

const Sheet kSpecks({
    "##....#",
    "##.....",
    "......#",
    ".#.....",
});

} // namespace

TEST(Islands, ConnectAtCornersAndMergeWithinTheGap)
{
    struct Row {
        const char* what;
        std::vector<std::string> art;
        std::int32_t gap;
        std::vector<TRect> rects;
    };
    const Row rows[] = {
        { "corner contact joins", { "#...", ".#..", "..##", "...." }, 0, { { 0, 0, 4, 3 } } },
        { "a comb joins at its back", { "#.#.#", "#.#.#", "#####" }, 0, { { 0, 0, 5, 3 } } },
        { "a speck one pixel away stays apart at 0", { "##.#", "##.." }, 0,
            { { 0, 0, 2, 2 }, { 3, 0, 4, 1 } } },
        { "and merges at 1", { "##.#", "##.." }, 1, { { 0, 0, 4, 2 } } },
        { "two pixels away needs 2", { "##..#" }, 1, { { 0, 0, 2, 1 }, { 4, 0, 5, 1 } } },
        // A tear inside a pose's box would make a pattern inside a pattern.
        { "an island inside another's box merges at 0", { "#####", "#...#", "#.#.#", "#...#", "##.##" }, 0,
            { { 0, 0, 5, 5 } } },
        // The union of the first two reaches the third, which neither did.
        { "merging repeats until nothing is near", { "###..", "....#", ".....", "#...." }, 1,
            { { 0, 0, 5, 4 } } },
        { "rows of specks read left to right", { "#.#", "...", "#.#" }, 0,
            { { 0, 0, 1, 1 }, { 2, 0, 3, 1 }, { 0, 2, 1, 3 }, { 2, 2, 3, 3 } } },
    };
    for (const Row& row : rows) {
        const Sheet sheet(row.art);
        EXPECT_EQ(rectsOf(closeup::findIslands(sheet.pixels(), row.gap)), row.rects) << row.what;
    }
}

TEST(Islands, KeyAndSheetEdges)
{
    // The key found only in its own corner leaves one island of everything else.
    Sheet cornerKey(6, 5, 7);
    cornerKey.raw.back() = kKey;
    const auto one = closeup::findIslands(cornerKey.pixels(), 0);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], (closeup::Island { { 0, 0, 6, 5 }, 29 }));
    // A surface without a key draws every pixel.
    EXPECT_EQ(closeup::findIslands(Sheet(3, 2, kKey).pixels(std::nullopt), 0),
        (std::vector<closeup::Island> { { { 0, 0, 3, 2 }, 6 } }));
    EXPECT_TRUE(closeup::findIslands(Sheet(3, 2, kKey).pixels(), 0).empty());
    // Pixel memory shorter than the size it claims is no sheet.
    Sheet shortSheet(4, 4, 1);
    closeup::SheetPixels lying = shortSheet.pixels();
    lying.height = 5;
    EXPECT_TRUE(closeup::findIslands(lying, 0).empty());
    EXPECT_TRUE(closeup::findMissingPatterns(lying, {}, {}).missing.empty());
}

TEST(Islands, SheetSizedIslandsNeedNoDeepStack)
{
    // One plain island, and a serpentine whose every row joins the one
    // before at alternate ends: labels chain from one end to the other.
    Sheet plain(2048, 2048, 3);
    EXPECT_EQ(closeup::findIslands(plain.pixels(), 0),
        (std::vector<closeup::Island> { { { 0, 0, 2048, 2048 }, 2048 * 2048 } }));
    Sheet snake(2048, 2048, kKey);
    for (std::int32_t y = 0; y < 2048; y += 2) {
        snake.draw({ 0, y, 2047, y + 1 });
        const std::int32_t end = (y / 2) % 2 == 0 ? 2046 : 0;
        if (y + 1 < 2048)
            snake.draw({ end, y + 1, end + 1, y + 2 });
    }
    const auto islands = closeup::findIslands(snake.pixels(), 0);
    ASSERT_EQ(islands.size(), 1u);
    EXPECT_EQ(islands[0].rect, (TRect { 0, 0, 2047, 2048 }));
}

TEST(Slicer, MinAreaAndDefinedPatternsLeaveTheRest)
{
    closeup::SliceOptions options;
    options.minArea = 2;
    EXPECT_EQ(linesOf(closeup::findMissingPatterns(kSpecks.pixels(), {}, options)),
        (std::vector<std::string> { "#01 0 0 2 2" }));

    // Inside a defined pattern (edges included) is defined; crossing its edge is not.
    const Sheet sheet({
        "##..##",
        "##..##",
        "......",
        "##....",
    });
    const auto state = defining({ { 1, { 0, 0, 2, 2 } }, { 2, { 3, 0, 5, 2 } }, { 3, { 0, 3, 0, 4 } } });
    const closeup::SliceResult result = closeup::findMissingPatterns(sheet.pixels(), state, {});
    EXPECT_EQ(linesOf(result), (std::vector<std::string> { "#04 4 0 2 2", "#05 0 3 2 1" }));
    EXPECT_EQ(result.found, 3u);
    EXPECT_EQ(result.alreadyDefined, 1u);
    EXPECT_EQ(result.missing[0].pixels, 4);
}

TEST(Slicer, NumbersFillHolesInTheFilesNumbering)
{
    const std::pair<int, TRect> far { 0, { 100, 100, 101, 101 } };
    struct Row {
        const char* what;
        character::CharacterState state;
        std::vector<std::string> lines;
        std::size_t unnumbered;
    };
    auto taken = [&](int from, int to, bool hex) {
        std::vector<std::pair<int, TRect>> patterns;
        for (int n = from; n <= to; ++n)
            patterns.push_back({ n, far.second });
        return defining(patterns, hex);
    };
    auto holes = defining({ { 1, far.second }, { 3, far.second }, { 4, far.second } });
    const Row rows[] = {
        { "decimal, after and between defined numbers", holes,
            { "#02 0 0 2 2", "#05 6 0 1 1", "#06 6 2 1 1", "#07 1 3 1 1" }, 0 },
        { "hexadecimal past nine", taken(1, 9, true),
            { "#0A 0 0 2 2", "#0B 6 0 1 1", "#0C 6 2 1 1", "#0D 1 3 1 1" }, 0 },
        { "decimal ends at 99", taken(1, 97, false), { "#98 0 0 2 2", "#99 6 0 1 1", "", "" }, 2 },
        { "hexadecimal goes on to FF", taken(1, 97, true),
            { "#62 0 0 2 2", "#63 6 0 1 1", "#64 6 2 1 1", "#65 1 3 1 1" }, 0 },
    };
    for (const Row& row : rows) {
        const closeup::SliceResult result = closeup::findMissingPatterns(kSpecks.pixels(), row.state, {});
        EXPECT_EQ(linesOf(result), row.lines) << row.what;
        EXPECT_EQ(result.unnumbered, row.unnumbered) << row.what;
    }
}

TEST(Slicer, GridCellsWithContentAndNotCutAlready)
{
    const Sheet sheet({
        "...#...#.",
        "..#.....#",
        "....#....",
        ".........",
        "#........",
    });
    closeup::SliceOptions options;
    options.grid = closeup::SliceGrid { 4, 2, 0, 0 };
    // Cells of the last, partial column and row are not cells.
    auto result = closeup::findMissingPatterns(sheet.pixels(), {}, options);
    EXPECT_EQ(linesOf(result), (std::vector<std::string> { "#01 0 0 4 2", "#02 4 0 4 2", "#03 4 2 4 2" }));
    EXPECT_EQ(result.missing[0].pixels, 2);

    // Cut exactly, or holding its pixels in a larger pattern: defined.
    const auto state = defining({ { 1, { 0, 0, 4, 2 } }, { 2, { 4, 2, 9, 5 } } });
    result = closeup::findMissingPatterns(sheet.pixels(), state, options);
    EXPECT_EQ(linesOf(result), (std::vector<std::string> { "#03 4 0 4 2" }));
    EXPECT_EQ(result.found, 3u);
    EXPECT_EQ(result.alreadyDefined, 2u);

    options.grid = closeup::SliceGrid { 3, 3, 1, -1 };
    EXPECT_EQ(linesOf(closeup::findMissingPatterns(sheet.pixels(), {}, options)),
        (std::vector<std::string> { "#01 4 2 3 3" }));
}

TEST(Slicer, RowsAreBandsOfIslandsWhoseCentresLieInThem)
{
    // A tall member takes the row down to a pose that starts below the
    // first one's bottom; a long stroke whose top reaches into the row but
    // whose centre lies below it reads in the next row.
    const Sheet sheet({
        "##.#.........",
        "##.#.........",
        "##.#......##.",
        "##.#....#.##.",
        "...#.##.#....",
        "...#.##.#....",
        "...#....#....",
        "........#....",
        "........#....",
        "........#....",
        "........#....",
        "........#....",
        ".............",
        "##...........",
    });
    EXPECT_EQ(linesOf(closeup::findMissingPatterns(sheet.pixels(), {}, {})),
        (std::vector<std::string> {
            "#01 0 0 2 4", "#02 3 0 1 7", "#03 5 4 2 2", "#04 10 2 2 2", "#05 8 3 1 9", "#06 0 13 2 1" }));
}

TEST(SheetPicking, AClickTakesTheDrawingUnderItAndShiftAddsOne)
{
    TDirectDraw directDraw;
    const auto surface = playbacktest::makeSurface(directDraw, 8, 4);
    playbacktest::paint(*surface, 0, 0, 8, 4, kKey);
    for (const TPoint p : { TPoint { 1, 1 }, TPoint { 2, 2 }, TPoint { 6, 0 } })
        playbacktest::paint(*surface, p.X, p.Y, 1, 1, 5);
    surface->TransparentColor(kKey);
    closeup::SurfaceImage sheet;
    sheet.capture(surface.get());
    const auto islands = closeup::findIslands(closeup::sheetPixels(sheet), 0);
    const TRect none;
    const TRect first { 1, 1, 3, 3 };
    EXPECT_EQ(closeup::clickSelection(sheet, islands, { 2, 2 }, none, false), first);
    EXPECT_EQ(closeup::clickSelection(sheet, islands, { 6, 0 }, first, true), (TRect { 1, 0, 7, 3 }));
    EXPECT_EQ(closeup::clickSelection(sheet, islands, { 6, 0 }, first, false), (TRect { 6, 0, 7, 1 }));
    // Over the key, even inside a drawing's box, a click is a drag that did
    // not move, and an adding click changes nothing; so off the sheet.
    EXPECT_EQ(closeup::clickSelection(sheet, islands, { 2, 1 }, first, false), (TRect { 2, 1, 3, 2 }));
    EXPECT_EQ(closeup::clickSelection(sheet, islands, { 2, 1 }, first, true), first);
    EXPECT_EQ(closeup::clickSelection(sheet, islands, { 9, 1 }, first, true), first);
    EXPECT_EQ(closeup::clickSelection(sheet, islands, { 9, 1 }, first, false), none);

    closeup::SliceResult result;
    result.missing = { { 3, "#03 1 1 2 2", first, 2 }, { 0, "", { 6, 0, 7, 1 }, 1 } };
    result.found = 5;
    result.alreadyDefined = 3;
    result.unnumbered = 1;
    EXPECT_EQ(closeup::missingLines(result), "#03 1 1 2 2\n");
    EXPECT_EQ(closeup::missingSummary(result),
        "未定義の絵 2 個（定義済み 3 個、見つけた絵 5 個）　番号が足りず 1 個は行にできません");
}
