#include "display/DXDraws.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class SurfaceTest : public ::testing::Test {
protected:
    void TearDown() override { resetSoftDisplayTestHooks(); }

    // A surface of its own pixel format with the given bytes in its first row.
    TDirectDrawSurface* surfaceOf(int bitCount, std::int32_t width, std::vector<std::uint8_t> firstRow)
    {
        auto* surface = new TDirectDrawSurface(&directDraw);
        DDSURFACEDESC desc;
        desc.dwSize = kSurfaceDescSize;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        desc.dwWidth = static_cast<std::uint32_t>(width);
        desc.dwHeight = 2;
        desc.ddpfPixelFormat.dwRGBBitCount = static_cast<std::uint32_t>(bitCount);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        EXPECT_TRUE(surface->CreateSurface(desc));
        DDSURFACEDESC locked;
        EXPECT_TRUE(surface->Lock(nullptr, locked));
        std::memcpy(locked.lpSurface, firstRow.data(), firstRow.size());
        surface->Unlock();
        return surface;
    }

    void writePixel(TDirectDrawSurface& surface, std::int32_t x, std::int32_t y, std::uint32_t value)
    {
        DDSURFACEDESC locked;
        ASSERT_TRUE(surface.Lock(nullptr, locked));
        std::memcpy(locked.lpSurface + y * locked.lPitch + x * 4, &value, 4);
        surface.Unlock();
    }

    TDirectDraw directDraw;
};

struct PixelCase {
    int bitCount;
    std::vector<std::uint8_t> bytes;
    std::int32_t x;
    std::uint32_t expected;
};

class PixelsOfEveryBitCount : public SurfaceTest, public ::testing::WithParamInterface<PixelCase> { };

TEST_P(PixelsOfEveryBitCount, ReadTheRawStoredValue)
{
    const PixelCase& c = GetParam();
    TDirectDrawSurface* surface = surfaceOf(c.bitCount, 16, c.bytes);
    EXPECT_EQ(surface->Pixels(c.x, 0), c.expected);
    EXPECT_EQ(surface->LockCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelsOfEveryBitCount,
    ::testing::Values(PixelCase { 1, { 0x05 }, 0, 1 }, PixelCase { 1, { 0x05 }, 1, 0 },
        PixelCase { 1, { 0x05 }, 2, 1 }, PixelCase { 1, { 0x00, 0x80 }, 15, 1 },
        PixelCase { 4, { 0xAB }, 0, 0xA }, PixelCase { 4, { 0xAB }, 1, 0xB },
        PixelCase { 8, { 1, 2, 3 }, 2, 3 }, PixelCase { 16, { 0, 0, 0x34, 0x12 }, 1, 0x1234 },
        PixelCase { 24, { 0, 0, 0, 0x10, 0x20, 0x30 }, 1, 0x302010 },
        PixelCase { 32, { 0x01, 0x02, 0x03, 0xFF }, 0, 0xFF030201 }));

TEST_F(SurfaceTest, PixelsOutsideTheSurfaceAreZeroWithoutALock)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(3, 2);
    for (std::int32_t y = 0; y < 2; ++y)
        for (std::int32_t x = 0; x < 3; ++x)
            writePixel(surface, x, y, 0x00FFFFFF);
    DDSURFACEDESC held;
    ASSERT_TRUE(surface.Lock(nullptr, held)); // a read that locked would fail and say 0 as well
    surface.SetErrorCode(0);
    for (const TPoint p : { TPoint { 3, 0 }, TPoint { -1, 0 }, TPoint { 0, 2 }, TPoint { 0, -1 } })
        EXPECT_EQ(surface.Pixels(p.X, p.Y), 0u);
    EXPECT_EQ(surface.ErrorCode(), 0);
    surface.Unlock();
    EXPECT_EQ(surface.Pixels(2, 1), 0x00FFFFFFu);
}

