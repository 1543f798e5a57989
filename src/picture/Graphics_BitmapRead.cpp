// The reader of "bmp" files. Everything here comes from a file: every header
// and table byte goes through one bounded reader, so a short file is a read
// error and never a partial header, and every size that memory is made for
// is checked here, in 64 bits, against the one pixel-memory cap.
#include "picture/Graphics.h"
#include "picture/Graphics_Palette.h"
#include "platform/BitmapLayout.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

using platform::ByteReader;

using platform::bitmap::kCoreHeaderSize;
using platform::bitmap::kFileHeaderSize;
using platform::bitmap::kInfoHeaderSize;
using platform::bitmap::kMasksSize;
// From the second version on, the masks stand at the end of the header.
constexpr std::uint32_t kMasksInsideSize = 52;
// Later versions of the standard stop at 124 bytes; a header claiming more
// than this is no header.
constexpr std::uint32_t kMaxHeaderSize = 4096;

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
    ByteReader r(stream, kCoreHeaderSize - 4, &platform::raiseReadError);
    platform::BitmapInfoHeader& h = d.info.header;
    h = platform::BitmapInfoHeader {};
    h.biWidth = r.u16();
    h.biHeight = r.u16();
    h.biPlanes = r.u16();
    h.biBitCount = r.u16();
    d.entrySize = 3;
    d.os2 = true;
}

void readMasks(ByteReader& r, platform::BitmapInfo& info)
{
    info.redMask = r.u32();
    info.greenMask = r.u32();
    info.blueMask = r.u32();
}

void readInfoHeader(TStream& stream, Description& d)
{
    // The size field is already read.
    const std::size_t rest = d.headerSize - 4;
    ByteReader r(stream, rest, &platform::raiseReadError);
    platform::BitmapInfoHeader& h = d.info.header;
    h.biWidth = r.i32();
    h.biHeight = r.i32();
    h.biPlanes = r.u16();
    h.biBitCount = r.u16();
    h.biCompression = r.u32();
    h.biSizeImage = r.u32();
    h.biXPelsPerMeter = r.i32();
    h.biYPelsPerMeter = r.i32();
    h.biClrUsed = r.u32();
    h.biClrImportant = r.u32();
    if (d.headerSize >= kMasksInsideSize)
        readMasks(r, d.info);
    // Fields of later versions are taken whole and passed on unread.
    r.skip(rest - r.position());
}

void readColorTable(TStream& stream, Description& d, std::uint32_t count)
{
    ByteReader r(stream, count * d.entrySize, &platform::raiseReadError);
    d.info.colors.resize(count);
    platform::bitmap::readColorEntries(r, d.info.colors, d.entrySize);
}

std::uint32_t defaultColorCount(std::uint16_t bitCount)
{
    return bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
}

bool isRunLength(const platform::BitmapInfoHeader& h)
{
    return h.biCompression == platform::BI_RLE8 || h.biCompression == platform::BI_RLE4;
}

std::uint64_t rowBytes(const platform::BitmapInfoHeader& h, std::uint64_t bitCount)
{
    return platform::bitmap::rowStride(std::uint64_t(h.biWidth), bitCount);
}

std::uint64_t absHeight(const platform::BitmapInfoHeader& h)
{
    return h.biHeight < 0 ? std::uint64_t(-std::int64_t(h.biHeight)) : std::uint64_t(h.biHeight);
}

// Refuses images whose pixel memory would pass the cap: the section in the
// file's layout, or for run-length data the bitmap in the screen's format
// that it is decoded into. Width and height are both below 2^31 and the bit
// count below 2^16, so the products cannot overflow 64 bits.
void checkSize(const platform::BitmapInfoHeader& h)
{
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
        invalidBitmap();
    std::uint64_t bitCount = h.biBitCount;
    if (isRunLength(h))
        bitCount = std::max<std::uint64_t>(bitCount, platform::screenFormat().bitCount);
    if (rowBytes(h, bitCount) * absHeight(h) > platform::kMaxPixelBytes)
        invalidBitmap();
}

// Header, masks and colour table, leaving the stream at the end of the table.
Description readDescription(TStream& stream)
{
    Description d;
    d.headerSize = ByteReader(stream, 4, &platform::raiseReadError).u32();
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
        ByteReader r(stream, kMasksSize, &platform::raiseReadError);
        readMasks(r, d.info);
    }
    if (h.biClrUsed == 0)
        h.biClrUsed = defaultColorCount(h.biBitCount);
    if (h.biClrUsed > 256)
        invalidBitmap();
    readColorTable(stream, d, h.biClrUsed);
    checkSize(h);
    if (h.biSizeImage == 0)
        h.biSizeImage = static_cast<std::uint32_t>(rowBytes(h, h.biBitCount) * absHeight(h));
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
        if (image.Handle) {
            const std::span<std::uint8_t> pixels(image.Handle->bits(), image.Handle->byteSize());
            stream.ReadBuffer(pixels.first(std::min(pixelBytes, pixels.size())));
        }
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

// The file header; returns the pixel offset counted from the info header's
// first byte.
std::int64_t readFileHeader(TStream& stream)
{
    ByteReader fileHeader(stream, kFileHeaderSize, &platform::raiseReadError);
    const std::uint16_t signature = fileHeader.u16();
    fileHeader.skip(8); // file size and reserved fields
    const std::uint32_t pixelOffset = fileHeader.u32();
    if (signature != platform::bitmap::kSignature)
        invalidBitmap();
    return std::int64_t(pixelOffset) - kFileHeaderSize;
}

} // namespace

std::optional<TGraphicSize> TBitmap::ReadSize(TStream& stream)
{
    if (stream.Size() - stream.Position() <= 0)
        return std::nullopt;
    readFileHeader(stream);
    const Description d = readDescription(stream);
    // Run-length data can fail only as it is decoded. Other pixels are
    // read as far as the file goes, whatever they are.
    if (isRunLength(d.info.header))
        return std::nullopt;
    if (!platform::IsSectionDescription(d.info))
        invalidBitmap();
    return TGraphicSize { d.info.header.biWidth, static_cast<std::int32_t>(absHeight(d.info.header)) };
}

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
    const std::int64_t pixelOffset = readFileHeader(stream);
    ReadBitmapInfo(stream, size - kFileHeaderSize, pixelOffset);
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
    const std::uint64_t pixelBytes = std::min<std::uint64_t>(left, d.info.header.biSizeImage);
    // Run-length data is held whole on the way; no sound file needs more.
    if (isRunLength(d.info.header) && pixelBytes > platform::kMaxPixelBytes)
        invalidBitmap();

    auto image = std::make_shared<TBitmapImage>();
    image->OS2Format = d.os2;
    createImage(stream, d, static_cast<std::size_t>(pixelBytes), *image);
    if (d.info.header.biBitCount > 8 && !d.info.colors.empty() && !image->Palette)
        image->Palette = picture::paletteFromColorTable(d.info.colors);
    describe(*image);

    SetImage(std::move(image));
    m_ignorePalette = false;
    PaletteModified = GetPalette() != nullptr;
    Changed(this);
}
