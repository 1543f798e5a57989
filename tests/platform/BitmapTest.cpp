#include "platform/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform;

namespace {

BitmapInfo info(std::int32_t w, std::int32_t h, std::uint16_t bits, std::uint32_t compression = BI_RGB)
{
    BitmapInfo i;
    i.header.biWidth = w;
    i.header.biHeight = h;
    i.header.biBitCount = bits;
    i.header.biCompression = compression;
    return i;
}

BitmapInfo withMasks(BitmapInfo i, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    i.redMask = r;
    i.greenMask = g;
    i.blueMask = b;
    return i;
}

} // namespace

TEST(MakeBitmap, RowsAreFourByteAlignedAndZeroed)
{
    const HBITMAP b = makeBitmap(3, 2, PixelFormat { 24 }, false, false);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->stride(), 12u);
    EXPECT_EQ(b->byteSize(), 24u);
    for (std::size_t i = 0; i < b->byteSize(); ++i)
        EXPECT_EQ(b->bits()[i], 0);
    EXPECT_EQ(makeBitmap(5, 1, PixelFormat { 1 }, false, false)->stride(), 4u);
    EXPECT_EQ(makeBitmap(33, 1, PixelFormat { 1 }, false, false)->stride(), 8u);
}

// Sheet-sized memory comes from a mapping of its own: it must be as zeroed
// and as writable to its last byte as the small blocks are.
TEST(MakeBitmap, LargeMemoryIsZeroedAndWholeToItsEnd)
{
    for (const std::int32_t side : { 725, 1023, 1024, 1449, 2048 }) {
        const HBITMAP b = makeBitmap(side, side, PixelFormat { 32 }, false, false);
        ASSERT_TRUE(b);
        ASSERT_EQ(b->byteSize(), std::size_t(side) * side * 4);
        for (std::size_t i = 0; i < b->byteSize(); i += 4093)
            ASSERT_EQ(b->bits()[i], 0) << side << " at " << i;
        EXPECT_EQ(b->bits()[b->byteSize() - 1], 0);
        // Bottom-up: the last bytes are the top row's last pixel.
        b->bits()[b->byteSize() - 2] = 2;
        EXPECT_EQ(b->colorAt(side - 1, 0), 0x020000u);
    }
}

TEST(MakeBitmap, RefusesEmptyAndOversizedMemory)
{
    EXPECT_FALSE(makeBitmap(0, 1, PixelFormat {}, false, false));
    EXPECT_FALSE(makeBitmap(1, -1, PixelFormat {}, false, false));
    EXPECT_FALSE(makeBitmap(1, 1, PixelFormat { 2 }, false, false));
    EXPECT_FALSE(makeBitmap(8192, 8193, PixelFormat { 32 }, false, false));
    EXPECT_FALSE(makeBitmap(INT32_MAX, INT32_MAX, PixelFormat { 32 }, false, false));
    EXPECT_TRUE(makeBitmap(8192, 8192, PixelFormat { 32 }, false, false));
}

TEST(MakeBitmap, ScanLineCountsFromTheTopInEitherOrder)
{
    const HBITMAP up = makeBitmap(1, 3, PixelFormat { 32 }, false, false);
    const HBITMAP down = makeBitmap(1, 3, PixelFormat { 32 }, true, false);
    EXPECT_EQ(up->scanLine(0), up->bits() + 8);
    EXPECT_EQ(down->scanLine(0), down->bits());
}

struct SectionCase {
    const char* name;
    BitmapInfo info;
    bool accepted;
};

