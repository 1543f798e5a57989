// Image records and their sharing, sizes, the canvas, drawing, colours and
// the palette cache.
#include "DibTestSupport.h"

using namespace dibtest;

namespace {

BmpImage paletteFile(std::uint8_t shade)
{
    BmpImage f;
    f.width = 2;
    f.height = 2;
    f.bitCount = 8;
    f.colorsUsed = 2;
    f.colors = { { shade, 0, 0, 0 }, { 0, shade, 0, 0 } };
    f.pixels = { 0, 1, 0, 0, 1, 0, 0, 0 };
    return f;
}

BmpImage rgbFile()
{
    BmpImage f;
    f.width = 2;
    f.height = 1;
    f.bitCount = 24;
    f.pixels = { 0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0 };
    return f;
}

TEST(DibChannelFormat, TwelveValuesFollowFromTheBitCounts)
{
    const auto f = TDIBChannelFormat::FromBitCounts(5, 6, 5);
    EXPECT_EQ((std::array { f.RedMask, f.GreenMask, f.BlueMask }), (std::array { 0xF800u, 0x7E0u, 0x1Fu }));
    EXPECT_EQ((std::array { f.RedBits, f.GreenBits, f.BlueBits, f.RedShift, f.GreenShift, f.BlueShift,
                  f.RedLoss, f.GreenLoss, f.BlueLoss }),
        (std::array { 5, 6, 5, 8, 3, 3, 3, 2, 3 }));
}

TEST(DibChannelFormat, MasksReduceToTheirRunFromTheLowestSetBit)
{
    EXPECT_EQ(maskBitCount(0), 0);
    EXPECT_EQ(maskBitCount(0x80000000u), 1);
    EXPECT_EQ(maskBitCount(0xFFFFFFFFu), 32);
    EXPECT_EQ(maskBitCount(0xF0F0u), 4);
    EXPECT_EQ(maskBitCount(0x7E0u), 6);
}

TEST(DibChannelFormat, OddMasksFallBackToThePackedFormat)
{
    // Overlapping masks tell nothing about where channels lie; their counts
    // still make a format the record can hold.
    EXPECT_EQ(TDIBChannelFormat::FromFileMasks(16, 0x7C00, 0x7C00, 0x1F),
        TDIBChannelFormat::FromBitCounts(5, 5, 5));
    EXPECT_EQ(TDIBChannelFormat::FromFileMasks(16, 0x7C0000, 0x3E0, 0x1F),
        TDIBChannelFormat::FromBitCounts(5, 5, 5));
    EXPECT_EQ(TDIBChannelFormat::FromFileMasks(32, 0xFF, 0xFF00, 0xFF0000).RedMask, 0xFFu);
}

TEST(DibImage, BuildImageLaysOutTheInfoBlock)
{
    TDIBSharedImage image;
    TDIBColorTable colors {};
    colors[1] = { 1, 2, 3, 0 };
    image.BuildImage(3, 2, 8, TDIBChannelFormat::FromBitCounts(8, 8, 8), colors, true, false);
    EXPECT_EQ(image.RowBytes, 4);
    EXPECT_EQ(image.RowStep, -4);
    EXPECT_EQ(image.ImageSize, 8);
    EXPECT_EQ(image.ColorCount, 256);
    EXPECT_EQ(image.ColorTableOffset, 40);
    EXPECT_EQ(image.InfoBlockSize, 40 + 1024);
    EXPECT_EQ(image.InfoBlock.colors.at(1), colors[1]);
    EXPECT_EQ(image.TopRow, image.Bits + 4);

    image.BuildImage(3, 2, 16, TDIBChannelFormat::FromBitCounts(5, 6, 5), colors, false, false);
    EXPECT_EQ(image.ColorCount, 0);
    EXPECT_EQ(image.ColorTableOffset, 52);
    EXPECT_EQ(image.InfoBlockSize, 52);
    EXPECT_EQ(image.InfoBlock.header.biCompression, platform::BI_BITFIELDS);
    EXPECT_EQ(image.InfoBlock.greenMask, 0x7E0u);
    ASSERT_TRUE(image.SectionHandle);
    EXPECT_EQ(image.Bits, image.SectionHandle->bits());
    EXPECT_EQ(image.DrawContext->bitmap(), image.SectionHandle.get());
}

TEST(DibImage, BuildImageRefusesWhatItCannotHold)
{
    TDIBSharedImage image;
    const auto format = TDIBChannelFormat::FromBitCounts(8, 8, 8);
    EXPECT_THROW(image.BuildImage(2, 2, 16, format, {}, true, false), EInvalidGraphicOperation);
    try {
        image.BuildImage(100000, 100000, 24, format, {}, false, false);
        ADD_FAILURE();
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), "DIB を作成できません");
    }
    try {
        image.BuildImage(100000, 100000, 24, format, {}, true, false);
        ADD_FAILURE();
    } catch (const EOutOfMemory& e) {
        EXPECT_EQ(e.Message(), "メモリが足りません");
    }
}

