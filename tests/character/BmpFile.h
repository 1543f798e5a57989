#pragma once

// Writes the files a load reads: text byte for byte, and 24-bit BMP sheets
// drawn by a function of the pixel position. Free of the test framework so
// that benchmarks can use it too.

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tabletest {

inline void writeText(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void put16(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    put16(b, v);
    put16(b, v >> 16);
}

// A bottom-up 24-bit BMP; `color(x, y)` gives 0x00RRGGBB with y counted from
// the top row.
inline void writeBmp(
    const std::string& path, int width, int height, const std::function<std::uint32_t(int, int)>& color)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, 54 + imageSize);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(width));
    put32(b, static_cast<std::uint32_t>(height));
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, imageSize);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = color(x, y);
            b.push_back(static_cast<std::uint8_t>(c));
            b.push_back(static_cast<std::uint8_t>(c >> 8));
            b.push_back(static_cast<std::uint8_t>(c >> 16));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad)
            b.push_back(0);
    }
    writeText(path, std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

inline void writeSolidBmp(const std::string& path, int width, int height, std::uint32_t color)
{
    writeBmp(path, width, height, [color](int, int) { return color; });
}

} // namespace tabletest
