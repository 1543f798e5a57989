#include "playback/Player.h"

#include "PlayerFixture.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using form::Control;
using playbacktest::Frame;

namespace {

using Shown = std::vector<std::pair<int, int>>; // (animation, frame index)

class Play : public playbacktest::PlayerFixture {
protected:
    // Runs idle steps; answers whether the last one asked to be called again.
    bool step(int count = 1)
    {
        bool done = true;
        for (int i = 0; i < count; ++i) {
            done = true;
            logic.idle(done);
        }
        return !done;
    }

    Shown shown(int count)
    {
        host.frames.clear();
        step(count);
        Shown out;
        for (const Frame& f : host.frames)
            out.emplace_back(f.animation, f.index);
        return out;
    }

    std::vector<std::uint32_t> frameTimes(int count)
    {
        host.frames.clear();
        step(count);
        std::vector<std::uint32_t> out;
        for (const Frame& f : host.frames)
            out.push_back(f.time);
        return out;
    }

    void press(Control button) { logic.buttonClick(button); }
    std::string label() const { return form.caption(Control::Label2); }
};

} // namespace

TEST_F(Play, LoopingAnimationsRepeatWithoutAnEmptyFrame)
{
    frames(1, { 2, 3, 4 });
    EXPECT_EQ(shown(7), (Shown { { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 1 } }));
}

TEST_F(Play, LayerOnlyFramesKeepTheAnimationGoing)
{
    frames(1, { 2 });
    state().tables.layer[1][2] = 5;
    EXPECT_EQ(shown(3), (Shown { { 1, 1 }, { 1, 2 }, { 1, 1 } }));
}

TEST_F(Play, AFullRowEndsAfterItsLastSlot)
{
    state().tables.base[1].fill(7);
    step(255);
    EXPECT_EQ(logic.player().frameIndex(), 255);
    step();
    EXPECT_EQ(logic.player().frameIndex(), 1);
}

TEST_F(Play, OneShotsFallBackToTheLoopingAnimationBeforeThem)
{
    frames(2, { 2 });
    frames(6, { 3, 3 });
    press(Control::Button2);
    EXPECT_EQ(label(), "通常2");
    step();
    press(Control::Button6);
    EXPECT_EQ(label(), "喜び１");
    EXPECT_EQ(shown(4), (Shown { { 6, 1 }, { 6, 2 }, { 2, 1 }, { 2, 1 } }));
    EXPECT_EQ(label(), "通常2");
}

TEST_F(Play, TheOneShotLoopBoxRepeatsUntilItIsUnchecked)
{
    frames(2, { 2 });
    frames(6, { 3, 3 });
    press(Control::Button2);
    press(Control::Button6);
    form.setChecked(Control::CheckBox2, true);
    EXPECT_EQ(shown(5), (Shown { { 6, 1 }, { 6, 2 }, { 6, 1 }, { 6, 2 }, { 6, 1 } }));
    // CheckBox1 governs only the pattern check.
    form.setChecked(Control::CheckBox2, false);
    form.setChecked(Control::CheckBox1, true);
    EXPECT_EQ(shown(2), (Shown { { 6, 2 }, { 2, 1 } }));
}

TEST_F(Play, AChainOfOneShotsReturnsToWhereItBegan)
{
    press(Control::Button3);
    press(Control::Button6);
    press(Control::Button12);
    press(Control::Button9);
    EXPECT_EQ(logic.player().returnAnimation(), 15);
    EXPECT_EQ(logic.player().returnLabel(), "勝ち");
    EXPECT_EQ(label(), "ダメージ１");
    EXPECT_EQ(state().currentAnimation, 10);
}

TEST_F(Play, AOneShotRightAfterALoadReturnsToTheStateLabel)
{
    press(Control::Button7);
    EXPECT_EQ(logic.player().returnAnimation(), 1);
    EXPECT_EQ(logic.player().returnLabel(), "状態");
}

