#include "platform/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform;

namespace {

// A context holding a section of the given layout whose pixel (x, y) has
// colour `colorOf(x, y)`, written through a 32-bit staging copy.
struct Picture {
    std::unique_ptr<DeviceContext> dc = CreateCompatibleDC();
    Bitmap* bitmap = nullptr;
};

std::uint32_t pattern(std::int32_t x, std::int32_t y)
{
    static const std::uint32_t colors[] = { 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00 };
    return colors[(x + 2 * y) % 6];
}

Picture makePicture(std::int32_t w, std::int32_t h, const BitmapInfo& layout)
{
    Picture p;
    BitmapInfo i = layout;
    i.header.biWidth = w;
    i.header.biHeight = h;
    HBITMAP b = CreateDIBSection(i);
    p.bitmap = b.get();
    p.dc->selectBitmap(b);
    return p;
}

BitmapInfo layout(std::uint16_t bits, std::uint32_t compression = BI_RGB, std::uint32_t r = 0,
    std::uint32_t g = 0, std::uint32_t b = 0)
{
    BitmapInfo i;
    i.header.biBitCount = bits;
    i.header.biCompression = compression;
    i.redMask = r;
    i.greenMask = g;
    i.blueMask = b;
    if (bits <= 8) {
        i.colors = { { 0, 0, 0xFF, 0 }, { 0, 0xFF, 0, 0 }, { 0xFF, 0, 0, 0 }, { 0xFF, 0xFF, 0xFF, 0 },
            { 0, 0, 0, 0 }, { 0, 0xFF, 0xFF, 0 } };
        if (bits == 1)
            i.colors = { { 0, 0, 0, 0 }, { 0xFF, 0xFF, 0xFF, 0 } };
    }
    return i;
}

void paint(Picture& p)
{
    Picture staging = makePicture(p.bitmap->width(), p.bitmap->height(), layout(32));
    for (std::int32_t y = 0; y < p.bitmap->height(); ++y)
        for (std::int32_t x = 0; x < p.bitmap->width(); ++x) {
            const std::uint32_t c = pattern(x, y);
            std::memcpy(staging.bitmap->scanLine(y) + x * 4, &c, 4);
        }
    const auto w = p.bitmap->width(), h = p.bitmap->height();
    ASSERT_TRUE(StretchBlt(*p.dc, 0, 0, w, h, *staging.dc, 0, 0, w, h, SRCCOPY));
}

} // namespace

struct LayoutCase {
    const char* name;
    BitmapInfo layout;
};

TEST(StretchBlt, CopiesOneToOneBetweenEveryPairOfLayouts)
{
    const LayoutCase layouts[] = {
        { "4", layout(4) },
        { "8", layout(8) },
        { "16 5-5-5", layout(16) },
        { "16 5-6-5", layout(16, BI_BITFIELDS, 0xF800, 0x7E0, 0x1F) },
        { "24", layout(24) },
        { "32", layout(32) },
        { "32 swapped", layout(32, BI_BITFIELDS, 0xFF, 0xFF00, 0xFF0000) },
    };
    for (const LayoutCase& from : layouts)
        for (const LayoutCase& to : layouts) {
            Picture src = makePicture(7, 3, from.layout);
            paint(src);
            Picture dst = makePicture(7, -3, to.layout);
            ASSERT_TRUE(StretchBlt(*dst.dc, 0, 0, 7, 3, *src.dc, 0, 0, 7, 3, SRCCOPY));
            for (std::int32_t y = 0; y < 3; ++y)
                for (std::int32_t x = 0; x < 7; ++x)
                    ASSERT_EQ(dst.bitmap->colorAt(x, y), pattern(x, y))
                        << from.name << " -> " << to.name << " at " << x << "," << y;
        }
}

// The 24-bit sheet's own path into the display's format goes four pixels at
// a time; every start, length and remainder must land each pixel whole.
TEST(StretchBlt, TwentyFourBitRowsReachThirtyTwoBitsAtEveryOffset)
{
    Picture src = makePicture(13, 2, layout(24));
    paint(src);
    for (std::int32_t sx = 0; sx < 4; ++sx)
        for (std::int32_t w = 1; w <= 13 - sx; ++w) {
            Picture dst = makePicture(16, 2, layout(32));
            ASSERT_TRUE(StretchBlt(*dst.dc, 2, 0, w, 2, *src.dc, sx, 0, w, 2, SRCCOPY));
            for (std::int32_t y = 0; y < 2; ++y)
                for (std::int32_t x = 0; x < 16; ++x) {
                    const bool inside = x >= 2 && x < 2 + w;
                    ASSERT_EQ(dst.bitmap->colorAt(x, y), inside ? pattern(x - 2 + sx, y) : 0u)
                        << "from " << sx << " width " << w << " at " << x << "," << y;
                }
        }
}

TEST(StretchBlt, MonochromeTakesItsTwoColours)
{
    Picture src = makePicture(9, 1, layout(1));
    src.bitmap->scanLine(0)[0] = 0xA5;
    src.bitmap->scanLine(0)[1] = 0x80;
    Picture dst = makePicture(9, 1, layout(32));
    ASSERT_TRUE(StretchBlt(*dst.dc, 0, 0, 9, 1, *src.dc, 0, 0, 9, 1, SRCCOPY));
    const std::uint32_t expected[] = { 0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF };
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(dst.bitmap->colorAt(x, 0), expected[x]) << x;
}

