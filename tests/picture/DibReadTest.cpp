// Reading "dib" files: sound files of every kind against the colours they
// hold, and broken files against the exact error they must raise.
#include "DibTestSupport.h"

#include <functional>
#include <string>

using namespace dibtest;

namespace {

constexpr std::int32_t kW = 7;
constexpr std::int32_t kH = 5;

enum class Kind { Indexed, Rgb555, Rgb565, Bgr565, Rgb24, Xrgb, MaskedRgb, MaskedBgr, Rle8, Rle4 };

struct GoodCase {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bitCount;
    Kind kind;
    bool topDown = false;
};

std::vector<platform::RgbQuad> testPalette(int count)
{
    std::vector<platform::RgbQuad> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back(
            { std::uint8_t(i * 37 + 5), std::uint8_t(i * 91 + 3), std::uint8_t(i * 53 + 17), 0 });
    return colors;
}

std::uint32_t rgbOf(const platform::RgbQuad& q)
{
    return (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue;
}

// A test image: the raw value of each pixel (top row first) and the colour
// it must show.
struct Model {
    std::vector<std::uint32_t> raw;
    std::vector<std::uint32_t> expected;
    std::vector<platform::RgbQuad> colors;
};

std::uint32_t widen(std::uint32_t v, int bits)
{
    return v * 255 / ((1u << bits) - 1);
}

Model makeModel(const GoodCase& c)
{
    Model m;
    const bool indexed = c.bitCount <= 8;
    if (indexed)
        m.colors = testPalette(1 << c.bitCount);
    for (std::int32_t y = 0; y < kH; ++y) {
        for (std::int32_t x = 0; x < kW; ++x) {
            const std::uint32_t r = (x * 30 + y * 7) & 0xFF, g = (y * 45 + x * 3) & 0xFF,
                                b = (x * y * 9 + 11) & 0xFF;
            std::uint32_t raw = 0, rgb = 0;
            if (indexed) {
                raw = std::uint32_t(x + 2 * y) % m.colors.size();
                rgb = rgbOf(m.colors[raw]);
            } else if (c.kind == Kind::Rgb555) {
                raw = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
                rgb = (widen(r >> 3, 5) << 16) | (widen(g >> 3, 5) << 8) | widen(b >> 3, 5);
            } else if (c.kind == Kind::Rgb565 || c.kind == Kind::Bgr565) {
                raw = c.kind == Kind::Rgb565 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                             : ((b >> 3) << 11) | ((g >> 2) << 5) | (r >> 3);
                rgb = (widen(r >> 3, 5) << 16) | (widen(g >> 2, 6) << 8) | widen(b >> 3, 5);
            } else {
                raw = c.kind == Kind::MaskedBgr ? (b << 16) | (g << 8) | r : (r << 16) | (g << 8) | b;
                rgb = (r << 16) | (g << 8) | b;
            }
            m.raw.push_back(raw);
            m.expected.push_back(rgb);
        }
    }
    return m;
}

std::vector<std::uint8_t> packRow(const Model& m, std::int32_t y, int bitCount)
{
    const std::size_t rowBytes = ((kW * bitCount + 31) / 32) * 4;
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (std::int32_t x = 0; x < kW; ++x) {
        const std::uint32_t v = m.raw[std::size_t(y * kW + x)];
        if (bitCount < 8) {
            const int bit = x * bitCount;
            row[std::size_t(bit / 8)] |= std::uint8_t(v << (8 - bitCount - bit % 8));
        } else {
            for (int i = 0; i < bitCount / 8; ++i)
                row[std::size_t(x * bitCount / 8 + i)] = std::uint8_t(v >> (8 * i));
        }
    }
    return row;
}

// One run per pixel; RLE8 joins equal neighbours, RLE4 writes pairs.
std::vector<std::uint8_t> encodeRle(const Model& m, int bitCount)
{
    std::vector<std::uint8_t> out;
    for (std::int32_t y = kH - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < kW; ++x) {
            const std::uint32_t v = m.raw[std::size_t(y * kW + x)];
            if (bitCount == 4) {
                const bool pair = x + 1 < kW;
                const std::uint32_t next = pair ? m.raw[std::size_t(y * kW + x + 1)] : 0;
                out.push_back(pair ? 2 : 1);
                out.push_back(std::uint8_t((v << 4) | next));
                x += pair;
                continue;
            }
            std::uint8_t n = 1;
            while (x + n < kW && m.raw[std::size_t(y * kW + x + n)] == v)
                ++n;
            out.push_back(n);
            out.push_back(std::uint8_t(v));
            x += n - 1;
        }
        out.insert(out.end(), { 0, 0 });
    }
    out.insert(out.end(), { 0, 1 });
    return out;
}

BmpImage goodFile(const GoodCase& c, const Model& m)
{
    BmpImage f;
    f.headerSize = c.headerSize;
    f.width = kW;
    f.height = c.topDown ? -kH : kH;
    f.bitCount = c.bitCount;
    f.colors = m.colors;
    switch (c.kind) {
    case Kind::Rgb565:
        f.masks = { { 0xF800, 0x7E0, 0x1F } };
        break;
    case Kind::Bgr565:
        f.masks = { { 0x1F, 0x7E0, 0xF800 } };
        break;
    case Kind::MaskedRgb:
        f.masks = { { 0xFF0000, 0xFF00, 0xFF } };
        break;
    case Kind::MaskedBgr:
        f.masks = { { 0xFF, 0xFF00, 0xFF0000 } };
        break;
    default:
        break;
    }
    if (f.masks[0])
        f.compression = platform::BI_BITFIELDS;
    if (c.kind == Kind::Rle8 || c.kind == Kind::Rle4) {
        f.compression = c.kind == Kind::Rle8 ? platform::BI_RLE8 : platform::BI_RLE4;
        f.pixels = encodeRle(m, c.bitCount);
        return f;
    }
    for (std::int32_t i = 0; i < kH; ++i) {
        const std::int32_t y = c.topDown ? i : kH - 1 - i;
        const auto row = packRow(m, y, c.bitCount);
        f.pixels.insert(f.pixels.end(), row.begin(), row.end());
    }
    return f;
}

class GoodFiles : public ::testing::TestWithParam<GoodCase> { };

TEST_P(GoodFiles, ShowTheirColoursThroughCanvasAndDraw)
{
    const GoodCase& c = GetParam();
    const Model m = makeModel(c);
    const int tolerance = c.bitCount == 16 ? 8 : 0;

    TDIB dib;
    load(dib, writeBmp(goodFile(c, m)));
    ASSERT_EQ(dib.Width(), kW);
    ASSERT_EQ(dib.Height(), kH);
    EXPECT_EQ(dib.BitCount(), c.bitCount);
    EXPECT_TRUE(dib.Image().MemoryOnly);
    EXPECT_TRUE(dib.PaletteModified);

    // A memory-only (or still compressed) record draws itself straight from memory.
    EXPECT_TRUE(sameColors(drawnByDraw(dib), m.expected, tolerance));
    // The canvas turns it into a section, as the surface layer needs.
    EXPECT_TRUE(sameColors(drawnFromCanvas(dib), m.expected, tolerance));
    EXPECT_FALSE(dib.Image().MemoryOnly);
    EXPECT_FALSE(dib.Image().Compressed);
    EXPECT_TRUE(sameColors(drawnByDraw(dib), m.expected, tolerance));
}

INSTANTIATE_TEST_SUITE_P(Dib, GoodFiles,
    ::testing::Values(GoodCase { "core1", 12, 1, Kind::Indexed }, GoodCase { "core4", 12, 4, Kind::Indexed },
        GoodCase { "core8", 12, 8, Kind::Indexed }, GoodCase { "core24", 12, 24, Kind::Rgb24 },
        GoodCase { "info1", 40, 1, Kind::Indexed }, GoodCase { "info4", 40, 4, Kind::Indexed },
        GoodCase { "info8", 40, 8, Kind::Indexed }, GoodCase { "info16", 40, 16, Kind::Rgb555 },
        GoodCase { "info24", 40, 24, Kind::Rgb24 }, GoodCase { "info32", 40, 32, Kind::Xrgb },
        GoodCase { "fields565", 40, 16, Kind::Rgb565 }, GoodCase { "fieldsBgr565", 40, 16, Kind::Bgr565 },
        GoodCase { "fields32", 40, 32, Kind::MaskedRgb }, GoodCase { "fieldsBgr32", 40, 32, Kind::MaskedBgr },
        GoodCase { "fields24", 40, 24, Kind::MaskedRgb }, GoodCase { "rle8", 40, 8, Kind::Rle8 },
        GoodCase { "rle4", 40, 4, Kind::Rle4 }, GoodCase { "topDown1", 40, 1, Kind::Indexed, true },
        GoodCase { "topDown8", 40, 8, Kind::Indexed, true },
        GoodCase { "topDown24", 40, 24, Kind::Rgb24, true },
        GoodCase { "topDown32", 40, 32, Kind::MaskedBgr, true }),
    [](const auto& info) { return std::string(info.param.name); });

// ---- what a file may leave out or add ----------------------------------

TEST(DibLoad, ZeroBytesOrABareFileHeaderLeaveItEmpty)
{
    const auto header = cut(writeBmp(small24()), 14);
    for (const auto& bytes : { std::vector<std::uint8_t> {}, header }) {
        TDIB dib;
        load(dib, bytes);
        EXPECT_TRUE(dib.Empty());
        EXPECT_EQ(dib.Width(), 0);
        EXPECT_EQ(dib.Height(), 0);
    }
}

TEST(DibLoad, ColorsUsedAbove256ReadsOnly256Entries)
{
    BmpImage f;
    f.width = 4;
    f.height = 1;
    f.bitCount = 8;
    f.colorsUsed = 300;
    f.colors = testPalette(256);
    f.pixels = { 0, 255, 7, 0 };
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(drawnFromCanvas(dib),
        (std::vector<std::uint32_t> {
            rgbOf(f.colors[0]), rgbOf(f.colors[255]), rgbOf(f.colors[7]), rgbOf(f.colors[0]) }));
}

TEST(DibLoad, ColorsUsed16LeavesTheOtherEntriesBlack)
{
    BmpImage f;
    f.width = 2;
    f.height = 1;
    f.bitCount = 8;
    f.colorsUsed = 16;
    f.colors = testPalette(16);
    f.pixels = { 15, 200, 0, 0 };
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.ColorTable()[15], f.colors[15]);
    for (std::size_t i = 16; i < 256; ++i)
        EXPECT_EQ(dib.ColorTable()[i], platform::RgbQuad {}) << i;
    EXPECT_EQ(drawnFromCanvas(dib), (std::vector<std::uint32_t> { rgbOf(f.colors[15]), 0 }));
}

