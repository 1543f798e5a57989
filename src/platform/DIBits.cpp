// Bitmaps made from BMP descriptions. The descriptions may come straight from
// files, so everything the standard does not define is refused here, before
// any memory is sized from them.
#include "platform/Gdi.h"
#include "platform/PixelCodec.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace platform {

namespace {

bool masksFit(std::uint16_t bitCount, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    using detail::isContiguousMask;
    if (!isContiguousMask(r) || !isContiguousMask(g) || !isContiguousMask(b))
        return false;
    if ((r & g) || (r & b) || (g & b))
        return false;
    const std::uint32_t all = r | g | b;
    return bitCount == 32 || (all >> 16) == 0;
}

// The pixel layout that an uncompressed description stands for, or nothing
// when the standard does not define it.
std::optional<PixelFormat> sectionFormat(const BitmapInfo& info)
{
    const BitmapInfoHeader& h = info.header;
    const std::uint16_t bits = h.biBitCount;
    if (h.biPlanes != 1 || info.colors.size() > 256 || h.biWidth <= 0 || h.biHeight == 0
        || h.biHeight == INT32_MIN)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    if (h.biCompression == BI_BITFIELDS) {
        if ((bits != 16 && bits != 32) || !masksFit(bits, info.redMask, info.greenMask, info.blueMask))
            return std::nullopt;
        return PixelFormat { bits, info.redMask, info.greenMask, info.blueMask };
    }
    if (h.biCompression != BI_RGB)
        return std::nullopt;
    if (bits == 16)
        return PixelFormat { 16, 0x7C00, 0x03E0, 0x001F };
    return PixelFormat { bits, 0xFF0000, 0xFF00, 0xFF };
}

bool isRle(const BitmapInfoHeader& h)
{
    return h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4;
}

// Indexed pixels decoded from run-length data; only bottom-up data of the
// matching bit count is defined.
HBITMAP decodeRleBitmap(const BitmapInfo& info, std::span<const std::uint8_t> data)
{
    const BitmapInfoHeader& h = info.header;
    const bool matching = (h.biCompression == BI_RLE8 && h.biBitCount == 8)
        || (h.biCompression == BI_RLE4 && h.biBitCount == 4);
    if (!matching || h.biPlanes != 1 || h.biWidth <= 0 || h.biHeight <= 0 || info.colors.size() > 256)
        return nullptr;
    HBITMAP bitmap = makeBitmap(h.biWidth, h.biHeight, PixelFormat { h.biBitCount, 0, 0, 0 }, false, true);
    if (!bitmap)
        return nullptr;
    bitmap->setColorTable(0, info.colors);
    decodeRle(
        data, h.biBitCount, std::span(bitmap->bits(), bitmap->byteSize()), bitmap->stride(), h.biHeight);
    return bitmap;
}

// The pixel array as a bitmap of its own layout.
HBITMAP bitmapFromBits(const BitmapInfo& info, std::span<const std::uint8_t> data)
{
    if (isRle(info.header))
        return decodeRleBitmap(info, data);
    HBITMAP bitmap = CreateDIBSection(info);
    if (bitmap)
        std::memcpy(bitmap->bits(), data.data(), std::min(data.size(), bitmap->byteSize()));
    return bitmap;
}

std::vector<RgbQuad> systemColorTable()
{
    std::vector<RgbQuad> table;
    for (const PaletteEntry& e : systemPalette())
        table.push_back({ e.peBlue, e.peGreen, e.peRed, 0 });
    return table;
}

} // namespace

HBITMAP CreateDIBSection(const BitmapInfo& info)
{
    const std::optional<PixelFormat> format = sectionFormat(info);
    if (!format)
        return nullptr;
    const BitmapInfoHeader& h = info.header;
    const std::int32_t height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    HBITMAP bitmap = makeBitmap(h.biWidth, height, *format, h.biHeight < 0, true);
    if (!bitmap)
        return nullptr;
    bitmap->m_header = h;
    if (bitmap->m_header.biSizeImage == 0)
        bitmap->m_header.biSizeImage = static_cast<std::uint32_t>(bitmap->byteSize());
    bitmap->setColorTable(0, info.colors);
    return bitmap;
}

bool IsSectionDescription(const BitmapInfo& info)
{
    const std::optional<PixelFormat> format = sectionFormat(info);
    const BitmapInfoHeader& h = info.header;
    return format && pixelMemoryFits(h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, format->bitCount);
}

HBITMAP CreateCompatibleBitmap(std::int32_t width, std::int32_t height)
{
    HBITMAP bitmap = makeBitmap(width, height, screenFormat(), false, false);
    if (bitmap && bitmap->bitCount() <= 8) {
        static const std::vector<RgbQuad> system = systemColorTable();
        bitmap->setColorTable(0, system);
    }
    return bitmap;
}

HBITMAP CreateDIBitmap(const BitmapInfo& info, std::span<const std::uint8_t> data)
{
    const HBITMAP source = bitmapFromBits(info, data);
    if (!source)
        return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(source->width(), source->height());
    if (!bitmap)
        return nullptr;
    detail::stretchCopy(
        *bitmap, 0, 0, source->width(), source->height(), *source, 0, 0, source->width(), source->height());
    return bitmap;
}

int StretchDIBits(DeviceContext& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
    std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh, std::span<const std::uint8_t> bits,
    const BitmapInfo& info, std::uint32_t rop)
{
    if (rop != SRCCOPY || !dst.bitmap())
        return 0;
    const HBITMAP source = bitmapFromBits(info, bits);
    if (!source || !detail::stretchCopy(*dst.bitmap(), x, y, w, h, *source, sx, sy, sw, sh))
        return 0;
    return h == INT32_MIN ? INT32_MAX : h < 0 ? -h : h;
}

} // namespace platform
