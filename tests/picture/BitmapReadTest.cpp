#include "BitmapTestSupport.h"

#include <optional>

using namespace bmptest;

namespace {

constexpr std::uint32_t kPalette[16] = { 0x123456, 0xABCDEF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000,
    0x808080, 0x7F3F1F, 0x010203, 0xFEDCBA, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x404040, 0x102030 };
constexpr std::int32_t kWidth = 13;
constexpr std::int32_t kHeight = 3;

Color quad(std::uint32_t rgb)
{
    return { std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16), 0 };
}

// Colours whose channels are full or empty survive every channel width.
std::uint32_t primary(std::int32_t x, std::int32_t y)
{
    const int i = (x + 3 * y) % 8;
    return (i & 4 ? 0xFF0000 : 0) | (i & 2 ? 0x00FF00 : 0) | (i & 1 ? 0x0000FF : 0);
}

std::uint32_t pack(std::uint32_t rgb, const std::uint32_t (&masks)[3])
{
    std::uint32_t raw = 0;
    for (int c = 0; c < 3; ++c)
        if ((rgb >> (16 - 8 * c)) & 0xFF)
            raw |= masks[c];
    return raw;
}

struct Format {
    const char* name;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t masks[3];
};

// The image of a format: the file's fields, and the colour each pixel must show.
struct Image {
    BmpImage image;
    std::function<std::uint32_t(std::int32_t, std::int32_t)> expected;
};

Image imageFor(const Format& f, std::uint32_t headerSize)
{
    Image image;
    BmpImage& s = image.image;
    s.headerSize = headerSize;
    s.width = kWidth;
    s.height = kHeight;
    s.bitCount = f.bitCount;
    s.compression = f.compression;
    if (f.compression == platform::BI_BITFIELDS)
        for (int c = 0; c < 3; ++c)
            s.masks[c] = f.masks[c];
    if (f.bitCount <= 8) {
        const std::uint32_t n = f.bitCount == 1 ? 2 : 16;
        for (std::uint32_t i = 0; i < n; ++i)
            s.colors.push_back(quad(kPalette[i]));
        if (f.bitCount == 8 && headerSize == 12)
            s.colors.resize(256); // a core header cannot say that fewer are used
        else if (f.bitCount == 8)
            s.colorsUsed = n;
        auto index = [n](std::int32_t x, std::int32_t y) { return std::uint32_t(x + 3 * y) % n; };
        s.pixels = f.compression == platform::BI_RGB ? packRows(kWidth, kHeight, f.bitCount, index)
                                                     : encodeRle(kWidth, kHeight, f.bitCount, index);
        image.expected = [index](std::int32_t x, std::int32_t y) { return kPalette[index(x, y)]; };
    } else if (f.bitCount == 24 || (f.bitCount == 32 && f.compression == platform::BI_RGB)) {
        auto color = [](std::int32_t x, std::int32_t y) { return kPalette[(x + 3 * y) % 16]; };
        s.pixels = packRows(kWidth, kHeight, f.bitCount, [&](std::int32_t x, std::int32_t y) {
            return color(x, y) | 0xAB000000; // the unused byte of 32-bit pixels holds junk
        });
        image.expected = color;
    } else {
        const std::uint32_t(&masks)[3] = f.masks;
        s.pixels = packRows(kWidth, kHeight, f.bitCount,
            [&masks](std::int32_t x, std::int32_t y) { return pack(primary(x, y), masks); });
        image.expected = primary;
    }
    return image;
}

const Format kFormats[] = {
    { "1 bit", 1, platform::BI_RGB, {} },
    { "4 bits", 4, platform::BI_RGB, {} },
    { "8 bits", 8, platform::BI_RGB, {} },
    { "RLE4", 4, platform::BI_RLE4, {} },
    { "RLE8", 8, platform::BI_RLE8, {} },
    { "16 bits 5-5-5", 16, platform::BI_RGB, { 0x7C00, 0x3E0, 0x1F } },
    { "16 bits 5-6-5", 16, platform::BI_BITFIELDS, { 0xF800, 0x7E0, 0x1F } },
    { "16 bits 4-4-4", 16, platform::BI_BITFIELDS, { 0xF00, 0xF0, 0xF } },
    { "24 bits", 24, platform::BI_RGB, {} },
    { "32 bits", 32, platform::BI_RGB, {} },
    { "32 bits blue on top", 32, platform::BI_BITFIELDS, { 0xFF, 0xFF00, 0xFF0000 } },
    { "32 bits 10-10-10", 32, platform::BI_BITFIELDS, { 0x3FF00000, 0xFFC00, 0x3FF } },
};

} // namespace

