// Parse speed of the definition reader on a large generated file held in
// memory: every pattern defined, every animation with full base, layer and
// placement lists, and comment lines between them.

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

std::string hexPairOf(int value)
{
    static const char* const kDigits = "0123456789ABCDEF";
    return { kDigits[value >> 4 & 15], kDigits[value & 15] };
}

std::string fullList(int seed)
{
    std::string list;
    for (int k = 1; k <= character::kLastListFrame; ++k)
        list += hexPairOf((k * 7 + seed) & 255);
    return list;
}

// One round of a character: header, patterns, lists, comments.
void appendCharacter(std::string& text, int round)
{
    text += "#CHARNAME Bench" + std::to_string(round) + " comment\r\n#ANIME 80\r\n#DATA 16\r\n";
    text += "#CHARBMP sheets\\bench.bmp\r\n";
    for (int p = 1; p <= 255; ++p) {
        text += "; pattern " + std::to_string(p) + " of the sheet, cut for the frames below\r\n";
        text += "#" + hexPairOf(p) + " " + std::to_string(p * 3) + "\t" + std::to_string(p * 5)
            + "  121 271 pose\r\n";
    }
    for (int a = 0; a <= character::kLastAnimationNumber; ++a) {
        const std::string number = (a < 10 ? "0" : "") + std::to_string(a);
        text += "; animation " + number + ": base frames, then the layer and where it goes\r\n";
        text += "#PATERN " + number + " " + fullList(a) + "\r\n";
        // A line value holds at most 1024 characters, so the two full lists
        // of a layer line do not fit on one line: the layer list is full,
        // the placement list takes what room is left.
        text += "#LAYER " + number + " " + fullList(a + 1) + " " + fullList(a + 2) + "\r\n";
    }
}

std::vector<std::uint8_t> generatedFile()
{
    std::string text;
    for (int round = 0; text.size() < (1u << 20); ++round)
        appendCharacter(text, round);
    return { text.begin(), text.end() };
}

void parseDefinitionBench(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = generatedFile();
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
