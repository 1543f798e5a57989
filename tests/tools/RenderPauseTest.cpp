#include "RenderFixture.h"

#include <gtest/gtest.h>

namespace rendertest {
namespace {

// Steps while paused, read back from the strip and the state lines.
TEST_F(RenderTest, PauseAndStepsShowTheFramesTheyLeadTo)
{
    const RunResult result = run({ "--drop", "def.txt", "--press", "Button6", "--frames", "1", "--step",
        "--frames", "1", "--step", "--frames", "1", "--step-back", "--frames", "1", "--restart", "--state",
        "--pause", "--frames", "1", "--state", "--out", "strip.png" });
    ASSERT_EQ(result.status, 0) << result.err;
    const RgbImage strip = readImage(folder.file("strip.png"));
    ASSERT_EQ(strip.width, 5 * kFrameWidth);
    const auto at = [&](int frame, int x, int y) { return strip.at(frame * kFrameWidth + x, y); };
    // Animation 6: pose 3, then pose 2 with the effect at (20, 30); the step
    // past its end falls back to animation 1, whose frame 1 is pose 2 alone.
    EXPECT_EQ(at(0, 0, 0), kWhite);
    EXPECT_EQ(at(1, 0, 0), kGreen);
    EXPECT_EQ(at(1, 20, 30), kRed);
    EXPECT_EQ(at(2, 0, 0), kGreen);
    EXPECT_EQ(at(2, 20, 30), 0u);
    // A step back on frame 1 stays there; unpaused, playback goes on.
    EXPECT_EQ(at(3, 0, 0), kGreen);
    EXPECT_EQ(at(3, 20, 30), 0u);
    EXPECT_EQ(at(4, 0, 0), kWhite);

    const std::vector<JsonValue> states = jsonLines(result);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_TRUE(states[0]["paused"].boolean);
    EXPECT_EQ(states[0]["animation"].number, 1);
    EXPECT_EQ(states[0]["frame"].number, 1);
    EXPECT_FALSE(states[1]["paused"].boolean);
    EXPECT_EQ(states[1]["frame"].number, 2);
}

} // namespace
} // namespace rendertest
