#include "SoftSurfaceHelpers.h"

#include <climits>
#include <gtest/gtest.h>

using namespace platform;
using namespace testing_surfaces;

namespace {

constexpr std::uint32_t kSentinel = 0x00ABCDEF;

struct FastCase {
    const char* name;
    std::int32_t x;
    std::int32_t y;
    TRect source;
    bool copies;
};

// Source 4 x 3, destination 5 x 4.
const FastCase kFastCases[] = {
    { "whole source at origin", 0, 0, { 0, 0, 4, 3 }, true },
    { "ends exactly at right edge", 1, 0, { 0, 0, 4, 3 }, true },
    { "ends exactly at bottom edge", 0, 1, { 0, 0, 4, 3 }, true },
    { "one past right edge", 2, 0, { 0, 0, 4, 3 }, false },
    { "one past bottom edge", 0, 2, { 0, 0, 4, 3 }, false },
    { "source one wider than its surface", 0, 0, { 0, 0, 5, 3 }, false },
    { "source one taller than its surface", 0, 0, { 0, 0, 4, 4 }, false },
    { "source starts left of its surface", 0, 0, { -1, 0, 2, 2 }, false },
    { "empty width", 0, 0, { 2, 0, 2, 3 }, false },
    { "empty height", 0, 0, { 0, 1, 4, 1 }, false },
    { "inverted", 0, 0, { 3, 0, 1, 3 }, false },
    { "negative destination", -1, 0, { 0, 0, 2, 2 }, false },
    { "destination far beyond", INT_MAX, INT_MAX, { 0, 0, 2, 2 }, false },
    { "inner part", 3, 2, { 1, 1, 3, 3 }, true },
};

class BltFastRects : public ::testing::TestWithParam<FastCase> { };

TEST_P(BltFastRects, CopiesOnlyWhenBothRectanglesLieWithinTheirSurfaces)
{
    const FastCase& c = GetParam();
    SoftDisplay display;
    auto source = makeSurface(display, 4, 3);
    auto dest = makeSurface(display, 5, 4);
    Grid picture { { 1, 2, 3, 4 }, { 5, 6, 7, 8 }, { 9, 10, 11, 12 } };
    write(*source, picture);
    write(*dest, filled(5, 4, kSentinel));

    const HRESULT hr = dest->bltFast(c.x, c.y, source.get(), &c.source, DDBLTFAST_NOCOLORKEY);

    Grid expected = filled(5, 4, kSentinel);
    if (c.copies) {
        EXPECT_EQ(hr, DD_OK);
        for (std::int32_t y = c.source.Top; y < c.source.Bottom; ++y)
            for (std::int32_t x = c.source.Left; x < c.source.Right; ++x)
                expected[c.y + y - c.source.Top][c.x + x - c.source.Left] = picture[y][x];
    } else {
        EXPECT_EQ(hr, kErrInvalidRect);
    }
    EXPECT_EQ(read(*dest), expected);
}

INSTANTIATE_TEST_SUITE_P(Rects, BltFastRects, ::testing::ValuesIn(kFastCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
});

struct KeyCase {
    int bitCount;
    std::uint32_t key;
    std::uint32_t nearMiss; // differs from the key in one bit
};

class ColourKey : public ::testing::TestWithParam<KeyCase> { };

TEST_P(ColourKey, LeavesOutExactlyTheKeyValue)
{
    const KeyCase& c = GetParam();
    PixelFormat format { static_cast<std::uint16_t>(c.bitCount), 0, 0, 0 };
    if (c.bitCount == 16)
        format = PixelFormat { 16, 0xF800, 0x07E0, 0x001F };
    else if (c.bitCount > 16)
        format = PixelFormat { static_cast<std::uint16_t>(c.bitCount), 0xFF0000, 0xFF00, 0xFF };
    SoftDisplay display(format);
    auto source = makeSurface(display, 3, 1);
    auto dest = makeSurface(display, 3, 1);
    write(*source, { { c.key, c.nearMiss, 0 } });
    write(*dest, { { 7, 7, 7 } });
    const DDCOLORKEY key { c.key, c.key };
    ASSERT_EQ(source->setColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    const TRect all { 0, 0, 3, 1 };
    ASSERT_EQ(dest->bltFast(0, 0, source.get(), &all, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(read(*dest), (Grid { { 7, c.nearMiss, 0 } }));

    ASSERT_EQ(dest->bltFast(0, 0, source.get(), &all, DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(read(*dest), (Grid { { c.key, c.nearMiss, 0 } }));
}

INSTANTIATE_TEST_SUITE_P(BitCounts, ColourKey,
    ::testing::Values(KeyCase { 8, 0x12, 0x13 }, KeyCase { 16, 0xF81F, 0xF80F },
        KeyCase { 24, 0x00FF00FF, 0x00FE00FF }, KeyCase { 32, 0x00123456, 0xFF123456 }));

// Rows long enough for the wide path and its tail, with the key in every
// lane position and a near miss in the top byte.
TEST(ColourKey, WideRowsLeaveOutEveryKeyPixelAndNoOther)
{
    SoftDisplay display(PixelFormat { 32, 0xFF0000, 0xFF00, 0xFF });
    constexpr std::uint32_t key = 0x00FF00FF;
    Grid source(2, std::vector<std::uint32_t>(11));
    Grid expected = filled(11, 2, 5);
    for (std::size_t y = 0; y < 2; ++y) {
        for (std::size_t x = 0; x < 11; ++x) {
            const bool isKey = (x + y) % 3 == 0;
            source[y][x] = isKey ? key : (x % 2 ? key | 0xFF000000 : static_cast<std::uint32_t>(x));
            if (!isKey)
                expected[y][x] = source[y][x];
        }
    }
    auto from = makeSurface(display, 11, 2);
    auto to = makeSurface(display, 11, 2);
    write(*from, source);
    write(*to, filled(11, 2, 5));
    const DDCOLORKEY k { key, key };
    from->setColorKey(DDCKEY_SRCBLT, &k);
    ASSERT_EQ(to->bltFast(0, 0, from.get(), nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(read(*to), expected);
}

TEST(ColourKey, CopyWithKeyIsRefusedWhenTheSourceHasNone)
{
    SoftDisplay display;
    auto source = makeSurface(display, 2, 2);
    auto dest = makeSurface(display, 2, 2);
    EXPECT_FALSE(source->hasSourceKey());
    EXPECT_EQ(dest->bltFast(0, 0, source.get(), nullptr, DDBLTFAST_SRCCOLORKEY), kErrNoColorKey);
}

TEST(ColourKey, RangesAreRefused)
{
    SoftDisplay display;
    auto surface = makeSurface(display, 2, 2);
    const DDCOLORKEY range { 1, 5 };
    EXPECT_EQ(surface->setColorKey(DDCKEY_SRCBLT, &range), kErrUnsupported);
    EXPECT_FALSE(surface->hasSourceKey());
}

TEST(BltFast, OverlappingCopyWithinOneSurfaceReadsTheOldPixels)
{
    SoftDisplay display;
    auto surface = makeSurface(display, 4, 1);
    write(*surface, { { 1, 2, 3, 4 } });
    const TRect rect { 0, 0, 3, 1 };
    ASSERT_EQ(surface->bltFast(1, 0, surface.get(), &rect, 0), DD_OK);
    EXPECT_EQ(read(*surface), (Grid { { 1, 1, 2, 3 } }));
}

TEST(BltFast, SurfacesOfOtherFormatsAreNotConverted)
{
    SoftDisplay display;
    auto dest = makeSurface(display, 2, 2);
    DDSURFACEDESC desc = offscreenDesc(2, 2);
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat.dwRGBBitCount = 8;
    std::shared_ptr<SoftSurface> indexed;
    ASSERT_EQ(display.createSurface(desc, indexed), DD_OK);
    EXPECT_EQ(dest->bltFast(0, 0, indexed.get(), nullptr, 0), kErrFormatMismatch);
}

TEST(Blt, FillCoversTheWholeSurfaceOrTheClipperRectangles)
{
    SoftDisplay display;
    auto surface = makeSurface(display, 3, 2);
    DDBLTFX fx { kBltFxSize, 0, 0x00445566 };
    ASSERT_EQ(surface->blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(read(*surface), filled(3, 2, 0x00445566));

    std::shared_ptr<SoftClipper> clipper;
    ASSERT_EQ(display.createClipper(0, clipper), DD_OK);
    clipper->setClipList({ TRect { 1, 0, 9, 1 } });
    surface->setClipper(clipper);
    fx.dwFillColor = 1;
    ASSERT_EQ(surface->blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(read(*surface), (Grid { { 0x00445566, 1, 1 }, { 0x00445566, 0x00445566, 0x00445566 } }));

    // No pixel of the display carries a fourth byte, a filled one neither.
    surface->setClipper(nullptr);
    fx.dwFillColor = 0xFF445566;
    ASSERT_EQ(surface->blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(read(*surface), filled(3, 2, 0x00445566));
}

TEST(Blt, DestinationOutsideAnUnclippedSurfaceIsRefused)
{
    SoftDisplay display;
    auto source = makeSurface(display, 2, 2);
    auto dest = makeSurface(display, 2, 2);
    const TRect outside { 1, 1, 3, 3 };
    DDBLTFX fx { kBltFxSize, 0, 0 };
    EXPECT_EQ(dest->blt(&outside, source.get(), nullptr, DDBLT_WAIT, &fx), kErrInvalidRect);
    EXPECT_EQ(dest->blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx), kErrInvalidRect);
}

TEST(Blt, StretchesByNearestNeighbour)
{
    SoftDisplay display;
    auto source = makeSurface(display, 2, 1);
    auto dest = makeSurface(display, 4, 2);
    write(*source, { { 1, 2 } });
    DDBLTFX fx { kBltFxSize, 0, 0 };
    ASSERT_EQ(dest->blt(nullptr, source.get(), nullptr, DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(read(*dest), (Grid { { 1, 1, 2, 2 }, { 1, 1, 2, 2 } }));
}

// The primary has no memory: a copy onto it lands in the window that its
// clipper is bound to, within the window's visible region.
TEST(Primary, CopyLandsInTheVisiblePartOfTheClipperWindow)
{
    SoftDisplay display;
    std::shared_ptr<SoftSurface> primary;
    DDSURFACEDESC desc;
    desc.dwSize = kSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ASSERT_EQ(display.createSurface(desc, primary), DD_OK);
    auto window = std::make_shared<SoftWindow>(3, 2);
    window->setGeometry(TPoint { 100, 50 }, 3, 2);
    int presented = 0;
    window->OnPresented = [&] { ++presented; };
    std::shared_ptr<SoftClipper> clipper;
    display.createClipper(0, clipper);
    clipper->setHWnd(0, window);
    primary->setClipper(clipper);

    auto view = makeSurface(display, 3, 2);
    write(*view, { { 1, 2, 3 }, { 4, 5, 6 } });
    const TRect dest { 101, 50, 104, 52 }; // one column past the window's right
    DDBLTFX fx { kBltFxSize, 0, 0 };
    ASSERT_EQ(primary->blt(&dest, view.get(), nullptr, DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(presented, 1);
    const Bitmap& shown = *window->pixels();
    EXPECT_EQ(readRaw(shown.scanLine(0), 4), 0u);
    EXPECT_EQ(readRaw(shown.scanLine(0) + 4, 4), 1u);
    EXPECT_EQ(readRaw(shown.scanLine(1) + 8, 4), 5u);

    window->setVisibleRegion({ TRect { 100, 51, 103, 52 } });
    fx.dwFillColor = 9;
    ASSERT_EQ(primary->blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
    EXPECT_EQ(readRaw(shown.scanLine(0) + 4, 4), 1u);
    EXPECT_EQ(readRaw(shown.scanLine(1), 4), 9u);

    window.reset();
    EXPECT_EQ(primary->blt(&dest, view.get(), nullptr, DDBLT_WAIT, &fx), DD_OK);
}

} // namespace