TEST(CreateDIBSection, AcceptsOnlyWhatTheStandardDefines)
{
    BitmapInfo twoPlanes = info(1, 1, 8);
    twoPlanes.header.biPlanes = 2;
    BitmapInfo tooManyColors = info(1, 1, 8);
    tooManyColors.colors.resize(257);
    const SectionCase cases[] = {
        { "1 bit", info(1, 1, 1), true },
        { "4 bits", info(1, 1, 4), true },
        { "8 bits top-down", info(1, -1, 8), true },
        { "16 bits", info(1, 1, 16), true },
        { "24 bits", info(1, 1, 24), true },
        { "32 bits", info(1, 1, 32), true },
        { "2 bits", info(1, 1, 2), false },
        { "0 bits", info(1, 1, 0), false },
        { "24-bit bit fields", withMasks(info(1, 1, 24, BI_BITFIELDS), 0xFF0000, 0xFF00, 0xFF), false },
        { "run-length", info(1, 1, 8, BI_RLE8), false },
        { "compression 4", info(1, 1, 24, 4), false },
        { "zero width", info(0, 1, 24), false },
        { "negative width", info(-1, 1, 24), false },
        { "zero height", info(1, 0, 24), false },
        { "most negative height", info(1, INT32_MIN, 24), false },
        { "two planes", twoPlanes, false },
        { "257 colours", tooManyColors, false },
        { "5-6-5", withMasks(info(1, 1, 16, BI_BITFIELDS), 0xF800, 0x7E0, 0x1F), true },
        { "4-4-4", withMasks(info(1, 1, 16, BI_BITFIELDS), 0xF00, 0xF0, 0xF), true },
        { "10-10-10", withMasks(info(1, 1, 32, BI_BITFIELDS), 0x3FF00000, 0xFFC00, 0x3FF), true },
        { "swapped 8-8-8", withMasks(info(1, 1, 32, BI_BITFIELDS), 0xFF, 0xFF00, 0xFF0000), true },
        { "zero mask", withMasks(info(1, 1, 16, BI_BITFIELDS), 0, 0x7E0, 0x1F), false },
        { "gap in mask", withMasks(info(1, 1, 32, BI_BITFIELDS), 0xF0F00000, 0xFF00, 0xFF), false },
        { "overlapping masks", withMasks(info(1, 1, 32, BI_BITFIELDS), 0xFFFF00, 0xFF00, 0xFF), false },
        { "mask past 16 bits", withMasks(info(1, 1, 16, BI_BITFIELDS), 0xF8000, 0x7E0, 0x1F), false },
        { "too large", info(65536, 1025, 32), false },
    };
    for (const SectionCase& c : cases)
        EXPECT_EQ(CreateDIBSection(c.info) != nullptr, c.accepted) << c.name;
}

TEST(CreateDIBSection, KeepsTheDescriptionAndColours)
{
    BitmapInfo i = info(3, -2, 4);
    i.colors = { { 1, 2, 3, 0 }, { 4, 5, 6, 0 } };
    const HBITMAP b = CreateDIBSection(i);
    ASSERT_TRUE(b);
    EXPECT_TRUE(b->isSection());
    EXPECT_TRUE(b->topDown());
    EXPECT_EQ(b->height(), 2);
    EXPECT_EQ(b->infoHeader().biHeight, -2);
    ASSERT_EQ(b->colorTable().size(), 16u);
    EXPECT_EQ(b->colorTable()[1], (RgbQuad { 4, 5, 6, 0 }));
    EXPECT_EQ(b->colorTable()[2], RgbQuad {});
}

struct PixelCase {
    const char* name;
    BitmapInfo info;
    std::vector<std::uint8_t> firstRow;
    std::uint32_t expected[2];
};

TEST(ColorAt, DecodesEveryLayout)
{
    BitmapInfo indexed4 = info(2, 1, 4);
    indexed4.colors = { { 0, 0, 0, 0 }, { 0x10, 0x20, 0x30, 0 }, { 0x40, 0x50, 0x60, 0 } };
    BitmapInfo indexed1 = info(2, 1, 1);
    indexed1.colors = { { 1, 2, 3, 0 }, { 4, 5, 6, 0 } };
    const PixelCase cases[] = {
        { "1 bit", indexed1, { 0x40 }, { 0x030201, 0x060504 } },
        { "4 bits", indexed4, { 0x12 }, { 0x302010, 0x605040 } },
        { "16 bits 5-5-5", info(2, 1, 16), { 0x00, 0x7C, 0x1F, 0x00 }, { 0xFF0000, 0x0000FF } },
        { "16 bits 5-5-5 mid", info(2, 1, 16), { 0x10, 0x42, 0xE0, 0x03 }, { 0x848484, 0x00FF00 } },
        { "16 bits 5-6-5", withMasks(info(2, 1, 16, BI_BITFIELDS), 0xF800, 0x7E0, 0x1F),
            { 0xE0, 0x07, 0x00, 0xF8 }, { 0x00FF00, 0xFF0000 } },
        { "16 bits 4-4-4", withMasks(info(2, 1, 16, BI_BITFIELDS), 0xF00, 0xF0, 0xF),
            { 0x21, 0x03, 0xFF, 0x0F }, { 0x332211, 0xFFFFFF } },
        { "24 bits", info(2, 1, 24), { 1, 2, 3, 4, 5, 6 }, { 0x030201, 0x060504 } },
        { "32 bits", info(2, 1, 32), { 1, 2, 3, 9, 4, 5, 6, 9 }, { 0x030201, 0x060504 } },
        { "32 bits swapped", withMasks(info(2, 1, 32, BI_BITFIELDS), 0xFF, 0xFF00, 0xFF0000),
            { 1, 2, 3, 0, 4, 5, 6, 0 }, { 0x010203, 0x040506 } },
        { "32 bits 10-10-10", withMasks(info(2, 1, 32, BI_BITFIELDS), 0x3FF00000, 0xFFC00, 0x3FF),
            { 0xFF, 0x03, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F }, { 0x0000FF, 0xFF0000 } },
    };
    for (const PixelCase& c : cases) {
        const HBITMAP b = CreateDIBSection(c.info);
        ASSERT_TRUE(b) << c.name;
        std::memcpy(b->scanLine(0), c.firstRow.data(), c.firstRow.size());
        EXPECT_EQ(b->colorAt(0, 0), c.expected[0]) << c.name;
        EXPECT_EQ(b->colorAt(1, 0), c.expected[1]) << c.name;
        EXPECT_EQ(b->colorAt(2, 0), 0u) << c.name;
        EXPECT_EQ(b->colorAt(0, -1), 0u) << c.name;
    }
}

