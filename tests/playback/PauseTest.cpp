#include "playback/Player.h"

#include "../character/TableTestFiles.h"
#include "PlayerFixture.h"
#include "SurfacePixels.h"
#include "character/LoadProcedure.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"

#include <gtest/gtest.h>

#include <vector>

using form::Control;
using playbacktest::Frame;

namespace {

// Every frame that reached the view, with its time and the state label.
using Frames = std::vector<Frame>;

class Pause : public playbacktest::PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        frames(1, { 2, 3, 4 });
        frames(2, { 2 });
        frames(5, { 4 });
        frames(6, { 3, 3 });
    }

    // The frames that `run` shows, idle steps and commands alike.
    template <typename Run> Frames shown(Run&& run)
    {
        host.frames.clear();
        run();
        return host.frames;
    }
    Frames steps(int count)
    {
        return shown([&] {
            for (int i = 0; i < count; ++i) {
                bool done = true;
                logic.idle(done);
                EXPECT_FALSE(done) << "step " << i;
            }
        });
    }
};

} // namespace

TEST_F(Pause, PausedStepsKeepTheFrameAndStillWaitOutTheInterval)
{
    EXPECT_EQ(steps(2), (Frames { { 0, 1, 1, "状態" }, { 100, 1, 2, "状態" } }));
    player().togglePause();
    EXPECT_TRUE(player().paused());
    const int waitsBefore = host.waits;
    EXPECT_EQ(steps(3), (Frames { { 200, 1, 2, "状態" }, { 300, 1, 2, "状態" }, { 400, 1, 2, "状態" } }));
    EXPECT_EQ(host.waits - waitsBefore, 3);
    player().togglePause();
    EXPECT_EQ(steps(3), (Frames { { 500, 1, 3, "状態" }, { 600, 1, 1, "状態" }, { 700, 1, 2, "状態" } }));
}

TEST_F(Pause, StepsForwardAcrossTheEndOfAOneShotFallBackOnTheStep)
{
    logic.buttonClick(Control::Button2);
    steps(1);
    logic.buttonClick(Control::Button6);
    EXPECT_EQ(steps(1), (Frames { { 100, 6, 1, "喜び１" } }));
    // A step while playing pauses first; the commands show at once.
    EXPECT_EQ(shown([&] { player().stepForward(); }), (Frames { { 100, 6, 2, "喜び１" } }));
    EXPECT_TRUE(player().paused());
    EXPECT_EQ(shown([&] { player().stepForward(); }), (Frames { { 100, 2, 1, "通常2" } }));
    EXPECT_EQ(steps(2), (Frames { { 200, 2, 1, "通常2" }, { 300, 2, 1, "通常2" } }));
    EXPECT_EQ(shown([&] { player().stepForward(); }), (Frames { { 300, 2, 1, "通常2" } }));
}

TEST_F(Pause, StepsBackStopAtFrameOneWithoutAnEndTest)
{
    steps(3);
    EXPECT_EQ(shown([&] {
        player().stepBack();
        player().stepBack();
        player().stepBack();
    }),
        (Frames { { 200, 1, 2, "状態" }, { 200, 1, 1, "状態" }, { 200, 1, 1, "状態" } }));
    EXPECT_TRUE(player().paused());

    // On a one-shot's frame 1 a step back neither falls back nor leaves it.
    logic.buttonClick(Control::Button6);
    EXPECT_EQ(shown([&] { player().stepBack(); }), (Frames { { 200, 6, 1, "喜び１" } }));
    EXPECT_EQ(state().currentAnimation, 6);
}

TEST_F(Pause, RestartShowsFrameOneAndKeepsThePause)
{
    steps(3);
    player().togglePause();
    EXPECT_EQ(shown([&] { player().restart(); }), (Frames { { 200, 1, 1, "状態" } }));
    EXPECT_EQ(steps(1), (Frames { { 300, 1, 1, "状態" } }));
    EXPECT_TRUE(player().paused());

    // Playing, frame 1 shows at once and keeps a whole interval.
    player().togglePause();
    steps(1);
    host.post(30, [&] { player().restart(); });
    EXPECT_EQ(steps(2), (Frames { { 430, 1, 1, "状態" }, { 530, 1, 2, "状態" }, { 630, 1, 3, "状態" } }));
}

