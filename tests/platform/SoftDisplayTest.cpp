#include "SoftSurfaceHelpers.h"

#include "platform/Library.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace testing_surfaces;

namespace {

class SoftDisplayTest : public ::testing::Test {
protected:
    void TearDown() override { resetSoftDisplayTestHooks(); }
    SoftDisplay display;
};

TEST_F(SoftDisplayTest, SurfacesTakeTheDisplayFormatAndVideoMemoryFirst)
{
    auto surface = makeSurface(display, 5, 3);
    DDSURFACEDESC desc;
    desc.dwSize = kSurfaceDescSize;
    ASSERT_EQ(surface->getSurfaceDesc(desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 5u);
    EXPECT_EQ(desc.dwHeight, 3u);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, screenFormat().bitCount);
    EXPECT_TRUE(desc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY);
    EXPECT_FALSE(desc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY);
}

TEST_F(SoftDisplayTest, VideoMemoryRunsOutWhileSystemMemoryRemains)
{
    softDisplayTestHooks().videoMemoryBytes = 100 * 4;
    auto first = makeSurface(display, 10, 10);
    std::shared_ptr<SoftSurface> second;
    EXPECT_EQ(display.createSurface(offscreenDesc(1, 1), second), kErrOutOfVideoMemory);
    EXPECT_EQ(second, nullptr);
    ASSERT_EQ(display.createSurface(offscreenDesc(1, 1, DDSCAPS_SYSTEMMEMORY), second), DD_OK);
    DDSURFACEDESC desc;
    desc.dwSize = kSurfaceDescSize;
    second->getSurfaceDesc(desc);
    EXPECT_EQ(desc.ddsCaps.dwCaps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY), DDSCAPS_SYSTEMMEMORY);

    first.reset(); // its memory goes back to the pool
    EXPECT_EQ(display.videoMemoryUsed(), 0u);
    EXPECT_EQ(display.createSurface(offscreenDesc(10, 10), first), DD_OK);
}

TEST_F(SoftDisplayTest, AbsurdSizesAreRefusedWithoutAllocating)
{
    std::shared_ptr<SoftSurface> surface;
    EXPECT_NE(display.createSurface(offscreenDesc(100000, 100000, DDSCAPS_SYSTEMMEMORY), surface), DD_OK);
    EXPECT_EQ(display.createSurface(offscreenDesc(0, 5), surface), kErrInvalidParams);
    EXPECT_EQ(surface, nullptr);
}

TEST_F(SoftDisplayTest, LocksAreExclusiveAndTheDrawingContextCountsAsOne)
{
    auto surface = makeSurface(display, 4, 4);
    DDSURFACEDESC first;
    DDSURFACEDESC second;
    const TRect inner { 1, 2, 3, 4 };
    ASSERT_EQ(surface->lock(&inner, first, DDLOCK_WAIT), DD_OK);
    EXPECT_EQ(surface->lock(nullptr, second, DDLOCK_WAIT), kErrSurfaceBusy);
    HDC dc = nullptr;
    EXPECT_EQ(surface->getDC(dc), kErrSurfaceBusy);
    // The locked rectangle starts at its own first pixel.
    first.lpSurface[0] = 0x77;
    ASSERT_EQ(surface->unlock(first.lpSurface), DD_OK);
    EXPECT_EQ(surface->unlock(nullptr), kErrNotLocked);
    EXPECT_EQ(read(*surface)[2][1], 0x77u);

    ASSERT_EQ(surface->getDC(dc), DD_OK);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->bitmap()->width(), 4);
    EXPECT_EQ(dc->bitmap()->bitCount(), screenFormat().bitCount);
    dc->bitmap()->scanLine(0)[0] = 0x55; // the context draws on the surface's own memory
    EXPECT_EQ(surface->lock(nullptr, second, DDLOCK_WAIT), kErrSurfaceBusy);
    EXPECT_EQ(surface->releaseDC(dc), DD_OK);
    EXPECT_EQ(read(*surface)[0][0], 0x55u);
}

TEST_F(SoftDisplayTest, LostSurfacesRefuseWorkUntilRestored)
{
    auto surface = makeSurface(display, 2, 2);
    auto other = makeSurface(display, 2, 2);
    display.loseSurfacesForTesting();
    EXPECT_EQ(surface->isLost(), DDERR_SURFACELOST);
    DDSURFACEDESC desc;
    HDC dc = nullptr;
    DDBLTFX fx { kBltFxSize, 0, 0 };
    EXPECT_EQ(surface->lock(nullptr, desc, DDLOCK_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(surface->getDC(dc), DDERR_SURFACELOST);
    EXPECT_EQ(surface->blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACELOST);
    ASSERT_EQ(other->restore(), DD_OK);
    EXPECT_EQ(other->bltFast(0, 0, surface.get(), nullptr, 0), DDERR_SURFACELOST);

    softDisplayTestHooks().refuseRestore = true;
    EXPECT_EQ(surface->restore(), kErrRestoreRefused);
    EXPECT_EQ(surface->isLost(), DDERR_SURFACELOST);
    softDisplayTestHooks().refuseRestore = false;
    EXPECT_EQ(surface->restore(), DD_OK);
    EXPECT_EQ(surface->isLost(), DD_OK);
    EXPECT_EQ(surface->blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(read(*surface), filled(2, 2, 0));
}

TEST_F(SoftDisplayTest, PalettesAttachOnlyToIndexedSurfaces)
{
    std::shared_ptr<SoftPalette> palette;
    std::vector<PaletteEntry> entries(256);
    ASSERT_EQ(display.createPalette(DDPCAPS_8BIT | DDPCAPS_INITIALIZE, entries, palette), DD_OK);
    auto surface = makeSurface(display, 1, 1);
    EXPECT_EQ(surface->setPalette(palette), screenFormat().bitCount == 8 ? DD_OK : kErrNoPaletteFormat);
    EXPECT_EQ(palette->setEntries(0, 250, std::span(entries).first(7)), kErrInvalidParams);
    EXPECT_EQ(palette->setEntries(0, 250, std::span(entries).first(6)), DD_OK);
}

TEST_F(SoftDisplayTest, DisplayCreationFollowsTheHooks)
{
    std::shared_ptr<SoftDisplay> made;
    ASSERT_EQ(DirectDrawCreate(nullptr, &made, nullptr), DD_OK);
    EXPECT_EQ(made->queryVersion6(), made);
    softDisplayTestHooks().withoutVersion6 = true;
    EXPECT_EQ(made->queryVersion6(), nullptr);
    softDisplayTestHooks().createResult = kErrNoDisplay;
    EXPECT_EQ(DirectDrawCreate(nullptr, &made, nullptr), kErrNoDisplay);
    EXPECT_EQ(made, nullptr);
}

TEST(Library, NamesMatchWithoutRegardToCase)
{
    HMODULE module = loadLibrary("DDRAW.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module, loadLibrary("ddraw.DLL"));
    EXPECT_EQ(getProcAddress(module, "DirectDrawCreate"), reinterpret_cast<FARPROC>(&DirectDrawCreate));
    EXPECT_EQ(getProcAddress(module, "directdrawcreate"), nullptr); // entry points keep their case
    EXPECT_EQ(loadLibrary("D3DRM.dll"), nullptr);

    hideLibraryForTesting("ddraw.dll");
    EXPECT_EQ(loadLibrary("DDraw.dll"), nullptr);
    restoreLibrariesForTesting();
    EXPECT_NE(loadLibrary("DDraw.dll"), nullptr);
}

} // namespace
