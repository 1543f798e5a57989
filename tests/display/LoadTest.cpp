#include "display/DXDraws.h"

#include "picture/BmpWriter.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A 3 x 2 sheet, 24 bits, rows bottom-up as the file stores them.
bmptest::Bytes sheetBytes()
{
    bmptest::BmpImage image;
    image.width = 3;
    image.height = 2;
    image.bitCount = 24;
    image.pixels = {
        0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x56, 0x34, 0x12, 0, 0, 0, // bottom: white, black, 0x123456
        0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0, // top: red, green, blue
    };
    return bmptest::writeBmp(image);
}

class LoadTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("nimbrel-display-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string& name, const bmptest::Bytes& bytes)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    void expectSheet(TDirectDrawSurface& surface)
    {
        ASSERT_EQ(surface.Width(), 3);
        ASSERT_EQ(surface.Height(), 2);
        const std::uint32_t expected[2][3]
            = { { 0xFF0000, 0x00FF00, 0x0000FF }, { 0xFFFFFF, 0x000000, 0x123456 } };
        for (std::int32_t y = 0; y < 2; ++y)
            for (std::int32_t x = 0; x < 3; ++x)
                EXPECT_EQ(surface.Pixels(x, y), expected[y][x]) << x << "," << y;
    }

    fs::path m_dir;
    TDirectDraw directDraw;
};

TEST_P(LoadTest, ASheetLandsAtItsOwnSizeInTheDisplayFormat)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(7, 7);
    surface.TransparentColor(0x00FFFFFF);
    surface.LoadFromFile(write(std::string("sheet.") + GetParam(), sheetBytes()));
    expectSheet(surface);
    // The new platform surface keys raw 0, and no drawing context is held.
    EXPECT_TRUE(surface.SurfaceInterface()->hasSourceKey());
    EXPECT_EQ(surface.SurfaceInterface()->sourceKey(), 0u);
    HDC dc = nullptr;
    ASSERT_EQ(surface.SurfaceInterface()->getDC(dc), DD_OK);
    surface.SurfaceInterface()->releaseDC(dc);
}

TEST_P(LoadTest, AFailedLoadLeavesTheSurfaceAsItWas)
{
    TDirectDrawSurface surface(&directDraw);
    surface.LoadFromFile(write(std::string("sheet.") + GetParam(), sheetBytes()));
    surface.TransparentColor(0x00123456);
    const IDirectDrawSurface before = surface.SurfaceInterface();

    bmptest::Bytes broken = sheetBytes();
    broken.resize(20);
    for (const std::string& path : { (m_dir / (std::string("missing.") + GetParam())).string(),
             write(std::string("broken.") + GetParam(), broken), write("sheet.xyz", sheetBytes()) }) {
        SCOPED_TRACE(path);
        EXPECT_THROW(surface.LoadFromFile(path), Exception);
        EXPECT_EQ(surface.SurfaceInterface(), before);
        EXPECT_EQ(surface.SurfaceInterface()->sourceKey(), 0x00123456u);
        expectSheet(surface);
    }
}

// An empty "dib" sheet makes an empty surface, whose drawing context is
// asked for first: the error names the missing surface, not the DIB's canvas.
TEST_F(LoadTest, AnEmptyDibSheetReportsTheMissingSurface)
{
    bmptest::Bytes fileHeaderOnly = sheetBytes();
    fileHeaderOnly.resize(14);
    for (const std::string& path : { write("empty.dib", {}), write("header.dib", fileHeaderOnly) }) {
        SCOPED_TRACE(path);
        TDirectDrawSurface surface(&directDraw);
        try {
            surface.LoadFromFile(path);
            ADD_FAILURE() << "nothing raised";
        } catch (const EDirectDrawSurfaceError& e) {
            EXPECT_STREQ(e.what(), "IDirectDrawSurface は作成されていません");
            EXPECT_EQ(surface.Width(), 0);
        }
    }
}

// Part of a sheet, at its own size and stretched: the DIB goes straight
// through the drawing contexts, other graphics through a temporary DIB.
TEST_P(LoadTest, PartsAndStretchesOfAGraphic)
{
    TPicture picture;
    picture.LoadFromFile(write(std::string("sheet.") + GetParam(), sheetBytes()));
    TDirectDrawSurface surface(&directDraw);

    surface.LoadFromGraphicRect(picture.Graphic(), 0, 0, TRect { 1, 1, 3, 2 });
    ASSERT_EQ(surface.Width(), 2);
    ASSERT_EQ(surface.Height(), 1);
    EXPECT_EQ(surface.Pixels(0, 0), 0x000000u);
    EXPECT_EQ(surface.Pixels(1, 0), 0x123456u);

    surface.LoadFromGraphicRect(picture.Graphic(), 6, 4, TRect { 0, 0, 3, 2 });
    ASSERT_EQ(surface.Width(), 6);
    ASSERT_EQ(surface.Height(), 4);
    EXPECT_EQ(surface.Pixels(1, 1), 0xFF0000u);
    EXPECT_EQ(surface.Pixels(2, 0), 0x00FF00u);
    EXPECT_EQ(surface.Pixels(5, 3), 0x123456u);
    EXPECT_EQ(surface.Pixels(0, 2), 0xFFFFFFu);
}

TEST_P(LoadTest, RawValuesFollowTheDisplayFormat)
{
    const std::string path = write(std::string("sheet.") + GetParam(), sheetBytes());
    setScreenBitCountForTesting(16);
    {
        TDirectDraw display16;
        TDirectDrawSurface surface(&display16);
        surface.LoadFromFile(path);
        EXPECT_EQ(surface.SurfaceDesc().ddpfPixelFormat.dwRGBBitCount, 16u);
        EXPECT_EQ(surface.Pixels(0, 0), 0xF800u);
        EXPECT_EQ(surface.Pixels(1, 0), 0x07E0u);
        EXPECT_EQ(surface.Pixels(2, 0), 0x001Fu);
        EXPECT_EQ(surface.Pixels(0, 1), 0xFFFFu);
    }
    setScreenBitCountForTesting(32);
}

INSTANTIATE_TEST_SUITE_P(Extensions, LoadTest, ::testing::Values("bmp", "dib"));

} // namespace