TEST_F(Play, EachButtonPlaysItsAnimationUnderItsLabelAndLoopsOrReturns)
{
    // What the user sees of each button: the animation, the state label, and
    // whether it plays on or falls back to the loop that played before.
    struct Row {
        Control button;
        int animation;
        const char* label;
        bool loops;
    };
    const Row rows[] = {
        { Control::Button1, 1, "通常１", true },
        { Control::Button2, 2, "通常2", true },
        { Control::Button14, 3, "おじゃま", true },
        { Control::Button5, 5, "立ち", true },
        { Control::Button3, 15, "勝ち", true },
        { Control::Button4, 16, "負け", true },
        { Control::Button12, 4, "ミス", false },
        { Control::Button6, 6, "喜び１", false },
        { Control::Button7, 7, "喜び２", false },
        { Control::Button8, 8, "喜び３", false },
        { Control::Button9, 10, "ダメージ１", false },
        { Control::Button10, 11, "ダメージ２", false },
        { Control::Button11, 12, "ダメージ３", false },
        { Control::buttonck, 30, "ﾁｪｯｸﾊﾟﾀｰﾝ", false },
    };
    for (const Row& row : rows)
        frames(row.animation, { 2 });
    form.setText(Control::Edit2, "02");
    for (const Row& row : rows) {
        press(Control::Button5);
        step();
        press(row.button);
        EXPECT_EQ(label(), row.label);
        const Shown loops { { row.animation, 1 }, { row.animation, 1 } };
        const Shown returns { { row.animation, 1 }, { 5, 1 } };
        EXPECT_EQ(shown(2), row.loops ? loops : returns) << row.label;
        EXPECT_EQ(label(), row.loops ? row.label : "立ち") << row.label;
    }
}

TEST_F(Play, ThePatternCheckDoesNotSaveTheNuisanceAnimation)
{
    form.setText(Control::Edit2, "02");
    press(Control::Button14);
    press(Control::buttonck);
    EXPECT_EQ(logic.player().returnAnimation(), 0);
    EXPECT_EQ(logic.player().returnLabel(), "");
    press(Control::Button5);
    press(Control::buttonck);
    EXPECT_EQ(logic.player().returnAnimation(), 5);
    EXPECT_EQ(shown(3), (Shown { { 30, 1 }, { 5, 1 }, { 5, 1 } }));
    EXPECT_EQ(label(), "立ち");
}

TEST_F(Play, ThePatternCheckLoopsOnlyWithItsOwnBox)
{
    form.setText(Control::Edit2, "0203");
    form.setChecked(Control::CheckBox2, true);
    press(Control::buttonck);
    EXPECT_EQ(shown(3), (Shown { { 30, 1 }, { 30, 2 }, { 1, 1 } }));
    form.setChecked(Control::CheckBox1, true);
    press(Control::buttonck);
    EXPECT_EQ(shown(3), (Shown { { 30, 1 }, { 30, 2 }, { 30, 1 } }));
}

TEST_F(Play, PatternBoxTextsAreReadInPairsOfCharacters)
{
    const std::pair<const char*, std::vector<int>> rows[] = {
        { "0102030", { 1, 2, 3 } },
        { "01 02", { 1, 0 } },
        { " 1 2", { 1, 2 } },
        { "0a0B", { 10, 11 } },
        { "", {} },
    };
    for (const auto& [text, patterns] : rows) {
        form.setText(Control::Edit2, text);
        press(Control::buttonck);
        const auto& row = state().tables.base[30];
        for (std::size_t k = 1; k < 256; ++k)
            EXPECT_EQ(row[k], k <= patterns.size() ? patterns[k - 1] : -1) << text << " slot " << k;
    }
}

TEST_F(Play, AFailingPairStopsThePatternCheckBeforeItStarts)
{
    form.setText(Control::Edit2, "0102030405");
    press(Control::buttonck);
    press(Control::Button1);
    form.setText(Control::Edit2, "01  02");
    try {
        press(Control::buttonck);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "'$' は数値ではありません");
    }
    EXPECT_EQ(state().tables.base[30][1], 1);
    EXPECT_EQ(state().tables.base[30][2], -1);
    EXPECT_EQ(state().tables.base[30][3], -1);
    EXPECT_EQ(state().currentAnimation, 1);
    EXPECT_EQ(label(), "通常１");
    EXPECT_EQ(logic.player().returnLabel(), "状態");
}

