// 32-bit sheet images of every layout, through both readers onto a sheet
// surface: the raw values, the transparent colour taken from the bottom-right
// pixel and the colour key all live in the display's 0x00RRGGBB, whatever
// the files keep in their fourth byte.
#include "display/DXDraws.h"

#include "picture/BmpWriter.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kW = 4;
constexpr std::int32_t kH = 3;
constexpr std::uint32_t kKey = 0xABDF62;

// Top row first; the fourth byte differs from pixel to pixel, and the key
// colour (bottom right) stands in five places with five different ones.
constexpr std::uint32_t kStored[kH][kW] = {
    { 0x71ABDF62, 0x00FF0000, 0xFF00FF00, 0x800000FF },
    { 0x12345678, 0x00ABDF62, 0xFFFFFFFF, 0x01ABDF62 },
    { 0xFEABDF62, 0x7F000000, 0x40102030, 0xC3ABDF62 },
};

struct Layout {
    const char* name;
    std::uint32_t headerSize;
    bool bitFields;
    bool topDown;
    bool dibReads; // the "dib" reader takes the 40-byte header only
};

const Layout kLayouts[] = {
    { "plain", 40, false, false, true },
    { "plain top-down", 40, false, true, true },
    { "bit fields", 40, true, false, true },
    { "bit fields top-down", 40, true, true, true },
    { "V4 plain", 108, false, false, false },
    { "V4 bit fields", 108, true, false, false },
    { "V5 bit fields top-down", 124, true, true, false },
};

bmptest::Bytes sheetFile(const Layout& l)
{
    bmptest::BmpImage image;
    image.headerSize = l.headerSize;
    image.width = kW;
    image.height = l.topDown ? -kH : kH;
    image.bitCount = 32;
    if (l.bitFields) {
        image.compression = BI_BITFIELDS;
        image.masks[0] = 0xFF0000;
        image.masks[1] = 0xFF00;
        image.masks[2] = 0xFF;
    }
    image.pixels = bmptest::packRows(
        kW, kH, 32, [](std::int32_t x, std::int32_t y) { return kStored[y][x]; }, l.topDown);
    return bmptest::writeBmp(image);
}

class Sheet32 : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("nimbrel-sheet32-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const bmptest::Bytes& bytes)
    {
        const fs::path path = m_dir / (std::string("sheet.") + GetParam());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    bool isDib() const { return std::string(GetParam()) == "dib"; }

    fs::path m_dir;
    TDirectDraw directDraw;
};

TEST_P(Sheet32, EveryLayoutLandsAsRawXrgbWithATransparentColourOfThatForm)
{
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        TDirectDrawSurface sheet(&directDraw);
        const std::string path = write(sheetFile(l));
        if (isDib() && !l.dibReads) {
            EXPECT_THROW(sheet.LoadFromFile(path), EInvalidGraphic);
            continue;
        }
        sheet.LoadFromFile(path);
        ASSERT_EQ(sheet.Width(), kW);
        ASSERT_EQ(sheet.Height(), kH);
        for (std::int32_t y = 0; y < kH; ++y)
            for (std::int32_t x = 0; x < kW; ++x)
                EXPECT_EQ(sheet.Pixels(x, y), kStored[y][x] & 0xFFFFFF) << x << "," << y;
        // As the load procedure takes it.
        sheet.TransparentColor(sheet.Pixels(kW - 1, kH - 1));
        EXPECT_EQ(sheet.SurfaceInterface()->sourceKey(), kKey);
    }
}

TEST_P(Sheet32, TheKeyLeavesOutEveryPixelOfItsColourWhateverItsFourthByte)
{
    TDirectDrawSurface sheet(&directDraw);
    sheet.LoadFromFile(write(sheetFile(kLayouts[2])));
    sheet.TransparentColor(sheet.Pixels(kW - 1, kH - 1));
    TDirectDrawSurface view(&directDraw);
    view.SetSize(kW, kH);
    constexpr std::uint32_t kBackground = 0x00010203;
    ASSERT_TRUE(view.Fill(kBackground));
    const TRect whole { 0, 0, kW, kH };
    ASSERT_TRUE(view.BltFast(0, 0, whole, DDBLTFAST_SRCCOLORKEY, &sheet));
    for (std::int32_t y = 0; y < kH; ++y)
        for (std::int32_t x = 0; x < kW; ++x) {
            const std::uint32_t colour = kStored[y][x] & 0xFFFFFF;
            EXPECT_EQ(view.Pixels(x, y), colour == kKey ? kBackground : colour) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Readers, Sheet32, ::testing::Values("bmp", "dib"));

} // namespace
