#include "GifDecode.h"

#include "export/ExportConsts.h"
#include "export/GifEncoder.h"
#include "export/GifTiming.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using exporter::Image;
using exporter::TimedImage;

Image filled(std::int32_t width, std::int32_t height, std::uint32_t colour)
{
    Image image(width, height);
    std::fill(image.pixels.begin(), image.pixels.end(), colour);
    return image;
}

void paint(Image& image, int left, int top, int width, int height, std::uint32_t colour)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = colour;
}

std::vector<int> delaysOf(const std::vector<std::int64_t>& intervals)
{
    exporter::DelayClock clock;
    std::vector<int> delays;
    for (const std::int64_t ms : intervals)
        delays.push_back(static_cast<int>(clock.next(ms)));
    return delays;
}

TEST(GifDelays, CarryTheRoundingFromTheRunningTotal)
{
    struct Case {
        const char* what;
        std::vector<std::int64_t> intervals;
        std::vector<int> delays;
    };
    const std::vector<Case> cases {
        { "whole centiseconds", { 100, 100, 80 }, { 10, 10, 8 } },
        // Each 45 ms rounded alone would give 5 cs and drift by 5 ms a frame.
        { "half centiseconds alternate", { 45, 45, 45, 45 }, { 5, 4, 5, 4 } },
        { "a third", { 33, 33, 33, 33, 33, 33 }, { 3, 4, 3, 3, 4, 3 } },
        // Browsers stretch 0 and 1 cs to 10 cs; 2 cs is the floor.
        { "no wait", { 0, 0, -5 }, { 2, 2, 2 } },
        { "short frames catch up", { 5, 5, 100 }, { 2, 2, 7 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(delaysOf(c.intervals), c.delays) << c.what;

    // Over a long run the total stays within half a centisecond.
    exporter::DelayClock clock;
    std::int64_t written = 0;
    for (int i = 1; i <= 1000; ++i) {
        written += clock.next(37);
        EXPECT_LE(std::abs(written * 10 - 37 * i), 5) << i;
    }
}

TEST(GifEncoder, MergesRepeatsStoresChangedRectanglesAndLoopsForever)
{
    const Image a = filled(10, 8, 0x102030);
    Image b = a;
    paint(b, 3, 2, 4, 3, 0xFF0000);
    Image c = b;
    paint(c, 9, 7, 1, 1, 0x00FF00);
    const std::vector<TimedImage> frames { { &a, 100 }, { &a, 50 }, { &b, 80 }, { &c, 80 }, { &c, 80 } };

    const giftest::DecodedGif gif = giftest::decodeGif(exporter::encodeAnimatedGif(frames));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.version, "GIF89a");
    EXPECT_EQ(gif.width, 10);
    EXPECT_EQ(gif.height, 8);
    EXPECT_TRUE(gif.loopsForever);
    EXPECT_EQ(gif.colours, 4); // three colours, padded to a power of two
    ASSERT_EQ(gif.frames.size(), 3u);
    const auto rect = [](const giftest::DecodedFrame& f) {
        return std::vector { f.left, f.top, f.width, f.height };
    };
    EXPECT_EQ(rect(gif.frames[0]), (std::vector { 0, 0, 10, 8 }));
    EXPECT_EQ(rect(gif.frames[1]), (std::vector { 3, 2, 4, 3 }));
    EXPECT_EQ(rect(gif.frames[2]), (std::vector { 9, 7, 1, 1 }));
    EXPECT_EQ(gif.frames[0].delayCs, 15);
    EXPECT_EQ(gif.frames[1].delayCs, 8);
    EXPECT_EQ(gif.frames[2].delayCs, 16);
    for (const auto& frame : gif.frames)
        EXPECT_EQ(frame.disposal, DISPOSE_DO_NOT);
    EXPECT_EQ(gif.frames[0].composed, a);
    EXPECT_EQ(gif.frames[1].composed, b);
    EXPECT_EQ(gif.frames[2].composed, c);
}

TEST(GifEncoder, ScalesByWholeBlocks)
{
    Image a = filled(3, 2, 0x000000);
    paint(a, 1, 1, 1, 1, 0xFFFFFF);
    Image b = a;
    paint(b, 2, 0, 1, 1, 0x0000FF);
    const std::vector<TimedImage> frames { { &a, 100 }, { &b, 100 } };
    const giftest::DecodedGif gif = giftest::decodeGif(exporter::encodeAnimatedGif(frames, 3));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.width, 9);
    EXPECT_EQ(gif.height, 6);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.frames[0].composed, exporter::scaled(a, 3));
    EXPECT_EQ(gif.frames[1].composed, exporter::scaled(b, 3));
    EXPECT_EQ(gif.frames[1].left, 6);
    EXPECT_EQ(gif.frames[1].width, 3);
}

