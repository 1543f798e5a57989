#include "playback/FormLogic.h"

#include "../character/TableTestFiles.h"
#include "SimHost.h"
#include "SurfacePixels.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "playback/HeadlessForm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using form::Control;

namespace {

constexpr std::uint32_t kKey = 0x00FF00FF;

// Pattern 2 is a pose over background pattern 1; the sheet's bottom-right
// pixel is the key colour.
const char* const kCharacter = "#CHARNAME Sample\n#ANIME 80\n#CHARBMP sheet.bmp\n"
                               "#1 0 0 121 271\n#2 121 0 121 271\n#PATERN 01 020202\n#PATERN 02 0202\n";

std::uint32_t firstSheet(int x, int y)
{
    if (x == 241 && y == 270)
        return kKey;
    return x < 121 ? 0x00000011u : 0x00000022u;
}

class Commands : public testing::Test {
protected:
    void SetUp() override
    {
        logic.DXDraw1InitializeSurface(directDraw);
        host.view = view.get();
        host.snapshot = [this] {
            return playbacktest::Frame { host.clock, logic.state().currentAnimation,
                logic.player().frameIndex(), form.caption(Control::Label2) };
        };
        tabletest::writeBmp(dir / "sheet.bmp", 242, 271, firstSheet);
        tabletest::writeText(dir / "c.txt", kCharacter);
    }
    void TearDown() override { logic.DXDraw1FinalizeSurface(); }

    bool step()
    {
        bool done = true;
        logic.idle(done);
        return !done;
    }

    // Rewrites the sheet with other colours and moves its time on, so that
    // its age differs even within the same two seconds.
    void editSheet(std::uint32_t pose, std::uint32_t key)
    {
        const std::string path = dir / "sheet.bmp";
        const auto before = std::filesystem::last_write_time(path);
        tabletest::writeBmp(path, 242, 271,
            [=](int x, int y) { return x == 241 && y == 270 ? key : (x < 121 ? 0x00000011u : pose); });
        std::filesystem::last_write_time(path, before + std::chrono::seconds(10));
    }

    TDirectDrawSurface& sheet() { return *logic.sheetSurface(); }

    tabletest::TempFolder dir;
    playback::HeadlessForm form;
    playbacktest::SimHost host;
    // An hour ahead, so that every file the tests write has long settled.
    playbacktest::SimRealClock clock { host, platform::systemClock().wallNs() + 3'600'000'000'000 };
    TDirectDraw directDraw;
    std::unique_ptr<TDirectDrawSurface> view = playbacktest::makeSurface(directDraw, 121, 271);
    playback::FormLogic logic { form, host, clock };
};

} // namespace

TEST_F(Commands, TheViewShowsThePoseOverTheBackground)
{
    logic.drop(dir / "c.txt");
    ASSERT_TRUE(step());
    EXPECT_EQ(view->Pixels(0, 0), 0x22u);
    // The key pixel of the pose lets the background through.
    EXPECT_EQ(view->Pixels(120, 270), 0x11u);
}

TEST_F(Commands, TheFrameIndexAndReturnSurviveAReload)
{
    logic.drop(dir / "c.txt");
    logic.buttonClick(Control::Button2);
    logic.buttonClick(Control::Button6);
    step();
    step();
    EXPECT_EQ(logic.player().frameIndex(), 2);
    // A reload during the wait: animation 1 goes on from the slot after the
    // one last shown.
    host.post(10, [this] { logic.reloadClick(); });
    step();
    EXPECT_EQ(host.frames.back(), (playbacktest::Frame { 160, 1, 3, "状態" }));
    EXPECT_EQ(logic.player().returnAnimation(), 2);
    EXPECT_EQ(logic.player().returnLabel(), "通常2");
    step();
    EXPECT_EQ(logic.player().frameIndex(), 1);
}

TEST_F(Commands, ADropEnablesTheReloadsEvenWhenItsLoadFails)
{
    EXPECT_THROW(logic.drop(dir / "none.txt"), EFOpenError);
    for (const Control c : { Control::reload, Control::CGreload, Control::buttonck })
        EXPECT_TRUE(form.isEnabled(c)) << form::controlName(c);
}

