// Reading an image record from a stream. The bytes come from files that
// anybody may have written: every header and table byte goes through one
// bounded reader, every field is checked before it sizes a read or an
// allocation, and sizes are computed in 64 bits.
#include "picture/DIB.h"
#include "platform/BitmapLayout.h"

#include <algorithm>
#include <cstdlib>

namespace {

using platform::ByteReader;

using platform::bitmap::kCoreHeaderSize;
using platform::bitmap::kInfoHeaderSize;
using platform::bitmap::kMasksSize;

// The header fields the reader uses, from either header kind.
struct DibHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitCount = 0;
    std::uint32_t compression = platform::BI_RGB;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
    std::size_t entrySize = 4;
};

DibHeader readHeader(TStream& stream, std::uint32_t headerSize)
{
    DibHeader h;
    if (headerSize == kCoreHeaderSize) {
        ByteReader r(stream, kCoreHeaderSize - 4, &platform::raiseReadError);
        h.width = r.u16();
        h.height = r.u16();
        r.skip(2); // planes, not examined
        h.bitCount = r.u16();
        h.entrySize = 3;
        return h;
    }
    if (headerSize != kInfoHeaderSize)
        picture::raiseInvalidDIB();
    ByteReader r(stream, kInfoHeaderSize - 4, &platform::raiseReadError);
    h.width = r.i32();
    h.height = r.i32();
    r.skip(2); // planes, not examined
    h.bitCount = r.u16();
    h.compression = r.u32();
    h.sizeImage = r.u32();
    r.skip(8); // resolutions
    h.colorsUsed = r.u32();
    r.skip(4); // colours important
    return h;
}

TDIBChannelFormat readChannelFormat(TStream& stream, const DibHeader& h)
{
    if (h.compression != platform::BI_BITFIELDS)
        return h.bitCount == 16 ? TDIBChannelFormat::FromBitCounts(5, 5, 5)
                                : TDIBChannelFormat::FromBitCounts(8, 8, 8);
    ByteReader r(stream, kMasksSize, &platform::raiseReadError);
    const std::uint32_t red = r.u32();
    const std::uint32_t green = r.u32();
    const std::uint32_t blue = r.u32();
    return TDIBChannelFormat::FromFileMasks(h.bitCount, red, green, blue);
}

TDIBColorTable readColorTable(TStream& stream, const DibHeader& h)
{
    std::uint32_t count = h.colorsUsed;
    if (count == 0 && h.bitCount <= 8)
        count = 1u << h.bitCount;
    count = std::min<std::uint32_t>(count, 256);

    ByteReader r(stream, count * h.entrySize, &platform::raiseReadError);
    TDIBColorTable table {};
    platform::bitmap::readColorEntries(r, std::span(table).first(count), h.entrySize);
    return table;
}

// What the record can hold at all, before anything is allocated for it.
void checkImage(const DibHeader& h, const TDIBChannelFormat& format)
{
    checkChannelFormat(h.bitCount, format);
    if (h.compression > platform::BI_BITFIELDS)
        picture::raiseInvalidDIB();
    // Run-length data of any other bit count has no decoder and no meaning.
    if ((h.compression == platform::BI_RLE8 || h.compression == platform::BI_RLE4) && h.bitCount != 8
        && h.bitCount != 4)
        picture::raiseInvalidDIB();
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN)
        picture::raiseInvalidDIB();
    const std::uint64_t rowBytes
        = platform::bitmap::rowStride(std::uint64_t(h.width), std::uint64_t(h.bitCount));
    if (rowBytes * std::uint64_t(std::abs(std::int64_t(h.height))) > platform::kMaxPixelBytes)
        picture::raiseInvalidDIB();
}

} // namespace

void picture::raiseInvalidDIB()
{
    throw EInvalidGraphic(kSDIBInvalid);
}

void TDIBSharedImage::ReadImage(TStream& stream, bool memoryOnly, std::optional<std::int64_t> pixelStart)
{
    // No header size at all is no image; part of one is no DIB.
    ByteReader sizeField(stream, 4, &picture::raiseInvalidDIB);
    if (sizeField.remaining() == 0)
        return;

    const DibHeader h = readHeader(stream, sizeField.u32());
    const TDIBChannelFormat format = readChannelFormat(stream, h);
    const TDIBColorTable colors = readColorTable(stream, h);
    checkImage(h, format);

    // Pixel data may stand apart from the colour table; the file header
    // says where, and is believed when it points past the table and into
    // the data.
    if (pixelStart && *pixelStart >= stream.Position() && *pixelStart < stream.Size())
        stream.SetPosition(*pixelStart);

    const bool compressed = h.compression == platform::BI_RLE8 || h.compression == platform::BI_RLE4;
    BuildImage(
        h.width, h.height < 0 ? -h.height : h.height, h.bitCount, format, colors, memoryOnly, compressed);
    if (compressed)
        readRunLengthData(stream, h.sizeImage);
    else
        readPixels(stream, h.height < 0);
}

void TDIBSharedImage::readPixels(TStream& stream, bool topDown)
{
    if (stream.Remaining() < ImageSize)
        platform::raiseReadError();
    const std::span<std::uint8_t> pixels(Bits, static_cast<std::size_t>(ImageSize));
    if (!topDown) {
        stream.ReadBuffer(pixels);
        return;
    }
    // Memory holds the bottom row first; the file begins with the top row.
    const auto rowBytes = static_cast<std::size_t>(RowBytes);
    for (std::size_t row = static_cast<std::size_t>(Height); row-- > 0;)
        stream.ReadBuffer(pixels.subspan(row * rowBytes, rowBytes));
}

// Run-length data is as long as the header's image size says. Writers that
// leave that field 0, or too small to hold the end-of-bitmap code, get the
// rest of the file instead, which is where their data ends.
void TDIBSharedImage::readRunLengthData(TStream& stream, std::uint32_t headerImageSize)
{
    const auto remaining = static_cast<std::uint64_t>(std::max<std::int64_t>(stream.Remaining(), 0));
    if (headerImageSize > remaining)
        platform::raiseReadError();
    if (headerImageSize > platform::kMaxPixelBytes)
        picture::raiseInvalidDIB();

    const std::size_t stated = headerImageSize;
    auto data = plainMemory(stated);
    std::span<std::uint8_t> bytes(data.get(), stated);
    stream.ReadBuffer(bytes);
    if (stated == 0 || (stated < remaining && !rleEndOfBitmap(bytes, BitCount == 4))) {
        const auto length
            = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, platform::kMaxPixelBytes));
        auto whole = plainMemory(length);
        const std::span<std::uint8_t> wholeBytes(whole.get(), length);
        std::ranges::copy(bytes, wholeBytes.begin());
        stream.ReadBuffer(wholeBytes.subspan(stated));
        data = std::move(whole);
        bytes = wholeBytes;
    }
    const std::size_t length = bytes.size();
    adoptRunLengthData(std::move(data), static_cast<std::int32_t>(length));
}
