#include "RenderFixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace rendertest {
namespace {

const std::string kSample = std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt";

// Frame `index` of a strip of views, and pictures composed from it here.
std::uint32_t viewPixel(const RgbImage& views, int index, int x, int y)
{
    return views.at(index * kFrameWidth + x, y);
}

// The checkerboard behind a frame without its background: squares of four
// pixels of the frame, light at the top-left corner.
std::uint32_t backdrop(int x, int y)
{
    return ((x / 4 + y / 4) & 1) != 0 ? 0xA8A8A8u : 0xE0E0E0u;
}

class RenderCloseup : public RenderTest {
protected:
    // The sample's joy animation, which draws effects as layers, at its
    // fifth frame; every view up to it is kept in view.png.
    RunResult joy(const std::vector<std::string>& more)
    {
        std::vector<std::string> arguments { "--drop", kSample, "--press", "Button6", "--frames", "5",
            "--out", "view.png" };
        arguments.insert(arguments.end(), more.begin(), more.end());
        return run(arguments);
    }
};

TEST_F(RenderCloseup, TheCloseupIsTheViewEnlargedWithOnionSkinAndWithoutBackground)
{
    const RunResult result = joy({ "--closeup-zoom", "3", "--closeup", "plain.png", "--onion", "2,1",
        "--closeup", "onion.png", "--toggle", "nobackground", "--closeup", "bare.png", "--state" });
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(
        result.out.find(",\"autodefload\":false,\"onion\":[2,1],\"nobackground\":true}\n"), std::string::npos)
        << result.out;

    const RgbImage views = readImage(folder.file("view.png"));
    const RgbImage sheet = readImage(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.bmp");
    const RgbImage plain = readImage(folder.file("plain.png"));
    const RgbImage onion = readImage(folder.file("onion.png"));
    const RgbImage bare = readImage(folder.file("bare.png"));
    for (const RgbImage* picture : { &plain, &onion, &bare }) {
        ASSERT_EQ(picture->width, 3 * kFrameWidth);
        ASSERT_EQ(picture->height, 3 * kFrameHeight);
    }
    int ghosts = 0;
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            const std::uint32_t shown = viewPixel(views, 4, x, y);
            const std::uint32_t background = sheet.at(x, y); // pattern 1 lies at the sheet's corner
            ASSERT_EQ(plain.at(3 * x + 2, 3 * y + 1), shown) << x << "," << y;
            if (shown != background) {
                // The frame on show is drawn over its neighbours, exactly.
                ASSERT_EQ(onion.at(3 * x, 3 * y), shown) << x << "," << y;
                ASSERT_EQ(bare.at(3 * x, 3 * y), shown) << x << "," << y;
                continue;
            }
            const bool neighbour
                = viewPixel(views, 3, x, y) != background || viewPixel(views, 2, x, y) != background;
            if (neighbour && onion.at(3 * x, 3 * y) != background)
                ++ghosts;
            // The lawn below the poses is never drawn over: the background
            // as it is, or the checkerboard without it.
            if (y >= 200) {
                ASSERT_EQ(onion.at(3 * x, 3 * y), background) << x << "," << y;
                ASSERT_EQ(bare.at(3 * x + 1, 3 * y + 2), backdrop(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(ghosts, 1000);
}

TEST_F(RenderCloseup, TheFrameListHoldsEveryFrameHalvedWithTheFrameOnShowMarked)
{
    // Sixteen frames: the joy animation ends after its last, so the list is
    // written while its last frame is on show.
    const RunResult result = run({ "--drop", kSample, "--press", "Button6", "--frames", "16", "--frame-list",
        "list.png", "--out", "view.png" });
    ASSERT_EQ(result.status, 0) << result.err;
    const RgbImage views = readImage(folder.file("view.png"));
    const RgbImage list = readImage(folder.file("list.png"));
    constexpr int kCell = 67; // a 61 x 136 picture in a margin of 3
    ASSERT_EQ(list.width, 16 * kCell);
    ASSERT_EQ(list.height, 142);
    for (int frame = 0; frame < 16; ++frame) {
        for (int y = 0; y < 136; ++y) {
            for (int x = 0; x < 61; ++x) {
                int sum[3] = {};
                int n = 0;
                for (int sy = 2 * y; sy < std::min(2 * y + 2, kFrameHeight); ++sy) {
                    for (int sx = 2 * x; sx < std::min(2 * x + 2, kFrameWidth); ++sx) {
                        const std::uint32_t p = viewPixel(views, frame, sx, sy);
                        sum[0] += p >> 16 & 0xFF;
                        sum[1] += p >> 8 & 0xFF;
                        sum[2] += p & 0xFF;
                        ++n;
                    }
                }
                const std::uint32_t mean = std::uint32_t((sum[0] + n / 2) / n) << 16
                    | std::uint32_t((sum[1] + n / 2) / n) << 8 | std::uint32_t((sum[2] + n / 2) / n);
                ASSERT_EQ(list.at(frame * kCell + 3 + x, 3 + y), mean) << frame << ": " << x << "," << y;
            }
        }
        const std::uint32_t margin = frame == 15 ? 0xFFD800u : 0x505050u;
        EXPECT_EQ(list.at(frame * kCell, 0), margin) << frame;
        EXPECT_EQ(list.at(frame * kCell + 2, 70), margin) << frame;
    }
}

TEST_F(RenderCloseup, BadSettingsAreRefusedAndNothingPlayingWritesNoList)
{
    for (const std::vector<std::string>& bad : { std::vector<std::string> { "--onion", "4,0" },
             { "--onion", "1" }, { "--onion", "1,1,1" }, { "--onion", "-1,0" }, { "--closeup-zoom", "0" },
             { "--closeup-zoom", "9" }, { "--closeup" }, { "--toggle", "background" } }) {
        const RunResult result = run(bad);
        EXPECT_EQ(result.status, 2) << bad[0];
        EXPECT_NE(result.err.find("usage: nimbrel-render"), std::string::npos) << result.err;
    }
    const RunResult idle = run({ "--frame-list", "list.png", "--closeup", "idle.png", "--state" });
    EXPECT_EQ(idle.status, 0) << idle.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("list.png")));
    // The zoom window of a viewer without a character: the cleared view.
    const RgbImage empty = readImage(folder.file("idle.png"));
    EXPECT_EQ(empty.width, 4 * kFrameWidth);
    EXPECT_EQ(empty.at(200, 500), 0u);
    EXPECT_NE(idle.out.find("\"onion\":[0,0],\"nobackground\":false}"), std::string::npos);
}

} // namespace
} // namespace rendertest
