#include "closeup/PixelView.h"
#include "closeup/SheetOverlay.h"
#include "closeup/SheetReadout.h"
#include "closeup/SurfaceImage.h"

#include "playback/SurfacePixels.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kKey = 0x00FF00FFu;

// Target pixels as rows of letters, one letter per colour, for pictures
// that read at a glance.
class Picture {
public:
    Picture(std::int32_t width, std::int32_t height)
        : m_width(width)
        , m_pixels(std::size_t(width) * height, 0)
    {
    }
    closeup::PixelTarget target()
    {
        return { m_pixels.data(), m_width, static_cast<std::int32_t>(m_pixels.size() / m_width), m_width };
    }
    std::vector<std::string> rows(const std::map<std::uint32_t, char>& letters) const
    {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < m_pixels.size(); ++i) {
            if (i % m_width == 0)
                out.emplace_back();
            const auto it = letters.find(m_pixels[i]);
            out.back() += it == letters.end() ? '?' : it->second;
        }
        return out;
    }

private:
    std::int32_t m_width;
    std::vector<std::uint32_t> m_pixels;
};

class Drawing : public testing::Test {
protected:
    // A 2 x 2 image: red, green / blue, key.
    void SetUp() override
    {
        playbacktest::paint(*surface, 0, 0, 2, 2, [](int x, int y) {
            const std::uint32_t colors[] = { 0x00FF0000u, 0x0000FF00u, 0x000000FFu, kKey };
            return colors[y * 2 + x];
        });
        surface->TransparentColor(kKey);
        ASSERT_TRUE(image.capture(surface.get()));
    }

    TDirectDraw directDraw;
    std::unique_ptr<TDirectDrawSurface> surface = playbacktest::makeSurface(directDraw, 2, 2);
    closeup::SurfaceImage image;
    const std::map<std::uint32_t, char> letters { { 0xFFFF0000u, 'R' }, { 0xFF00FF00u, 'G' },
        { 0xFF0000FFu, 'B' }, { 0xFFFF00FFu, 'K' }, { 0xFF505050u, '.' }, { 0xFFE0E0E0u, 'l' },
        { 0xFFA8A8A8u, 'd' }, { 0u, ' ' }, { closeup::kOutlineColor, 'o' },
        { closeup::highlightColor(closeup::HighlightRole::base), 'b' }, { 0xFF000000u, '#' },
        { 0xFFFFFFFFu, '_' } };
};

} // namespace

TEST_F(Drawing, EveryImagePixelBecomesAnEvenSquareFromAnyOrigin)
{
    Picture picture(6, 5);
    closeup::drawPixels(image, picture.target(), { 3, 2, 1 }, {});
    EXPECT_EQ(picture.rows(letters),
        (std::vector<std::string> { "RGGG..", "RGGG..", "BKKK..", "BKKK..", "BKKK.." }));
    EXPECT_EQ(image.raw(1, 1), kKey);
    EXPECT_EQ(image.raw(2, 0), 0u);
}

TEST_F(Drawing, KeyPixelsShowAsACheckerboardOfFixedCells)
{
    Picture picture(16, 1);
    closeup::drawPixels(image, picture.target(), { 16, 16, 16 }, { .checkerboard = true });
    EXPECT_EQ(picture.rows(letters), (std::vector<std::string> { "lllllllldddddddd" }));
    closeup::drawPixels(image, picture.target(), { 16, 16, 24 }, { .checkerboard = true });
    EXPECT_EQ(picture.rows(letters), (std::vector<std::string> { "ddddddddllllllll" }));
}

TEST_F(Drawing, TheGridRunsAlongEveryPixelsTopAndLeftEdge)
{
    Picture picture(9, 9);
    closeup::drawPixels(image, picture.target(), { 4, 0, 0 }, { .grid = true });
    const std::map<std::uint32_t, char> grid { { 0xFFBF4040u, 'r' }, { 0xFFFF0000u, 'R' },
        { 0xFF40BF40u, 'g' }, { 0xFF00FF00u, 'G' }, { 0xFF4040BFu, 'b' }, { 0xFF0000FFu, 'B' },
        { 0xFFBF40BFu, 'k' }, { 0xFFFF00FFu, 'K' }, { 0xFF505050u, '.' } };
    EXPECT_EQ(picture.rows(grid),
        (std::vector<std::string> { "rrrrgggg.", "rRRRgGGG.", "rRRRgGGG.", "rRRRgGGG.", "bbbbkkkk.",
            "bBBBkKKK.", "bBBBkKKK.", "bBBBkKKK.", "........." }));
}