TEST(StretchBlt, StretchesByNearestNeighbour)
{
    Picture src = makePicture(3, 2, layout(24));
    paint(src);
    Picture dst = makePicture(6, 4, layout(32));
    ASSERT_TRUE(StretchBlt(*dst.dc, 0, 0, 6, 4, *src.dc, 0, 0, 3, 2, SRCCOPY));
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 6; ++x)
            EXPECT_EQ(dst.bitmap->colorAt(x, y), pattern(x / 2, y / 2)) << x << "," << y;

    Picture half = makePicture(3, 2, layout(32));
    ASSERT_TRUE(StretchBlt(*half.dc, 0, 0, 3, 2, *dst.dc, 0, 0, 6, 4, SRCCOPY));
    for (std::int32_t y = 0; y < 2; ++y)
        for (std::int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(half.bitmap->colorAt(x, y), pattern(x, y));
}

TEST(StretchBlt, SkipsWhatLiesOutsideEitherBitmap)
{
    Picture src = makePicture(4, 4, layout(24));
    paint(src);
    Picture dst = makePicture(4, 4, layout(32));
    // Destination hangs off the top left; the source off the bottom right.
    ASSERT_TRUE(StretchBlt(*dst.dc, -1, -1, 4, 4, *src.dc, 2, 2, 4, 4, SRCCOPY));
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x) {
            const bool copied = x + 1 + 2 < 4 && y + 1 + 2 < 4;
            EXPECT_EQ(dst.bitmap->colorAt(x, y), copied ? pattern(x + 3, y + 3) : 0u) << x << "," << y;
        }
    EXPECT_TRUE(StretchBlt(*dst.dc, 10, 10, 4, 4, *src.dc, 0, 0, 4, 4, SRCCOPY));
}

TEST(StretchBlt, RefusesOtherOperationsAndEmptyRectangles)
{
    Picture src = makePicture(2, 2, layout(32));
    paint(src);
    Picture dst = makePicture(2, 2, layout(32));
    EXPECT_FALSE(StretchBlt(*dst.dc, 0, 0, 2, 2, *src.dc, 0, 0, 2, 2, 0x00EE0086));
    EXPECT_FALSE(StretchBlt(*dst.dc, 0, 0, 0, 2, *src.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(StretchBlt(*dst.dc, 0, 0, 2, 2, *src.dc, 0, 0, 2, 0, SRCCOPY));
    EXPECT_EQ(dst.bitmap->colorAt(0, 0), 0u);
}

TEST(StretchBlt, CopiesWithinOneBitmapAsIfFromACopy)
{
    Picture p = makePicture(4, 1, layout(32));
    paint(p);
    ASSERT_TRUE(StretchBlt(*p.dc, 1, 0, 3, 1, *p.dc, 0, 0, 3, 1, SRCCOPY));
    EXPECT_EQ(p.bitmap->colorAt(1, 0), pattern(0, 0));
    EXPECT_EQ(p.bitmap->colorAt(2, 0), pattern(1, 0));
    EXPECT_EQ(p.bitmap->colorAt(3, 0), pattern(2, 0));
}

TEST(StretchBlt, ConvertsIntoAnEightBitScreenBitmap)
{
    setScreenBitCountForTesting(8);
    Picture src = makePicture(6, 1, layout(24));
    paint(src);
    auto dc = CreateCompatibleDC();
    const HBITMAP ddb = CreateCompatibleBitmap(6, 1);
    dc->selectBitmap(ddb);
    setScreenBitCountForTesting(32);
    ASSERT_TRUE(StretchBlt(*dc, 0, 0, 6, 1, *src.dc, 0, 0, 6, 1, SRCCOPY));
    for (std::int32_t x = 0; x < 6; ++x)
        EXPECT_EQ(ddb->colorAt(x, 0), pattern(x, 0)) << x;
}

// The display's raw values are 0x00RRGGBB: whatever a 32-bit source keeps in
// its fourth byte (alpha, padding) must not reach a 32-bit destination, on
// any path of the copy.
TEST(StretchBlt, ThirtyTwoBitDestinationsGetNoFourthByte)
{
    using Row = std::vector<std::uint32_t>;
    struct Case {
        const char* name;
        BitmapInfo from;
        std::int32_t sw; // source width; the destination is 4 wide
        bool sameBitmap;
        Row expected;
    };
    const Row plain { 0x123456, 0xABCDEF, 0x000000, 0x00FF00 };
    const Case cases[] = {
        { "same layout 1:1", layout(32), 4, false, plain },
        { "same layout stretched", layout(32), 2, false, { 0x123456, 0x123456, 0xABCDEF, 0xABCDEF } },
        { "within one bitmap", layout(32), 4, true, plain },
        { "red lowest", layout(32, BI_BITFIELDS, 0xFF, 0xFF00, 0xFF0000), 4, false,
            { 0x563412, 0xEFCDAB, 0x000000, 0x00FF00 } },
        { "channels in the top three bytes", layout(32, BI_BITFIELDS, 0xFF000000, 0xFF0000, 0xFF00), 4, false,
            { 0xFF1234, 0x80ABCD, 0x010000, 0x7F00FF } },
    };
    const std::uint32_t stored[] = { 0xFF123456, 0x80ABCDEF, 0x01000000, 0x7F00FF00 };
    for (const Case& c : cases) {
        Picture src = makePicture(4, 1, c.from);
        std::memcpy(src.bitmap->scanLine(0), stored, sizeof stored);
        Picture dst = makePicture(4, 1, layout(32));
        Picture& to = c.sameBitmap ? src : dst;
        ASSERT_TRUE(StretchBlt(*to.dc, 0, 0, 4, 1, *src.dc, 0, 0, c.sw, 1, SRCCOPY)) << c.name;
        Row raw(4);
        std::memcpy(raw.data(), to.bitmap->scanLine(0), 16);
        EXPECT_EQ(raw, c.expected) << c.name;
    }
}
