#include "RenderFixture.h"

#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace rendertest {
namespace {

// A frame of the strip, read back from the PNG.
class StripFrame {
public:
    StripFrame(const RgbImage& strip, int index)
        : m_strip(strip)
        , m_left(index * kFrameWidth)
    {
    }
    std::uint32_t at(int x, int y) const { return m_strip.at(m_left + x, y); }

    bool operator==(const StripFrame& other) const
    {
        for (int y = 0; y < kFrameHeight; ++y) {
            for (int x = 0; x < kFrameWidth; ++x) {
                if (at(x, y) != other.at(x, y))
                    return false;
            }
        }
        return true;
    }

private:
    const RgbImage& m_strip;
    int m_left;
};

TEST_F(RenderTest, FramesAreTheViewsSideBySideInAnRgbPng)
{
    const RunResult result = run({ "--drop", "def.txt", "--frames", "3", "--out", "strip.png" });
    ASSERT_EQ(result.status, 0) << result.err;

    std::ifstream file(folder.file("strip.png"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(bytes[24], 8); // bits per channel
    EXPECT_EQ(bytes[25], 2); // RGB

    const RgbImage strip = readImage(folder.file("strip.png"));
    ASSERT_EQ(strip.width, 3 * kFrameWidth);
    ASSERT_EQ(strip.height, kFrameHeight);
    const StripFrame first(strip, 0), second(strip, 1), third(strip, 2);
    // Slot 1: pose 2 over the background; its hole shows the background.
    EXPECT_EQ(first.at(0, 0), kGreen);
    EXPECT_EQ(first.at(3, 3), kGreen);
    EXPECT_EQ(first.at(1, 1), kBlue);
    EXPECT_EQ(first.at(4, 0), kBlue);
    EXPECT_EQ(first.at(7, 7), kBlue);
    // The background is smaller than the view: the rest stays black.
    EXPECT_EQ(first.at(8, 0), 0u);
    EXPECT_EQ(first.at(0, 8), 0u);
    EXPECT_EQ(first.at(120, 270), 0u);
    // Slot 2, then back to slot 1.
    EXPECT_EQ(second.at(0, 0), kWhite);
    EXPECT_EQ(second.at(1, 1), kWhite);
    EXPECT_TRUE(third == first);
}

TEST_F(RenderTest, ALayeredOneShotDrawsItsEffectAndFallsBack)
{
    const RunResult result
        = run({ "--drop", "def.txt", "--press", "Button6", "--frames", "3", "--out", "strip.png" });
    ASSERT_EQ(result.status, 0) << result.err;
    const RgbImage strip = readImage(folder.file("strip.png"));
    ASSERT_EQ(strip.width, 3 * kFrameWidth);
    const StripFrame first(strip, 0), second(strip, 1), third(strip, 2);
    EXPECT_EQ(first.at(0, 0), kWhite);
    EXPECT_EQ(second.at(0, 0), kGreen);
    for (const StripFrame* frame : { &first, &second }) {
        EXPECT_EQ(frame->at(20, 30), kRed);
        EXPECT_EQ(frame->at(21, 31), kRed);
        EXPECT_EQ(frame->at(22, 30), 0u);
        EXPECT_EQ(frame->at(20, 32), 0u);
    }
    // Animation 1 again, which draws no layer.
    EXPECT_EQ(third.at(0, 0), kGreen);
    EXPECT_EQ(third.at(20, 30), 0u);
}

TEST_F(RenderTest, EveryIdleStepKeepsAFrameEvenWhenItShowsNone)
{
    // Before a load the player shows nothing; the view stays cleared.
    const RunResult result
        = run({ "--frames", "2", "--out", "strip.png", "--drop", "def.txt", "--frames", "1" });
    ASSERT_EQ(result.status, 0) << result.err;
    const RgbImage strip = readImage(folder.file("strip.png"));
    ASSERT_EQ(strip.width, 3 * kFrameWidth);
    EXPECT_EQ(StripFrame(strip, 0).at(0, 0), 0u);
    EXPECT_EQ(StripFrame(strip, 1).at(0, 0), 0u);
    EXPECT_EQ(StripFrame(strip, 2).at(0, 0), kGreen);
}

TEST_F(RenderTest, NoFramesWriteNoFile)
{
    const RunResult result = run({ "--drop", "def.txt", "--frames", "0", "--out", "strip.png" });
    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("strip.png")));
}

// ---- the sample character ----------------------------------------------

// An independent composition of one frame from the character tables and the
// sheet image: a keyed or plain copy that draws nothing when a rectangle
// leaves its image, and the layer's edge cuts.
class Composer {
public:
    Composer(const RgbImage& sheet, const JsonValue& tables)
        : m_sheet(sheet)
        , m_tables(tables)
        , m_key(sheet.at(sheet.width - 1, sheet.height - 1))
    {
    }