TEST(RawFromColor, EncodesIntoEachScreenFormat)
{
    EXPECT_EQ(rawFromColor(PixelFormat {}, 0x123456), 0x123456u);
    EXPECT_EQ(rawFromColor(PixelFormat { 24 }, 0xFF123456), 0x123456u);
    EXPECT_EQ(rawFromColor(PixelFormat { 16, 0xF800, 0x7E0, 0x1F }, 0xFF00FF), 0xF81Fu);
    EXPECT_EQ(rawFromColor(PixelFormat { 16, 0xF800, 0x7E0, 0x1F }, 0x08040F), 0x0821u);
    const RgbQuad table[] = { { 0, 0, 0, 0 }, { 0, 0, 250, 0 }, { 250, 0, 0, 0 } };
    EXPECT_EQ(rawFromColor(PixelFormat { 8, 0, 0, 0 }, 0xF00010, table), 1u);
    EXPECT_EQ(rawFromColor(PixelFormat { 8, 0, 0, 0 }, 0x0000F0, table), 2u);
    const auto system = systemPalette();
    ASSERT_EQ(system.size(), 256u);
    const std::uint32_t white = rawFromColor(PixelFormat { 8, 0, 0, 0 }, 0xFFFFFF);
    EXPECT_EQ(system[white], (PaletteEntry { 255, 255, 255, 0 }));
}

TEST(Screen, FormatIsSelectableForTests)
{
    EXPECT_EQ(screenFormat(), PixelFormat {});
    setScreenBitCountForTesting(16);
    EXPECT_EQ(screenFormat(), (PixelFormat { 16, 0xF800, 0x7E0, 0x1F }));
    EXPECT_EQ(CreateCompatibleBitmap(2, 2)->bitCount(), 16);
    EXPECT_EQ(CreateCompatibleDC()->bitsPerPixel(), 16);
    setScreenBitCountForTesting(8);
    EXPECT_EQ(CreateCompatibleBitmap(2, 2)->colorTable().size(), 256u);
    setScreenBitCountForTesting(32);
    EXPECT_EQ(screenFormat(), PixelFormat {});
}

TEST(DeviceContext, ReportsTheSelectedBitmapsDepth)
{
    auto dc = CreateCompatibleDC();
    EXPECT_EQ(dc->bitsPerPixel(), 32);
    ASSERT_TRUE(dc->bitmap());
    EXPECT_EQ(dc->bitmap()->bitCount(), 1);
    HBITMAP b = CreateDIBSection(info(1, 1, 8));
    const HBITMAP stock = dc->selectBitmap(b);
    EXPECT_EQ(dc->bitsPerPixel(), 8);
    b.reset();
    EXPECT_EQ(dc->bitmap()->bitCount(), 8); // the context keeps it alive
    EXPECT_EQ(dc->selectBitmap(stock)->bitCount(), 8);
    EXPECT_FALSE(dc->selectBitmap(nullptr));
    EXPECT_EQ(dc->setStretchMode(COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(dc->stretchMode(), COLORONCOLOR);
}
