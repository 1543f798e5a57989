#pragma once

// Shared helpers of the DIB tests: loading bytes into a TDIB, and drawing a
// TDIB into a 32-bit context the way the surface layer does, so that tests
// compare the colours that would reach the screen.

#include "BmpWriter.h"
#include "picture/DIB.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace dibtest {

using bmptest::BmpImage;
using bmptest::writeBmp;

inline BmpImage small24()
{
    BmpImage f;
    f.width = 2;
    f.height = 2;
    f.bitCount = 24;
    f.pixels.assign(16, 0x40);
    return f;
}

inline std::vector<std::uint8_t> cut(std::vector<std::uint8_t> bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

inline void load(TDIB& dib, const std::vector<std::uint8_t>& bytes)
{
    TBytesStream stream(bytes);
    dib.LoadFromStream(stream);
}

// A 32-bit XRGB section in a memory context, filled with `fill`.
struct Target {
    Target(std::int32_t w, std::int32_t h, std::uint32_t fill = 0x00123456)
        : dc(platform::CreateCompatibleDC())
        , bitmap(platform::makeBitmap(w, h, platform::PixelFormat {}, false, true))
    {
        for (std::int32_t y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(bitmap->scanLine(y));
            std::fill(row, row + w, fill);
        }
        dc->selectBitmap(bitmap);
    }
    std::vector<std::uint32_t> pixels() const
    {
        std::vector<std::uint32_t> out;
        for (std::int32_t y = 0; y < bitmap->height(); ++y)
            for (std::int32_t x = 0; x < bitmap->width(); ++x)
                out.push_back(bitmap->colorAt(x, y));
        return out;
    }
    std::unique_ptr<platform::DeviceContext> dc;
    platform::HBITMAP bitmap;
};

// Copies the TDIB's canvas context 1:1, as the surface does for a "dib" file.
inline std::vector<std::uint32_t> drawnFromCanvas(TDIB& dib)
{
    Target target(dib.Width(), dib.Height());
    platform::StretchBlt(*target.dc, 0, 0, dib.Width(), dib.Height(), *dib.Canvas().Handle(), 0, 0,
        dib.Width(), dib.Height(), platform::SRCCOPY);
    return target.pixels();
}

// Lets the TDIB draw itself onto a canvas over a 32-bit context.
inline std::vector<std::uint32_t> drawnByDraw(TDIB& dib)
{
    Target target(dib.Width(), dib.Height());
    TCanvas canvas;
    canvas.SetHandle(target.dc.get());
    dib.Draw(canvas, { 0, 0, dib.Width(), dib.Height() });
    canvas.SetHandle(nullptr);
    return target.pixels();
}

// Channels may differ by `tolerance` (5- and 6-bit channels widen to 8 bits
// by rounding or by copying their high bits, both fine).
inline ::testing::AssertionResult sameColors(
    const std::vector<std::uint32_t>& actual, const std::vector<std::uint32_t>& expected, int tolerance)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.size() << " vs " << expected.size();
    for (std::size_t i = 0; i < actual.size(); ++i) {
        for (int shift : { 0, 8, 16 }) {
            const int a = int(actual[i] >> shift) & 0xFF;
            const int e = int(expected[i] >> shift) & 0xFF;
            if (std::abs(a - e) > tolerance)
                return ::testing::AssertionFailure()
                    << "pixel " << i << ": " << std::hex << actual[i] << " vs " << expected[i];
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace dibtest