    std::vector<std::uint32_t> frame(int animation, int index) const
    {
        std::vector<std::uint32_t> view(static_cast<std::size_t>(kFrameWidth) * kFrameHeight, 0);
        const auto pattern = [&](std::int64_t number) {
            return number >= 0 && number < 256
                ? m_tables["patterns"][static_cast<std::size_t>(number)].numbers()
                : std::vector<std::int64_t>(8, 0);
        };
        const auto slot = [&](const char* table) {
            return m_tables[table][static_cast<std::size_t>(animation)][static_cast<std::size_t>(index)]
                .number;
        };
        const auto rect = [](const std::vector<std::int64_t>& p) {
            return std::array { p[0], p[1], p[2], p[3] };
        };
        copy(view, rect(pattern(1)), 0, 0, false);
        copy(view, rect(pattern(slot("base"))), 0, 0, true);
        if (m_tables["layered"][static_cast<std::size_t>(animation)].boolean) {
            const std::vector<std::int64_t> l = pattern(slot("layer")), p = pattern(slot("placement"));
            std::int64_t sx = l[4], sy = l[5], sw = l[6], sh = l[7], dx = p[4], dy = p[5], pw = p[6],
                         ph = p[7];
            if (p[4] < 0)
                sx -= p[4], sw += p[4], pw += p[4], dx = 0;
            if (p[5] < 0)
                sy -= p[5], sh += p[5], ph += p[5], dy = 0;
            if (dx + pw > kFrameWidth)
                sw -= dx + pw - kFrameWidth;
            if (dy + ph > kFrameHeight)
                sh -= dy + ph - kFrameHeight;
            copy(view, { sx, sy, sx + sw, sy + sh }, dx, dy, true);
        }
        return view;
    }

private:
    void copy(std::vector<std::uint32_t>& view, std::array<std::int64_t, 4> r, std::int64_t dx,
        std::int64_t dy, bool keyed) const
    {
        const std::int64_t w = r[2] - r[0], h = r[3] - r[1];
        if (w <= 0 || h <= 0 || r[0] < 0 || r[1] < 0 || r[2] > m_sheet.width || r[3] > m_sheet.height
            || dx < 0 || dy < 0 || dx + w > kFrameWidth || dy + h > kFrameHeight)
            return;
        for (std::int64_t y = 0; y < h; ++y) {
            for (std::int64_t x = 0; x < w; ++x) {
                const std::uint32_t pixel
                    = m_sheet.at(static_cast<int>(r[0] + x), static_cast<int>(r[1] + y));
                if (!keyed || pixel != m_key)
                    view[static_cast<std::size_t>((dy + y) * kFrameWidth + dx + x)] = pixel;
            }
        }
    }

    const RgbImage& m_sheet;
    const JsonValue& m_tables;
    std::uint32_t m_key;
};

TEST(RenderSample, JoyOneShowsTheSampleCharacterHoppingAmongSparkles)
{
    ScratchFolder folder;
    const std::string sample = std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/";
    const RunResult result = folder.run({ "--drop", sample + "sample.txt", "--press", "Button6", "--tables",
        "--frames", "12", "--state", "--out", "strip.png" });
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = result.outLines();
    ASSERT_EQ(lines.size(), 2u);
    const std::optional<JsonValue> tables = parseJson(lines[0]);
    const std::optional<JsonValue> state = parseJson(lines[1]);
    ASSERT_TRUE(tables && state);
    EXPECT_EQ((*state)["animation"].number, 6);
    EXPECT_EQ((*state)["frame"].number, 12);

    const RgbImage sheet = readImage(sample + "sample.bmp");
    const RgbImage strip = readImage(folder.file("strip.png"));
    ASSERT_GT(sheet.width, 0);
    ASSERT_EQ(strip.width, 12 * kFrameWidth);
    ASSERT_EQ(strip.height, kFrameHeight);
    const Composer composer(sheet, *tables);
    for (int index = 1; index <= 12; ++index) {
        const std::vector<std::uint32_t> expected = composer.frame(6, index);
        const StripFrame frame(strip, index - 1);
        int wrong = 0;
        for (int y = 0; y < kFrameHeight; ++y) {
            for (int x = 0; x < kFrameWidth; ++x)
                wrong += frame.at(x, y) != expected[static_cast<std::size_t>(y * kFrameWidth + x)];
        }
        EXPECT_EQ(wrong, 0) << "frame " << index;
    }
    // Slots 1 and 2 repeat the same pose without an effect; slot 3 adds one.
    EXPECT_TRUE(StripFrame(strip, 0) == StripFrame(strip, 1));
    EXPECT_FALSE(StripFrame(strip, 1) == StripFrame(strip, 2));
}

} // namespace
} // namespace rendertest
