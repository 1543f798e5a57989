// Reading an image record from a stream. The bytes come from files that
// anybody may have written: every field is checked before it sizes a read or
// an allocation, and sizes are computed in 64 bits.
#include "picture/DIB.h"
#include "picture/DIB_Bytes.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

using picture::dib::le16;
using picture::dib::le32;

[[noreturn]] void invalidDIB()
{
    throw EInvalidGraphic(picture::kSDIBInvalid);
}

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
    if (headerSize == 12) {
        std::array<std::uint8_t, 8> b {};
        stream.ReadBuffer(b);
        h.width = le16(&b[0]);
        h.height = le16(&b[2]);
        h.bitCount = le16(&b[6]);
        h.entrySize = 3;
        return h;
    }
    if (headerSize != 40)
        invalidDIB();
    std::array<std::uint8_t, 36> b {};
    stream.ReadBuffer(b);
    h.width = static_cast<std::int32_t>(le32(&b[0]));
    h.height = static_cast<std::int32_t>(le32(&b[4]));
    h.bitCount = le16(&b[10]);
    h.compression = le32(&b[12]);
    h.sizeImage = le32(&b[16]);
    h.colorsUsed = le32(&b[28]);
    return h;
}

TDIBChannelFormat readChannelFormat(TStream& stream, const DibHeader& h)
{
    if (h.compression != platform::BI_BITFIELDS)
        return h.bitCount == 16 ? TDIBChannelFormat::FromBitCounts(5, 5, 5)
                                : TDIBChannelFormat::FromBitCounts(8, 8, 8);
    std::array<std::uint8_t, 12> b {};
    stream.ReadBuffer(b);
    return TDIBChannelFormat::FromFileMasks(h.bitCount, le32(&b[0]), le32(&b[4]), le32(&b[8]));
}

TDIBColorTable readColorTable(TStream& stream, const DibHeader& h)
{
    std::uint32_t count = h.colorsUsed;
    if (count == 0 && h.bitCount <= 8)
        count = 1u << h.bitCount;
    count = std::min<std::uint32_t>(count, 256);

    std::array<std::uint8_t, 256 * 4> raw {};
    stream.ReadBuffer(raw.data(), count * h.entrySize);
    TDIBColorTable table {};
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* e = &raw[i * h.entrySize];
        table[i] = { e[0], e[1], e[2], h.entrySize == 4 ? e[3] : std::uint8_t(0) };
    }
    return table;
}

// What the record can hold at all, before anything is allocated for it.
void checkImage(const DibHeader& h, const TDIBChannelFormat& format)
{
    checkChannelFormat(h.bitCount, format);
    if (h.compression > platform::BI_BITFIELDS)
        invalidDIB();
    // Run-length data of any other bit count has no decoder and no meaning.
    if ((h.compression == platform::BI_RLE8 || h.compression == platform::BI_RLE4) && h.bitCount != 8
        && h.bitCount != 4)
        invalidDIB();
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN)
        invalidDIB();
    const std::uint64_t rowBytes = ((std::uint64_t(h.width) * std::uint64_t(h.bitCount) + 31) >> 5) << 2;
    if (rowBytes * std::uint64_t(std::abs(std::int64_t(h.height))) > platform::kMaxPixelBytes)
        invalidDIB();
}

} // namespace

void TDIBSharedImage::ReadImage(TStream& stream, bool memoryOnly, std::optional<std::int64_t> pixelStart)
{
    std::array<std::uint8_t, 4> sizeField {};
    const std::size_t got = stream.Read(sizeField);
    if (got == 0)
        return;
    if (got < sizeField.size())
        invalidDIB();

    const DibHeader h = readHeader(stream, le32(sizeField.data()));
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
        throw EReadError(platform::kSReadError);
    if (!topDown) {
        stream.ReadBuffer(Bits, static_cast<std::size_t>(ImageSize));
        return;
    }
    for (std::int32_t i = 0; i < Height; ++i)
        stream.ReadBuffer(TopRow + std::ptrdiff_t(i) * RowStep, static_cast<std::size_t>(RowBytes));
}

// Run-length data is as long as the header's image size says. Writers that
// leave that field 0, or too small to hold the end-of-bitmap code, get the
// rest of the file instead, which is where their data ends.
void TDIBSharedImage::readRunLengthData(TStream& stream, std::uint32_t headerImageSize)
{
    const auto remaining = static_cast<std::uint64_t>(std::max<std::int64_t>(stream.Remaining(), 0));
    if (headerImageSize > remaining)
        throw EReadError(platform::kSReadError);
    if (headerImageSize > platform::kMaxPixelBytes)
        invalidDIB();

    const std::size_t stated = headerImageSize;
    auto data = plainMemory(stated);
    stream.ReadBuffer(data.get(), stated);
    std::size_t length = stated;
    if (stated == 0 || (stated < remaining && !rleEndOfBitmap({ data.get(), stated }, BitCount == 4))) {
        length = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, platform::kMaxPixelBytes));
        auto whole = plainMemory(length);
        std::copy_n(data.get(), stated, whole.get());
        stream.ReadBuffer(whole.get() + stated, length - stated);
        data = std::move(whole);
    }
    adoptRunLengthData(std::move(data), static_cast<std::int32_t>(length));
}
