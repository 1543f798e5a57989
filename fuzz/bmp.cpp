// Reads the input as a "bmp" file and draws whatever loads into a small
// 32-bit context.
#include "picture/Graphics.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

std::uint32_t le(const std::uint8_t* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// Images of many pixels are legal up to the memory cap, but converting them
// whole costs seconds under the sanitizers; the unit tests cover their
// sizes, the fuzzer spends its time on the structure.
bool tooManyPixels(const std::uint8_t* data, std::size_t size)
{
    if (size < 26)
        return false;
    const bool core = le(data + 14, 4) == 12;
    const std::int64_t w
        = core ? std::int64_t(le(data + 18, 2)) : std::int64_t(std::int32_t(le(data + 18, 4)));
    const std::int64_t h
        = core ? std::int64_t(le(data + 20, 2)) : std::int64_t(std::int32_t(le(data + 22, 4)));
    return std::llabs(w) * std::llabs(h) > (1 << 20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (tooManyPixels(data, size))
        return 0;
    TBytesStream stream(std::span<const std::uint8_t>(data, size));
    TBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
    } catch (const Exception&) {
        return 0;
    }
    if (bitmap.Empty())
        return 0;
    auto dc = platform::CreateCompatibleDC();
    platform::BitmapInfo info;
    info.header.biWidth = 16;
    info.header.biHeight = 16;
    info.header.biBitCount = 32;
    dc->selectBitmap(platform::CreateDIBSection(info));
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    canvas.DrawGraphic(0, 0, &bitmap);
    canvas.StretchDraw(TRect { -3, 2, 20, 9 }, &bitmap);
    return 0;
}
