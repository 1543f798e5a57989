#include "character/LoadProcedure.h"
#include "character/SheetPreload.h"

#include "ExampleFile.h"
#include "TableTestFiles.h"
#include "display/DXDraws.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "playback/NullHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using character::kEmptySlot;
using form::Control;

namespace {

constexpr std::uint32_t kSampleKey = 0x00FF00FF;

using chartest::kExample;

class Load : public testing::Test {
protected:
    void SetUp() override
    {
        form.onTextChanged = [this](Control c) {
            if (c == Control::Edit1)
                logic.Edit1Change();
        };
        logic.DXDraw1InitializeSurface(directDraw);
        tabletest::writeBmp(dir / "sample.bmp", 363, 320,
            [](int x, int y) { return x == 362 && y == 319 ? kSampleKey : 0x00102030u; });
    }
    void TearDown() override { logic.DXDraw1FinalizeSurface(); }

    std::string file(std::string_view name, std::string_view text)
    {
        const std::string path = dir / name;
        tabletest::writeText(path, text);
        return path;
    }
    character::CharacterState& state() { return logic.state(); }
    const character::CharacterTables& tables() { return logic.state().tables; }
    TDirectDrawSurface& sheet() { return *logic.sheetSurface(); }
    std::uint32_t sheetKey() { return sheet().SurfaceInterface()->sourceKey(); }

    std::vector<Control> enabledButtons() const
    {
        std::vector<Control> out;
        for (const Control b : form::kAnimationButtons) {
            if (form.isEnabled(b))
                out.push_back(b);
        }
        return out;
    }

    // Expects a load of `path` to fail with `message`.
    void expectFailure(const std::string& path, const std::string& message)
    {
        try {
            logic.drop(path);
            ADD_FAILURE() << "no failure";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }

    tabletest::TempFolder dir;
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    TDirectDraw directDraw;
    playback::FormLogic logic { form, host };
};

int filledSlots(const character::FrameTable& table)
{
    int n = 0;
    for (const auto& row : table)
        n += static_cast<int>(
            std::count_if(row.begin(), row.end(), [](std::int32_t v) { return v != kEmptySlot; }));
    return n;
}

} // namespace

TEST_F(Load, StartStateIsZeroNotEmpty)
{
    EXPECT_EQ(tables().base[3][0], 0);
    EXPECT_EQ(tables().placement[30][255], 0);
    EXPECT_FALSE(state().playbackFlag);
    EXPECT_TRUE(state().sheetPath.empty());
}

TEST_F(Load, TheExampleFileFillsTheTables)
{
    logic.drop(file("sample.txt", kExample));

    EXPECT_EQ(form.caption(Control::Label1), "Sample");
    EXPECT_EQ(state().frameInterval, 80);
    EXPECT_EQ(form.text(Control::Edit1), "80");
    EXPECT_EQ(tables().patterns[1].rect, (TRect { 0, 0, 121, 271 }));
    EXPECT_EQ(tables().patterns[2].rect, (TRect { 121, 0, 242, 271 }));
    EXPECT_EQ(tables().patterns[3].rect, (TRect { 242, 0, 363, 271 }));
    EXPECT_EQ(tables().patterns[26].rect, (TRect { 0, 280, 40, 320 }));
    EXPECT_EQ(tables().patterns[27].rect, (TRect { 60, 100, 100, 140 }));
    EXPECT_EQ(tables().patterns[27].width, 40);

    const std::vector<std::int32_t> row1(tables().base[1].begin() + 1, tables().base[1].begin() + 6);
    EXPECT_EQ(row1, (std::vector<std::int32_t> { 2, 2, 2, 3, 3 }));
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(tables().base[6][k], k % 2 ? 2 : 3);
        EXPECT_EQ(tables().layer[6][k], 26);
        EXPECT_EQ(tables().placement[6][k], 27);
    }
    EXPECT_EQ(filledSlots(tables().base), 9);
    EXPECT_EQ(filledSlots(tables().layer), 4);
    EXPECT_EQ(filledSlots(tables().placement), 4);
    EXPECT_EQ(tables().base[1][0], kEmptySlot);

