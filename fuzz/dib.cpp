// Feeds arbitrary bytes to the "dib" reader, then decodes and draws what it
// accepted, both straight from memory and through the canvas section.
#include "picture/DIB.h"
#include "display/DXDraws.h"

#include <cstddef>
#include <cstdint>

namespace {

void drawInto(TDIB& dib, bool viaCanvas)
{
    auto dc = platform::CreateCompatibleDC();
    dc->selectBitmap(platform::makeBitmap(8, 8, platform::PixelFormat {}, false, true));
    if (viaCanvas) {
        platform::StretchBlt(
            *dc, 0, 0, 8, 8, *dib.Canvas().Handle(), 0, 0, dib.Width(), dib.Height(), platform::SRCCOPY);
        return;
    }
    TCanvas canvas;
    canvas.SetHandle(dc.get());
    dib.Draw(canvas, { 0, 0, 8, 8 });
    canvas.SetHandle(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBytesStream stream({ data, size });
    TDIB dib;
    try {
        dib.LoadFromStream(stream);
    } catch (const Exception&) {
        return 0;
    }
    if (dib.Empty())
        return 0;
    // What the viewer asks of a sheet before making its surface, on every
    // size the reader accepts: only the large ones skipped below can fail it.
    try {
        requireSheetSurfaceSize(dib.Width(), dib.Height());
    } catch (const Exception&) {
        return 0;
    }
    // Run-length files may announce pictures of hundreds of megabytes that
    // the reader rightly accepts; decoding those only slows the search.
    if (std::int64_t(dib.RowBytes()) * dib.Height() > (8 << 20))
        return 0;
    drawInto(dib, false);
    TDIB copy;
    copy.CopyFrom(dib);
    drawInto(dib, true);
    copy.Bits();
    return 0;
}
