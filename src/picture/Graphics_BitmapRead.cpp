// The reader of "bmp" files. Everything here comes from a file: every field
// is checked before memory is sized from it, products are taken in 64 bits,
// and reads are exact, so a short file is a read error and never a partial
// header.
#include "picture/Graphics.h"
#include "picture/Graphics_Palette.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
// Later versions of the standard stop at 124 bytes; a header claiming more
// than this is no header.
constexpr std::uint32_t kMaxHeaderSize = 4096;

std::uint16_t le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
        | (std::uint32_t(p[3]) << 24);
}

[[noreturn]] void invalidBitmap()
{
    throw EInvalidGraphic(picture::kSInvalidBitmap);
}

// What the headers say, with the header's own size and entry size.
struct Description {
    platform::BitmapInfo info;
    std::uint32_t headerSize = 0;
    std::size_t entrySize = 4;
    bool os2 = false;
};

void readCoreHeader(TStream& stream, Description& d)
{
    std::uint8_t b[8];
    stream.ReadBuffer(b, sizeof b);
    platform::BitmapInfoHeader& h = d.info.header;
    h = platform::BitmapInfoHeader {};
    h.biWidth = le16(b);
    h.biHeight = le16(b + 2);
    h.biPlanes = le16(b + 4);
    h.biBitCount = le16(b + 6);
    d.entrySize = 3;
    d.os2 = true;
}

void readInfoHeader(TStream& stream, Description& d)
{
    std::vector<std::uint8_t> block(d.headerSize - 4);
    stream.ReadBuffer(block);
    // Offsets count from the size field, which is already read.
    const auto at = [&block](std::size_t offset) { return block.data() + (offset - 4); };
    platform::BitmapInfoHeader& h = d.info.header;
    h.biWidth = static_cast<std::int32_t>(le32(at(4)));
    h.biHeight = static_cast<std::int32_t>(le32(at(8)));
    h.biPlanes = le16(at(12));
    h.biBitCount = le16(at(14));
    h.biCompression = le32(at(16));
    h.biSizeImage = le32(at(20));
    h.biXPelsPerMeter = static_cast<std::int32_t>(le32(at(24)));
    h.biYPelsPerMeter = static_cast<std::int32_t>(le32(at(28)));
    h.biClrUsed = le32(at(32));
    h.biClrImportant = le32(at(36));
    // Headers from the third version on carry their channel masks inside.
    if (d.headerSize >= 52) {
        d.info.redMask = le32(at(40));
        d.info.greenMask = le32(at(44));
        d.info.blueMask = le32(at(48));
    }
}

void readColorTable(TStream& stream, Description& d, std::uint32_t count)
{
    std::vector<std::uint8_t> raw(count * d.entrySize);
    stream.ReadBuffer(raw);
    d.info.colors.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* e = raw.data() + i * d.entrySize;
        d.info.colors[i] = { e[0], e[1], e[2], d.entrySize == 4 ? e[3] : std::uint8_t(0) };
    }
}

std::uint32_t defaultColorCount(std::uint16_t bitCount)
{
    return bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
}