TEST(DibLoad, ColoursOfATrueColourFileStayOutOfTheInfoBlock)
{
    BmpImage f = small24();
    f.colorsUsed = 2;
    f.colors = testPalette(2);
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.ColorTable()[1], f.colors[1]);
    EXPECT_EQ(dib.Image().ColorCount, 0);
    EXPECT_TRUE(dib.Image().InfoBlock.colors.empty());
    EXPECT_EQ(dib.GetPalette(), nullptr);
}

// The pixel offset of the file header is believed when it points past the
// colour table and into the file; otherwise the pixels follow the table.
TEST(DibLoad, PixelOffsetIsUsedWhenItIsPlausible)
{
    BmpImage f;
    f.width = 1;
    f.height = 1;
    f.bitCount = 24;
    f.gap = 6;
    f.pixels = { 0x10, 0x20, 0x30, 0 };
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(drawnFromCanvas(dib), std::vector<std::uint32_t> { 0x302010 });

    for (std::uint32_t offset : { 0u, 20u, 9999u }) {
        f.gap = 0;
        f.pixelOffset = offset;
        TDIB plain;
        load(plain, writeBmp(f));
        EXPECT_EQ(drawnFromCanvas(plain), std::vector<std::uint32_t> { 0x302010 }) << offset;
    }
}

