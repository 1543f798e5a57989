#include "playback/RemoteCommands.h"

#include "NullHost.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "playback/StateJson.h"

#include <gtest/gtest.h>

using form::Control;
using playback::ERemoteRefusal;

namespace {

const std::string kSample = NIMBREL_SOURCE_DIR "/examples/sample/sample.txt";

class Remote : public testing::Test {
protected:
    void SetUp() override { logic.DXDraw1InitializeSurface(directDraw); }
    void TearDown() override { logic.DXDraw1FinalizeSurface(); }

    // The refusal's message; empty when the request was carried out.
    template <typename Request> std::string refusal(Request request)
    {
        try {
            request();
        } catch (const ERemoteRefusal& e) {
            return e.Message();
        }
        return {};
    }

    std::string state() { return playback::jsonLine(playback::stateObject(form, logic, form.clipboard())); }

    playback::HeadlessForm form;
    playbacktest::NullHost host;
    TDirectDraw directDraw;
    playback::FormLogic logic { form, host };
    playback::RemoteCommands remote { form, logic };
};

} // namespace

TEST(RemoteButtons, EachAnimationOfAButtonHasThatButtonAndNoOther)
{
    EXPECT_EQ(playback::buttonPlaying(1), Control::Button1);
    EXPECT_EQ(playback::buttonPlaying(3), Control::Button14);
    EXPECT_EQ(playback::buttonPlaying(6), Control::Button6);
    EXPECT_EQ(playback::buttonPlaying(16), Control::Button4);
    // Animation 9 only shares Button1's enabling; 30 is the pattern box's.
    for (const int animation : { -1, 0, 9, 13, 14, 17, 30, 31, 1000 })
        EXPECT_FALSE(playback::buttonPlaying(animation)) << animation;
}

TEST_F(Remote, RefusalsNameWhatWasAskedAndChangeNothing)
{
    remote.open(kSample);
    const std::string before = state();
    const struct {
        std::function<void()> request;
        std::string message;
    } cases[] = {
        { [&] { remote.press("NoSuchButton"); },
            "'NoSuchButton' という名前のボタンやメニュー項目はありません" },
        { [&] { remote.press("button6"); }, "'button6' という名前のボタンやメニュー項目はありません" },
        { [&] { remote.press(""); }, "'' という名前のボタンやメニュー項目はありません" },
        { [&] { remote.press("Edit2"); }, "'Edit2' は押せるボタンやメニュー項目ではありません" },
        { [&] { remote.press("Label1"); }, "'Label1' は押せるボタンやメニュー項目ではありません" },
        { [&] { remote.play(9); }, "アニメーション 9 を再生するボタンはありません" },
        { [&] { remote.play(-3); }, "アニメーション -3 を再生するボタンはありません" },
        { [&] { remote.play(30); }, "アニメーション 30 を再生するボタンはありません" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusal(c.request), c.message);
        EXPECT_EQ(state(), before) << c.message;
    }
}

TEST_F(Remote, ADisabledControlIsRefusedNotSilentlyIgnored)
{
    // Nothing loaded: the animation buttons and ﾊﾟﾀｰﾝﾁｪｯｸ are disabled.
    EXPECT_EQ(refusal([&] { remote.play(6); }), "Button6 (喜び１) は今は使えません");
    EXPECT_EQ(refusal([&] { remote.press("reload"); }), "reload (再読込み) は今は使えません");
    EXPECT_EQ(refusal([&] { remote.pattern("0102"); }), "buttonck (ﾊﾟﾀｰﾝﾁｪｯｸ) は今は使えません");
    EXPECT_EQ(form.text(Control::Edit2), "") << "a refused pattern leaves the box alone";
}

TEST_F(Remote, RequestsDoWhatTheUserWould)
{
    remote.open(kSample);
    EXPECT_EQ(form.caption(Control::Label1), "Nimbrel");
    remote.play(6);
    EXPECT_EQ(logic.state().currentAnimation, 6);
    remote.press("Button3");
    EXPECT_EQ(logic.state().currentAnimation, 15);
    // Check boxes toggle, both ways; menu items toggle through their handler.
    remote.press("CheckBox1");
    EXPECT_TRUE(form.isChecked(Control::CheckBox1));
    remote.press("CheckBox1");
    EXPECT_FALSE(form.isChecked(Control::CheckBox1));
    remote.press("autodefload");
    EXPECT_TRUE(form.isChecked(Control::autodefload));
    remote.pattern("0203");
    EXPECT_EQ(form.text(Control::Edit2), "0203");
    EXPECT_EQ(logic.state().currentAnimation, 30);
    remote.press("clipper");
    EXPECT_EQ(form.clipboard(), "0203");
}

TEST_F(Remote, AFailedOpenRaisesTheDropsErrorNotARefusal)
{
    try {
        remote.open(NIMBREL_SOURCE_DIR "/no/such/file.txt");
        ADD_FAILURE() << "a missing file loaded";
    } catch (const ERemoteRefusal& e) {
        ADD_FAILURE() << "refused: " << e.Message();
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("file.txt"), std::string::npos) << e.Message();
    }
}