TEST(BitmapRead, DrawsEveryFormatAndHeaderKindPixelForPixel)
{
    for (const Format& f : kFormats)
        for (const std::uint32_t headerSize : { 12u, 40u, 108u, 124u }) {
            const bool coreable = f.compression == platform::BI_RGB && f.bitCount != 16 && f.bitCount != 32;
            if (headerSize == 12 && !coreable)
                continue;
            const Image image = imageFor(f, headerSize);
            TBitmap bitmap;
            loadBitmap(bitmap, writeBmp(image.image));
            ASSERT_EQ(bitmap.Width(), kWidth) << f.name << " header " << headerSize;
            ASSERT_EQ(bitmap.Height(), kHeight) << f.name << " header " << headerSize;
            const std::vector<std::uint32_t> colors = drawn(bitmap);
            for (std::int32_t y = 0; y < kHeight; ++y)
                for (std::int32_t x = 0; x < kWidth; ++x)
                    ASSERT_EQ(colors[std::size_t(y * kWidth + x)], image.expected(x, y))
                        << f.name << " header " << headerSize << " at " << x << "," << y;
        }
}

TEST(BitmapRead, TopDownFilesShowTheRightWayUp)
{
    BmpImage s;
    s.width = 2;
    s.height = -2;
    s.pixels = packRows(
        2, 2, 24, [](std::int32_t x, std::int32_t y) { return kPalette[x + 2 * y]; }, true);
    TBitmap bitmap;
    loadBitmap(bitmap, writeBmp(s));
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(
        drawn(bitmap), (std::vector<std::uint32_t> { kPalette[0], kPalette[1], kPalette[2], kPalette[3] }));
}

TEST(BitmapRead, CoreHeaderSizesAreUnsigned)
{
    BmpImage s;
    s.headerSize = 12;
    s.width = 40000;
    s.height = 1;
    s.bitCount = 1;
    s.colors = { quad(0), quad(0xFFFFFF) };
    s.pixels.assign(5000, 0xFF);
    TBitmap bitmap;
    loadBitmap(bitmap, writeBmp(s));
    EXPECT_EQ(bitmap.Width(), 40000);
    EXPECT_TRUE(bitmap.Image().OS2Format);
}

TEST(BitmapRead, ColoursUsedDecidesTheTableLength)
{
    BmpImage s;
    s.bitCount = 8;
    s.width = 2;
    s.colorsUsed = 16;
    for (std::uint32_t c : kPalette)
        s.colors.push_back(quad(c));
    s.pixels = { 15, 1, 0, 0 };
    TBitmap bitmap;
    loadBitmap(bitmap, writeBmp(s));
    EXPECT_EQ(drawn(bitmap), (std::vector<std::uint32_t> { kPalette[15], kPalette[1] }));
}

TEST(BitmapRead, PixelOffsetIsHonouredOnlyWhenItIsPlausible)
{
    struct Case {
        const char* name;
        std::uint32_t gap;
        std::optional<std::uint32_t> offset;
        std::uint32_t expected;
    };
    // The pixel 0x112233 follows the gap; 0xCDCDCD is the gap's filler.
    const Case cases[] = {
        { "gap announced", 8, std::nullopt, 0x112233 },
        { "offset 0", 0, 0u, 0x112233 },
        { "offset inside the header", 0, 20u, 0x112233 },
        { "offset past the file", 0, 1000u, 0x112233 },
        { "gap not announced", 8, 54u, 0xCDCDCD },
    };
    for (const Case& c : cases) {
        BmpImage s;
        s.gap = c.gap;
        s.pixelOffset = c.offset;
        s.pixels = { 0x33, 0x22, 0x11, 0 };
        TBitmap bitmap;
        loadBitmap(bitmap, writeBmp(s));
        EXPECT_EQ(drawn(bitmap), std::vector<std::uint32_t> { c.expected }) << c.name;
    }
}

TEST(BitmapRead, ShortPixelArrayLeavesTheRestBlack)
{
    BmpImage s;
    s.width = 1;
    s.height = 2;
    s.sizeImage = 8;
    s.pixels = { 0xFF, 0xFF, 0xFF }; // the bottom row only, and not even its pad
    TBitmap bitmap;
    loadBitmap(bitmap, writeBmp(s));
    EXPECT_EQ(drawn(bitmap), (std::vector<std::uint32_t> { 0x000000, 0xFFFFFF }));
}

TEST(BitmapRead, ReadsNoFurtherThanTheImage)
{
    BmpImage s;
    s.pixels = { 1, 2, 3, 0, 9, 9, 9, 9 };
    s.sizeImage = 4;
    const Bytes file = writeBmp(s);
    TBytesStream stream(file);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), std::int64_t(file.size()) - 4);
}

TEST(BitmapRead, ZeroBytesMakeAnEmptyBitmap)
{
    TBitmap bitmap;
    loadBitmap(bitmap, writeBmp(BmpImage {}));
    ASSERT_FALSE(bitmap.Empty());
    loadBitmap(bitmap, Bytes {});
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(BitmapRead, PaletteImagesCarryTheirPaletteAsData)
{
    const Image image = imageFor(kFormats[2], 40);
    TBitmap bitmap;
    loadBitmap(bitmap, writeBmp(image.image));
    const platform::HPALETTE palette = bitmap.GetPalette();
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->entries[0], (platform::PaletteEntry { 0x12, 0x34, 0x56, 0 }));
    EXPECT_TRUE(bitmap.PaletteModified);

    TBitmap trueColor;
    loadBitmap(trueColor, writeBmp(imageFor(kFormats[8], 40).image));
    EXPECT_FALSE(trueColor.GetPalette());
    EXPECT_TRUE(trueColor.IgnorePalette());
}
