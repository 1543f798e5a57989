#pragma once

// Builds BMP files from bytes for the reader tests of both the bitmap and
// the DIB classes: any header kind, any field value (valid or not), masks,
// colour table, an optional gap before the pixel array and a free pixel
// offset, so that tests can build sound and broken files byte by byte; plus
// row packing and simple run-length encoders.

#include "platform/Gdi.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace bmptest {

using Bytes = std::vector<std::uint8_t>;

using Color = platform::RgbQuad;

struct BmpImage {
    std::uint32_t headerSize = 40; // 12, 40, 52, 56, 108, 124 or anything for malformed files
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::optional<std::uint32_t> sizeImage; // default: the pixel bytes' length
    std::uint32_t colorsUsed = 0;
    std::vector<Color> colors; // written as they are (3 bytes each with a 12-byte header)
    // Red, green and blue: written after a 40-byte header, or inside a longer one.
    std::array<std::optional<std::uint32_t>, 3> masks;
    std::uint32_t gap = 0; // bytes between colour table and pixels
    std::optional<std::uint32_t> pixelOffset; // default: where the pixels really start
    Bytes pixels;
    char magic[2] = { 'B', 'M' };
};

inline void put16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void put32(Bytes& b, std::uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

inline Bytes writeBmp(const BmpImage& s)
{
    Bytes info;
    put32(info, s.headerSize);
    if (s.headerSize == 12) {
        put16(info, static_cast<std::uint32_t>(s.width));
        put16(info, static_cast<std::uint32_t>(s.height));
        put16(info, s.planes);
        put16(info, s.bitCount);
    } else {
        put32(info, static_cast<std::uint32_t>(s.width));
        put32(info, static_cast<std::uint32_t>(s.height));
        put16(info, s.planes);
        put16(info, s.bitCount);
        put32(info, s.compression);
        put32(info, s.sizeImage.value_or(static_cast<std::uint32_t>(s.pixels.size())));
        put32(info, 2835);
        put32(info, 2835);
        put32(info, s.colorsUsed);
        put32(info, 0);
        const bool inside = s.headerSize >= 52;
        for (const auto& m : s.masks)
            if (m && (inside || s.headerSize == 40))
                put32(info, *m);
        if (inside && s.headerSize > info.size())
            info.resize(s.headerSize, 0);
    }
    for (const Color& c : s.colors) {
        info.push_back(c.rgbBlue);
        info.push_back(c.rgbGreen);
        info.push_back(c.rgbRed);
        if (s.headerSize != 12)
            info.push_back(c.rgbReserved);
    }
    info.insert(info.end(), s.gap, 0xCD);

    Bytes file;
    file.push_back(static_cast<std::uint8_t>(s.magic[0]));
    file.push_back(static_cast<std::uint8_t>(s.magic[1]));
    put32(file, static_cast<std::uint32_t>(14 + info.size() + s.pixels.size()));
    put32(file, 0);
    put32(file, s.pixelOffset.value_or(static_cast<std::uint32_t>(14 + info.size())));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.pixels.begin(), s.pixels.end());
    return file;
}

// Rows in file order (bottom row first unless top-down), each padded to 4
// bytes; `raw(x, y)` gives the stored value of pixel (x, y), y from the top.
inline Bytes packRows(std::int32_t width, std::int32_t height, int bitCount,
    const std::function<std::uint32_t(std::int32_t, std::int32_t)>& raw, bool topDown = false)
{
    const std::size_t stride = ((std::size_t(width) * bitCount + 31) / 32) * 4;
    Bytes out(stride * std::size_t(height), 0);
    for (std::int32_t fileRow = 0; fileRow < height; ++fileRow) {
        const std::int32_t y = topDown ? fileRow : height - 1 - fileRow;
        std::uint8_t* row = out.data() + std::size_t(fileRow) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t v = raw(x, y);
            switch (bitCount) {
            case 1:
                row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>((v & 0xF) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            default:
                for (int i = 0; i < bitCount / 8; ++i)
                    row[std::size_t(x) * (bitCount / 8) + i] = static_cast<std::uint8_t>(v >> (8 * i));
                break;
            }
        }
    }
    return out;
}

// Run-length data: each row (bottom row first) as runs of equal indexes,
// then end of line; end of bitmap at the end. RLE4 runs carry one index.
inline Bytes encodeRle(std::int32_t width, std::int32_t height, int bitCount,
    const std::function<std::uint32_t(std::int32_t, std::int32_t)>& index)
{
    Bytes out;
    for (std::int32_t fileRow = 0; fileRow < height; ++fileRow) {
        const std::int32_t y = height - 1 - fileRow;
        for (std::int32_t x = 0; x < width;) {
            const std::uint32_t v = index(x, y);
            std::int32_t n = 1;
            while (x + n < width && n < 255 && index(x + n, y) == v)
                ++n;
            out.push_back(static_cast<std::uint8_t>(n));
            out.push_back(static_cast<std::uint8_t>(bitCount == 4 ? (v & 0xF) * 0x11 : v));
            x += n;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

} // namespace bmptest