TEST_F(Pause, AButtonPressedWhilePausedShowsItsFirstFrameAndStaysPaused)
{
    steps(2);
    player().togglePause();
    // Pressed during a paused wait: shown when pressed, and on show after it.
    host.post(40, [&] { logic.buttonClick(Control::Button5); });
    EXPECT_EQ(steps(2), (Frames { { 140, 5, 1, "立ち" }, { 200, 5, 1, "立ち" }, { 300, 5, 1, "立ち" } }));
    EXPECT_TRUE(player().paused());
    EXPECT_EQ(shown([&] { player().stepForward(); }), (Frames { { 300, 5, 1, "立ち" } }));
}

TEST_F(Pause, PausedBeforeAnyFrameShowsFrameOne)
{
    player().togglePause();
    EXPECT_EQ(steps(2), (Frames { { 0, 1, 1, "状態" }, { 100, 1, 1, "状態" } }));
}

TEST_F(Pause, AStepToAFramePausesOnItAtOnceWithoutAnEndTest)
{
    steps(1);
    logic.buttonClick(Control::Button6);
    EXPECT_EQ(shown([&] {
        player().stepTo(2);
        player().stepTo(0);
        player().stepTo(256);
    }),
        (Frames { { 0, 6, 2, "喜び１" } }));
    EXPECT_TRUE(player().paused());
    // Past its last frame a one-shot is shown as it is, not sent back; the
    // next step forward runs the end test.
    EXPECT_EQ(shown([&] { player().stepTo(3); }), (Frames { { 0, 6, 3, "喜び１" } }));
    EXPECT_EQ(shown([&] { player().stepForward(); }), (Frames { { 0, 1, 1, "状態" } }));
    EXPECT_EQ(steps(1), (Frames { { 100, 1, 1, "状態" } }));
}

TEST_F(Pause, WithoutACharacterTheStepsDoNothing)
{
    state().playbackFlag = false;
    EXPECT_TRUE(shown([&] {
        player().stepForward();
        player().stepBack();
        player().restart();
        player().stepTo(1);
        logic.buttonClick(Control::Button5);
    }).empty());
    EXPECT_FALSE(player().paused());
    EXPECT_EQ(player().frameIndex(), 0);
}

// With a real sheet: a sheet saved while paused shows on the same frame.
TEST(PauseWithSheet, AReloadWhilePausedShowsTheNewImageOnTheSameFrame)
{
    tabletest::TempFolder dir;
    playback::HeadlessForm form;
    playbacktest::SimHost host;
    TDirectDraw directDraw;
    auto view = playbacktest::makeSurface(directDraw, 121, 271);
    playback::FormLogic logic { form, host };
    logic.DXDraw1InitializeSurface(directDraw);
    host.view = view.get();

    const auto sheet = [&](std::uint32_t pose) {
        tabletest::writeBmp(dir / "sheet.bmp", 363, 271, [=](int x, int y) {
            if (x == 362 && y == 270)
                return 0x00FF00FFu; // the key
            return x < 121 ? 0x11u : (x < 242 ? pose : 0x33u);
        });
    };
    sheet(0x22);
    tabletest::writeText(dir / "c.txt",
        "#CHARBMP sheet.bmp\n#1 0 0 121 271\n#2 121 0 121 271\n#3 242 0 121 271\n#PATERN 01 0302\n");
    logic.drop(dir / "c.txt");
    bool done = true;
    logic.idle(done);
    logic.idle(done);
    logic.player().togglePause();
    ASSERT_EQ(logic.player().frameIndex(), 2);
    EXPECT_EQ(view->Pixels(0, 0), 0x22u);

    sheet(0x44);
    host.post(10, [&] { logic.CGreloadClick(); });
    logic.idle(done);
    EXPECT_EQ(logic.player().frameIndex(), 2);
    EXPECT_EQ(view->Pixels(0, 0), 0x44u);

    // A definition reload keeps the frame on show too.
    tabletest::writeText(dir / "c.txt",
        "#CHARBMP sheet.bmp\n#1 0 0 121 271\n#2 242 0 121 271\n#3 121 0 121 271\n#PATERN 01 0302\n");
    host.post(10, [&] { logic.reloadClick(); });
    logic.idle(done);
    EXPECT_EQ(logic.player().frameIndex(), 2);
    EXPECT_EQ(view->Pixels(0, 0), 0x33u);
    logic.DXDraw1FinalizeSurface();
}
