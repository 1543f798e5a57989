#include "closeup/OnionSkin.h"
#include "closeup/CloseupFrame.h"
#include "closeup/CloseupPicture.h"
#include "closeup/FrameList.h"
#include "closeup/ZoomPicture.h"

#include "display/ViewDesign.h"
#include "playback/SurfacePixels.h"

#include <gtest/gtest.h>

#include <memory>

using character::CharacterTables;
using closeup::OnionFrame;
using playbacktest::paint;

namespace {

constexpr std::uint32_t kKey = 0x00FF00FF;
constexpr std::uint32_t kBack = 0x00406080;
constexpr std::uint32_t kFirst = 0x00F0F000;
constexpr std::uint32_t kSecond = 0x0000F0F0;
constexpr std::uint32_t kLayer = 0x00102030;

void define(CharacterTables& t, int number, int left, int top, int width, int height)
{
    t.patterns[number] = { TRect { left, top, left + width, top + height }, left, top, width, height };
}

// Pattern 1 is the background; patterns 2 and 3 are two poses that cover
// different places of the view (2: x 0-19, 3: x 10-29, rows 0-19), each
// with a key-coloured hole at (5, 5); pattern 4 is a layer of 5 x 5.
class Onion : public testing::Test {
protected:
    void SetUp() override
    {
        for (auto* table : { &t->base, &t->layer, &t->placement }) {
            for (auto& row : *table)
                row.fill(character::kEmptySlot);
        }
        paint(*sheet, 0, 0, 121, 271, kBack);
        paint(*sheet, 130, 0, 20, 20, kFirst);
        paint(*sheet, 135, 5, 1, 1, kKey);
        paint(*sheet, 160, 0, 30, 20, kKey);
        paint(*sheet, 170, 0, 20, 20, kSecond);
        paint(*sheet, 175, 5, 1, 1, kKey);
        paint(*sheet, 200, 0, 5, 5, kLayer);
        sheet->TransparentColor(kKey);
        define(*t, 1, 0, 0, 121, 271);
        define(*t, 2, 130, 0, 20, 20);
        define(*t, 3, 160, 0, 30, 20);
        define(*t, 4, 200, 0, 5, 5);
        define(*t, 5, 50, 60, 5, 5); // where the layer lands
    }
    void frames(int animation, std::initializer_list<int> bases)
    {
        int slot = 1;
        for (const int base : bases)
            t->base[animation][slot++] = base;
    }
    display::ColorImage frame(int animation, int index, closeup::OnionSettings settings)
    {
        return closeup::composeCloseupFrame(*t, animation, index, sheet.get(), settings);
    }

    TDirectDraw dd;
    std::unique_ptr<TDirectDrawSurface> sheet = playbacktest::makeSurface(dd, 400, 300);
    std::unique_ptr<CharacterTables> t = std::make_unique<CharacterTables>();
};

struct Choice {
    int animation;
    int frames; // base entries 2, 2, ... in slots 1..frames
    int index;
    int before;
    int after;
    std::vector<OnionFrame> expected;
};

} // namespace

TEST_F(Onion, NeighboursWrapForLoopsAndStopForOneShotsAndThePatternCheck)
{
    const Choice rows[] = {
        // A loop wraps both ways, nearest first.
        { 1, 4, 1, 2, 1, { { 4, 1, true }, { 2, 1, false }, { 3, 2, true } } },
        { 1, 4, 4, 0, 3, { { 1, 1, false }, { 2, 2, false }, { 3, 3, false } } },
        // A loop shorter than the settings gives each frame once, never itself.
        { 2, 2, 1, 3, 3, { { 2, 1, true } } },
        { 2, 1, 1, 3, 3, {} },
        // A one-shot stops at its first and its last frame.
        { 6, 4, 1, 3, 2, { { 2, 1, false }, { 3, 2, false } } },
        { 6, 4, 4, 1, 3, { { 3, 1, true } } },
        // The pattern check too.
        { 30, 3, 3, 2, 2, { { 2, 1, true }, { 1, 2, true } } },
        { 30, 3, 1, 2, 2, { { 2, 1, false }, { 3, 2, false } } },
        // Nothing shown yet, or settings out of range.
        { 1, 4, 0, 3, 3, {} },
        { 1, 4, 2, -1, 9, { { 3, 1, false }, { 4, 2, false }, { 1, 3, false } } },
    };
    for (const Choice& row : rows) {
        for (int slot = 1; slot <= row.frames; ++slot)
            t->base[row.animation][slot] = 2;
        EXPECT_EQ(closeup::onionFrames(*t, row.animation, row.index, row.before, row.after), row.expected)
            << "animation " << row.animation << " frame " << row.index;
        t->base[row.animation].fill(character::kEmptySlot);
    }
}

