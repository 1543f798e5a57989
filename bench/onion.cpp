// The zoom window's own compositions on the sample character: one frame
// with onion skin 3,3 as playback moves on (the neighbours' sprites kept
// from the frames before), and the strip of the 38 frames of animation 1,
// made once per load.

#include "closeup/FrameList.h"
#include "closeup/ZoomPicture.h"
#include "display/DXDraws.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "playback/NullHost.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Sample {
    Sample()
    {
        logic.DXDraw1InitializeSurface(directDraw);
        logic.drop(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
    }
    ~Sample() { logic.DXDraw1FinalizeSurface(); }
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    TDirectDraw directDraw;
    playback::FormLogic logic { form, host };
};

void onionFrame(benchmark::State& state)
{
    Sample sample;
    sample.logic.state().currentAnimation = 6; // 16 frames, layered
    closeup::ZoomPicture zoom;
    zoom.setOnion({ 3, 3, false });
    std::int32_t frame = 0;
    for (auto _ : state) {
        frame = frame % 16 + 1;
        benchmark::DoNotOptimize(
            zoom.update({ &sample.logic.state(), frame, sample.logic.sheetSurface(), nullptr }));
    }
}
BENCHMARK(onionFrame)->Unit(benchmark::kMicrosecond);

void stripOfAnimation1(benchmark::State& state)
{
    Sample sample;
    const character::CharacterState& character = sample.logic.state();
    for (auto _ : state) {
        closeup::FrameList list;
        benchmark::DoNotOptimize(list.update(character.tables, 1, sample.logic.sheetSurface(), true));
    }
}
BENCHMARK(stripOfAnimation1)->Unit(benchmark::kMillisecond);

} // namespace
