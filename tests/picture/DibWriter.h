#pragma once

// Writes small BMP-format files for the DIB tests: any header kind, masks,
// colour table, pixel bytes and a free pixel offset, so that tests can build
// both sound and broken files byte by byte.

#include "platform/Gdi.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dibtest {

struct DibFile {
    std::uint32_t headerSize = 40; // 12, 40, or anything else to test refusal
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = platform::BI_RGB;
    std::optional<std::uint32_t> sizeImage; // default: pixels.size()
    std::uint32_t colorsUsed = 0;
    std::optional<std::vector<std::uint32_t>> masks; // written after the header
    std::vector<platform::RgbQuad> colors; // 3 bytes each for a 12-byte header
    std::size_t gap = 0; // bytes between colour table and pixels
    std::optional<std::uint32_t> pixelOffset; // default: where the pixels land
    std::vector<std::uint8_t> pixels;
};

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

inline std::vector<std::uint8_t> infoPart(const DibFile& f)
{
    std::vector<std::uint8_t> out;
    put32(out, f.headerSize);
    if (f.headerSize == 12) {
        put16(out, std::uint32_t(f.width));
        put16(out, std::uint32_t(f.height));
        put16(out, f.planes);
        put16(out, f.bitCount);
    } else {
        put32(out, std::uint32_t(f.width));
        put32(out, std::uint32_t(f.height));
        put16(out, f.planes);
        put16(out, f.bitCount);
        put32(out, f.compression);
        put32(out, f.sizeImage.value_or(std::uint32_t(f.pixels.size())));
        put32(out, 2835);
        put32(out, 2835);
        put32(out, f.colorsUsed);
        put32(out, 0);
        if (f.headerSize > 40)
            out.resize(out.size() + (f.headerSize - 40), 0);
    }
    if (f.masks)
        for (auto m : *f.masks)
            put32(out, m);
    for (const auto& c : f.colors) {
        out.push_back(c.rgbBlue);
        out.push_back(c.rgbGreen);
        out.push_back(c.rgbRed);
        if (f.headerSize != 12)
            out.push_back(c.rgbReserved);
    }
    out.resize(out.size() + f.gap, 0xEE);
    return out;
}

// The whole file: file header, then info part and pixels.
inline std::vector<std::uint8_t> writeDib(const DibFile& f)
{
    const auto info = infoPart(f);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, std::uint32_t(14 + info.size() + f.pixels.size()));
    put32(out, 0);
    put32(out, f.pixelOffset.value_or(std::uint32_t(14 + info.size())));
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), f.pixels.begin(), f.pixels.end());
    return out;
}

} // namespace dibtest
