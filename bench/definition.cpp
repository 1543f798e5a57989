// Parse speed of the definition reader on a large generated file held in
// memory (DefinitionFile.h).

#include "DefinitionFile.h"

#include "character/DefinitionReader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class CountingSink : public character::DefinitionSink {
public:
    std::uint64_t sum = 0;
    void characterName(std::string_view name, const character::SourceRange&) override { sum += name.size(); }
    void frameInterval(std::int32_t ms, const character::SourceRange&) override
    {
        sum += static_cast<std::uint32_t>(ms);
    }
    void hexNumberingOn(const character::SourceRange&) override { ++sum; }
    void sheetName(std::string_view name, const character::SourceRange&) override { sum += name.size(); }
    void baseFrame(int, int k, std::int32_t p, const character::SourceRange&) override
    {
        sum += static_cast<std::uint64_t>(k + p);
    }
    void baseListEnd(int a, const character::SourceRange&, const character::SourceRange&) override
    {
        sum += static_cast<std::uint64_t>(a);
    }
    void layerFrame(int, int k, std::int32_t p, const character::SourceRange&) override
    {
        sum += static_cast<std::uint64_t>(k + p);
    }
    void placementFrame(int, int k, std::int32_t p, const character::SourceRange&) override
    {
        sum += static_cast<std::uint64_t>(k + p);
    }
    void layerListsEnd(int a, const character::SourceRange&, const character::SourceRange&,
        const character::SourceRange&) override
    {
        sum += static_cast<std::uint64_t>(a);
    }
    void pattern(int n, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
        const PatternPlaces&) override
    {
        sum += static_cast<std::uint64_t>(n + left + top + width + height);
    }
};

void parseDefinitionBench(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = benchfile::generatedFile();
    for (auto _ : state) {
        CountingSink sink;
        character::parseDefinition(file, sink);
        benchmark::DoNotOptimize(sink.sum);
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(parseDefinitionBench)->Unit(benchmark::kMillisecond);

} // namespace
