// The automatic reloads seen from the window's commands: every save shows,
// a file in the middle of being written is left alone, and a definition file
// that fails to load keeps the character that was there.

#include "playback/FormLogic.h"

#include "../character/TableTestFiles.h"
#include "SimHost.h"
#include "SurfacePixels.h"
#include "platform/Exception.h"
#include "playback/HeadlessForm.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using form::Control;

namespace {

constexpr std::int64_t kMs = 1'000'000;
// An even second, so that saves a few hundred milliseconds after it share
// its two-second unit of the packed age.
constexpr std::int64_t kWallAtZero = 1'800'000'000'000'000'000;
constexpr std::uint32_t kInterval = 80;

const char* const kCharacter = "#CHARNAME Sample\n#ANIME 80\n#CHARBMP sheet.bmp\n"
                               "#1 0 0 121 271\n#2 121 0 121 271\n#PATERN 01 020202\n";
// Pattern 3 is a second pose on a wider sheet.
const char* const kEdited = "#CHARNAME Edited\n#ANIME 80\n#CHARBMP sheet.bmp\n"
                            "#1 0 0 121 271\n#3 242 0 121 271\n#PATERN 01 03030303\n#PATERN 06 03\n";
const char* const kBroken = "#CHARNAME Broken\n#ANIME 40\n#PATERN 01 03\n#PATERN 02 0Z\n";

class LiveReload : public testing::Test {
protected:
    void SetUp() override
    {
        logic.DXDraw1InitializeSurface(directDraw);
        host.view = view.get();
        saveSheet(0x22, kWallAtZero - 10'000 * kMs);
        saveText("c.txt", kCharacter, kWallAtZero - 10'000 * kMs);
        logic.drop(dir / "c.txt");
        logic.autocgloadClick();
        logic.autodefloadClick();
        ASSERT_TRUE(step());
    }
    void TearDown() override { logic.DXDraw1FinalizeSurface(); }

    std::int64_t wallNow() const { return clock.wallNs(); }

    static void setMtime(const std::string& path, std::int64_t ns)
    {
        const timespec times[2] = { { 0, UTIME_OMIT }, { ns / 1'000'000'000, ns % 1'000'000'000 } };
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    // The sheet: background 0x11, the pose of pattern 2 in `pose`, pattern 3
    // beside it in `pose + 1`, and the key colour in the bottom-right pixel.
    void saveSheet(std::uint32_t pose, std::int64_t mtime)
    {
        const std::string name = "sheet.bmp";
        tabletest::writeBmp(dir / name, 363, 271, [=](int x, int y) {
            if (x == 362 && y == 270)
                return 0x00FF00FFu;
            return x < 121 ? 0x11u : (x < 242 ? pose : pose + 1);
        });
        setMtime(dir / name, mtime);
    }
    void saveText(const std::string& name, const char* text, std::int64_t mtime)
    {
        tabletest::writeText(dir / name, text);
        setMtime(dir / name, mtime);
    }

    bool step()
    {
        bool done = true;
        logic.idle(done);
        return !done;
    }
    std::uint32_t shown() { return view->Pixels(0, 0); }

    // Steps until the view shows `pixel`; the simulated time from `since`
    // to that frame, or -1 if it never came.
    std::int64_t stepsUntilShown(std::uint32_t pixel, std::uint32_t since, int most = 20)
    {
        for (int i = 0; i < most; ++i) {
            step();
            if (shown() == pixel)
                return host.frames.back().time - since;
        }
        return -1;
    }

    tabletest::TempFolder dir;
    playback::HeadlessForm form;
    playbacktest::SimHost host;
    playbacktest::SimRealClock clock { host, kWallAtZero };
    TDirectDraw directDraw;
    std::unique_ptr<TDirectDrawSurface> view = playbacktest::makeSurface(directDraw, 121, 271);
    playback::FormLogic logic { form, host, clock };
};

TEST_F(LiveReload, TwoSavesWithinOneSecondAreBothShownWithinAFrameAndTheSettleTime)
{
    const std::int64_t budget = kInterval + platform::kSettleTime.count();
    for (const std::uint32_t pose : { 0x33u, 0x44u }) {
        SCOPED_TRACE(pose);
        const std::uint32_t saved = host.clock;
        saveSheet(pose, wallNow());
        const std::int64_t latency = stepsUntilShown(pose, saved);
        EXPECT_GT(latency, 0);
        EXPECT_LE(latency, budget);
    }
    EXPECT_EQ(logic.state().sheetFileAge, platform::fileAge(dir / "sheet.bmp"));
}

TEST_F(LiveReload, AFileWrittenInTwoPartsIsLoadedOnceWhole)
{
    const auto before = logic.state().sheetStamp;
    // The first half of the new sheet, then a pause shorter than the settle
    // time, then the rest: the half file is never read.
    saveSheet(0x55, wallNow());
    std::filesystem::resize_file(dir / "sheet.bmp", 1000);
    setMtime(dir / "sheet.bmp", wallNow());
    EXPECT_NO_THROW(step());
    EXPECT_EQ(logic.state().sheetStamp, before);
    saveSheet(0x55, wallNow());
    int loads = 0;
    auto last = before;
    for (int i = 0; i < 6; ++i) {
        EXPECT_NO_THROW(step());
        loads += logic.state().sheetStamp != last;
        last = logic.state().sheetStamp;
    }
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(shown(), 0x55u);
}

TEST_F(LiveReload, AFailingSheetReloadReportsOnceUntilTheFileChangesAgain)
{
    const std::int32_t age = logic.state().sheetFileAge;
    std::filesystem::remove(dir / "sheet.bmp");
    EXPECT_THROW(step(), Exception);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(step());
    EXPECT_EQ(shown(), 0x22u);
    // The age is the shown sheet's, which did not change.
    EXPECT_EQ(logic.state().sheetFileAge, age);

    // A file that cannot be read is one error too, and so is its next save.
    saveText("sheet.bmp", "BM broken", wallNow() - 1000 * kMs);
    EXPECT_THROW(step(), Exception);
    EXPECT_TRUE(step());
    saveSheet(0x88, wallNow() - 1000 * kMs);
    EXPECT_TRUE(step());
    EXPECT_EQ(shown(), 0x88u);
}

// A 1-bit BMP of 62 bytes whose header claims 65535 x 32768 pixels: the
// header reads, the surface for it cannot be made.
std::string hugeClaimingBmp()
{
    std::string bmp = "BM";
    const auto put = [&bmp](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp.push_back(i < 4 ? static_cast<char>(value >> (8 * i)) : '\0');
    };
    put(62, 4), put(0, 4), put(62, 4);
    put(40, 4), put(65535, 4), put(32768, 4), put(1, 2), put(1, 2), put(0, 4 * 6);
    put(0, 4), put(0x00FFFFFF, 4);
    return bmp;
}

// Each way a save can break the sheet, through the sheet's own reload and
// through the definition's: reported once, and the sheet shown, its key
// and its age stay until the file is mended.
TEST_F(LiveReload, ABrokenSheetKeepsTheLastGoodOneUntilItIsMended)
{
    struct Break {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const std::string path = dir / "sheet.bmp";
    const Break breaks[] = {
        { "empty", "", "画像 %s は空です" },
        { "truncated header", std::string("BM\x3e\0\0\0", 6), nullptr },
        { "too large to show", hugeClaimingBmp(), nullptr },
    };
    std::uint32_t pose = 0x22;
    for (const bool throughDefinition : { false, true }) {
        for (const Break& broken : breaks) {
            SCOPED_TRACE(std::string(broken.name) + (throughDefinition ? " (definition)" : ""));
            TDirectDrawSurface* sheet = logic.sheetSurface();
            const std::int32_t age = logic.state().sheetFileAge;
            tabletest::writeText(path, broken.bytes);
            setMtime(path, wallNow() - 1000 * kMs);
            if (throughDefinition)
                saveText("c.txt", kCharacter, wallNow() - 1000 * kMs);
            try {
                step();
                ADD_FAILURE() << "no error";
            } catch (const Exception& e) {
                if (broken.message != nullptr) {
                    EXPECT_EQ(e.Message(), platform::format(broken.message, { path }));
                }
            }
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(step());
            EXPECT_EQ(logic.sheetSurface(), sheet);
            EXPECT_GT(sheet->Width(), 0);
            EXPECT_EQ(logic.state().sheetFileAge, age);
            EXPECT_EQ(shown(), pose);

            pose += 0x10;
            saveSheet(pose, wallNow() - 1000 * kMs);
            ASSERT_TRUE(step());
            EXPECT_EQ(shown(), pose);
            EXPECT_EQ(logic.state().sheetFileAge, platform::fileAge(path));
        }
    }
}

TEST_F(LiveReload, AnEditedDefinitionChangesTheCharacterWhileTheFrameIndexGoesOn)
{
    EXPECT_EQ(logic.player().frameIndex(), 1);
    saveText("c.txt", kEdited, wallNow() - 1000 * kMs);
    ASSERT_TRUE(step());
    EXPECT_EQ(form.caption(Control::Label1), "Edited");
    EXPECT_EQ(logic.state().tables.base[1][4], 3);
    EXPECT_EQ(logic.state().tables.patterns[3].rect, (TRect { 242, 0, 363, 271 }));
    EXPECT_TRUE(form.isEnabled(Control::Button6));
    EXPECT_EQ(logic.player().frameIndex(), 2);
    EXPECT_EQ(shown(), 0x23u);
}

TEST_F(LiveReload, ADefinitionAndSheetSavedTogetherShowInOneStep)
{
    TDirectDrawSurface* before = logic.sheetSurface();
    saveSheet(0x90, wallNow() - 1000 * kMs);
    saveText("c.txt", kEdited, wallNow() - 1000 * kMs);
    ASSERT_TRUE(step());
    EXPECT_EQ(shown(), 0x91u);
    // The definition's load read the sheet into a surface of its own and
    // stamped it; the sheet test then found nothing new.
    EXPECT_NE(logic.sheetSurface(), before);
    EXPECT_EQ(logic.state().sheetStamp, platform::fileStamp(dir / "sheet.bmp"));
}

TEST_F(LiveReload, AFailingDefinitionReloadKeepsTheCharacterAndReportsOnce)
{
    form.setCaption(Control::Label2, "通常１");
    const character::CharacterState before = logic.state();
    TDirectDrawSurface* sheet = logic.sheetSurface();
    saveText("c.txt", kBroken, wallNow() - 1000 * kMs);
    EXPECT_THROW(step(), EConvertError);
    EXPECT_EQ(form.caption(Control::Label1), "Sample");
    EXPECT_EQ(form.caption(Control::Label2), "通常１");
    EXPECT_EQ(form.text(Control::Edit1), "80");
    EXPECT_TRUE(form.isEnabled(Control::Button1));
    EXPECT_EQ(logic.state().tables.base, before.tables.base);
    EXPECT_EQ(logic.state().frameInterval, 80);
    EXPECT_EQ(logic.sheetSurface(), sheet);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(step());
    EXPECT_EQ(logic.player().frameIndex(), 1); // 2, 3, then 1 again
    EXPECT_EQ(shown(), 0x22u);
}

TEST_F(LiveReload, TheReloadCommandStillKeepsWhatAFailingLoadApplied)
{
    saveText("c.txt", kBroken, wallNow() - 1000 * kMs);
    EXPECT_THROW(logic.reloadClick(), EConvertError);
    EXPECT_EQ(form.caption(Control::Label1), "Broken");
    EXPECT_EQ(form.text(Control::Edit1), "40");
    // Reset, then the lines above the failing one.
    EXPECT_EQ(logic.state().tables.base[1][1], 3);
    EXPECT_EQ(logic.state().tables.base[1][2], character::kEmptySlot);
    EXPECT_FALSE(form.isEnabled(Control::Button2));
    // The command took the stamp: the automatic reload does not report it again.
    EXPECT_TRUE(step());
}

TEST_F(LiveReload, NothingIsPolledWhileTheItemsAreUnchecked)
{
    logic.autocgloadClick();
    logic.autodefloadClick();
    saveSheet(0x99, wallNow() - 1000 * kMs);
    saveText("c.txt", kEdited, wallNow() - 1000 * kMs);
    step();
    EXPECT_EQ(shown(), 0x22u);
    EXPECT_EQ(form.caption(Control::Label1), "Sample");
}

} // namespace
