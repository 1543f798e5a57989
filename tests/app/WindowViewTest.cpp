// What the window's view shows, and the order in which the window sets up
// and tears down the display control and its sheet surface.

#include "app/DXDrawWidget.h"
#include "app/ErrorReport.h"
#include "app/StartWindow.h"
#include "app/Unit1.h"
#include "display/DXClass.h"
#include "platform/Library.h"
#include "playback/FormLogic.h"

#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string samplePath()
{
    return std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt";
}

class WindowView : public testing::Test {
protected:
    void SetUp() override
    {
        app::setErrorSinkForTesting([this](const std::string& text) { errors.push_back(text); });
    }
    void TearDown() override
    {
        app::setErrorSinkForTesting(nullptr);
        platform::restoreLibrariesForTesting();
        dxclass::FreeLibraries();
    }

    std::vector<std::string> errors;
};

// The widget shows the view surface 1:1 from its top-left corner, red, green
// and blue in their places.
TEST_F(WindowView, TheViewShowsTheViewSurfacePixelForPixel)
{
    TForm1 form;
    app::showMainWindow(form, samplePath());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    bool done = true;
    form.logic().idle(done);
    ASSERT_FALSE(done);
    ASSERT_TRUE(errors.empty()) << errors.front();

    TDirectDrawSurface* view = form.DXDraw1->control().Surface();
    const QImage shown = form.DXDraw1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.width(), view->Width());
    ASSERT_EQ(shown.height(), view->Height());
    int mismatches = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) & 0xFFFFFFu) != view->Pixels(x, y) && ++mismatches < 5)
                ADD_FAILURE() << x << "," << y << ": " << std::hex << shown.pixel(x, y) << " for "
                              << view->Pixels(x, y);
    EXPECT_EQ(mismatches, 0);
    // The sample's frame is not one flat colour, so the comparison means something.
    EXPECT_NE(view->Pixels(0, 0), view->Pixels(60, 135));
}

// Wayland's backing store keeps alpha: the view must paint opaque pixels
// there, not the display's raw top byte (0), which shows see-through.
TEST_F(WindowView, TheViewIsOpaqueOnABackingStoreWithAlpha)
{
    TForm1 form;
    app::showMainWindow(form, samplePath());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    bool done = true;
    form.logic().idle(done);
    TDirectDrawSurface* view = form.DXDraw1->control().Surface();
    QImage shown(form.DXDraw1->size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    form.DXDraw1->render(&shown);
    int mismatches = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != (0xFF000000u | view->Pixels(x, y)) && ++mismatches < 5)
                ADD_FAILURE() << x << "," << y << ": " << std::hex << shown.pixel(x, y) << " for "
                              << view->Pixels(x, y);
    EXPECT_EQ(mismatches, 0);
}

// A display that cannot be set up leaves the control in the face colour of
// the buttons, as the form's design gives it.
TEST_F(WindowView, AFailedSetUpShowsTheButtonFace)
{
    dxclass::FreeLibraries();
    platform::hideLibraryForTesting("DDraw.dll");
    TForm1 form;
    app::showMainWindow(form, std::nullopt);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(errors, std::vector<std::string> { "DDraw.dll を読み込めません." });
    EXPECT_FALSE(form.DXDraw1->control().CanDraw());

    const QImage shown = form.DXDraw1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb face = form.DXDraw1->palette().color(QPalette::Button).rgb();
    for (const QPoint p : { QPoint(0, 0), QPoint(60, 135), QPoint(120, 270) })
        EXPECT_EQ(shown.pixel(p), face) << p.x() << "," << p.y();
}

// The file named at start is loaded once the sheet surface exists, and the
// window's end frees the sheet before the display frees what it made on.
TEST_F(WindowView, TheSheetLivesBetweenTheFirstShowAndTheDisplaysEnd)
{
    auto form = std::make_unique<TForm1>();
    app::showMainWindow(*form, samplePath());
    ASSERT_TRUE(errors.empty()) << errors.front();
    ASSERT_NE(form->logic().sheetSurface(), nullptr);
    EXPECT_GT(form->logic().sheetSurface()->Width(), 0);
    EXPECT_EQ(form->Label1->text().toStdString(), "Nimbrel");

    TDXDraw& control = form->DXDraw1->control();
    const TDirectDrawSurface* sheet = form->logic().sheetSurface();
    std::vector<std::string> seen;
    control.OnFinalize = [&](TCustomDXDraw& sender) {
        // Only the control's own surfaces are left for the display to free.
        const auto& left = sender.DirectDraw()->Surfaces();
        seen.push_back(
            std::find(left.begin(), left.end(), sheet) == left.end() ? "sheet freed" : "sheet alive");
        seen.push_back(std::to_string(left.size()) + " surfaces left");
    };
    form.reset();
    EXPECT_EQ(seen, (std::vector<std::string> { "sheet freed", "2 surfaces left" }));
}

} // namespace