    EXPECT_EQ(enabledButtons(), (std::vector<Control> { Control::Button1, Control::Button6 }));
    for (int a = 0; a < character::kAnimationCount; ++a)
        EXPECT_EQ(tables().layered[a], a == 6) << a;
    EXPECT_TRUE(state().playbackFlag);
    EXPECT_EQ(state().sheetPath, dir / "sample.bmp");
    EXPECT_EQ(state().sheetFileAge, platform::fileAge(dir / "sample.bmp"));
    EXPECT_EQ(sheet().Width(), 363);
    EXPECT_EQ(sheetKey(), kSampleKey);
    EXPECT_TRUE(form.isEnabled(Control::reload));
    EXPECT_TRUE(form.isEnabled(Control::CGreload));
    EXPECT_TRUE(form.isEnabled(Control::buttonck));
    EXPECT_EQ(logic.definitionPath(), dir / "sample.txt");
}

TEST_F(Load, RepeatedLinesOverwriteOnlyWhatTheyHold)
{
    logic.drop(file("r.txt",
        "#CHARNAME First\n#CHARNAME Second\n#07 1 2 3 4\n#07 5 6 7 8\n"
        "#PATERN 05 010203\n#PATERN 05 09\n#ANIME 50\n#ANIME 0\n"));
    EXPECT_EQ(form.caption(Control::Label1), "Second");
    EXPECT_EQ(tables().patterns[7].rect, (TRect { 5, 6, 12, 14 }));
    EXPECT_EQ(tables().base[5][1], 9);
    EXPECT_EQ(tables().base[5][2], 2);
    EXPECT_EQ(tables().base[5][3], 3);
    EXPECT_EQ(tables().base[5][4], kEmptySlot);
    // Zero is taken from the file, though the speed box would refuse it.
    EXPECT_EQ(state().frameInterval, 0);
    EXPECT_EQ(form.text(Control::Edit1), "0");
}

TEST_F(Load, ListLinesEnableTheirAnimationsButton)
{
    struct Row {
        int animation;
        std::optional<Control> button;
    };
    const Row rows[] = {
        { 0, std::nullopt },
        { 1, Control::Button1 },
        { 2, Control::Button2 },
        { 3, Control::Button14 },
        { 4, Control::Button12 },
        { 5, Control::Button5 },
        { 9, Control::Button1 },
        { 10, Control::Button9 },
        { 12, Control::Button11 },
        { 13, std::nullopt },
        { 14, std::nullopt },
        { 15, Control::Button3 },
        { 16, Control::Button4 },
        { 17, std::nullopt },
        { 30, std::nullopt },
    };
    for (const Row& row : rows) {
        for (const char* keyword : { "#PATERN", "#LAYER" }) {
            logic.drop(file("b.txt", std::string(keyword) + " " + std::to_string(row.animation) + "\n"));
            const auto expected = row.button ? std::vector<Control> { *row.button } : std::vector<Control> {};
            EXPECT_EQ(enabledButtons(), expected) << keyword << " " << row.animation;
            EXPECT_EQ(tables().layered[row.animation], keyword[1] == 'L') << row.animation;
        }
    }
}

TEST_F(Load, AnimationNumbersWithoutARowFailTheLoad)
{
    expectFailure(file("o.txt", "#PATERN 01 02\n#PATERN 31 02\n"), "アニメーション番号 31 は範囲外です");
    EXPECT_EQ(tables().base[1][1], 2);
    EXPECT_EQ(enabledButtons(), (std::vector<Control> { Control::Button1 }));
}

