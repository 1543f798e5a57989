// The sheet viewer's drawing on a 2048 x 2048 sheet at 1x: the outlines of
// 255 patterns with the frame's highlights, which every repaint draws, and a
// whole repaint with the sheet's pixels under them.

#include "closeup/PixelView.h"
#include "closeup/SheetOverlay.h"
#include "closeup/SurfaceImage.h"
#include "display/DXDraws.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr std::int32_t kSheet = 2048;

// 255 patterns of 121 x 128 in rows over the sheet, as a large character's
// poses would lie.
std::vector<closeup::Outline> outlines()
{
    std::vector<closeup::Outline> out;
    for (int n = 1; n <= 255; ++n) {
        const int col = (n - 1) % 16;
        const int row = (n - 1) / 16;
        out.push_back({ n, TRect { col * 128, row * 128, col * 128 + 121, row * 128 + 128 } });
    }
    return out;
}

const std::vector<closeup::Highlight> kHighlights {
    { closeup::HighlightRole::base, 20, TRect { 384, 128, 505, 256 } },
    { closeup::HighlightRole::layer, 200, TRect { 1024, 1536, 1145, 1664 } },
    { closeup::HighlightRole::placement, 201, TRect { 444, 228, 484, 268 } },
};

void outlinesAndHighlights(benchmark::State& state)
{
    const auto list = outlines();
    std::vector<std::uint32_t> pixels(std::size_t(kSheet) * kSheet, 0xFF000000u);
    const closeup::PixelTarget target { pixels.data(), kSheet, kSheet, kSheet };
    for (auto _ : state) {
        closeup::drawOutlines(target, { 1, 0, 0 }, list, kHighlights);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(outlinesAndHighlights)->Unit(benchmark::kMillisecond);

void wholeRepaint(benchmark::State& state)
{
    TDirectDraw directDraw;
    TDirectDrawSurface sheet(&directDraw);
    sheet.SetSize(kSheet, kSheet);
    sheet.Fill(0x00336699u);
    closeup::SurfaceImage image;
    image.capture(&sheet);
    const auto list = outlines();
    std::vector<std::uint32_t> pixels(std::size_t(kSheet) * kSheet);
    const closeup::PixelTarget target { pixels.data(), kSheet, kSheet, kSheet };
    for (auto _ : state) {
        closeup::drawPixels(image, target, { 1, 0, 0 }, { .checkerboard = true });
        closeup::drawOutlines(target, { 1, 0, 0 }, list, kHighlights);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(wholeRepaint)->Unit(benchmark::kMillisecond);

} // namespace
