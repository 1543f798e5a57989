// The run-length decoders: the documented examples, and data that runs past
// rows, past the image or past its own end.
#include "DibTestSupport.h"

using namespace dibtest;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Pixel memory with guard bytes on both sides that must stay untouched.
struct Memory {
    Memory(std::size_t rowBytes, std::size_t rows, std::uint8_t fill = 0)
        : storage(rowBytes * rows + 32, 0xAB)
        , rowBytes(rowBytes)
    {
        std::fill(storage.begin() + 16, storage.end() - 16, fill);
    }
    std::span<std::uint8_t> pixels() { return { storage.data() + 16, storage.size() - 32 }; }
    Bytes row(std::size_t y)
    {
        return Bytes(pixels().begin() + y * rowBytes, pixels().begin() + (y + 1) * rowBytes);
    }
    bool guardsIntact() const
    {
        return std::all_of(storage.begin(), storage.begin() + 16, [](auto b) { return b == 0xAB; })
            && std::all_of(storage.end() - 16, storage.end(), [](auto b) { return b == 0xAB; });
    }
    Bytes storage;
    std::size_t rowBytes;
};

TEST(DibRle8, EncodedRunThenEndOfLineThenEnd)
{
    Memory m(4, 2);
    EXPECT_TRUE(DecodeRLE8(Bytes { 3, 5, 0, 0, 0, 1 }, m.pixels(), 4));
    EXPECT_EQ(m.row(0), (Bytes { 5, 5, 5, 0 }));
    EXPECT_EQ(m.row(1), (Bytes { 0, 0, 0, 0 }));
}

TEST(DibRle8, AbsoluteRunSkipsItsPadByte)
{
    Memory m(4, 1);
    EXPECT_TRUE(DecodeRLE8(Bytes { 0, 3, 1, 2, 3, 0, 0, 1 }, m.pixels(), 4));
    EXPECT_EQ(m.row(0), (Bytes { 1, 2, 3, 0 }));
}

