#include "playback/Composition.h"

#include "display/ViewDesign.h"

#include "SurfacePixels.h"

#include <gtest/gtest.h>

#include <limits>

using character::CharacterTables;
using playback::composeFrame;
using playbacktest::paint;

namespace {

constexpr std::uint32_t kKey = 0x00FF00FF;
constexpr std::uint32_t kBack = 0x000000B0;
constexpr std::uint32_t kBase = 0x000000A0;

// Layer patterns carry their own coordinates in their pixels, so a copied
// pixel tells which source column and row it came from.
std::uint32_t layerPixel(int col, int row)
{
    return 0x00010000u | static_cast<std::uint32_t>(row << 8 | col);
}

void define(CharacterTables& t, int number, int left, int top, int width, int height)
{
    // Edges wrap as the load makes them.
    const auto edge = [](std::int64_t a, std::int64_t b) { return static_cast<std::int32_t>(a + b); };
    t.patterns[number]
        = { TRect { left, top, edge(left, width), edge(top, height) }, left, top, width, height };
}

class Compose : public testing::Test {
protected:
    void SetUp() override
    {
        for (auto* table : { &t->base, &t->layer, &t->placement }) {
            for (auto& row : *table)
                row.fill(character::kEmptySlot);
        }
        paint(*sheet, 0, 0, 121, 271, kBack);
        paint(*sheet, 130, 0, 10, 10, kBase);
        paint(*sheet, 135, 5, 1, 1, kKey);
        paint(*sheet, 200, 0, 30, 10, layerPixel); // pattern 10: 30 x 10
        paint(*sheet, 200, 20, 50, 20, layerPixel); // pattern 11: 50 x 20
        sheet->TransparentColor(kKey);
        define(*t, 1, 0, 0, 121, 271);
        define(*t, 2, 130, 0, 10, 10);
        define(*t, 10, 200, 0, 30, 10);
        define(*t, 11, 200, 20, 50, 20);
        t->base[1][1] = 2;
    }

    // Animation 6, frame 1: base 2, layer `layer` placed by pattern 20.
    void layerFrame(int layer, int left, int top, int width, int height)
    {
        define(*t, 20, left, top, width, height);
        t->layered[6] = true;
        t->base[6][1] = 2;
        t->layer[6][1] = layer;
        t->placement[6][1] = 20;
        compose(6, 1);
    }

    void compose(int animation, int index)
    {
        view->Fill(0);
        composeFrame(*t, animation, index, sheet.get(), view.get());
    }

    int layerPixelCount()
    {
        int n = 0;
        for (int y = 0; y < display::kViewHeight; ++y) {
            for (int x = 0; x < display::kViewWidth; ++x)
                n += (view->Pixels(x, y) & 0x00FF0000u) == 0x00010000u;
        }
        return n;
    }

    TDirectDraw dd;
    std::unique_ptr<TDirectDrawSurface> sheet = playbacktest::makeSurface(dd, 400, 300);
    std::unique_ptr<TDirectDrawSurface> view = playbacktest::makeSurface(dd, 121, 271);
    std::unique_ptr<CharacterTables> t = std::make_unique<CharacterTables>();
};

} // namespace

TEST_F(Compose, BaseGoesOverTheBackgroundWithTheColourKey)
{
    compose(1, 1);
    EXPECT_EQ(view->Pixels(0, 0), kBase);
    EXPECT_EQ(view->Pixels(9, 9), kBase);
    EXPECT_EQ(view->Pixels(5, 5), kBack); // the key pixel lets the background through
    EXPECT_EQ(view->Pixels(10, 0), kBack);
    EXPECT_EQ(view->Pixels(120, 270), kBack);
}

TEST_F(Compose, BaseThatDrawsNothingLeavesTheBackground)
{
    define(*t, 3, 0, 0, 122, 10); // wider than the view
    for (const int base : { 3, 0, character::kEmptySlot }) {
        t->base[1][1] = base;
        compose(1, 1);
        EXPECT_EQ(view->Pixels(0, 0), kBack) << base;
    }
}

TEST_F(Compose, SmallBackgroundLeavesTheRestOfTheViewCleared)
{
    define(*t, 1, 0, 0, 50, 50);
    t->base[1][1] = character::kEmptySlot;
    compose(1, 1);
    EXPECT_EQ(view->Pixels(49, 49), kBack);
    EXPECT_EQ(view->Pixels(50, 0), 0u);
    EXPECT_EQ(view->Pixels(0, 50), 0u);
}

