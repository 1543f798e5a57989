// The animated GIF writer on 64 frames of the sample character, with
// ImageMagick's convert making a GIF of the very same frames as the peer
// (a whole process, as a user would run it), and the sample's report.
// Each benchmark reports the file size it wrote as "bytes".

#include "display/DXDraws.h"
#include "export/AtomicFile.h"
#include "export/GifEncoder.h"
#include "export/OnceThrough.h"
#include "export/PngEncoder.h"
#include "export/Report.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "playback/NullHost.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const std::string kSample = std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt";
constexpr std::size_t kFrames = 64;
constexpr std::int32_t kIntervalMs = 100;

// The sample loaded, and 64 frames of it: idle, joy 1 and damage 3 once
// through each, as a user would record them.
struct Sample {
    Sample()
        : folder(fs::temp_directory_path() / ("nimbrel_bench_export_" + std::to_string(getpid())))
    {
        fs::create_directories(folder);
        logic.DXDraw1InitializeSurface(directDraw);
        logic.drop(kSample);
        for (const int animation : { 1, 6, 12, 2 }) {
            for (exporter::Image& frame : exporter::onceThroughFrames(
                     logic.state().tables, animation, logic.sheetSurface(), directDraw)) {
                if (frames.size() < kFrames)
                    frames.push_back(std::move(frame));
            }
        }
        for (const exporter::Image& frame : frames)
            timed.push_back({ &frame, kIntervalMs });
    }
    ~Sample()
    {
        logic.DXDraw1FinalizeSurface();
        fs::remove_all(folder);
    }
    std::string file(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
    TDirectDraw directDraw;
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    playback::FormLogic logic { form, host };
    std::vector<exporter::Image> frames;
    std::vector<exporter::TimedImage> timed;
};

Sample& sample()
{
    static Sample instance;
    return instance;
}

bool runProcess(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const bool started = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return started && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_GifOf64SampleFrames(benchmark::State& state)
{
    Sample& scene = sample();
    const std::string path = scene.file("ours.gif");
    for (auto _ : state)
        exporter::writeAnimatedGif(path, scene.timed);
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_GifOf64SampleFrames)->Unit(benchmark::kMillisecond);

// The peer gets the frames as PNG files and its own frame optimiser, which
// stores changed rectangles as ours does.
void BM_ImageMagickConvertOf64SampleFrames(benchmark::State& state)
{
    Sample& scene = sample();
    std::vector<std::string> arguments { "/usr/bin/convert", "-delay", "10", "-loop", "0" };
    for (std::size_t i = 0; i < scene.frames.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame%03zu.png", i);
        exporter::writeFileAtomically(scene.file(name), exporter::encodePng(scene.frames[i]));
        arguments.push_back(scene.file(name));
    }
    arguments.insert(arguments.end(), { "-layers", "Optimize", scene.file("peer.gif") });
    for (auto _ : state) {
        if (!runProcess(arguments)) {
            state.SkipWithError("convert failed");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(scene.file("peer.gif")));
}
BENCHMARK(BM_ImageMagickConvertOf64SampleFrames)->Unit(benchmark::kMillisecond)->Iterations(5);

#ifdef NIMBREL_RENDER_BINARY
// Our side as a whole process too: load, play 64 frames, write the GIF.
void BM_DriverGifOf64SampleFrames(benchmark::State& state)
{
    Sample& scene = sample();
    const std::vector<std::string> arguments { NIMBREL_RENDER_BINARY, "--drop", kSample, "--frames", "38",
        "--press", "Button6", "--frames", "16", "--press", "Button11", "--frames", "10", "--gif",
        scene.file("driver.gif") };
    for (auto _ : state) {
        if (!runProcess(arguments)) {
            state.SkipWithError("nimbrel-render failed");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(scene.file("driver.gif")));
}
BENCHMARK(BM_DriverGifOf64SampleFrames)->Unit(benchmark::kMillisecond)->Iterations(10);
#endif

void BM_SampleReport(benchmark::State& state)
{
    Sample& scene = sample();
    exporter::ReportInput input;
    input.name = scene.form.caption(form::Control::Label1);
    input.definitionPath = kSample;
    input.state = &scene.logic.state();
    input.sheet = scene.logic.sheetSurface();
    input.directDraw = &scene.directDraw;
    for (auto _ : state)
        exporter::writeReport(scene.file("report.html"), input);
    state.counters["bytes"] = static_cast<double>(fs::file_size(scene.file("report.html")));
}
BENCHMARK(BM_SampleReport)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
