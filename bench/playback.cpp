// The work of one drop of the example character (reading the definition
// file, loading its sheet) and of one frame (clear, compose, present).

#include "../tests/character/BmpFile.h"
#include "display/DXDraws.h"
#include "playback/Composition.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

const char* const kExample = "#CHARNAME Sample\r\n#ANIME 80\r\n#DATA 16\r\n#CHARBMP sample.bmp\r\n"
                             "#01 0 0 121 271\r\n#02 121 0 121 271\r\n#03 242 0 121 271\r\n"
                             "#1A 0 280 40 40\r\n#1B 60 100 40 40\r\n#PATERN 01 0202020303\r\n"
                             "#PATERN 06 02030203\r\n#LAYER 06 1A1A1A1A 1B1B1B1B\r\n";

// Shows frames as fast as they are asked for.
class FreeRunningHost : public playback::PlayerHost {
public:
    explicit FreeRunningHost(TDirectDrawSurface* view)
        : m_view(view)
    {
    }
    std::uint32_t now() override { return m_clock; }
    void waitUntil(std::uint32_t deadline) override { m_clock = deadline; }
    bool CanDraw() override { return true; }
    TDirectDrawSurface* Surface() override { return m_view; }
    void Flip() override { }

private:
    TDirectDrawSurface* m_view;
    std::uint32_t m_clock = 0;
};

struct Scene {
    Scene()
        : folder(std::filesystem::temp_directory_path() / ("nimbrel_bench_" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(folder);
        definition = (folder / "sample.txt").string();
        tabletest::writeText(definition, kExample);
        tabletest::writeBmp((folder / "sample.bmp").string(), 363, 320,
            [](int x, int y) { return static_cast<std::uint32_t>(x * 7 + y * 131); });
        view->SetSize(121, 271);
        logic.DXDraw1InitializeSurface(directDraw);
        logic.drop(definition);
    }
    ~Scene()
    {
        logic.DXDraw1FinalizeSurface();
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    std::string definition;
    TDirectDraw directDraw;
    std::unique_ptr<TDirectDrawSurface> view = std::make_unique<TDirectDrawSurface>(&directDraw);
    playback::HeadlessForm form;
    FreeRunningHost host { view.get() };
    playback::FormLogic logic { form, host };
};

void BM_LoadExampleCharacter(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        scene.logic.reloadClick();
}
BENCHMARK(BM_LoadExampleCharacter)->Unit(benchmark::kMicrosecond);

void BM_ComposeLayeredFrame(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state) {
        scene.view->Fill(0);
        playback::composeFrame(
            scene.logic.state().tables, 6, 1, scene.logic.sheetSurface(), scene.view.get());
    }
}
BENCHMARK(BM_ComposeLayeredFrame)->Unit(benchmark::kMicrosecond);

void BM_IdleStep(benchmark::State& state)
{
    Scene scene;
    scene.logic.buttonClick(form::Control::Button6);
    for (auto _ : state) {
        bool done = true;
        scene.logic.idle(done);
        benchmark::DoNotOptimize(done);
    }
}
BENCHMARK(BM_IdleStep)->Unit(benchmark::kMicrosecond);

} // namespace
