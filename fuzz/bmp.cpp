// Reads the input as a "bmp" file and draws whatever loads into a small
// 32-bit context.
#include "display/DXDraws.h"
#include "picture/Graphics.h"

#include <cstddef>
#include <cstdint>

namespace {

// Images of many pixels are legal up to the memory cap, and their loading
// (which only reserves the memory) runs, so that the size checks behind it
// are searched too; converting them whole costs seconds under the
// sanitizers, so they are not drawn.
bool tooManyPixels(const TBitmap& bitmap)
{
    return std::int64_t { bitmap.Width() } * bitmap.Height() > (1 << 20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBytesStream stream(std::span<const std::uint8_t>(data, size));
    TBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
    } catch (const Exception&) {
        return 0;
    }
    if (bitmap.Empty())
        return 0;
    // What the viewer and the checker ask of a sheet before making its surface.
    try {
        requireSheetSurfaceSize(bitmap.Width(), bitmap.Height());
    } catch (const Exception&) {
        return 0;
    }
    if (tooManyPixels(bitmap))
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