TEST(DibLoad, SixteenBitWithoutFieldsIs555AndWithFields565)
{
    BmpImage f;
    f.width = 1;
    f.height = 1;
    f.bitCount = 16;
    f.pixels = { 0x1F, 0x7C, 0, 0 }; // 0x7C1F
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.ChannelFormat(), TDIBChannelFormat::FromBitCounts(5, 5, 5));
    EXPECT_TRUE(sameColors(drawnFromCanvas(dib), { 0xFF00FF }, 8));

    f.compression = platform::BI_BITFIELDS;
    f.masks = { { 0xF800, 0x7E0, 0x1F } };
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.ChannelFormat(), TDIBChannelFormat::FromBitCounts(5, 6, 5));
    EXPECT_TRUE(sameColors(drawnFromCanvas(dib), { 0x7B81FF }, 8));
}

// Red lowest in the pixel: the record keeps the file's masks, so red stays red.
TEST(DibLoad, BitFieldsWithRedLowestKeepTheirMasks)
{
    BmpImage f;
    f.width = 2;
    f.height = 1;
    f.bitCount = 32;
    f.compression = platform::BI_BITFIELDS;
    f.masks = { { 0xFF, 0xFF00, 0xFF0000 } };
    f.pixels = { 0xFF, 0, 0, 0, 0, 0, 0xFF, 0 };
    TDIB dib;
    load(dib, writeBmp(f));
    EXPECT_EQ(dib.ChannelFormat().RedMask, 0xFFu);
    EXPECT_EQ(dib.ChannelFormat().BlueMask, 0xFF0000u);
    EXPECT_EQ(dib.ChannelFormat().RedBits, 8);
    EXPECT_EQ(dib.Image().InfoBlock.redMask, 0xFFu);
    EXPECT_EQ(drawnFromCanvas(dib), (std::vector<std::uint32_t> { 0xFF0000, 0x0000FF }));
}

TEST(DibLoad, AFileThatIsNotADibStillNeedsTheSignature)
{
    TDIB dib;
    std::vector<std::uint8_t> bytes(40, 0);
    EXPECT_THROW(load(dib, bytes), EInvalidGraphic);
}

TEST(DibLoad, StoredDataHasNoFileHeader)
{
    const auto file = writeBmp(small24());
    const std::vector<std::uint8_t> stored(file.begin() + 14, file.end());
    TBytesStream stream(stored);
    TDIB dib;
    dib.ReadStoredData(stream);
    EXPECT_EQ(dib.Width(), 2);
    EXPECT_EQ(drawnFromCanvas(dib), std::vector<std::uint32_t>(4, 0x404040));
}

} // namespace
