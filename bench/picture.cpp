// Loading and drawing a 2048 x 2048 sheet from memory, against stb_image's
// decode of the same file.
#include "../tests/picture/BmpWriter.h"
#include "picture/Graphics.h"

#include <benchmark/benchmark.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

namespace {

constexpr std::int32_t kSide = 2048;

// A sheet-like picture: a flat background with blocks of colour in runs of
// varying length.
std::uint32_t sheetIndex(std::int32_t x, std::int32_t y)
{
    if ((x / 64 + y / 64) % 3 == 0)
        return 0;
    return std::uint32_t((x / (7 + y % 13)) * 31 + y / 5) % 255 + 1;
}

std::uint32_t paletteColor(std::uint32_t i)
{
    return (i * 0x9E3779B1u) & 0xFFFFFF;
}

bmptest::Bytes makeSheet(std::uint16_t bitCount, std::uint32_t compression)
{
    bmptest::BmpImage s;
    s.width = kSide;
    s.height = kSide;
    s.bitCount = bitCount;
    s.compression = compression;
    if (bitCount == 8) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            const std::uint32_t c = paletteColor(i);
            s.colors.push_back({ std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16), 0 });
        }
        s.pixels = compression == platform::BI_RLE8 ? bmptest::encodeRle(kSide, kSide, 8, sheetIndex)
                                                    : bmptest::packRows(kSide, kSide, 8, sheetIndex);
    } else if (bitCount == 32) {
        // A paint program's sheet: alpha in the fourth byte, which the draw
        // must leave behind.
        s.pixels = bmptest::packRows(kSide, kSide, 32, [](std::int32_t x, std::int32_t y) {
            return paletteColor(sheetIndex(x, y)) | (std::uint32_t(x ^ y) << 24);
        });
    } else {
        s.pixels = bmptest::packRows(
            kSide, kSide, 24, [](std::int32_t x, std::int32_t y) { return paletteColor(sheetIndex(x, y)); });
    }
    return bmptest::writeBmp(s);
}

const bmptest::Bytes& sheet(int kind)
{
    // Each made on first use only, so that a run of one benchmark holds no
    // other sheet in memory to shift its figures.
    switch (kind) {
    case 0: {
        static const bmptest::Bytes rgb24 = makeSheet(24, platform::BI_RGB);
        return rgb24;
    }
    case 1: {
        static const bmptest::Bytes indexed8 = makeSheet(8, platform::BI_RGB);
        return indexed8;
    }
    case 2: {
        static const bmptest::Bytes rle8 = makeSheet(8, platform::BI_RLE8);
        return rle8;
    }
    default: {
        static const bmptest::Bytes argb32 = makeSheet(32, platform::BI_RGB);
        return argb32;
    }
    }
}

void loadAndDraw(benchmark::State& state)
{
    const bmptest::Bytes& file = sheet(static_cast<int>(state.range(0)));
    auto dc = platform::CreateCompatibleDC();
    platform::BitmapInfo info;
    info.header.biWidth = kSide;
    info.header.biHeight = kSide;
    info.header.biBitCount = 32;
    dc->selectBitmap(platform::CreateDIBSection(info));
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    for (auto _ : state) {
        TBytesStream stream(file);
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        canvas.DrawGraphic(0, 0, &bitmap);
        benchmark::DoNotOptimize(dc->bitmap()->bits());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

void stbDecode(benchmark::State& state)
{
    const bmptest::Bytes& file = sheet(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int w = 0, h = 0, n = 0;
        stbi_uc* pixels = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 0);
        if (!pixels)
            state.SkipWithError("stb_image refused the file");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(file.size()));
}

} // namespace

BENCHMARK(loadAndDraw)->Name("Nimbrel_LoadAndDraw/24bit")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(loadAndDraw)->Name("Nimbrel_LoadAndDraw/8bit")->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(loadAndDraw)->Name("Nimbrel_LoadAndDraw/RLE8")->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(loadAndDraw)->Name("Nimbrel_LoadAndDraw/32bit")->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(stbDecode)->Name("stb_image_Decode/24bit")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(stbDecode)->Name("stb_image_Decode/8bit")->Arg(1)->Unit(benchmark::kMillisecond);