TEST_F(Drawing, OutlinesLieJustInsideTheirPatterns)
{
    Picture picture(8, 6);
    const closeup::Outline outlines[] = { { 1, { 0, 0, 3, 2 } }, { 2, { 1, 1, 9, 9 } } };
    closeup::drawOutlines(picture.target(), { 2, 0, 0 }, outlines, {});
    EXPECT_EQ(picture.rows(letters),
        (std::vector<std::string> {
            "oooooo  ", "o    o  ", "o oooooo", "oooooo  ", "  o     ", "  o     " }));
}

TEST_F(Drawing, HighlightsAreTwoPixelsWideAndCutAtTheTarget)
{
    Picture picture(6, 6);
    const closeup::Outline outlines[] = { { 2, { 1, 1, 9, 9 } } };
    const closeup::Highlight highlights[] = { { closeup::HighlightRole::base, 2, { 1, 1, 9, 9 } } };
    closeup::drawOutlines(picture.target(), { 1, 0, 0 }, outlines, highlights);
    EXPECT_EQ(picture.rows(letters),
        (std::vector<std::string> { "      ", " bbbbb", " bbbbb", " bb   ", " bb   ", " bb   " }));
}

TEST_F(Drawing, ASelectionIsDashedInBlackAndWhite)
{
    Picture picture(6, 3);
    closeup::drawSelection(picture.target(), { 1, 0, 0 }, { 0, 0, 6, 3 });
    EXPECT_EQ(picture.rows(letters), (std::vector<std::string> { "####__", "#    _", "##____" }));
}

TEST_F(Drawing, TheImageFollowsReloadsAndKeysWithoutCopyingEveryFrame)
{
    closeup::SurfaceImage sheet;
    EXPECT_TRUE(sheet.follow(surface.get()));
    EXPECT_FALSE(sheet.follow(surface.get()));
    // Drawn on without a load: not copied again, as nothing but a load changes a sheet.
    playbacktest::paint(*surface, 0, 0, 1, 1, 0x00123456u);
    EXPECT_FALSE(sheet.follow(surface.get()));
    surface->TransparentColor(0x00123456u);
    EXPECT_TRUE(sheet.follow(surface.get()));
    EXPECT_TRUE(sheet.keyed(0x00123456u));
    surface->SetSize(3, 1);
    EXPECT_TRUE(sheet.follow(surface.get()));
    EXPECT_EQ(sheet.width(), 3);
    EXPECT_TRUE(sheet.follow(nullptr));
    EXPECT_TRUE(sheet.empty());

    // A view is compared pixel by pixel.
    closeup::SurfaceImage view;
    EXPECT_TRUE(view.capture(surface.get()));
    EXPECT_EQ(view.changed(), (TRect { 0, 0, 3, 1 }));
    EXPECT_FALSE(view.capture(surface.get()));
    EXPECT_EQ(view.changed(), (TRect {}));
    playbacktest::paint(*surface, 2, 0, 1, 1, 0x00000001u);
    EXPECT_TRUE(view.capture(surface.get()));
    EXPECT_EQ(view.changed(), (TRect { 2, 0, 3, 1 }));
}

TEST_F(Drawing, ThePointLineGivesTheRawValueTheKeyAndThePatternsThere)
{
    character::CharacterState state;
    for (const int n : { 2, 10 }) {
        state.tables.patterns[n].rect = TRect { 1, 0, 2, 2 };
        state.definedPatterns.set(n);
    }
    const auto outlines = closeup::patternOutlines(state);
    EXPECT_EQ(closeup::pointText(state, image, outlines, 1, 1),
        "X 1 Y 1　値 $00FF00FF（透明色）　パターン 02, 10 (0A)");
    EXPECT_EQ(closeup::pointText(state, image, outlines, 0, 1), "X 0 Y 1　値 $000000FF");
    EXPECT_EQ(closeup::pointText(state, image, outlines, 2, 1), "");
    EXPECT_EQ(closeup::selectionLine(state, TRect { 0, 0, 2, 1 }), "#01 0 0 2 1");
    EXPECT_EQ(closeup::selectionLine(state, TRect {}), "");
}