// The image size the header implies, or refusal when it does not fit the
// 32-bit field that holds it.
std::uint32_t impliedImageSize(const platform::BitmapInfoHeader& h)
{
    if (h.biWidth <= 0 || h.biHeight == 0)
        invalidBitmap();
    const std::uint64_t rowBytes = ((std::uint64_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    const std::uint64_t height = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    if (rowBytes != 0 && height > UINT32_MAX / rowBytes)
        invalidBitmap();
    return static_cast<std::uint32_t>(rowBytes * height);
}

bool isRunLength(const platform::BitmapInfoHeader& h)
{
    return h.biCompression == platform::BI_RLE8 || h.biCompression == platform::BI_RLE4;
}

// Header, masks and colour table, leaving the stream at the end of the table.
Description readDescription(TStream& stream)
{
    Description d;
    std::uint8_t sizeField[4];
    stream.ReadBuffer(sizeField, sizeof sizeField);
    d.headerSize = le32(sizeField);
    if (d.headerSize == kCoreHeaderSize)
        readCoreHeader(stream, d);
    else if (d.headerSize >= kInfoHeaderSize && d.headerSize <= kMaxHeaderSize)
        readInfoHeader(stream, d);
    else
        invalidBitmap();
    platform::BitmapInfoHeader& h = d.info.header;
    h.biSize = d.os2 ? kInfoHeaderSize : d.headerSize;
    if (h.biPlanes != 1)
        invalidBitmap();
    if (d.headerSize == kInfoHeaderSize && (h.biBitCount == 16 || h.biBitCount == 32)
        && h.biCompression == platform::BI_BITFIELDS) {
        std::uint8_t masks[12];
        stream.ReadBuffer(masks, sizeof masks);
        d.info.redMask = le32(masks);
        d.info.greenMask = le32(masks + 4);
        d.info.blueMask = le32(masks + 8);
    }
    if (h.biClrUsed == 0)
        h.biClrUsed = defaultColorCount(h.biBitCount);
    if (h.biClrUsed > 256)
        invalidBitmap();
    readColorTable(stream, d, h.biClrUsed);
    if (h.biSizeImage == 0)
        h.biSizeImage = impliedImageSize(h);
    return d;
}

// Run-length data becomes a device-dependent bitmap through a temporary
// buffer; everything else is read straight into a section's memory.
void createImage(TStream& stream, const Description& d, std::size_t pixelBytes, TBitmapImage& image)
{
    if (isRunLength(d.info.header)) {
        std::vector<std::uint8_t> data(pixelBytes);
        stream.ReadBuffer(data);
        auto context = platform::CreateCompatibleDC();
        platform::HPALETTE previous;
        if (!d.info.colors.empty()) {
            image.Palette = picture::paletteFromColorTable(d.info.colors);
            previous = context->selectPalette(image.Palette, false);
            context->realizePalette();
        }
        image.Handle = platform::CreateDIBitmap(d.info, data);
        context->selectPalette(previous, false);
    } else {
        image.Handle = platform::CreateDIBSection(d.info);
        if (image.Handle)
            stream.ReadBuffer(image.Handle->bits(), std::min(pixelBytes, image.Handle->byteSize()));
        image.DIBHandle = image.Handle;
    }
    if (!image.Handle)
        invalidBitmap();
}

void describe(TBitmapImage& image)
{
    const platform::Bitmap& b = *image.Handle;
    TBitmapDescription& desc = image.DIB;
    desc.bmWidth = b.width();
    desc.bmHeight = b.height();
    desc.bmWidthBytes = b.stride();
    desc.bmPlanes = 1;
    desc.bmBitsPixel = b.bitCount();
    desc.bmBits = image.Handle->bits();
    if (b.isSection()) {
        desc.dsBmih = b.infoHeader();
        desc.dsBitfields[0] = b.format().redMask;
        desc.dsBitfields[1] = b.format().greenMask;
        desc.dsBitfields[2] = b.format().blueMask;
    }
}

} // namespace

void TBitmap::LoadFromStream(TStream& stream)
{
    ReadBitmapStream(stream, stream.Size() - stream.Position());
}

void TBitmap::ReadBitmapStream(TStream& stream, std::int64_t size)
{
    OwnCanvas().FreeContext();
    if (size <= 0) {
        SetImage(std::make_shared<TBitmapImage>());
        return;
    }
    std::uint8_t fileHeader[14];
    stream.ReadBuffer(fileHeader, sizeof fileHeader);
    if (le16(fileHeader) != 0x4D42)
        invalidBitmap();
    ReadBitmapInfo(stream, size - 14, std::int64_t(le32(fileHeader + 10)) - 14);
}

void TBitmap::ReadBitmapInfo(TStream& stream, std::int64_t budget, std::int64_t pixelOffset)
{
    const std::int64_t start = stream.Position();
    const Description d = readDescription(stream);

    // The pixels start where the file header says when that place lies past
    // the colour table and inside the file; otherwise right after the table.
    std::int64_t consumed = stream.Position() - start;
    if (pixelOffset >= consumed && pixelOffset < budget) {
        stream.SetPosition(start + pixelOffset);
        consumed = pixelOffset;
    }
    const auto left = static_cast<std::uint64_t>(std::max<std::int64_t>(budget - consumed, 0));
    const auto pixelBytes
        = static_cast<std::size_t>(std::min<std::uint64_t>(left, d.info.header.biSizeImage));

    auto image = std::make_shared<TBitmapImage>();
    image->OS2Format = d.os2;
    createImage(stream, d, pixelBytes, *image);
    if (d.info.header.biBitCount > 8 && !d.info.colors.empty() && !image->Palette)
        image->Palette = picture::paletteFromColorTable(d.info.colors);
    describe(*image);

    SetImage(std::move(image));
    m_ignorePalette = false;
    PaletteModified = GetPalette() != nullptr;
    Changed(this);
}