TEST(DibSharing, NewAndClearedDibsReferToTheEmptyImage)
{
    const long own = TDIBSharedImage::EmptyImage().use_count();
    TDIB a, b;
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(&a.Image(), TDIBSharedImage::EmptyImage().get());
    EXPECT_EQ(TDIBSharedImage::EmptyImage().use_count(), own + 2);

    load(a, writeBmp(rgbFile()));
    EXPECT_FALSE(a.Empty());
    a.Clear();
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(&a.Image(), TDIBSharedImage::EmptyImage().get());
}

TEST(DibSharing, CopiesShareOneRecordUntilOneChanges)
{
    TDIB a, b;
    load(a, writeBmp(rgbFile()));
    b.CopyFrom(a);
    EXPECT_EQ(&a.Image(), &b.Image());
    EXPECT_EQ(a.ImageRefCount(), 2);

    b.Bits()[0] = 0xFF;
    EXPECT_NE(&a.Image(), &b.Image());
    EXPECT_EQ(a.ImageRefCount(), 1);
    EXPECT_EQ(a.Image().Bits[0], 0x30);
    EXPECT_EQ(drawnFromCanvas(a), (std::vector<std::uint32_t> { 0x102030, 0x405060 }));
    EXPECT_EQ(drawnFromCanvas(b), (std::vector<std::uint32_t> { 0x1020FF, 0x405060 }));
}

TEST(DibSharing, DrawingOnASharedCanvasMakesItPrivateFirst)
{
    TDIB a, b;
    load(a, writeBmp(rgbFile()));
    TCanvas& canvas = a.Canvas();
    b.CopyFrom(a);
    const TDIBSharedImage* shared = &b.Image();

    platform::HDC dc = canvas.Handle(); // the changing notification runs first
    EXPECT_NE(&a.Image(), shared);
    EXPECT_EQ(dc, a.Image().DrawContext.get());
    EXPECT_EQ(&b.Image(), shared);
    EXPECT_EQ(b.ImageRefCount(), 1);
}

TEST(DibSharing, PrivateRecordsStayPut)
{
    TDIB a;
    load(a, writeBmp(rgbFile()));
    const TDIBSharedImage* loaded = &a.Image();
    a.Bits(); // private and uncompressed already: kept, still memory-only
    EXPECT_EQ(&a.Image(), loaded);
    EXPECT_TRUE(a.Image().MemoryOnly);

    TCanvas& canvas = a.Canvas();
    const TDIBSharedImage* section = &a.Image();
    EXPECT_NE(section, loaded);
    EXPECT_FALSE(section->MemoryOnly);
    canvas.Handle();
    EXPECT_EQ(&a.Image(), section);
    EXPECT_EQ(&a.Canvas(), &canvas);
    EXPECT_EQ(a.Bits(), section->SectionHandle->bits());
}

TEST(DibSize, SetSizeBuildsAnUninitialisedRecordOfTheNewShape)
{
    TDIB dib;
    dib.SetSize(5, 3, 24);
    EXPECT_EQ(dib.Width(), 5);
    EXPECT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.RowBytes(), 16);
    EXPECT_EQ(dib.ImageSize(), 48);
    EXPECT_TRUE(dib.Image().MemoryOnly); // taken over from the empty image
    EXPECT_TRUE(dib.PaletteModified);

    const TDIBSharedImage* built = &dib.Image();
    dib.SetSize(5, 3, 24);
    EXPECT_EQ(&dib.Image(), built);

    dib.SetSize(0, 3, 24);
    EXPECT_TRUE(dib.Empty());
    dib.SetSize(2, -1, 24);
    EXPECT_TRUE(dib.Empty());
    EXPECT_THROW(dib.SetSize(2, 2, 3), EInvalidGraphicOperation);
}

TEST(DibSize, WidthAndHeightSetters)
{
    TDIB dib;
    dib.SetWidth(4);
    EXPECT_EQ(dib.Height(), 1);
    EXPECT_EQ(dib.BitCount(), 8);
    dib.SetSize(4, 2, 24);
    dib.SetHeight(6);
    EXPECT_EQ(dib.Width(), 4);
    EXPECT_EQ(dib.BitCount(), 24);
    dib.SetWidth(0);
    EXPECT_TRUE(dib.Empty());
}

// What the surface does to load at another size: draw the graphic onto a
// 24-bit TDIB, then let the TDIB stretch-draw itself.
TEST(DibDraw, IntermediateOfTheSurfaceStretchesTheGraphic)
{
    TDIB source;
    load(source, writeBmp(rgbFile()));
    TDIB temp;
    temp.SetSize(2, 1, 24);
    temp.Canvas().DrawGraphic(0, 0, &source);
    EXPECT_FALSE(temp.Image().MemoryOnly);

    Target target(4, 2);
    TCanvas canvas;
    canvas.SetHandle(target.dc.get());
    canvas.StretchDraw({ 0, 0, 4, 2 }, &temp);
    EXPECT_EQ(target.pixels(),
        (std::vector<std::uint32_t> {
            0x102030, 0x102030, 0x405060, 0x405060, 0x102030, 0x102030, 0x405060, 0x405060 }));
    EXPECT_EQ(target.dc->stretchMode(), platform::BLACKONWHITE); // restored
    canvas.SetHandle(nullptr);
}

