#include "../character/BmpFile.h"
#include "GifDecode.h"
#include "playback/NullHost.h"

#include "display/DXDraws.h"
#include "export/ExportConsts.h"
#include "export/PlayingAnimation.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A character whose one-shot animation 6 shows three poses, the last one
// twice, and whose loop 1 has none at the start.
class PlayingAnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folder);
        tabletest::writeBmp((folder / "sheet.bmp").string(), 40, 10, [](int x, int) -> std::uint32_t {
            return x < 10 ? 0x2040A0 : x < 20 ? 0xFF0000 : x < 30 ? 0x00FF00 : x < 35 ? 0xFFFFFF : 0xFF00FF;
        });
        tabletest::writeText((folder / "def.txt").string(),
            "#ANIME 45\r\n#CHARBMP sheet.bmp\r\n#01 0 0 10 10\r\n#02 10 0 5 5\r\n#03 20 0 5 5\r\n"
            "#04 30 0 5 5\r\n#PATERN 06 02030404\r\n#PATERN 02 0002\r\n");
        logic.DXDraw1InitializeSurface(directDraw);
        logic.drop((folder / "def.txt").string());
    }
    void TearDown() override
    {
        logic.DXDraw1FinalizeSurface();
        fs::remove_all(folder);
    }
    std::vector<std::uint8_t> read(const std::string& name) const
    {
        std::ifstream in(folder / name, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

    fs::path folder = fs::temp_directory_path() / ("nimbrel_playing_" + std::to_string(getpid()));
    TDirectDraw directDraw;
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    playback::FormLogic logic { form, host };
};

TEST_F(PlayingAnimationTest, SavesTheOneShotOnceThroughAtTheIntervalInEffect)
{
    logic.buttonClick(form::Control::Button6);
    form.setText(form::Control::Edit1, "120");
    logic.Edit1Change();
    exporter::savePlayingAnimation((folder / "joy.gif").string(), logic, directDraw, 2);

    const giftest::DecodedGif gif = giftest::decodeGif(read("joy.gif"));
    ASSERT_TRUE(gif.ok);
    EXPECT_TRUE(gif.loopsForever);
    EXPECT_EQ(gif.width, 2 * 121);
    EXPECT_EQ(gif.height, 2 * 271);
    // Three poses, the repeated last one merged; no fall-back frame.
    ASSERT_EQ(gif.frames.size(), 3u);
    EXPECT_EQ(gif.frames[0].delayCs, 12);
    EXPECT_EQ(gif.frames[1].delayCs, 12);
    EXPECT_EQ(gif.frames[2].delayCs, 24);
    EXPECT_EQ(gif.frames[0].composed.at(0, 0), 0xFF0000u);
    EXPECT_EQ(gif.frames[1].composed.at(4, 4), 0x00FF00u);
    EXPECT_EQ(gif.frames[2].composed.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(gif.frames[2].composed.at(12, 12), 0x2040A0u); // the background beside the pose
    EXPECT_EQ(gif.frames[2].composed.at(30, 30), 0u); // outside the background
}

TEST_F(PlayingAnimationTest, AnAnimationWithoutFramesWritesNothing)
{
    logic.buttonClick(form::Control::Button2); // slot 1 is pattern 0, then pattern 2
    exporter::savePlayingAnimation((folder / "two.gif").string(), logic, directDraw, 1);
    EXPECT_EQ(giftest::decodeGif(read("two.gif")).frames.size(), 2u);

    logic.buttonClick(form::Control::Button14); // animation 3: no row at all
    try {
        exporter::savePlayingAnimation((folder / "none.gif").string(), logic, directDraw, 1);
        ADD_FAILURE();
    } catch (const exporter::EGifError& error) {
        EXPECT_STREQ(error.what(), exporter::kSNoFrames);
    }
    EXPECT_FALSE(fs::exists(folder / "none.gif"));
}

} // namespace