TEST_F(Onion, LayeredFramesCountTheirLayerOnlySlots)
{
    // Two base entries, four layer entries: the animation has four frames.
    t->layered[5] = true;
    frames(5, { 2, 3 });
    for (int slot = 1; slot <= 4; ++slot) {
        t->layer[5][slot] = 4;
        t->placement[5][slot] = 5;
    }
    EXPECT_EQ(closeup::onionFrames(*t, 5, 2, 0, 3),
        (std::vector<OnionFrame> { { 3, 1, false }, { 4, 2, false }, { 1, 3, false } }));
    // A neighbour that is only a layer is still drawn as a ghost.
    const display::ColorImage shown = frame(5, 2, { 0, 1, false });
    EXPECT_NE(shown.at(50, 60), kBack);
    EXPECT_EQ(frame(5, 3, {}).at(50, 60), kLayer);
}

TEST_F(Onion, GhostsLieBetweenTheBackgroundAndTheFrameOnShow)
{
    frames(1, { 2, 3 });
    // Without onion skin the picture is the view's own composition.
    EXPECT_EQ(frame(1, 2, {}), closeup::composeView(*t, 1, 2, sheet.get()));

    const display::ColorImage shown = frame(1, 2, { 1, 0, false });
    const display::ColorImage view = closeup::composeView(*t, 1, 2, sheet.get());
    // Covered only by the previous frame's pose: neither background nor pose.
    EXPECT_NE(shown.at(2, 2), kBack);
    EXPECT_NE(shown.at(2, 2), kFirst);
    // The previous pose's key hole lets the background through untouched.
    EXPECT_EQ(shown.at(5, 5), kBack);
    // Every pixel of the frame on show is exactly its own.
    for (int y = 0; y < 20; ++y) {
        for (int x = 10; x < 30; ++x) {
            if (view.at(x, y) == kSecond) {
                EXPECT_EQ(shown.at(x, y), kSecond) << x << "," << y;
            }
        }
    }
    // The current pose's hole shows the ghost below it, not the background.
    EXPECT_NE(shown.at(15, 5), kBack);
    EXPECT_EQ(shown.at(60, 100), kBack);
}

TEST_F(Onion, EarlierGhostsAreReddishLaterBluishAndFadeWithDistance)
{
    const std::uint32_t grey = 0x808080;
    const auto red = [](std::uint32_t p) { return int(p >> 16 & 0xFF) - int(p & 0xFF); };
    const std::uint32_t near = closeup::ghostPixel(grey, grey, { 1, 1, true });
    const std::uint32_t far = closeup::ghostPixel(grey, grey, { 1, 3, true });
    EXPECT_GT(red(near), red(far));
    EXPECT_GT(red(far), 0);
    EXPECT_LT(red(closeup::ghostPixel(grey, grey, { 1, 1, false })), 0);
}

TEST_F(Onion, WithoutTheBackgroundKeyPixelsShowTheCheckerboard)
{
    frames(1, { 2, 3 });
    const display::ColorImage bare = frame(1, 1, { 0, 0, true });
    EXPECT_EQ(bare.at(5, 5), closeup::backdropPixel(5, 5)); // the pose's key hole
    EXPECT_EQ(bare.at(60, 100), closeup::backdropPixel(60, 100));
    EXPECT_NE(closeup::backdropPixel(0, 0), closeup::backdropPixel(closeup::kBackdropCell, 0));
    EXPECT_EQ(bare.at(2, 2), kFirst);
    // Onion skin works over the checkerboard as well.
    const display::ColorImage ghosted = frame(1, 1, { 0, 1, true });
    EXPECT_NE(ghosted.at(25, 2), closeup::backdropPixel(25, 2));
    EXPECT_EQ(ghosted.at(60, 100), closeup::backdropPixel(60, 100));
    // No sheet: nothing is drawn, and nothing is read.
    EXPECT_EQ(closeup::composeCloseupFrame(*t, 1, 1, nullptr, { 3, 3, true }).at(2, 2),
        closeup::backdropPixel(2, 2));
}

TEST_F(Onion, TheStripHoldsEveryFrameUpToTheEndTest)
{
    const std::pair<int, int> rows[] = { { 1, 3 }, { 6, 4 }, { 2, 255 }, { 3, 0 } };
    for (const auto& [animation, count] : rows) {
        for (int slot = 1; slot <= count; ++slot)
            t->base[animation][slot] = 2;
        closeup::FrameList list;
        ASSERT_TRUE(list.update(*t, animation, sheet.get(), true));
        // An animation without frames still shows its slot 1.
        EXPECT_EQ(list.count(), std::max(count, 1)) << animation;
        EXPECT_EQ(list.image().width, list.count() * closeup::kCellWidth);
    }
}