TEST_F(Load, PairsPastTheLastSlotAreDropped)
{
    std::string list;
    for (int k = 1; k <= 257; ++k)
        list += "07";
    logic.drop(file("long.txt", "#PATERN 02 " + list + "\n"));
    EXPECT_EQ(tables().base[2][255], 7);
    EXPECT_EQ(tables().base[3][0], kEmptySlot);
    EXPECT_TRUE(state().playbackFlag);
}

TEST_F(Load, AFailingLineKeepsWhatCameBeforeIt)
{
    expectFailure(
        file("f.txt", "#CHARNAME Half\n#PATERN 01 0203\n#07 1 2 3 4\n#PATERN 05 01G2\n#PATERN 02 01\n"),
        "'$G2' は数値ではありません");
    EXPECT_EQ(form.caption(Control::Label1), "Half");
    EXPECT_EQ(tables().base[1][2], 3);
    EXPECT_EQ(tables().patterns[7].rect, (TRect { 1, 2, 4, 6 }));
    // The pair before the failure is stored; the button of the failing line
    // and everything after it are not.
    EXPECT_EQ(tables().base[5][1], 1);
    EXPECT_EQ(enabledButtons(), (std::vector<Control> { Control::Button1 }));
    EXPECT_EQ(tables().base[2][1], kEmptySlot);
    EXPECT_FALSE(state().playbackFlag);
}

TEST_F(Load, AFailingPlacementListKeepsTheLayerListButNotTheFlagOrButton)
{
    expectFailure(file("l.txt", "#LAYER 06 0A0B 0CGG\n"), "'$GG' は数値ではありません");
    EXPECT_EQ(tables().layer[6][1], 10);
    EXPECT_EQ(tables().layer[6][2], 11);
    EXPECT_EQ(tables().placement[6][1], 12);
    EXPECT_EQ(tables().placement[6][2], kEmptySlot);
    EXPECT_FALSE(tables().layered[6]);
    EXPECT_TRUE(enabledButtons().empty());
}

TEST_F(Load, IntervalLinesRunTheSpeedBoxOnlyWhenItsTextChanges)
{
    int changes = 0;
    form.onTextChanged = [&](Control c) {
        if (c == Control::Edit1) {
            ++changes;
            logic.Edit1Change();
        }
    };
    logic.drop(file("i.txt", "#ANIME 100\n#ANIME 1000\n#ANIME 1000\n#ANIME $64\n#ANIME -5\n"));
    EXPECT_EQ(changes, 3); // "1000", "100", "-5"; the reset's "100" was there already
    EXPECT_EQ(state().frameInterval, -5);
    EXPECT_EQ(form.text(Control::Edit1), "-5");
    logic.drop(file("j.txt", "#ANIME 1000\n"));
    EXPECT_EQ(state().frameInterval, 1000);
    EXPECT_EQ(form.text(Control::Edit1), "1000");
}

TEST_F(Load, AnEmptyFirstFileCompletesWithoutAPicture)
{
    logic.drop(file("empty.txt", ""));
    EXPECT_TRUE(state().playbackFlag);
    EXPECT_EQ(filledSlots(tables().base), 0);
    EXPECT_EQ(tables().base[0][0], kEmptySlot);
    EXPECT_TRUE(enabledButtons().empty());
    EXPECT_EQ(sheet().Width(), 0);
    EXPECT_TRUE(state().sheetPath.empty());
}

TEST_F(Load, AFailedLoadLeavesTheFlagAndTheColourKeyAlone)
{
    logic.drop(file("sample.txt", kExample));
    ASSERT_EQ(sheetKey(), kSampleKey);
    expectFailure(file("bad.txt", "#ANIME 100ms\n"), "'100ms' は数値ではありません");
    EXPECT_TRUE(state().playbackFlag);
    EXPECT_EQ(sheetKey(), kSampleKey);
    // Reset has run: the interval is back at 100 and the tables are empty.
    EXPECT_EQ(state().frameInterval, 100);
    EXPECT_EQ(filledSlots(tables().base), 0);
}

