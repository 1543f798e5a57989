#include "RenderFixture.h"

#include <QImage>
#include <QImageReader>

#include <filesystem>
#include <gtest/gtest.h>

namespace rendertest {
namespace {

const std::string kSample = std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt";

// A frame of a strip, as 0x00RRGGBB values.
std::vector<std::uint32_t> stripFrame(const RgbImage& strip, int index, int width, int height)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(strip.at(index * width + x, y));
    return pixels;
}

struct GifFrame {
    std::vector<std::uint32_t> pixels;
    int delayMs = 0;
};

struct ReadGif {
    bool ok = false;
    int loopCount = 0;
    QSize size;
    std::vector<GifFrame> frames;
};

ReadGif readGifWithQt(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path), "gif");
    ReadGif gif;
    gif.ok = reader.canRead();
    gif.loopCount = reader.loopCount();
    gif.size = reader.size();
    QImage image;
    while (reader.read(&image)) {
        GifFrame frame;
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                frame.pixels.push_back(rgb.pixel(x, y) & 0xFFFFFFu);
        // The delay reported is the one of the frame just read.
        frame.delayMs = reader.nextImageDelay();
        gif.frames.push_back(std::move(frame));
    }
    return gif;
}

// The GIF the strip should give: runs of identical frames merged, each
// shown for the rounded running total of the intervals, never under 20 ms.
struct Expected {
    std::vector<std::vector<std::uint32_t>> frames;
    std::vector<int> delaysMs;
};

Expected expectedGif(const RgbImage& strip, const std::vector<int>& intervals, int width, int height)
{
    Expected expected;
    std::vector<long> ends;
    long total = 0;
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        const auto frame = stripFrame(strip, static_cast<int>(i), width, height);
        total += std::max(intervals[i], 0);
        if (!expected.frames.empty() && expected.frames.back() == frame) {
            ends.back() = total;
            continue;
        }
        expected.frames.push_back(frame);
        ends.push_back(total);
    }
    long written = 0;
    for (const long end : ends) {
        const long delay = std::max(2L, (end + 5) / 10 - written);
        written += delay;
        expected.delaysMs.push_back(static_cast<int>(delay * 10));
    }
    return expected;
}

TEST_F(RenderTest, GifHoldsTheStripsFramesWithTheirIntervals)
{
    // The sample at its own 100 ms, then faster with a one-shot that ends
    // and falls back; repeated poses merge into longer frames.
    const RunResult result = run({ "--drop", kSample, "--frames", "12", "--speed", "45", "--press", "Button6",
        "--frames", "20", "--speed", "33", "--frames", "6", "--gif", "run.gif", "--out", "run.png" });
    ASSERT_EQ(result.status, 0) << result.err;
    std::vector<int> intervals(12, 100);
    intervals.insert(intervals.end(), 20, 45);
    intervals.insert(intervals.end(), 6, 33);

    const RgbImage strip = readImage(folder.file("run.png"));
    ASSERT_EQ(strip.width, 38 * kFrameWidth);
    const Expected expected = expectedGif(strip, intervals, kFrameWidth, kFrameHeight);
    ASSERT_LT(expected.frames.size(), intervals.size()); // something merged

    const ReadGif gif = readGifWithQt(folder.file("run.gif"));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.loopCount, -1); // for ever
    EXPECT_EQ(gif.size, QSize(kFrameWidth, kFrameHeight));
    ASSERT_EQ(gif.frames.size(), expected.frames.size());
    int total = 0;
    for (std::size_t i = 0; i < gif.frames.size(); ++i) {
        EXPECT_TRUE(gif.frames[i].pixels == expected.frames[i]) << "frame " << i;
        EXPECT_EQ(gif.frames[i].delayMs, expected.delaysMs[i]) << "frame " << i;
        total += gif.frames[i].delayMs;
    }
    EXPECT_LE(std::abs(total - (12 * 100 + 20 * 45 + 6 * 33)), 10);
}

