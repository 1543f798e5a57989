#include "closeup/FrameReadout.h"
#include "closeup/SheetRegions.h"

#include "character/LoadProcedure.h"
#include "character/TableTestFiles.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "playback/NullHost.h"

#include <gtest/gtest.h>

using closeup::Highlight;
using closeup::HighlightRole;

namespace {

// A character with a plain and a layered animation, read from its file.
class Marks : public testing::Test {
protected:
    void SetUp() override
    {
        tabletest::writeText(dir / "c.txt",
            "#DATA 16\n#01 0 0 121 271\n#02 121 0 121 271\n#03 242 0 121 271\n#1A 0 280 40 40\n"
            "#1B 60 100 40 40\n#0C 300 300 0 5\n#PATERN 01 0202020303\n#PATERN 06 02030203\n"
            "#LAYER 06 1A1A1A 1B1B\n#PATERN 07 02\n#LAYER 07 1A 0C\n");
        logic.drop(dir / "c.txt");
    }
    const character::CharacterState& state() { return logic.state(); }

    tabletest::TempFolder dir;
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    playback::FormLogic logic { form, host };
};

} // namespace

TEST_F(Marks, TheReadoutNamesTheAnimationFrameAndPatterns)
{
    const std::pair<std::pair<int, int>, const char*> rows[] = {
        { { 1, 4 }, "アニメ 1 通常１　コマ 4/5　ベース 03" },
        { { 6, 2 }, "アニメ 6 喜び１　コマ 2/4　ベース 03　レイヤー 1A　配置 1B" },
        // Past the layer lists the entries are empty.
        { { 6, 4 }, "アニメ 6 喜び１　コマ 4/4　ベース 03　レイヤー --　配置 --" },
        { { 9, 1 }, "アニメ 9　コマ 1/0　ベース --" },
        { { 10, 1 }, "アニメ 10 ﾀﾞﾒｰｼﾞ１　コマ 1/0　ベース --" },
    };
    for (const auto& [frame, text] : rows)
        EXPECT_EQ(closeup::readoutText(closeup::frameReadout(state(), frame.first, frame.second)), text);

    closeup::FrameReadout layered = closeup::frameReadout(state(), 6, 1);
    EXPECT_EQ(layered.base, 2);
    EXPECT_EQ(layered.layer, 0x1A);
    EXPECT_EQ(layered.placement, 0x1B);
}

TEST_F(Marks, TheFrameCountIncludesFramesWithOnlyALayer)
{
    character::CharacterState& s = logic.state();
    s.tables.layer[1][6] = 0x1A;
    EXPECT_EQ(s.tables.frameCount(1), 6);
    s.tables.base[2].fill(2);
    EXPECT_EQ(s.tables.frameCount(2), 255);
    EXPECT_EQ(s.tables.frameCount(31), 0);
}

TEST_F(Marks, TheFrameOnShowMarksItsBaseLayerAndWhereTheLayerLands)
{
    EXPECT_EQ(closeup::frameHighlights(state(), 1, 1),
        (std::vector<Highlight> { { HighlightRole::base, 2, TRect { 121, 0, 242, 271 } } }));
    EXPECT_EQ(closeup::frameHighlights(state(), 6, 2),
        (std::vector<Highlight> { { HighlightRole::base, 3, TRect { 242, 0, 363, 271 } },
            { HighlightRole::layer, 0x1A, TRect { 0, 280, 40, 320 } },
            { HighlightRole::placement, 0x1B, TRect { 302, 100, 342, 140 } } }));
    // A placement without an extent, and frames past every list, mark nothing more.
    EXPECT_EQ(closeup::frameHighlights(state(), 7, 1).size(), 2u);
    EXPECT_TRUE(closeup::frameHighlights(state(), 6, 9).empty());
}

TEST_F(Marks, OutlinesAndTheHitTestTakeRightAndBottomAsOutside)
{
    const auto outlines = closeup::patternOutlines(state());
    // 0C has no width and gets no outline.
    ASSERT_EQ(outlines.size(), 5u);
    EXPECT_EQ(outlines[3], (closeup::Outline { 0x1A, TRect { 0, 280, 40, 320 } }));

    const std::pair<TPoint, std::vector<int>> rows[] = {
        { { 0, 0 }, { 1 } },
        { { 120, 270 }, { 1 } },
        { { 121, 0 }, { 2 } },
        { { 120, 271 }, {} },
        { { 39, 280 }, { 0x1A } },
        { { 40, 280 }, {} },
        { { 60, 100 }, { 1, 0x1B } },
        { { -1, 0 }, {} },
    };
    for (const auto& [point, numbers] : rows)
        EXPECT_EQ(closeup::patternsAt(outlines, point.X, point.Y), numbers) << point.X << "," << point.Y;
}

TEST_F(Marks, ADragSelectsThePixelsAtBothEndsWithinTheSheet)
{
    const std::pair<std::pair<TPoint, TPoint>, TRect> rows[] = {
        { { { 3, 4 }, { 3, 4 } }, { 3, 4, 4, 5 } },
        { { { 10, 20 }, { 2, 5 } }, { 2, 5, 11, 21 } },
        { { { -5, -5 }, { 500, 500 } }, { 0, 0, 100, 50 } },
        { { { 100, 0 }, { 120, 10 } }, {} },
        { { { -9, 3 }, { -1, 4 } }, {} },
    };
    for (const auto& [drag, rect] : rows)
        EXPECT_EQ(closeup::dragSelection(drag.first, drag.second, 100, 50), rect);
}
