// Reads the input as a "bmp" file and draws whatever loads into a small
// 32-bit context.
#include "display/DXDraws.h"
#include "picture/Graphics.h"
#include "platform/BitmapLayout.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace {

struct ShortHeader { };
[[noreturn]] void shortHeader()
{
    throw ShortHeader {};
}

// The pixel count the headers claim, read before the reader runs. Images of
// many pixels are legal up to the memory cap, but loading one converts every
// pixel, which costs seconds under the sanitizers for a few bytes of input;
// the size checks in front of that stay searched through ReadSize.
std::int64_t claimedPixels(std::span<const std::uint8_t> bytes)
{
    try {
        platform::ByteReader r(bytes, shortHeader);
        r.skip(platform::bitmap::kFileHeaderSize);
        if (r.u32() == platform::bitmap::kCoreHeaderSize)
            return std::int64_t { r.u16() } * r.u16();
        const std::int64_t width = r.i32();
        const std::int64_t height = r.i32();
        return width * (height < 0 ? -height : height);
    } catch (const ShortHeader&) {
        return 0;
    }
}

constexpr std::int64_t kManyPixels = 1 << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBytesStream stream(std::span<const std::uint8_t>(data, size));
    try {
        // The headers alone, as the checker reads a sheet: the reader's own
        // size checks, then the surface limit the viewer and the checker
        // apply, which only a size far above what is loaded below can fail.
        if (const std::optional<TGraphicSize> claimed = TBitmap::ReadSize(stream))
            requireSheetSurfaceSize(claimed->Width, claimed->Height);
    } catch (const Exception&) {
    }
    if (claimedPixels({ data, size }) > kManyPixels)
        return 0;
    stream.SetPosition(0);
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