TEST_F(RenderTest, ScaleEnlargesBothTheStripAndTheGif)
{
    const RunResult result
        = run({ "--drop", "def.txt", "--scale", "3", "--frames", "2", "--out", "s.png", "--gif", "s.gif" });
    ASSERT_EQ(result.status, 0) << result.err;
    const RgbImage strip = readImage(folder.file("s.png"));
    ASSERT_EQ(strip.width, 2 * 3 * kFrameWidth);
    ASSERT_EQ(strip.height, 3 * kFrameHeight);
    const ReadGif gif = readGifWithQt(folder.file("s.gif"));
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.size, QSize(3 * kFrameWidth, 3 * kFrameHeight));
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(gif.frames[static_cast<std::size_t>(i)].pixels
            == stripFrame(strip, i, 3 * kFrameWidth, 3 * kFrameHeight));
    // Pose 2's one-pixel hole becomes a 3 × 3 block of the background.
    for (int y = 3; y < 6; ++y)
        for (int x = 3; x < 6; ++x)
            EXPECT_EQ(strip.at(x, y), kBlue);
    EXPECT_EQ(strip.at(6, 3), kGreen);
}

TEST_F(RenderTest, AGifOfManyColoursReadsBackClose)
{
    // A background of 121 × 271 distinct colours, with the poses over it.
    bmptest::BmpImage image;
    image.width = 130;
    image.height = 280;
    image.bitCount = 24;
    image.pixels = bmptest::packRows(130, 280, 24, [](std::int32_t x, std::int32_t y) -> std::uint32_t {
        if (x >= 121 && y >= 200)
            return kKey;
        if (x >= 121)
            return y < 100 ? kGreen : kWhite;
        return static_cast<std::uint32_t>(x * 2) << 16 | static_cast<std::uint32_t>(y * 255 / 271) << 8
            | 0x80;
    });
    folder.write("many.bmp", bmptest::writeBmp(image));
    folder.write("many.txt",
        "#CHARBMP many.bmp\r\n#01 0 0 121 271\r\n#02 121 0 9 100\r\n#03 121 100 9 100\r\n#PATERN 01 "
        "0203\r\n");
    const RunResult result
        = run({ "--drop", "many.txt", "--frames", "2", "--gif", "m.gif", "--out", "m.png" });
    ASSERT_EQ(result.status, 0) << result.err;
    const RgbImage strip = readImage(folder.file("m.png"));
    const ReadGif gif = readGifWithQt(folder.file("m.gif"));
    ASSERT_EQ(gif.frames.size(), 2u);
    int worst = 0;
    for (int i = 0; i < 2; ++i) {
        const auto want = stripFrame(strip, i, kFrameWidth, kFrameHeight);
        const auto& got = gif.frames[static_cast<std::size_t>(i)].pixels;
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t p = 0; p < want.size(); ++p)
            for (int shift : { 0, 8, 16 })
                worst = std::max(worst,
                    std::abs(static_cast<int>((got[p] >> shift) & 255)
                        - static_cast<int>((want[p] >> shift) & 255)));
    }
    EXPECT_LE(worst, 16);
}

TEST_F(RenderTest, BadScaleOrUnwritableFileLeavesNoFile)
{
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    };
    const std::vector<Case> cases {
        { { "--drop", "def.txt", "--scale", "0", "--frames", "1", "--gif", "a.gif" }, 2, "--scale needs" },
        { { "--scale", "9", "--frames", "1", "--out", "a.png" }, 2, "from 1 to 8, not '9'" },
        { { "--scale", "2x", "--frames", "1", "--gif", "a.gif" }, 2, "not '2x'" },
        { { "--frames", "1", "--gif" }, 2, "--gif needs an argument" },
        { { "--drop", "def.txt", "--frames", "1", "--gif", "no/such/a.gif" }, 1,
            "no/such/a.gif を作成できません" },
        { { "--drop", "def.txt", "--frames", "1", "--gif", "taken" }, 1, "taken を作成できません" },
        { { "--drop", "def.txt", "--frames", "1", "--out", "taken" }, 1, "taken を作成できません" },
        { { "--drop", "def.txt", "--report", "no/such/r.html" }, 1, "no/such/r.html を作成できません" },
    };
    std::filesystem::create_directory(folder.file("taken"));
    const auto files = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().filename().string()[0] != '.')
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = files();
    for (const Case& c : cases) {
        const RunResult result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments.back();
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(files(), before) << c.arguments.back();
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken")));
}

} // namespace
} // namespace rendertest