TEST(DibDraw, EmptyDrawsNothingAndPalettesAreRestored)
{
    Target target(2, 2);
    TCanvas canvas;
    canvas.SetHandle(target.dc.get());
    TDIB empty;
    empty.Draw(canvas, { 0, 0, 2, 2 });
    EXPECT_EQ(target.pixels(), std::vector<std::uint32_t>(4, 0x123456));

    TDIB indexed;
    load(indexed, writeBmp(paletteFile(0x80)));
    const platform::HPALETTE before = target.dc->palette();
    indexed.Draw(canvas, { 0, 0, 2, 2 });
    EXPECT_EQ(target.dc->palette(), before);
    EXPECT_EQ(target.pixels(), (std::vector<std::uint32_t> { 0x8000, 0x80, 0x80, 0x8000 }));
    canvas.SetHandle(nullptr);
}

TEST(DibColors, SetColorTableRecoloursOnlyThisDib)
{
    TDIB a, b;
    load(a, writeBmp(paletteFile(0x80)));
    a.Canvas();
    b.CopyFrom(a);
    const platform::HPALETTE oldPalette = a.GetPalette();

    TDIBColorTable colors = a.ColorTable();
    colors[0] = { 0, 0, 0xFF, 0 };
    b.SetColorTable(colors);
    EXPECT_EQ(b.ColorTable()[0], colors[0]);
    EXPECT_EQ(drawnFromCanvas(b), (std::vector<std::uint32_t> { 0x8000, 0xFF0000, 0xFF0000, 0x8000 }));
    EXPECT_EQ(drawnFromCanvas(a), (std::vector<std::uint32_t> { 0x8000, 0x80, 0x80, 0x8000 }));
    EXPECT_NE(b.GetPalette(), oldPalette);
    EXPECT_EQ(a.GetPalette(), oldPalette);
    EXPECT_EQ(b.GetPalette()->entries.at(0), (platform::PaletteEntry { 0xFF, 0, 0, 0 }));
}

TEST(DibPaletteCache, EqualColoursShareOnePaletteUntilTheLastGoes)
{
    auto& cache = TPaletteManager::Instance();
    const std::size_t before = cache.Count();
    {
        TDIB a, b, c;
        load(a, writeBmp(paletteFile(0x40)));
        load(b, writeBmp(paletteFile(0x40)));
        load(c, writeBmp(paletteFile(0x41)));
        const platform::HPALETTE pa = a.GetPalette();
        ASSERT_TRUE(pa);
        EXPECT_EQ(b.GetPalette(), pa);
        EXPECT_NE(c.GetPalette(), pa);
        EXPECT_EQ(cache.Count(), before + 2);
        EXPECT_EQ(pa->entries.size(), 256u);
        EXPECT_EQ(pa->entries[1], (platform::PaletteEntry { 0, 0x40, 0, 0 }));

        a.Clear();
        EXPECT_EQ(cache.Count(), before + 2);
        b.Clear();
        EXPECT_EQ(cache.Count(), before + 1);
    }
    EXPECT_EQ(cache.Count(), before);
}

TEST(DibPaletteCache, EqualKeysWithOtherColoursDoNotShare)
{
    auto& cache = TPaletteManager::Instance();
    const std::array<platform::RgbQuad, 2> one { { { 1, 2, 3, 0 }, { 0, 0, 0, 0 } } };
    const std::array<platform::RgbQuad, 2> other { { { 3, 2, 1, 0 }, { 0, 0, 0, 0 } } };
    platform::HPALETTE p1 = cache.AcquirePalette(one, 2);
    platform::HPALETTE p2 = cache.AcquirePalette(other, 2);
    platform::HPALETTE p3 = cache.AcquirePalette(one, 1);
    EXPECT_NE(p1, p2);
    EXPECT_NE(p1, p3);

    platform::HPALETTE stranger = platform::CreatePalette(std::vector<platform::PaletteEntry>(1));
    const platform::HPALETTE kept = stranger;
    cache.ReleasePalette(stranger);
    EXPECT_EQ(stranger, kept); // not the cache's: left as it was
    for (auto* p : { &p1, &p2, &p3 }) {
        cache.ReleasePalette(*p);
        EXPECT_EQ(*p, nullptr);
    }
}

TEST(DibColors, TrueColourImagesHaveNoPalette)
{
    TDIB dib;
    load(dib, writeBmp(rgbFile()));
    EXPECT_EQ(dib.GetPalette(), nullptr);
}

} // namespace