TEST_F(Commands, TheAutomaticReloadFollowsTheSheetsAgeAndKeysIt)
{
    logic.drop(dir / "c.txt");
    step();
    editSheet(0x33, 0x00000044);
    step();
    EXPECT_EQ(sheet().Pixels(121, 0), 0x22u); // off: nothing is polled
    logic.autocgloadClick();
    EXPECT_TRUE(form.isChecked(Control::autocgload));
    step();
    EXPECT_EQ(sheet().Pixels(121, 0), 0x33u);
    EXPECT_EQ(sheet().SurfaceInterface()->sourceKey(), 0x44u);
    EXPECT_EQ(logic.state().sheetFileAge, platform::fileAge(dir / "sheet.bmp"));
    logic.autocgloadClick();
    EXPECT_FALSE(form.isChecked(Control::autocgload));
}

TEST_F(Commands, ARemovedSheetFailsTheAutomaticReloadOnce)
{
    logic.drop(dir / "c.txt");
    logic.autocgloadClick();
    step();
    const std::int32_t age = logic.state().sheetFileAge;
    std::filesystem::remove(dir / "sheet.bmp");
    host.frames.clear();
    bool done = true;
    EXPECT_THROW(logic.idle(done), Exception);
    EXPECT_TRUE(done);
    EXPECT_TRUE(host.frames.empty());
    // The age stays that of the sheet still shown.
    EXPECT_EQ(logic.state().sheetFileAge, age);
    EXPECT_EQ(sheet().Pixels(121, 0), 0x22u);
    EXPECT_TRUE(step());
}

TEST_F(Commands, TheSheetReloadTakesTheNewImageAndItsKey)
{
    logic.drop(dir / "c.txt");
    editSheet(0x55, 0x00000066);
    logic.CGreloadClick();
    EXPECT_EQ(sheet().Pixels(121, 0), 0x55u);
    EXPECT_EQ(sheet().SurfaceInterface()->sourceKey(), 0x66u);
    EXPECT_EQ(logic.state().sheetFileAge, platform::fileAge(dir / "sheet.bmp"));
    EXPECT_EQ(logic.state().currentAnimation, 1);
}

TEST_F(Commands, ASheetReloadBeforeAnySheetLineFailsAfterStoringTheAge)
{
    logic.state().sheetFileAge = 5;
    EXPECT_THROW(logic.CGreloadClick(), Exception);
    EXPECT_EQ(logic.state().sheetFileAge, -1);
}

TEST_F(Commands, TheClipboardGetsThePatternBoxText)
{
    form.setText(Control::Edit2, "0102 0A");
    logic.clipperClick();
    EXPECT_EQ(form.clipboard(), "0102 0A");
    EXPECT_TRUE(form.patternBoxSelected());
}

TEST_F(Commands, APressRunsTheCommandOfItsControlOnlyWhileItIsEnabled)
{
    // Before the first drop the animation buttons and both reloads ignore it.
    logic.press(Control::Button6);
    logic.press(Control::reload);
    EXPECT_EQ(logic.state().currentAnimation, 0);
    EXPECT_EQ(logic.definitionPath(), "");
    logic.drop(dir / "c.txt");
    form.setText(Control::Edit2, "0102");
    const std::pair<Control, const char*> buttons[] = {
        { Control::Button6, "状態" }, // the file has no animation 6
        { Control::Button2, "通常2" },
        { Control::buttonck, "ﾁｪｯｸﾊﾟﾀｰﾝ" },
    };
    for (const auto& [button, label] : buttons) {
        logic.press(button);
        EXPECT_EQ(form.caption(Control::Label2), label) << form::controlName(button);
    }
    logic.press(Control::reload);
    EXPECT_EQ(form.caption(Control::Label2), "状態");
    editSheet(0x77, 0x00000088);
    logic.press(Control::CGreload);
    EXPECT_EQ(sheet().Pixels(121, 0), 0x77u);
    logic.press(Control::clipper);
    EXPECT_EQ(form.clipboard(), "0102");
    logic.press(Control::autocgload);
    EXPECT_TRUE(form.isChecked(Control::autocgload));
    // A check box has no command of its own.
    logic.press(Control::CheckBox1);
    EXPECT_FALSE(form.isChecked(Control::CheckBox1));
}