TEST_F(SurfaceTest, AnEmptySurfaceDoesNothingAndKeepsItsErrorCode)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetErrorCode(42);
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    EXPECT_EQ(surface.Pixels(-1, -1), 0u);
    surface.TransparentColor(5);
    EXPECT_FALSE(surface.Fill(0));
    EXPECT_FALSE(surface.Restore());
    DDSURFACEDESC desc;
    EXPECT_FALSE(surface.Lock(nullptr, desc));
    surface.Unlock();
    TDirectDrawSurface source(&directDraw);
    source.SetSize(2, 2);
    EXPECT_FALSE(surface.BltFast(0, 0, TRect { 0, 0, 1, 1 }, 0, &source));
    EXPECT_FALSE(surface.Blt(nullptr, nullptr, 0, DDBLTFX {}, &source));
    surface.SetColorKey(DDCKEY_SRCBLT, DDCOLORKEY { 1, 2 });
    TDirectDrawPalette palette(&directDraw);
    surface.Palette(&palette);
    surface.Clipper(nullptr);
    EXPECT_EQ(surface.ErrorCode(), 42);
    try {
        surface.Canvas().Handle();
        ADD_FAILURE();
    } catch (const EDirectDrawSurfaceError& e) {
        EXPECT_STREQ(e.what(), "IDirectDrawSurface は作成されていません");
    }
}

TEST_F(SurfaceTest, SetSizeWithASideOfZeroEmptiesTheSurface)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(4, 4);
    ASSERT_EQ(surface.Width(), 4);
    surface.SetSize(0, 10);
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    EXPECT_EQ(surface.SurfaceInterface(), nullptr);
    EXPECT_EQ(surface.SurfaceDesc(), DDSURFACEDESC {});
}

TEST_F(SurfaceTest, AFailedCreateSurfaceLeavesItEmptyWithTheDisplayCode)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(4, 4);
    DDSURFACEDESC bad; // no size: the display refuses it
    bad.dwSize = kSurfaceDescSize;
    bad.dwFlags = DDSD_CAPS;
    bad.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    EXPECT_FALSE(surface.CreateSurface(bad));
    EXPECT_NE(directDraw.ErrorCode(), 0);
    EXPECT_EQ(surface.ErrorCode(), directDraw.ErrorCode());
    EXPECT_EQ(surface.SurfaceInterface(), nullptr);
    EXPECT_EQ(surface.Width(), 0);
}

TEST_F(SurfaceTest, LocksDoNotNest)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(2, 2);
    DDSURFACEDESC first;
    DDSURFACEDESC second;
    ASSERT_TRUE(surface.Lock(nullptr, first));
    EXPECT_FALSE(surface.Lock(nullptr, second));
    EXPECT_EQ(surface.LockCount(), 1);
    EXPECT_EQ(surface.Pixels(0, 0), 0u); // its own lock is refused too
    EXPECT_NE(first.lpSurface, nullptr);
    surface.Unlock();
    EXPECT_EQ(surface.LockCount(), 0);
    surface.Unlock(); // nothing to undo
    EXPECT_TRUE(surface.Lock(nullptr, second));
    surface.Unlock();
}