TEST(DibRle8, DeltaMovesRightAndUp)
{
    Memory m(12, 2);
    EXPECT_TRUE(DecodeRLE8(Bytes { 2, 7, 0, 2, 3, 1, 5, 8, 0, 1 }, m.pixels(), 12));
    EXPECT_EQ(m.row(0), (Bytes { 7, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(m.row(1), (Bytes { 0, 0, 0, 0, 0, 8, 8, 8, 8, 8, 0, 0 }));
}

TEST(DibRle4, EncodedRunAlternatesNibbles)
{
    Memory m(4, 1);
    EXPECT_TRUE(DecodeRLE4(Bytes { 5, 0x12, 0, 1 }, m.pixels(), 4));
    EXPECT_EQ(m.row(0), (Bytes { 0x12, 0x12, 0x10, 0 }));
}

TEST(DibRle4, AbsoluteRunOfOddLengthIsPadded)
{
    Memory m(4, 1);
    EXPECT_TRUE(DecodeRLE4(Bytes { 0, 5, 0x12, 0x34, 0x50, 0xFF, 0, 1 }, m.pixels(), 4));
    EXPECT_EQ(m.row(0), (Bytes { 0x12, 0x34, 0x50, 0 }));
}

TEST(DibRle4, WritingAPixelKeepsTheOtherNibble)
{
    Memory m(4, 1, 0xFF);
    EXPECT_TRUE(DecodeRLE4(Bytes { 0, 2, 1, 0, 1, 0xA0, 0, 1 }, m.pixels(), 4));
    EXPECT_EQ(m.row(0), (Bytes { 0xFA, 0xFF, 0xFF, 0xFF }));
}

TEST(DibRle, RunPastTheRowGoesOnIntoAlignmentAndTheNextRow)
{
    Memory m8(4, 2);
    DecodeRLE8(Bytes { 6, 9, 0, 1 }, m8.pixels(), 4);
    EXPECT_EQ(m8.row(0), (Bytes { 9, 9, 9, 9 }));
    EXPECT_EQ(m8.row(1), (Bytes { 9, 9, 0, 0 }));

    Memory m4(4, 2);
    DecodeRLE4(Bytes { 10, 0x34, 0, 1 }, m4.pixels(), 4);
    EXPECT_EQ(m4.row(0), (Bytes { 0x34, 0x34, 0x34, 0x34 }));
    EXPECT_EQ(m4.row(1), (Bytes { 0x34, 0, 0, 0 }));
}

struct ClipCase {
    const char* name;
    Bytes data;
    bool fourBit;
    Bytes expected; // whole memory: 2 rows of 4 bytes
    bool endFound;
};

class DibRleClipping : public ::testing::TestWithParam<ClipCase> { };

TEST_P(DibRleClipping, NeverWritesOutsideOrReadsPastTheData)
{
    const ClipCase& c = GetParam();
    Memory m(4, 2);
    // A copy of exactly the data's length, so that any read past it shows.
    const auto data = std::make_unique<std::uint8_t[]>(c.data.size());
    std::copy(c.data.begin(), c.data.end(), data.get());
    const std::span<const std::uint8_t> span(data.get(), c.data.size());
    const bool found = c.fourBit ? DecodeRLE4(span, m.pixels(), 4) : DecodeRLE8(span, m.pixels(), 4);
    EXPECT_EQ(found, c.endFound);
    EXPECT_TRUE(m.guardsIntact());
    EXPECT_EQ(Bytes(m.pixels().begin(), m.pixels().end()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Dib, DibRleClipping,
    ::testing::Values(ClipCase { "runPastTheImage", { 255, 1, 0, 1 }, false, Bytes(8, 1), true },
        ClipCase { "runPastTheImage4", { 255, 0x11, 0, 1 }, true, Bytes(8, 0x11), true },
        ClipCase { "runsPastTheImage", { 0, 2, 0, 0, 0, 0, 3, 0, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 },
            false, { 0, 0, 0, 0, 0, 0, 0, 1 }, false },
        ClipCase { "absolutePastTheImage", { 0, 0, 0, 2, 2, 0, 0, 6, 1, 2, 3, 4, 5, 6, 0, 1 }, false,
            { 0, 0, 0, 0, 0, 0, 1, 2 }, true },
        ClipCase { "absolutePastTheImage4", { 0, 0, 0, 2, 4, 0, 0, 7, 0x12, 0x34, 0x56, 0x70, 0, 1 }, true,
            { 0, 0, 0, 0, 0, 0, 0x12, 0x34 }, true },
        ClipCase { "deltaBeyondTheLastRow", { 0, 2, 0, 9, 4, 4, 0, 1 }, false, Bytes(8, 0), false },
        ClipCase { "endOfLineBeyondTheLastRow", { 0, 0, 0, 0, 0, 0, 2, 2, 0, 1 }, false, Bytes(8, 0), false },
        ClipCase { "deltaFarRight", { 0, 2, 255, 0, 0, 2, 255, 0, 1, 6 }, true, Bytes(8, 0), false },
        ClipCase { "noEndOfBitmap", { 2, 4 }, false, { 4, 4, 0, 0, 0, 0, 0, 0 }, false },
        ClipCase { "oddTrailingByte", { 2, 4, 0 }, false, { 4, 4, 0, 0, 0, 0, 0, 0 }, false },
        ClipCase { "absoluteCutShort", { 0, 5, 1, 2 }, false, { 1, 2, 0, 0, 0, 0, 0, 0 }, false },
        ClipCase { "absoluteCutShort4", { 0, 7, 0x12, 0x34 }, true, { 0x12, 0x34, 0, 0, 0, 0, 0, 0 }, false },
        ClipCase { "deltaCutShort", { 1, 3, 0, 2, 5 }, false, { 3, 0, 0, 0, 0, 0, 0, 0 }, false },
        ClipCase { "empty", {}, false, Bytes(8, 0), false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibRle, EndOfBitmapOffsetIsFoundWithoutWriting)
{
    EXPECT_EQ(rleEndOfBitmap(Bytes { 0, 3, 1, 2, 3, 0, 0, 1, 9, 9 }, false), 8u);
    EXPECT_EQ(rleEndOfBitmap(Bytes { 0, 3, 1, 2, 0, 1 }, true), 6u);
    EXPECT_EQ(rleEndOfBitmap(Bytes { 3, 5, 0, 0 }, false), std::nullopt);
}

// ---- run-length files --------------------------------------------------

BmpImage rle8File(Bytes data)
{
    BmpImage f;
    f.width = 4;
    f.height = 2;
    f.bitCount = 8;
    f.compression = platform::BI_RLE8;
    f.colors.resize(256);
    for (int i = 0; i < 256; ++i)
        f.colors[std::size_t(i)] = { 0, 0, std::uint8_t(i), 0 };
    f.pixels = std::move(data);
    return f;
}

Bytes bitsOf(TDIB& dib)
{
    const std::uint8_t* bits = dib.Bits();
    return Bytes(bits, bits + dib.ImageSize());
}

TEST(DibRleFile, StaysCompressedUntilPixelsAreAskedFor)
{
    TDIB dib;
    load(dib, writeBmp(rle8File({ 3, 5, 0, 0, 1, 6, 0, 1 })));
    EXPECT_TRUE(dib.Image().Compressed);
    EXPECT_EQ(dib.ImageSize(), 8);
    EXPECT_EQ(dib.Image().InfoBlock.header.biCompression, platform::BI_RLE8);

    EXPECT_EQ(bitsOf(dib), (Bytes { 5, 5, 5, 0, 6, 0, 0, 0 }));
    EXPECT_FALSE(dib.Image().Compressed);
    EXPECT_TRUE(dib.Image().MemoryOnly);
}

TEST(DibRleFile, NegativeHeightIsTakenAsPositiveAndDecodedBottomUp)
{
    BmpImage f = rle8File({ 1, 7, 0, 1 });
    f.height = -2;
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(drawnFromCanvas(dib), (std::vector<std::uint32_t> { 0, 0, 0, 0, 0x070000, 0, 0, 0 }));
}

TEST(DibRleFile, BitCountChoosesTheDecoder)
{
    BmpImage f = rle8File({ 3, 0x12, 0, 1 });
    f.bitCount = 4;
    f.colors.resize(16);
    f.compression = platform::BI_RLE8; // says RLE8, holds four-bit pixels
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.Image().InfoBlock.header.biCompression, platform::BI_RLE4);
    EXPECT_EQ(bitsOf(dib)[0], 0x12);
    EXPECT_EQ(bitsOf(dib)[1], 0x10);
}

// A zero size, or one that stops before the end-of-bitmap code, takes the
// run-length data to the end of the file.
TEST(DibRleFile, SizeZeroOrTooSmallReadsToTheEndOfTheFile)
{
    for (std::uint32_t size : { 0u, 2u }) {
        BmpImage f = rle8File({ 1, 9, 0, 0, 2, 3, 0, 1 });
        f.sizeImage = size;
        TDIB dib;
        load(dib, writeBmp(f));
        EXPECT_EQ(dib.ImageSize(), 8) << size;
        EXPECT_EQ(bitsOf(dib), (Bytes { 9, 0, 0, 0, 3, 3, 0, 0 })) << size;
    }
}

TEST(DibRleFile, ASizeThatHoldsTheWholeBitmapIsKept)
{
    BmpImage f = rle8File({ 1, 9, 0, 1, 0xEE, 0xEE });
    f.sizeImage = 4;
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.ImageSize(), 4);
    EXPECT_EQ(dib.Image().InfoBlock.header.biSizeImage, 4u);
}

TEST(DibRleFile, MissingEndOfBitmapIsNoError)
{
    TDIB dib;
    load(dib, writeBmp(rle8File({ 2, 4, 0, 0, 4, 1 })));
    EXPECT_EQ(bitsOf(dib), (Bytes { 4, 4, 0, 0, 1, 1, 1, 1 }));
}

TEST(DibRleFile, MemoryOnlyDrawMatchesTheDecodedSection)
{
    TDIB dib;
    load(dib, writeBmp(rle8File({ 2, 4, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1 })));
    const auto direct = drawnByDraw(dib);
    EXPECT_EQ(direct, drawnFromCanvas(dib));
    EXPECT_EQ(
        direct, (std::vector<std::uint32_t> { 0x010000, 0x020000, 0x030000, 0, 0x040000, 0x040000, 0, 0 }));
}

} // namespace