TEST_F(Load, AFailureAfterASheetLineLeavesTheNewSheetUnkeyed)
{
    logic.drop(file("sample.txt", kExample));
    tabletest::writeSolidBmp(dir / "other.bmp", 4, 4, 0x00ABCDEF);
    expectFailure(file("bad.txt", "#CHARBMP other.bmp\n#ANIME x\n"), "'x' は数値ではありません");
    EXPECT_EQ(sheet().Width(), 4);
    EXPECT_EQ(sheetKey(), 0u);
    EXPECT_EQ(state().sheetPath, dir / "other.bmp");
}

TEST_F(Load, ResetEmptiesRectanglesButKeepsTheFourValues)
{
    logic.drop(file("sample.txt", kExample));
    form.setCaption(Control::Label2, "喜び１");
    state().currentAnimation = 6;
    logic.drop(file("next.txt", "#01 0 0 121 271\n"));
    EXPECT_EQ(tables().patterns[27].rect, TRect {});
    EXPECT_EQ(tables().patterns[27].left, 60);
    EXPECT_EQ(tables().patterns[27].top, 100);
    EXPECT_EQ(tables().patterns[27].width, 40);
    EXPECT_EQ(tables().patterns[27].height, 40);
    EXPECT_EQ(form.caption(Control::Label2), "状態");
    EXPECT_EQ(form.caption(Control::Label1), "Sample");
    EXPECT_EQ(state().currentAnimation, 1);
    EXPECT_EQ(state().frameInterval, 100);
    EXPECT_EQ(form.text(Control::Edit1), "100");
    EXPECT_TRUE(enabledButtons().empty());
}

TEST_F(Load, AFileWithoutASheetLineKeepsTheSheetAndKeysItAgain)
{
    logic.drop(file("sample.txt", kExample));
    const std::int32_t age = state().sheetFileAge;
    sheet().TransparentColor(0x123456);
    logic.drop(file("nosheet.txt", "#CHARNAME Other\n"));
    EXPECT_EQ(state().sheetPath, dir / "sample.bmp");
    EXPECT_EQ(state().sheetFileAge, age);
    EXPECT_EQ(sheet().Width(), 363);
    EXPECT_EQ(sheetKey(), kSampleKey);
}

TEST_F(Load, AFailingSheetLineKeepsTheFormerSheet)
{
    logic.drop(file("sample.txt", kExample));
    const std::int32_t age = state().sheetFileAge;
    EXPECT_THROW(logic.drop(file("bad.txt", "#CHARBMP missing.bmp\n")), Exception);
    EXPECT_EQ(state().sheetPath, dir / "sample.bmp");
    EXPECT_EQ(state().sheetFileAge, age);
    EXPECT_EQ(sheet().Width(), 363);
}

TEST_F(Load, AMissingDefinitionFileLeavesTheResetState)
{
    logic.drop(file("sample.txt", kExample));
    const std::string missing = dir / "gone.txt";
    expectFailure(missing, "ファイル " + missing + " は開けません");
    EXPECT_EQ(filledSlots(tables().base), 0);
    EXPECT_TRUE(enabledButtons().empty());
    EXPECT_TRUE(state().playbackFlag);
    EXPECT_EQ(logic.definitionPath(), missing);
}

TEST_F(Load, SheetNamesFromCaseBlindSystemsAreFound)
{
    std::filesystem::create_directories(dir.path() / "Img");
    tabletest::writeSolidBmp(dir / "Img/Sheet.bmp", 2, 2, 0x00000077);
    logic.drop(file("c.txt", "#CHARBMP img\\SHEET.BMP\n"));
    EXPECT_EQ(state().sheetPath, dir / "Img/Sheet.bmp");
    EXPECT_EQ(sheetKey(), 0x77u);
}

TEST_F(Load, ShiftJisNamesAreShownDecoded)
{
    logic.drop(file("n.txt", "#CHARNAME \x90\xD4\x82\xB8\x82\xAB\x82\xF1 note\n"));
    EXPECT_EQ(form.caption(Control::Label1), "赤ずきん");
}