TEST_F(Onion, TheStripIsRemadeOnlyWhenWhatItShowsChanges)
{
    frames(1, { 2, 3, 2 });
    frames(6, { 3 });
    closeup::FrameList list;
    EXPECT_TRUE(list.update(*t, 1, sheet.get(), true));
    EXPECT_FALSE(list.update(*t, 1, sheet.get(), true));
    EXPECT_TRUE(list.update(*t, 6, sheet.get(), true)); // another animation
    EXPECT_TRUE(list.update(*t, 1, sheet.get(), true));
    define(*t, 3, 160, 0, 30, 19); // a reload that moves a pattern
    EXPECT_TRUE(list.update(*t, 1, sheet.get(), true));
    sheet->TransparentColor(kBack);
    EXPECT_TRUE(list.update(*t, 1, sheet.get(), true));
    EXPECT_TRUE(list.update(*t, 1, sheet.get(), false));
    EXPECT_EQ(list.count(), 0);

    // Cells, clicks and the mark agree.
    list.update(*t, 1, sheet.get(), true);
    EXPECT_EQ(list.frameAt(0, 0), 1);
    EXPECT_EQ(list.frameAt(closeup::kCellWidth * 2 + 1, closeup::kCellHeight - 1), 3);
    EXPECT_EQ(list.frameAt(closeup::kCellWidth * 3, 0), 0);
    EXPECT_EQ(list.frameAt(0, closeup::kCellHeight), 0);
    const display::ColorImage marked = closeup::stripPicture(list, 2);
    EXPECT_EQ(marked.at(closeup::kCellWidth, 0), closeup::kMarkColor);
    EXPECT_EQ(marked.at(0, 0), closeup::kStripBackground);
    EXPECT_EQ(marked.at(closeup::kCellMargin + 1, closeup::kCellMargin + 1), kFirst);
}

TEST_F(Onion, ThePictureEnlargesEveryPixelAndDrawsTheGridFromFourTimes)
{
    display::ColorImage frame(3, 2);
    frame.at(1, 0) = 0xFFFFFF;
    for (const auto& [zoom, grid] : { std::pair { 1, true }, { 2, true }, { 8, false } }) {
        const display::ColorImage picture = closeup::closeupPicture(frame, zoom, grid);
        ASSERT_EQ(picture.width, 3 * zoom);
        EXPECT_EQ(picture.at(2 * zoom - 1, zoom - 1), 0xFFFFFFu) << zoom;
        EXPECT_EQ(picture.at(zoom, 0), 0xFFFFFFu) << zoom; // no grid below 4 times
    }
    const display::ColorImage gridded = closeup::closeupPicture(frame, 4, true);
    EXPECT_NE(gridded.at(4, 0), 0xFFFFFFu);
    EXPECT_EQ(gridded.at(5, 1), 0xFFFFFFu);
}

TEST_F(Onion, TheZoomWindowComposesOnlyWhenTheFrameOnShowChanges)
{
    frames(1, { 2, 3, 2 });
    auto state = std::make_unique<character::CharacterState>();
    state->tables = *t;
    state->playbackFlag = true;
    state->currentAnimation = 1;
    auto view = playbacktest::makeSurface(dd, 121, 271);
    paint(*view, 0, 0, 121, 271, 0x00123456);
    closeup::ZoomPicture zoom;
    const auto show = [&](int index) {
        return zoom.update(closeup::Presented { state.get(), index, sheet.get(), view.get() });
    };

    // Off at start: the view itself, nothing composed.
    EXPECT_TRUE(show(1).frame);
    EXPECT_EQ(zoom.frame().color(zoom.frame().raw(0, 0)), 0x123456u);
    zoom.setOnion({ 1, 1, false });
    EXPECT_TRUE(show(1).frame);
    EXPECT_EQ(zoom.compositions(), 1);
    EXPECT_EQ(zoom.frame().color(zoom.frame().raw(0, 0)), kFirst);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(show(1).frame); // presented again while paused
    EXPECT_EQ(zoom.compositions(), 1);
    show(2);
    zoom.setOnion({ 1, 1, false });
    show(2);
    EXPECT_EQ(zoom.compositions(), 2);
    define(state->tables, 3, 160, 0, 30, 18); // a reload while paused
    show(2);
    EXPECT_EQ(zoom.compositions(), 3);
    EXPECT_EQ(zoom.picture(4, true).width, 4 * 121);

    // The strip is made once, and its mark follows the frame on show.
    zoom.setStripShown(true);
    closeup::ZoomPicture::Changes changes = show(2);
    EXPECT_TRUE(changes.strip);
    EXPECT_EQ(changes.newMark, 2);
    changes = show(3);
    EXPECT_FALSE(changes.strip);
    EXPECT_EQ(changes.oldMark, 2);
    EXPECT_EQ(changes.newMark, 3);
    EXPECT_EQ(zoom.strip().count(), 3);

    // Settings changed while the view is already cleared for the next frame:
    // the frame on show, not the cleared view.
    zoom.setOnion({});
    paint(*view, 0, 0, 121, 271, 0);
    EXPECT_TRUE(zoom.update(closeup::Presented { state.get(), 3, sheet.get(), view.get(), true }).frame);
    EXPECT_EQ(zoom.frame().color(zoom.frame().raw(0, 0)), kFirst);
}
