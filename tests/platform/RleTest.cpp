#include "platform/Gdi.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

// Decodes into `rows` rows of `rowBytes` bytes pre-filled with 0xEE, so
// that untouched pixels show.
std::vector<std::uint8_t> decode(std::vector<std::uint8_t> data, int bitCount, std::size_t rowBytes, int rows)
{
    std::vector<std::uint8_t> pixels(rowBytes * std::size_t(rows), 0xEE);
    decodeRle(data, bitCount, pixels, rowBytes, rows);
    return pixels;
}

using Bytes = std::vector<std::uint8_t>;

struct RleCase {
    const char* name;
    int bitCount;
    Bytes data;
    Bytes expected; // 2 rows of 4 bytes, bottom row first
};

} // namespace

TEST(DecodeRle, FollowsTheStandard)
{
    const RleCase cases[] = {
        { "encoded run, end of line, end", 8, { 3, 5, 0, 0, 0, 1 },
            { 5, 5, 5, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "absolute run with pad", 8, { 0, 3, 1, 2, 3, 0, 0, 1 }, { 1, 2, 3, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "delta", 8, { 2, 7, 0, 2, 1, 1, 2, 8, 0, 1 }, { 7, 7, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 8 } },
        { "run into the next row", 8, { 6, 9, 0, 1 }, { 9, 9, 9, 9, 9, 9, 0xEE, 0xEE } },
        { "run past the memory", 8, { 255, 4, 0, 1 }, { 4, 4, 4, 4, 4, 4, 4, 4 } },
        { "no end of bitmap", 8, { 1, 3 }, { 3, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "absolute run cut short", 8, { 0, 5, 1, 2 }, { 1, 2, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "delta cut short", 8, { 1, 3, 0, 2, 1 }, { 3, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "delta beyond the image", 8, { 0, 2, 0, 9, 1, 1 },
            { 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "end of line past the last row", 8, { 0, 0, 0, 0, 1, 1 },
            { 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "rle4 run, high nibble first", 4, { 5, 0x12, 0, 1 },
            { 0x12, 0x12, 0x1E, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "rle4 absolute run with pad", 4, { 0, 3, 0x12, 0x30, 0, 1 },
            { 0x12, 0x3E, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "rle4 odd start keeps the other nibble", 4, { 0, 2, 1, 0, 2, 0x45, 0, 1 },
            { 0xE4, 0x5E, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE } },
        { "rle4 absolute run of 5 takes 3 bytes and a pad", 4,
            { 0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 1, 0x77, 0, 1 },
            { 0x12, 0x34, 0x5E, 0xEE, 0x7E, 0xEE, 0xEE, 0xEE } },
    };
    for (const RleCase& c : cases)
        EXPECT_EQ(decode(c.data, c.bitCount, 4, 2), c.expected) << c.name;
}

TEST(DecodeRle, IgnoresOtherBitCountsAndEmptyMemory)
{
    EXPECT_EQ(decode({ 3, 5, 0, 1 }, 24, 4, 2), Bytes(8, 0xEE));
    EXPECT_EQ(decode({ 3, 5, 0, 1 }, 8, 4, 0), Bytes());
}

TEST(CreateDIBitmap, DecodesRunLengthDataBottomUpOnly)
{
    BitmapInfo info;
    info.header.biWidth = 3;
    info.header.biHeight = 2;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RLE8;
    info.colors = { { 0, 0, 0, 0 }, { 0xFF, 0, 0, 0 }, { 0, 0, 0xFF, 0 } };
    const Bytes data = { 2, 1, 0, 0, 3, 2, 0, 1 };
    const HBITMAP b = CreateDIBitmap(info, data);
    ASSERT_TRUE(b);
    EXPECT_FALSE(b->isSection());
    EXPECT_EQ(b->bitCount(), 32);
    EXPECT_EQ(b->colorAt(0, 1), 0x0000FFu);
    EXPECT_EQ(b->colorAt(2, 1), 0x000000u);
    EXPECT_EQ(b->colorAt(2, 0), 0xFF0000u);

    info.header.biHeight = -2;
    EXPECT_FALSE(CreateDIBitmap(info, data));
    info.header.biHeight = 2;
    info.header.biBitCount = 4;
    EXPECT_FALSE(CreateDIBitmap(info, data)) << "RLE8 needs 8 bits";
    info.header.biCompression = BI_RLE4;
    EXPECT_TRUE(CreateDIBitmap(info, data));
}

TEST(StretchDIBits, DrawsPlainAndRunLengthArrays)
{
    auto dc = CreateCompatibleDC();
    const HBITMAP target = CreateCompatibleBitmap(2, 2);
    dc->selectBitmap(target);

    BitmapInfo plain;
    plain.header.biWidth = 2;
    plain.header.biHeight = 2;
    plain.header.biBitCount = 24;
    const Bytes pixels = { 1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0 };
    EXPECT_EQ(StretchDIBits(*dc, 0, 0, 2, 2, 0, 0, 2, 2, pixels, plain, SRCCOPY), 2);
    EXPECT_EQ(target->colorAt(0, 1), 0x030201u);
    EXPECT_EQ(target->colorAt(1, 0), 0x0C0B0Au);

    BitmapInfo rle = plain;
    rle.header.biBitCount = 8;
    rle.header.biCompression = BI_RLE8;
    rle.colors = { { 0, 0, 0, 0 }, { 0x33, 0x22, 0x11, 0 } };
    EXPECT_EQ(StretchDIBits(*dc, 0, 0, 2, 2, 0, 0, 2, 2, Bytes { 2, 1, 0, 1 }, rle, SRCCOPY), 2);
    EXPECT_EQ(target->colorAt(0, 1), 0x112233u);
    EXPECT_EQ(target->colorAt(0, 0), 0u);

    rle.header.biHeight = -2;
    EXPECT_EQ(StretchDIBits(*dc, 0, 0, 2, 2, 0, 0, 2, 2, Bytes { 2, 1, 0, 1 }, rle, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(*dc, 0, 0, 2, 2, 0, 0, 2, 2, pixels, plain, 0x00EE0086), 0);
}
