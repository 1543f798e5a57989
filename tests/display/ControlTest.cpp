#include "ControlFixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;
using displaytest::ControlTest;
using displaytest::kFormOptions;

namespace {

struct OptionsCase {
    TDXDrawOptions options;
    TDXDrawOptions effective;
};

class EffectiveOptions : public ::testing::TestWithParam<OptionsCase> { };

TEST_P(EffectiveOptions, BeforeSetUp)
{
    TDXDraw draw;
    draw.SetOptions(GetParam().options);
    EXPECT_EQ(draw.EffectiveOptions(), GetParam().effective);
}

INSTANTIATE_TEST_SUITE_P(Sets, EffectiveOptions,
    ::testing::Values(OptionsCase { kFormOptions, doCenter },
        OptionsCase { doAllowReboot | doWaitVBlank | doCenter | doRetainedMode | doHardware | doSelectDriver,
            doWaitVBlank | doCenter },
        OptionsCase { doFullScreen | doFlip | doNoWindowChange | doAllowReboot | doAllowPalette256,
            doFullScreen | doFlip | doNoWindowChange | doAllowReboot | doAllowPalette256 },
        OptionsCase { doFullScreen | doFlip | doSystemMemory, doFullScreen | doSystemMemory },
        OptionsCase { do3D | doHardware | doZBuffer | doRetainedMode, do3D | doZBuffer | doRetainedMode },
        OptionsCase { doStretch | doZBuffer | doFlip, doStretch }));

TEST(EffectiveOptionsDefault, TheConstructedControlHasTheDefaultOptions)
{
    TDXDraw draw;
    EXPECT_EQ(draw.Options(), 0x1C8C);
    EXPECT_EQ(draw.EffectiveOptions(), doWaitVBlank | doCenter);
    EXPECT_EQ(draw.SurfaceWidth(), 100);
    EXPECT_EQ(draw.SurfaceHeight(), 100);
    EXPECT_FALSE(draw.CanDraw());
}

TEST_F(ControlTest, FirstShowSetsUpAndRaisesTheEventsInOrder)
{
    EXPECT_FALSE(draw.CanDraw());
    EXPECT_EQ(draw.DirectDraw(), nullptr);
    draw.FormShown();
    EXPECT_EQ(events,
        (std::vector<std::string> { "Initializing", "Initialize", "InitializeSurface", "RestoreSurface" }));
    ASSERT_TRUE(draw.Initialized());
    EXPECT_TRUE(draw.CanDraw());
    EXPECT_EQ(draw.Surface()->Width(), 121);
    EXPECT_EQ(draw.Surface()->Height(), 271);
    EXPECT_EQ(draw.EffectiveOptions(), doCenter);
    EXPECT_EQ(draw.DirectDraw()->DrawInterface()->cooperativeLevel(), DDSCL_NORMAL);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(&sheet->DirectDraw(), draw.DirectDraw());

    draw.FormShown(); // shown again after hiding: no second set-up
    EXPECT_EQ(events.size(), 4u);
}

TEST_F(ControlTest, TearDownFreesTheSheetFirstAndEverythingAfter)
{
    draw.FormShown();
    events.clear();
    draw.FormDestroying();
    EXPECT_EQ(events, (std::vector<std::string> { "FinalizeSurface", "Finalize" }));
    EXPECT_EQ(sheet, nullptr);
    EXPECT_EQ(draw.DirectDraw(), nullptr);
    EXPECT_EQ(draw.Surface(), nullptr);
    EXPECT_EQ(draw.Primary(), nullptr);
    EXPECT_FALSE(draw.CanDraw());
    EXPECT_EQ(draw.SurfaceWidth(), 121);
    draw.FormDestroying();
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(ControlTest, ResizingASetUpControlMakesTheSurfacesAgain)
{
    draw.FormShown();
    events.clear();
    draw.SetBounds(104, 0, 60, 80);
    EXPECT_EQ(events, (std::vector<std::string> { "FinalizeSurface", "InitializeSurface" }));
    EXPECT_EQ(draw.Surface()->Width(), 60);
    EXPECT_EQ(draw.Surface()->Height(), 80);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->Width(), 0);
}

struct FailureCase {
    const char* name;
    std::function<void()> arrange;
    std::string message;
};

TEST_F(ControlTest, AFailedSetUpTearsDownAndNeverRetries)
{
    const FailureCase cases[] = {
        { "no library", [] { hideLibraryForTesting("DDraw.dll"); }, "DDraw.dll を読み込めません" },
        { "no display", [] { softDisplayTestHooks().createResult = kErrNoDisplay; },
            "DirectDraw を初期化できません" },
        { "no primary", [] { softDisplayTestHooks().refusePrimary = true; },
            "プライマリサーフェース を作成できません" },
        { "no clipper", [] { softDisplayTestHooks().refuseClipper = true; }, "クリッパー を作成できません" },
        { "no memory",
            [] {
                softDisplayTestHooks().videoMemoryBytes = 0;
                softDisplayTestHooks().systemMemoryBytes = 0;
            },
            "サーフェース を作成できません" },
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        TDXDraw control;
        control.SetForm(form);
        control.SetWindowHandle(window);
        int surfaceEvents = 0;
        control.OnInitializeSurface = [&](TCustomDXDraw&) { ++surfaceEvents; };
        control.OnFinalizeSurface = [&](TCustomDXDraw&) { ++surfaceEvents; };
        dxclass::FreeLibraries();
        c.arrange();
        try {
            control.FormShown();
            ADD_FAILURE() << "set-up did not fail";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(surfaceEvents, 0);
        EXPECT_FALSE(control.CanDraw());
        EXPECT_EQ(control.DirectDraw(), nullptr);
        resetSoftDisplayTestHooks();
        restoreLibrariesForTesting();
        EXPECT_NO_THROW(control.FormShown());
        EXPECT_FALSE(control.Initialized());
    }
}

TEST_F(ControlTest, AControlWithoutAFormCannotBeSetUp)
{
    TDXDraw control;
    try {
        control.Loaded(); // not on a form: sets itself up at once
        ADD_FAILURE();
    } catch (const EDXDrawError& e) {
        EXPECT_STREQ(e.what(), "フォームが見つかりません");
    }
    EXPECT_FALSE(control.CanDraw());
}

TEST_F(ControlTest, FlipPresentsTheViewInTheControlWindow)
{
    draw.FormShown();
    ASSERT_TRUE(draw.CanDraw());
    draw.Surface()->Fill(0x00102030);
    draw.Flip();
    EXPECT_EQ(shown(0, 0), 0x00102030u);
    EXPECT_EQ(shown(120, 270), 0x00102030u);
}

TEST_F(ControlTest, RestoreBlanksTheViewAndTheScreenAreaEvenWhenNothingWasLost)
{
    draw.FormShown();
    draw.Surface()->Fill(0x00FFFFFF);
    draw.Flip();
    ASSERT_EQ(shown(5, 5), 0x00FFFFFFu);
    events.clear();
    draw.Restore();
    EXPECT_EQ(events, (std::vector<std::string> { "RestoreSurface" }));
    EXPECT_EQ(draw.Surface()->Pixels(5, 5), 0u);
    EXPECT_EQ(shown(5, 5), 0u);
}

TEST_F(ControlTest, LostSurfacesAreRestoredByTheNextCanDraw)
{
    draw.FormShown();
    draw.DirectDraw()->DrawInterface()->loseSurfacesForTesting();
    EXPECT_TRUE(draw.CanDraw());
    EXPECT_EQ(draw.Surface()->Pixels(3, 3), 0u);

    softDisplayTestHooks().refuseRestore = true;
    draw.Surface()->Fill(0x00ABCDEF);
    draw.Flip();
    draw.DirectDraw()->DrawInterface()->loseSurfacesForTesting();
    EXPECT_FALSE(draw.CanDraw());
    EXPECT_FALSE(draw.CanDraw());
    draw.Flip();
    EXPECT_EQ(shown(3, 3), 0x00ABCDEFu); // nothing presented over the last view
}

// The palette is made from the colour table with the screen's static
// colours kept; a direct-colour display refuses it quietly.
TEST_F(ControlTest, ThePaletteIsSharedOnIndexedDisplaysAndQuietlyRefusedOtherwise)
{
    draw.FormShown();
    ASSERT_TRUE(draw.CanDraw());
    EXPECT_EQ(draw.Primary()->ErrorCode(), kErrNoPaletteFormat);
    const auto& entries = draw.Palette()->PaletteInterface()->entries();
    const auto system = systemPalette();
    EXPECT_EQ(entries[0].peRed, system[0].peRed);
    EXPECT_EQ(entries[255].peBlue, system[255].peBlue);
    for (const PaletteEntry& e : entries)
        ASSERT_EQ(e.peFlags, 0x40);
    draw.FormDestroying();

    setScreenBitCountForTesting(8);
    TDXDraw indexed;
    indexed.SetForm(form);
    indexed.SetWindowHandle(std::make_shared<SoftWindow>(100, 100));
    indexed.FormShown();
    ASSERT_TRUE(indexed.CanDraw());
    EXPECT_EQ(indexed.Surface()->SurfaceInterface()->palette(), indexed.Palette()->PaletteInterface());
    EXPECT_EQ(indexed.Primary()->SurfaceInterface()->palette(), indexed.Palette()->PaletteInterface());
    EXPECT_EQ(indexed.Surface()->SurfaceDesc().ddpfPixelFormat.dwRGBBitCount, 8u);
    indexed.FormDestroying();
    setScreenBitCountForTesting(32);
}

struct PlacementCase {
    std::int32_t surfaceWidth;
    std::int32_t offset; // where surface column 0 lands in the control
};

class Placement : public ControlTest, public ::testing::WithParamInterface<PlacementCase> { };

TEST_P(Placement, CentredSurfacesRoundTowardZero)
{
    draw.AutoSize = false;
    draw.SetSurfaceWidth(GetParam().surfaceWidth);
    draw.FormShown();
    ASSERT_EQ(draw.Surface()->Width(), GetParam().surfaceWidth);
    DDSURFACEDESC locked;
    ASSERT_TRUE(draw.Surface()->Lock(nullptr, locked));
    for (std::int32_t x = 0; x < GetParam().surfaceWidth; ++x) {
        const std::uint32_t value = static_cast<std::uint32_t>(x) + 1;
        std::memcpy(locked.lpSurface + 4 * x, &value, 4);
    }
    draw.Surface()->Unlock();
    draw.Flip();
    const std::int32_t offset = GetParam().offset;
    const std::int32_t firstShown = std::max(offset, 0);
    EXPECT_EQ(shown(firstShown, 0), static_cast<std::uint32_t>(firstShown - offset + 1));
}

INSTANTIATE_TEST_SUITE_P(Widths, Placement,
    ::testing::Values(PlacementCase { 101, 10 }, PlacementCase { 121, 0 }, PlacementCase { 122, 0 },
        PlacementCase { 123, -1 }));

// A surface handler that raises must not keep the control half torn down:
// OnFinalize still comes, everything is freed, and the handler's error
// reaches the caller.
TEST_F(ControlTest, TearDownFinishesWhenTheSurfaceHandlerRaises)
{
    draw.FormShown();
    events.clear();
    draw.OnFinalizeSurface = [this](TCustomDXDraw&) {
        events.push_back("FinalizeSurface");
        delete sheet;
        sheet = nullptr;
        throw Exception("surface handler");
    };
    try {
        draw.FormDestroying();
        ADD_FAILURE() << "the handler's error was lost";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "surface handler");
    }
    EXPECT_EQ(events, (std::vector<std::string> { "FinalizeSurface", "Finalize" }));
    EXPECT_FALSE(draw.Initialized());
    EXPECT_FALSE(draw.Updating());
    EXPECT_EQ(draw.Driver(), nullptr);
    EXPECT_EQ(draw.DirectDraw(), nullptr);
    EXPECT_EQ(draw.EffectiveOptions(), doCenter);
}

TEST_F(ControlTest, StretchPresentsTheViewOverTheWholeControl)
{
    draw.AutoSize = false;
    draw.SetSurfaceWidth(60);
    draw.SetSurfaceHeight(100);
    draw.SetOptions(kFormOptions | doStretch);
    draw.FormShown();
    ASSERT_EQ(draw.Surface()->Width(), 60);
    draw.Surface()->Fill(0x00405060);
    draw.Flip();
    EXPECT_EQ(shown(0, 0), 0x00405060u);
    EXPECT_EQ(shown(120, 270), 0x00405060u);
}

TEST_F(ControlTest, AStoredSizeOfZeroMakesAOnePixelSide)
{
    draw.AutoSize = false;
    draw.SetSurfaceWidth(0);
    draw.FormShown();
    EXPECT_EQ(draw.Surface()->Width(), 1);
    EXPECT_EQ(draw.Surface()->Height(), 271);
}

TEST_F(ControlTest, OptionsChangedWhileSetUpMoveOnlyThePresentingMembers)
{
    softDisplayTestHooks().videoMemoryBytes = 0; // the view goes to system memory
    draw.FormShown();
    EXPECT_EQ(draw.EffectiveOptions(), doCenter | doSystemMemory);
    EXPECT_FALSE(draw.Paint());
    draw.SetOptions(doStretch | doWaitVBlank | doFullScreen | doAllowPalette256 | doHardware);
    EXPECT_EQ(draw.EffectiveOptions(), doStretch | doWaitVBlank | doSystemMemory);
    draw.Paint();
    EXPECT_EQ(draw.EffectiveOptions(), doStretch | doWaitVBlank | doSystemMemory);
    draw.FormDestroying();
    EXPECT_EQ(draw.EffectiveOptions(), doStretch | doWaitVBlank | doFullScreen | doAllowPalette256);
}

} // namespace