TEST_F(Load, AReloadOfTheSameFileRestoresWhatTheFirstLoadRead)
{
    const std::string path = file("sample.txt", kExample);
    logic.drop(path);
    const auto first = std::make_unique<character::CharacterTables>(tables());
    const std::string name = form.caption(Control::Label1);
    // Everything a reload must bring back, spoilt.
    logic.state().tables.base[1].fill(7);
    logic.state().tables.patterns[2].rect = TRect { 1, 2, 3, 4 };
    logic.state().tables.layered.fill(true);
    form.setCaption(Control::Label1, "x");
    form.setEnabled(Control::Button6, false);
    form.setEnabled(Control::Button5, true);
    ASSERT_FALSE(*first == tables());
    logic.reloadClick();
    EXPECT_TRUE(*first == tables());
    EXPECT_EQ(form.caption(Control::Label1), name);
    EXPECT_EQ(enabledButtons(), (std::vector<Control> { Control::Button1, Control::Button6 }));
}

TEST_F(Load, WithoutASheetSurfaceThePathIsStillTaken)
{
    logic.DXDraw1FinalizeSurface();
    logic.drop(file("sample.txt", kExample));
    EXPECT_EQ(state().sheetPath, dir / "sample.bmp");
    EXPECT_TRUE(state().playbackFlag);
    logic.CGreloadClick();
    EXPECT_EQ(state().sheetFileAge, platform::fileAge(dir / "sample.bmp"));
}

TEST(SpeedBox, OnlyPositiveIntegersSetTheInterval)
{
    character::CharacterState state;
    state.frameInterval = 100;
    const std::pair<const char*, std::int32_t> steps[] = {
        { "5", 5 },
        { "50", 50 },
        { "0", 50 },
        { "a", 50 },
        { "", 50 },
        { "-3", 50 },
        { "$10", 16 },
        { "1000", 1000 },
    };
    for (const auto& [text, interval] : steps) {
        character::speedBoxChange(state, text);
        EXPECT_EQ(state.frameInterval, interval) << text;
    }
}

TEST_F(Load, TheStartsReadAheadOfTheSheetLoadsWhatTheFilesHoldAtTheLoad)
{
    // Large enough for the surface's memory to be made ready as well.
    const auto drawSheet = [this](int width, std::uint32_t color) {
        tabletest::writeBmp(dir / "big.bmp", width, 700,
            [=](int x, int y) { return x == width - 1 && y == 699 ? kSampleKey : color; });
    };
    drawSheet(800, 0x00102030u);
    const std::string definition = file("big.txt", "#CHARBMP big.bmp\n");
    {
        const character::SheetPreload preload(definition);
        logic.drop(definition);
    }
    EXPECT_EQ(sheet().Width(), 800);
    EXPECT_EQ(sheet().Pixels(0, 0), 0x00102030u);
    EXPECT_EQ(sheetKey(), kSampleKey);
    {
        const character::SheetPreload preload(definition);
        drawSheet(900, 0x00405060u);
        logic.drop(definition);
    }
    EXPECT_EQ(sheet().Width(), 900);
    EXPECT_EQ(sheet().Pixels(0, 0), 0x00405060u);
    // Nothing past a failing line is read ahead, and the load fails there.
    const std::string failing = file("failing.txt", "#ANIME x\n#CHARBMP big.bmp\n");
    {
        const character::SheetPreload preload(failing);
        EXPECT_THROW(logic.drop(failing), Exception);
    }
    EXPECT_EQ(sheet().Width(), 900);
    // Nor is the sheet of a definition far larger than any written by hand.
    const character::SheetPreload preload(
        file("long.txt", "#CHARBMP big.bmp\n" + std::string(std::size_t { 2 } << 20, '\n')));
    EXPECT_FALSE(picture::takePreloadedPicture(dir / "big.bmp"));
}