// The pattern box holds text of the window's character set: its pairs are
// pairs of CP932 bytes, so a full-width digit is a pair by itself and a
// half-width kana half of one. A character CP932 lacks stands as one byte.
TEST_F(Play, PatternBoxPairsAreTakenFromItsShiftJisForm)
{
    struct Case {
        const char* text;
        std::vector<int> stored;
        const char* message; // none: the check starts
    };
    const Case cases[] = {
        { "０１", {}, "'$０' は数値ではありません" },
        { "01０", { 1 }, "'$０' は数値ではありません" },
        { "ｱ102", {}, "'$ｱ1' は数値ではありません" },
        { "01ｱ", { 1 }, nullptr },
        { "\xF0\x9F\x98\x80"
          "1",
            {}, "'$?1' は数値ではありません" },
        { "02\xF0\x9F\x98\x80", { 2 }, nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        form.setText(Control::Edit2, c.text);
        std::string message;
        try {
            press(Control::buttonck);
        } catch (const Exception& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, c.message ? c.message : "");
        const auto& row = state().tables.base[30];
        for (std::size_t k = 1; k <= c.stored.size() + 1; ++k)
            EXPECT_EQ(row[k], k <= c.stored.size() ? c.stored[k - 1] : -1) << "slot " << k;
    }
}

TEST_F(Play, PairsPastTheLastSlotOfThePatternBoxAreIgnored)
{
    form.setText(Control::Edit2, std::string(600, '0') + "zz");
    press(Control::buttonck);
    EXPECT_EQ(state().tables.base[30][255], 0);
    EXPECT_EQ(state().currentAnimation, 30);
}

TEST_F(Play, FramesFollowTheIntervalFromTheEndOfOneWaitToTheNext)
{
    frames(1, { 2 });
    host.clock = 0x90000000u; // the first wait passes whatever the clock reads
    host.frameCost = 5;
    EXPECT_EQ(
        frameTimes(4), (std::vector<std::uint32_t> { 0x90000000u, 0x90000064u, 0x900000C8u, 0x9000012Cu }));
    EXPECT_EQ(host.waits, 3);
}

TEST_F(Play, ALateFrameStartsTheNextIntervalLate)
{
    frames(1, { 2 });
    host.frameCost = 150;
    EXPECT_EQ(frameTimes(3), (std::vector<std::uint32_t> { 0, 150, 300 }));
    EXPECT_EQ(host.waits, 0);
}

TEST_F(Play, TheWaitSurvivesTheClockWrapping)
{
    frames(1, { 2 });
    host.clock = 0xFFFFFFC0u;
    EXPECT_EQ(frameTimes(3), (std::vector<std::uint32_t> { 0xFFFFFFC0u, 0x24u, 0x88u }));
}

TEST_F(Play, AChangeOfTheIntervalAppliesToTheWaitInProgress)
{
    frames(1, { 2 });
    step();
    host.post(30, [this] { form.setText(Control::Edit1, "50"); });
    host.post(70, [this] { form.setText(Control::Edit1, "20"); });
    form.onTextChanged = [this](Control c) {
        if (c == Control::Edit1)
            logic.Edit1Change();
    };
    EXPECT_EQ(frameTimes(3), (std::vector<std::uint32_t> { 50, 70, 90 }));
}

TEST_F(Play, AButtonPressedDuringTheWaitShowsAtItsEnd)
{
    frames(1, { 2, 2 });
    frames(5, { 3 });
    step();
    host.post(40, [this] { press(Control::Button5); });
    host.frames.clear();
    step();
    ASSERT_EQ(host.frames.size(), 1u);
    EXPECT_EQ(host.frames[0], (Frame { 100, 5, 1, "立ち" }));
}

TEST_F(Play, NoIntervalMeansNoWait)
{
    frames(1, { 2 });
    for (const char* interval : { "0", "-5" }) {
        state().frameInterval = std::stoi(interval);
        EXPECT_EQ(frameTimes(3), (std::vector<std::uint32_t> { 0, 0, 0 }));
        EXPECT_EQ(host.waits, 0);
    }
}

TEST_F(Play, WithoutPlaybackTheStepWaitsButShowsNothing)
{
    state().playbackFlag = false;
    EXPECT_FALSE(step());
    EXPECT_FALSE(step());
    EXPECT_TRUE(host.frames.empty());
    EXPECT_EQ(host.clock, 100u);
    EXPECT_EQ(logic.player().frameIndex(), 0);
}

TEST_F(Play, AStepThatCannotDrawReturnsAtOnce)
{
    frames(1, { 2 });
    host.canDraw = false;
    EXPECT_FALSE(step(3));
    EXPECT_EQ(host.waits, 0);
    EXPECT_TRUE(host.frames.empty());
    host.canDraw = true;
    EXPECT_TRUE(step());
    EXPECT_EQ(host.frames.size(), 1u);
}

TEST_F(Play, AnEmptyAnimationShowsSlotOneOfWhatFollows)
{
    // Nothing was ever saved: the empty pattern check falls back to
    // animation 0, which has no frames either and is shown at slot 1.
    press(Control::Button14);
    press(Control::buttonck);
    EXPECT_EQ(shown(3), (Shown { { 0, 1 }, { 0, 1 }, { 0, 1 } }));
    EXPECT_EQ(label(), "");
}

TEST_F(Play, TheEndOfTheApplicationCutsAWaitShort)
{
    frames(1, { 2 });
    step();
    state().frameInterval = 60000;
    host.post(30, [this] { host.ending = true; });
    EXPECT_EQ(frameTimes(1), (std::vector<std::uint32_t> { 30 }));
}
