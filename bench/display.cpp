// One frame of the player on a 32-bit display: clear the 121 x 271 view,
// copy the background pattern without key and two patterns with the sheet's
// colour key from a 1024 x 1024 sheet, and present the view into its window.
// Beside it, a plain memcpy of as many bytes as the frame writes, so that
// the two figures can be compared on the same machine in the same run.

#include "display/DXDraws.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

using namespace platform;

namespace {

constexpr std::int32_t kViewWidth = 121;
constexpr std::int32_t kViewHeight = 271;
constexpr std::int32_t kSheetSide = 1024;
constexpr std::size_t kViewBytes = std::size_t { kViewWidth } * kViewHeight * 4;
// The fill, three copies and the present each write the whole view.
constexpr std::size_t kFrameBytes = 5 * kViewBytes;

// The display's format is the screen's, 32-bit XRGB unless a test changes it.
struct Frame {
    TDirectDraw directDraw;
    TDirectDrawSurface* primary = new TDirectDrawSurface(&directDraw);
    TDirectDrawSurface* view = new TDirectDrawSurface(&directDraw);
    TDirectDrawSurface* sheet = new TDirectDrawSurface(&directDraw);
    TDirectDrawClipper* clipper = new TDirectDrawClipper(&directDraw);
    HWND window = std::make_shared<SoftWindow>(kViewWidth, kViewHeight);

    Frame()
    {
        DDSURFACEDESC desc;
        desc.dwSize = kSurfaceDescSize;
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        primary->CreateSurface(desc);
        clipper->Handle(window);
        primary->Clipper(clipper);
        view->SetSize(kViewWidth, kViewHeight);
        sheet->SetSize(kSheetSide, kSheetSide);
        // A sheet where about every third pixel has the key colour.
        DDSURFACEDESC locked;
        sheet->Lock(nullptr, locked);
        for (std::int32_t y = 0; y < kSheetSide; ++y) {
            for (std::int32_t x = 0; x < kSheetSide; ++x) {
                const std::uint32_t value = ((x * 7 + y * 13) % 3 == 0) ? 0x00FF00FF : 0x00010203u * (x ^ y);
                std::memcpy(locked.lpSurface + y * locked.lPitch + x * 4, &value, 4);
            }
        }
        sheet->Unlock();
        sheet->TransparentColor(0x00FF00FF);
    }

    void run()
    {
        view->Fill(0);
        view->BltFast(0, 0, TRect { 0, 0, kViewWidth, kViewHeight }, DDBLTFAST_NOCOLORKEY, sheet);
        view->BltFast(
            0, 0, TRect { 200, 300, 200 + kViewWidth, 300 + kViewHeight }, DDBLTFAST_SRCCOLORKEY, sheet);
        view->BltFast(
            0, 0, TRect { 500, 600, 500 + kViewWidth, 600 + kViewHeight }, DDBLTFAST_SRCCOLORKEY, sheet);
        const TRect dest { 0, 0, kViewWidth, kViewHeight };
        const TRect source = view->ClientRect();
        DDBLTFX fx;
        fx.dwSize = kBltFxSize;
        primary->Blt(&dest, &source, DDBLT_WAIT, fx, view);
    }
};

void BM_Frame(benchmark::State& state)
{
    Frame frame;
    for (auto _ : state) {
        frame.run();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_Frame);

// The parts of a frame, to see where its time goes.
void BM_FillView(benchmark::State& state)
{
    Frame frame;
    for (auto _ : state)
        frame.view->Fill(0);
}
BENCHMARK(BM_FillView);

void BM_BltFastKeyed(benchmark::State& state)
{
    Frame frame;
    for (auto _ : state)
        frame.view->BltFast(0, 0, TRect { 200, 300, 200 + kViewWidth, 300 + kViewHeight },
            DDBLTFAST_SRCCOLORKEY, frame.sheet);
}
BENCHMARK(BM_BltFastKeyed);

void BM_Present(benchmark::State& state)
{
    Frame frame;
    const TRect dest { 0, 0, kViewWidth, kViewHeight };
    const TRect source = frame.view->ClientRect();
    DDBLTFX fx;
    fx.dwSize = kBltFxSize;
    for (auto _ : state)
        frame.primary->Blt(&dest, &source, DDBLT_WAIT, fx, frame.view);
}
BENCHMARK(BM_Present);

void BM_MemcpyOfFrameBytes(benchmark::State& state)
{
    std::vector<std::uint8_t> from(kFrameBytes, 1);
    std::vector<std::uint8_t> to(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFrameBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_MemcpyOfFrameBytes);

} // namespace
