// Check speed of nimbrel-check's core on the parse benchmark's file, beside
// the plain parse of the same file: the checker runs the same reader with a
// recording sink, every warning enabled, and the end-of-file checks.

#include "DefinitionFile.h"

#include "check/Checker.h"

#include <benchmark/benchmark.h>

namespace {

// The sheet is taken as present and large, so that every pattern is
// measured against it; no file is opened while timing.
check::SheetSize largeSheet(const std::string&)
{
    return check::SheetSize { 4096, 4096 };
}

class NullSink : public character::DefinitionSink {
public:
    void characterName(std::string_view, const character::SourceRange&) override { }
    void frameInterval(std::int32_t, const character::SourceRange&) override { }
    void hexNumberingOn(const character::SourceRange&) override { }
    void sheetName(std::string_view, const character::SourceRange&) override { }
    void baseFrame(int, int, std::int32_t p, const character::SourceRange&) override { sum += p; }
    void baseListEnd(int, const character::SourceRange&, const character::SourceRange&) override { }
    void layerFrame(int, int, std::int32_t p, const character::SourceRange&) override { sum += p; }
    void placementFrame(int, int, std::int32_t p, const character::SourceRange&) override { sum += p; }
    void layerListsEnd(int, const character::SourceRange&, const character::SourceRange&,
        const character::SourceRange&) override
    {
    }
    void pattern(int, std::int32_t, std::int32_t, std::int32_t, std::int32_t, const PatternPlaces&) override
    {
    }
    std::int64_t sum = 0;
};

void plainParse(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = benchfile::generatedFile();
    for (auto _ : state) {
        NullSink sink;
        character::parseDefinition(file, sink);
        benchmark::DoNotOptimize(sink.sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(plainParse)->Unit(benchmark::kMillisecond);

void checkDefinition(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = benchfile::generatedFile();
    std::size_t diagnostics = 0;
    for (auto _ : state) {
        const check::Report report = check::checkDefinition(file, "bench/char.txt", largeSheet);
        diagnostics = report.diagnostics.size();
        benchmark::DoNotOptimize(diagnostics);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.counters["diagnostics"] = static_cast<double>(diagnostics);
}
BENCHMARK(checkDefinition)->Unit(benchmark::kMillisecond);

} // namespace
