#include "display/DXConsts.h"
#include "display/DXDraws.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override { dxclass::FreeLibraries(); }
    void TearDown() override
    {
        resetSoftDisplayTestHooks();
        restoreLibrariesForTesting();
        dxclass::FreeLibraries();
    }
};

template <typename E> void expectRaises(const std::function<void()>& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "nothing raised, expected " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

TEST_F(DirectDrawTest, MakesTheDisplayObjectAndReadsItsCaps)
{
    TDirectDraw directDraw;
    EXPECT_NE(directDraw.DrawInterface(), nullptr);
    EXPECT_EQ(directDraw.DriverCaps.dwSize, 380u);
    EXPECT_EQ(directDraw.HELCaps.dwSize, 380u);
}

TEST_F(DirectDrawTest, FailuresToMakeTheDisplayObjectRaiseTheirMessages)
{
    softDisplayTestHooks().createResult = kErrNoDisplay;
    expectRaises<EDirectDrawError>([] { TDirectDraw directDraw; }, "DirectDraw を初期化できません");
    resetSoftDisplayTestHooks();
    softDisplayTestHooks().withoutVersion6 = true;
    expectRaises<EDirectDrawError>([] { TDirectDraw directDraw; }, "DirectX 6 以降が必要です");
}

TEST_F(DirectDrawTest, AMissingLibraryOrEntryPointRaisesWithTheNameAsSpelled)
{
    hideLibraryForTesting("ddraw.dll");
    expectRaises<Exception>(
        [] { dxclass::LoadEntryPoint("DDraw.dll", "DirectDrawCreate"); }, "DDraw.dll を読み込めません");
    expectRaises<Exception>([] { TDirectDraw directDraw; }, "DDraw.dll を読み込めません");
    replaceLibraryForTesting("DDraw.dll", {});
    expectRaises<Exception>(
        [] { dxclass::LoadEntryPoint("DDRAW.DLL", "DirectDrawCreate"); }, "DDRAW.DLL を読み込めません");
}

TEST_F(DirectDrawTest, LoadedLibrariesAreKeptByLowerCasedName)
{
    const FARPROC first = dxclass::LoadEntryPoint("DDraw.dll", "DirectDrawCreate");
    hideLibraryForTesting("ddraw.dll"); // too late: the loader holds it
    EXPECT_EQ(dxclass::LoadEntryPoint("DDRAW.DLL", "DirectDrawCreate"), first);
    expectRaises<Exception>(
        [] { dxclass::LoadEntryPoint("DDraw.dll", "DirectDrawEnumerateA"); }, "DDraw.dll を読み込めません");
    dxclass::FreeLibraries();
    expectRaises<Exception>(
        [] { dxclass::LoadEntryPoint("DDraw.dll", "DirectDrawCreate"); }, "DDraw.dll を読み込めません");
}

TEST_F(DirectDrawTest, ErrorClassesFormOneTree)
{
    EXPECT_TRUE((std::is_base_of_v<Exception, EDirectXError>));
    EXPECT_TRUE((std::is_base_of_v<EDirectXError, EDirectDrawError>));
    EXPECT_TRUE((std::is_base_of_v<EDirectDrawError, EDirectDrawSurfaceError>));
    EXPECT_TRUE((std::is_base_of_v<EDirectDrawError, EDirectDrawClipperError>));
    EXPECT_TRUE((std::is_base_of_v<EDirectDrawError, EDirectDrawPaletteError>));
    EXPECT_TRUE((std::is_base_of_v<Exception, EDXDrawError>));
    EXPECT_FALSE((std::is_base_of_v<EDirectXError, EDXDrawError>));
}

// Objects still registered when the display object goes are freed by it,
// the last made first; objects freed earlier take themselves off.
TEST_F(DirectDrawTest, FreesWhatIsStillRegistered)
{
    auto directDraw = std::make_unique<TDirectDraw>();
    auto* kept = new TDirectDrawSurface(directDraw.get());
    auto* freed = new TDirectDrawSurface(directDraw.get());
    new TDirectDrawPalette(directDraw.get());
    new TDirectDrawClipper(directDraw.get());
    EXPECT_EQ(directDraw->Surfaces().size(), 2u);
    delete freed;
    ASSERT_EQ(directDraw->Surfaces().size(), 1u);
    EXPECT_EQ(directDraw->Surfaces()[0], kept);
    directDraw.reset(); // the sanitizers check that nothing leaks or is freed twice
}

TEST_F(DirectDrawTest, AClipperThatCannotBeMadeRaises)
{
    TDirectDraw directDraw;
    softDisplayTestHooks().refuseClipper = true;
    expectRaises<EDirectDrawClipperError>(
        [&] { new TDirectDrawClipper(&directDraw); }, "クリッパー を作成できません");
    EXPECT_TRUE(directDraw.Clippers().empty());
}

} // namespace