struct Clip {
    const char* name;
    int layer;
    int left, top, width, height; // placement pattern
    bool drawn;
    int dx = 0, dy = 0, w = 0, h = 0, col0 = 0, row0 = 0; // expected copy
};

void PrintTo(const Clip& clip, std::ostream* os)
{
    *os << clip.name;
}

class LayerClip : public Compose, public testing::WithParamInterface<Clip> { };

TEST_P(LayerClip, CopiesTheClippedLayer)
{
    const Clip& c = GetParam();
    layerFrame(c.layer, c.left, c.top, c.width, c.height);
    if (!c.drawn) {
        EXPECT_EQ(layerPixelCount(), 0);
        return;
    }
    EXPECT_EQ(layerPixelCount(), c.w * c.h);
    EXPECT_EQ(view->Pixels(c.dx, c.dy), layerPixel(c.col0, c.row0));
    EXPECT_EQ(view->Pixels(c.dx + c.w - 1, c.dy + c.h - 1), layerPixel(c.col0 + c.w - 1, c.row0 + c.h - 1));
}

INSTANTIATE_TEST_SUITE_P(Edges, LayerClip,
    testing::Values(Clip { "inside", 10, 30, 40, 30, 10, true, 30, 40, 30, 10, 0, 0 },
        Clip { "left5", 10, -5, 50, 30, 10, true, 0, 50, 25, 10, 5, 0 },
        Clip { "right9", 10, 100, 50, 30, 10, true, 100, 50, 21, 10, 0, 0 },
        Clip { "rightExact", 10, 91, 50, 30, 10, true, 91, 50, 30, 10, 0, 0 },
        Clip { "rightByOne", 10, 92, 50, 30, 10, true, 92, 50, 29, 10, 0, 0 },
        Clip { "top3", 10, 10, -3, 30, 10, true, 10, 0, 30, 7, 0, 3 },
        Clip { "bottom4", 10, 10, 265, 30, 10, true, 10, 265, 30, 6, 0, 0 },
        Clip { "bottomExact", 10, 10, 261, 30, 10, true, 10, 261, 30, 10, 0, 0 },
        Clip { "bottomByOne", 10, 10, 262, 30, 10, true, 10, 262, 30, 9, 0, 0 },
        Clip { "topLeft", 11, -4, -6, 50, 20, true, 0, 0, 46, 14, 4, 6 },
        Clip { "narrowPlacement", 11, 100, 50, 20, 20, false },
        Clip { "shortPlacement", 10, 10, 265, 30, 5, false },
        Clip { "leftPastWidth", 10, -40, 50, 30, 10, false },
        Clip { "hugeValues", 10, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 30, 10,
            false }),
    [](const testing::TestParamInfo<Clip>& info) { return std::string(info.param.name); });

TEST_F(Compose, LayerNeedsTheLayeredFlagAndBothSlots)
{
    layerFrame(10, 30, 40, 30, 10);
    ASSERT_EQ(layerPixelCount(), 300);
    t->layered[6] = false;
    compose(6, 1);
    EXPECT_EQ(layerPixelCount(), 0);
    t->layered[6] = true;
    t->placement[6][1] = character::kEmptySlot;
    compose(6, 1);
    EXPECT_EQ(layerPixelCount(), 0);
    t->placement[6][1] = 20;
    t->layer[6][1] = character::kEmptySlot;
    compose(6, 1);
    EXPECT_EQ(layerPixelCount(), 0);
}

TEST_F(Compose, PatternsOfAnEarlierFileStillPlaceLayersButDrawNoBase)
{
    // Only the four values survive a reset.
    t->patterns[10].rect = TRect {};
    layerFrame(10, 30, 40, 30, 10);
    EXPECT_EQ(layerPixelCount(), 300);
    t->base[1][1] = 10;
    compose(1, 1);
    EXPECT_EQ(view->Pixels(0, 0), kBack);
}

TEST_F(Compose, OutOfTableArgumentsAndMissingSurfacesDrawNothing)
{
    compose(31, 1);
    compose(-1, 300);
    EXPECT_EQ(view->Pixels(0, 0), kBack);
    view->Fill(0);
    composeFrame(*t, 1, 1, nullptr, view.get());
    composeFrame(*t, 1, 1, sheet.get(), nullptr);
    EXPECT_EQ(view->Pixels(0, 0), 0u);
}