TEST(GifEncoder, QuantisesMoreThan256ColoursCloselyAndAlike)
{
    // 32 × 16 distinct colours in a smooth ramp, twice over with a change.
    Image a(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            a.pixels[static_cast<std::size_t>(y) * 32 + x]
                = static_cast<std::uint32_t>(x * 8) << 16 | static_cast<std::uint32_t>(y * 16) << 8 | 0x40;
    Image b = a;
    paint(b, 0, 0, 4, 4, 0xFFFFFF);
    const std::vector<TimedImage> frames { { &a, 100 }, { &b, 100 } };
    const giftest::DecodedGif gif = giftest::decodeGif(exporter::encodeAnimatedGif(frames));
    ASSERT_TRUE(gif.ok);
    EXPECT_LE(gif.colours, 256);
    ASSERT_EQ(gif.frames.size(), 2u);
    const auto channelError = [](std::uint32_t p, std::uint32_t q) {
        int worst = 0;
        for (int shift : { 0, 8, 16 })
            worst = std::max(
                worst, std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255)));
        return worst;
    };
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        worst = std::max(worst, channelError(gif.frames[0].composed.pixels[i], a.pixels[i]));
        worst = std::max(worst, channelError(gif.frames[1].composed.pixels[i], b.pixels[i]));
    }
    EXPECT_LE(worst, 12);
    // Without dithering the unchanged part maps alike, so only the white
    // corner is stored again.
    EXPECT_LE(gif.frames[1].width * gif.frames[1].height, 4 * 4);
}

TEST(GifEncoder, SplitsDelaysPastTheField)
{
    const Image a = filled(2, 2, 0x123456);
    Image b = a;
    paint(b, 0, 0, 1, 1, 0);
    const std::vector<TimedImage> frames { { &a, 700000 }, { &b, 100 } };
    const giftest::DecodedGif gif = giftest::decodeGif(exporter::encodeAnimatedGif(frames));
    ASSERT_TRUE(gif.ok);
    ASSERT_EQ(gif.frames.size(), 3u);
    EXPECT_EQ(gif.frames[0].delayCs + gif.frames[1].delayCs, 70000);
    EXPECT_EQ(gif.frames[1].composed, a);
    EXPECT_EQ(gif.frames[2].composed, b);
}

TEST(GifEncoder, RefusesWhatNoGifCanHold)
{
    const Image small = filled(2, 2, 0), other = filled(3, 2, 0), wide = filled(9000, 1, 0);
    struct Case {
        std::vector<TimedImage> frames;
        int scale;
        const char* message;
    };
    const std::vector<Case> cases {
        { {}, 1, exporter::kSNoFrames },
        { { { &small, 10 }, { &other, 10 } }, 1, exporter::kSFrameSizes },
        { { { &small, 10 } }, 0, exporter::kSImageTooLarge },
        { { { &small, 10 } }, 9, exporter::kSImageTooLarge },
        { { { &wide, 10 } }, 8, exporter::kSImageTooLarge },
    };
    for (const Case& c : cases) {
        try {
            exporter::encodeAnimatedGif(c.frames, c.scale);
            ADD_FAILURE() << c.message;
        } catch (const exporter::EGifError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

} // namespace