TEST_F(SurfaceTest, ANewSurfaceKeysRawZero)
{
    TDirectDrawSurface sheet(&directDraw);
    TDirectDrawSurface view(&directDraw);
    sheet.SetSize(2, 1);
    view.SetSize(2, 1);
    writePixel(sheet, 1, 0, 0x00112233);
    ASSERT_TRUE(view.Fill(0x00FFFFFF));
    ASSERT_TRUE(view.BltFast(0, 0, TRect { 0, 0, 2, 1 }, DDBLTFAST_SRCCOLORKEY, &sheet));
    EXPECT_EQ(view.Pixels(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(view.Pixels(1, 0), 0x00112233u);

    sheet.TransparentColor(0x00112233);
    ASSERT_TRUE(view.Fill(0x00FFFFFF));
    ASSERT_TRUE(view.BltFast(0, 0, TRect { 0, 0, 2, 1 }, DDBLTFAST_SRCCOLORKEY, &sheet));
    EXPECT_EQ(view.Pixels(0, 0), 0u);
    EXPECT_EQ(view.Pixels(1, 0), 0x00FFFFFFu);
}

TEST_F(SurfaceTest, RefusedCopiesReportFalseAndDrawNothing)
{
    TDirectDrawSurface sheet(&directDraw);
    TDirectDrawSurface view(&directDraw);
    TDirectDrawSurface empty(&directDraw);
    sheet.SetSize(4, 4);
    view.SetSize(4, 4);
    sheet.Fill(7);
    view.Fill(1);
    EXPECT_FALSE(view.BltFast(1, 0, TRect { 0, 0, 4, 1 }, 0, &sheet));
    EXPECT_NE(view.ErrorCode(), 0);
    EXPECT_FALSE(view.BltFast(0, 0, TRect { 0, 0, 2, 2 }, 0, &empty));
    EXPECT_FALSE(view.BltFast(0, 0, TRect { 1, 0, 1, 2 }, 0, &sheet));
    EXPECT_FALSE(empty.BltFast(0, 0, TRect { 0, 0, 2, 2 }, 0, &sheet));
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            ASSERT_EQ(view.Pixels(x, y), 1u);
    EXPECT_TRUE(view.BltFast(0, 0, TRect { 0, 0, 4, 4 }, 0, &sheet));
    EXPECT_EQ(view.ErrorCode(), 0);
    EXPECT_EQ(view.Pixels(3, 3), 7u);
}

TEST_F(SurfaceTest, FallsBackToSystemMemoryAndStaysThere)
{
    TDirectDrawSurface surface(&directDraw);
    softDisplayTestHooks().videoMemoryBytes = 16 * 16 * 4;
    TDirectDrawSurface other(&directDraw);
    other.SetSize(16, 16); // takes all the video memory
    ASSERT_FALSE(other.SystemMemory());

    surface.SetSize(8, 8);
    EXPECT_TRUE(surface.SystemMemory());
    EXPECT_TRUE(surface.SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);

    other.SetSize(0, 0); // video memory free again, but this surface no longer asks for it
    surface.SetSize(2, 2);
    EXPECT_TRUE(surface.SurfaceDesc().ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);
    EXPECT_EQ(surface.Width(), 2);
}

TEST_F(SurfaceTest, NoMemoryAnywhereRaisesAndLeavesTheSurfaceEmpty)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(2, 2);
    softDisplayTestHooks().videoMemoryBytes = 0;
    softDisplayTestHooks().systemMemoryBytes = 0;
    try {
        surface.SetSize(4, 4);
        ADD_FAILURE();
    } catch (const EDirectDrawSurfaceError& e) {
        EXPECT_STREQ(e.what(), "サーフェース を作成できません");
    }
    EXPECT_EQ(surface.SurfaceInterface(), nullptr);
    EXPECT_EQ(surface.Width(), 0);
}

TEST_F(SurfaceTest, RestoreBringsBackLostMemoryWithoutItsContents)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(2, 2);
    surface.Fill(3);
    directDraw.DrawInterface()->loseSurfacesForTesting();
    EXPECT_FALSE(surface.Fill(3));
    EXPECT_EQ(surface.ErrorCode(), DDERR_SURFACELOST);
    EXPECT_EQ(surface.Pixels(0, 0), 0u);

    softDisplayTestHooks().refuseRestore = true;
    EXPECT_FALSE(surface.Restore());
    softDisplayTestHooks().refuseRestore = false;
    ASSERT_TRUE(surface.Restore());
    EXPECT_NE(surface.Pixels(0, 0), 3u);
    EXPECT_TRUE(surface.Fill(3));
    EXPECT_EQ(surface.Pixels(1, 1), 3u);
}

TEST_F(SurfaceTest, ALostSurfaceGivesNoDrawingContext)
{
    TDirectDrawSurface surface(&directDraw);
    surface.SetSize(2, 2);
    surface.SurfaceInterface()->loseForTesting();
    try {
        surface.Canvas().Handle();
        ADD_FAILURE();
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Canvas に対する描画ができません");
    }
    EXPECT_EQ(surface.ErrorCode(), DDERR_SURFACELOST);
}

} // namespace
