// Finding the missing patterns of a sheet: the sample's sheet as the window
// loads it, and a 2048 x 2048 sheet of 500 sprites, each with a detached
// speck as a sweat drop would be, sliced plain and with the gap that joins
// the specks to their sprites.

#include "character/LoadProcedure.h"
#include "closeup/Slicer.h"
#include "closeup/SurfaceImage.h"
#include "display/DXDraws.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr std::int32_t kSheet = 2048;
constexpr std::uint32_t kKey = 0x00FF00FFu;

// 25 columns by 20 rows of cells 81 x 102; each sprite a ring-shaped body
// (so its rows hold two runs) and a speck two pixels off its right side.
std::vector<std::uint32_t> spriteSheet()
{
    std::vector<std::uint32_t> raw(std::size_t(kSheet) * kSheet, kKey);
    auto put = [&](std::int32_t x, std::int32_t y, std::uint32_t v) { raw[std::size_t(y) * kSheet + x] = v; };
    for (int n = 0; n < 500; ++n) {
        const std::int32_t left = (n % 25) * 81 + 4 + n % 7;
        const std::int32_t top = (n / 25) * 102 + 4 + n % 5;
        const std::int32_t rx = 28, ry = 40;
        for (std::int32_t dy = -ry; dy <= ry; ++dy) {
            for (std::int32_t dx = -rx; dx <= rx; ++dx) {
                const double d = double(dx) * dx / (rx * rx) + double(dy) * dy / (ry * ry);
                if (d <= 1.0 && d >= 0.25)
                    put(left + rx + dx, top + ry + dy, 0x00E08040u + std::uint32_t(n));
            }
        }
        put(left + 2 * rx + 3, top + ry, 0x004080FFu);
    }
    return raw;
}

void sampleSheet(benchmark::State& state)
{
    TDirectDraw directDraw;
    TDirectDrawSurface sheet(&directDraw);
    sheet.LoadFromFile(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.bmp");
    character::takeTransparentColor(sheet);
    closeup::SurfaceImage image;
    image.capture(&sheet);
    const character::CharacterState none;
    for (auto _ : state) {
        auto result = closeup::findMissingPatterns(closeup::sheetPixels(image), none, {});
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(sampleSheet)->Unit(benchmark::kMillisecond);

void sprites500(benchmark::State& state)
{
    const std::vector<std::uint32_t> raw = spriteSheet();
    const closeup::SheetPixels pixels { raw, kSheet, kSheet, kKey };
    character::CharacterState hex;
    hex.hexNumbering = true;
    closeup::SliceOptions options;
    options.gap = static_cast<std::int32_t>(state.range(0));
    std::size_t found = 0;
    for (auto _ : state) {
        auto result = closeup::findMissingPatterns(pixels, hex, options);
        found = result.found;
        benchmark::DoNotOptimize(result);
    }
    state.counters["islands"] = double(found);
}
BENCHMARK(sprites500)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

} // namespace
