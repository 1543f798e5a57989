#include "app/SheetViewer.h"
#include "app/ZoomWindow.h"

#include "app/PixelCanvas.h"
#include "closeup/CloseupFrame.h"
#include "closeup/FrameList.h"
#include "closeup/SheetOverlay.h"
#include "playback/FormLogic.h"
#include "playback/HeadlessForm.h"
#include "playback/NullHost.h"
#include "playback/SurfacePixels.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

QImage canvasImage(QWidget& window)
{
    auto* canvas = window.findChild<app::PixelCanvas*>();
    return canvas->grab().toImage();
}

std::uint32_t rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0x00FFFFFFu;
}

} // namespace

TEST(ZoomWindow, ShowsTheViewPixelForPixelWithTheGridAndReadout)
{
    TDirectDraw directDraw;
    auto view = playbacktest::makeSurface(directDraw, 121, 271);
    playbacktest::paint(*view, 0, 0, 121, 271, 0x00102030u);
    playbacktest::paint(*view, 10, 20, 1, 1, 0x00FF0000u);
    app::ZoomWindow window;
    window.setZoom(4);
    window.frameShown(view.get(), "アニメ 1");
    QImage image = canvasImage(window);
    ASSERT_EQ(image.size(), QSize(484, 1084));
    for (const QPoint p : { QPoint(40, 80), QPoint(43, 83) })
        EXPECT_EQ(rgb(image, p.x(), p.y()), 0xFF0000u);
    EXPECT_EQ(rgb(image, 44, 80), 0x102030u);
    EXPECT_EQ(window.findChild<QLabel*>("zoomReadout")->text(), "アニメ 1");

    window.setGrid(true);
    image = canvasImage(window);
    EXPECT_EQ(rgb(image, 40, 80), 0xBF4040u);
    EXPECT_EQ(rgb(image, 41, 81), 0xFF0000u);
    // Below four times the grid would hide the pixels; it stays off.
    window.setZoom(3);
    EXPECT_EQ(rgb(canvasImage(window), 30, 60), 0xFF0000u);
}

TEST(SheetViewer, OutlinesHighlightsAndTheSelectionsLineOnTheSample)
{
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    TDirectDraw directDraw;
    playback::FormLogic logic(form, host);
    logic.DXDraw1InitializeSurface(directDraw);
    logic.drop(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
    {
        app::SheetViewer window(logic.state());
        window.frameShown(1, 1, logic.sheetSurface());
        QImage image = canvasImage(window);
        ASSERT_EQ(image.size(), QSize(1024, 1000));
        // Pattern 05 at (121, 0) is outlined; frames 1 and 6 of animation 1 are 02 at
        // (0, 400) and 03 below it.
        EXPECT_EQ(rgb(image, 200, 0), closeup::kOutlineColor & 0xFFFFFFu);
        EXPECT_EQ(rgb(image, 60, 401), closeup::highlightColor(closeup::HighlightRole::base) & 0xFFFFFFu);
        window.frameShown(1, 6, logic.sheetSurface());
        image = canvasImage(window);
        EXPECT_EQ(rgb(image, 60, 400), closeup::kOutlineColor & 0xFFFFFFu);
        EXPECT_EQ(rgb(image, 60, 401), 0xFF00FFu); // the sheet's key colour
        EXPECT_EQ(rgb(image, 60, 601), closeup::highlightColor(closeup::HighlightRole::base) & 0xFFFFFFu);

        window.select(TPoint { 39, 319 }, TPoint { 0, 280 });
        EXPECT_EQ(window.selectionLine(), "#28 0 280 40 40");
        window.copySelectionLine();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "#28 0 280 40 40");
    }
    logic.DXDraw1FinalizeSurface();
}

// The sample's sheet under a file that lost the lines of three poses.
TEST(SheetViewer, ClicksTakeDrawingsAndSliceAllListsWhatTheFileLacks)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("nimbrel-viewer-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path sample = fs::path(NIMBREL_SOURCE_DIR) / "examples/sample";
    fs::copy_file(sample / "sample.bmp", dir / "sample.bmp", fs::copy_options::overwrite_existing);
    std::ifstream in(sample / "sample.txt");
    std::string copy;
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("#0C ") && !line.starts_with("#14 ") && !line.starts_with("#22 "))
            copy += line + "\n";
    }
    std::ofstream(dir / "copy.txt") << copy;

    playback::HeadlessForm form;
    playbacktest::NullHost host;
    TDirectDraw directDraw;
    playback::FormLogic logic(form, host);
    logic.DXDraw1InitializeSurface(directDraw);
    logic.drop((dir / "copy.txt").string());
    {
        app::SheetViewer window(logic.state());
        window.frameShown(1, 1, logic.sheetSurface());
        // Pose 05's body, then pose 06's added with Shift; the key beside them.
        window.click(TPoint { 181, 153 }, false);
        EXPECT_EQ(window.selectionLine(), "#0C 142 109 78 89");
        window.click(TPoint { 298, 153 }, true);
        EXPECT_EQ(window.selectionLine(), "#0C 142 109 194 89");
        window.click(TPoint { 125, 5 }, false);
        EXPECT_EQ(window.selectionLine(), "#0C 125 5 1 1");

        // Through the mouse: a press and release on one pixel is a click,
        // with Shift it adds; a drag still selects what it covers.
        auto* canvas = window.findChild<app::PixelCanvas*>();
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(181, 153));
        EXPECT_EQ(window.selectionLine(), "#0C 142 109 78 89");
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, QPoint(298, 153));
        EXPECT_EQ(window.selectionLine(), "#0C 142 109 194 89");
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(0, 280));
        QTest::mouseMove(canvas, QPoint(39, 319));
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(39, 319));
        EXPECT_EQ(window.selectionLine(), "#0C 0 280 40 40");

        window.sliceAll();
        const std::string lines = "#0C 141 309 80 89\n#14 264 503 88 95\n#22 266 911 85 87\n";
        EXPECT_EQ(window.missingLines(), lines);
        EXPECT_EQ(window.findChild<QPlainTextEdit*>("sheetMissingList")->toPlainText().toStdString(), lines);
        EXPECT_EQ(window.findChild<QLabel*>("sheetMissingSummary")->text().toStdString(),
            "未定義の絵 3 個（定義済み 76 個、見つけた絵 79 個）");
        EXPECT_EQ(rgb(canvasImage(window), 141, 350), closeup::kMissingColor & 0xFFFFFFu);
        window.copyMissingLines();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), lines);

        // The list follows a reload that takes the lines in, and the gap.
        std::ofstream(dir / "copy.txt") << copy << lines;
        logic.drop((dir / "copy.txt").string());
        window.frameShown(1, 1, logic.sheetSurface());
        EXPECT_EQ(window.missingLines(), "");
        window.setGap(16);
        EXPECT_EQ(window.findChild<QSpinBox*>("sheetGap")->value(), 16);
        EXPECT_NE(window.missingLines(), "");
    }
    logic.DXDraw1FinalizeSurface();
    fs::remove_all(dir);
}

TEST(ZoomWindow, OnionSkinStripAndSavedPictureOnTheSample)
{
    playback::HeadlessForm form;
    playbacktest::NullHost host;
    TDirectDraw directDraw;
    playback::FormLogic logic(form, host);
    logic.DXDraw1InitializeSurface(directDraw);
    logic.drop(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
    logic.state().currentAnimation = 6; // joy 1, whose effects are layers
    const closeup::Presented presented { &logic.state(), 5, logic.sheetSurface(), nullptr };
    {
        app::ZoomWindow window;
        window.setZoom(2);
        window.setOnion({ 2, 1, true });
        window.setStripShown(true);
        window.frameShown(presented, "アニメ 6");
        const display::ColorImage expected
            = closeup::composeCloseupFrame(logic.state().tables, 6, 5, logic.sheetSurface(), { 2, 1, true });
        const QImage image = window.findChild<app::PixelCanvas*>("zoomCanvas")->grab().toImage();
        ASSERT_EQ(image.size(), QSize(242, 542));
        for (const QPoint p : { QPoint(0, 0), QPoint(60, 100), QPoint(30, 60), QPoint(100, 260) })
            EXPECT_EQ(rgb(image, 2 * p.x() + 1, 2 * p.y() + 1), expected.at(p.x(), p.y()))
                << p.x() << "," << p.y();

        // The strip: every frame of the animation, the frame on show marked,
        // and a click names its frame.
        auto* strip = window.findChild<app::PixelCanvas*>("stripCanvas");
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->width(), 16 * closeup::kCellWidth);
        EXPECT_EQ(rgb(strip->grab().toImage(), 4 * closeup::kCellWidth + 1, 1), closeup::kMarkColor);
        std::int32_t clicked = 0;
        window.onFrameClicked = [&](std::int32_t frame) { clicked = frame; };
        strip->onMouse(TPoint { 2 * closeup::kCellWidth + 5, 10 }, Qt::LeftButton, QEvent::MouseButtonPress);
        EXPECT_EQ(clicked, 3);

        // Saved whole, as shown.
        const std::string path = testing::TempDir() + "zoom-saved.png";
        window.savePng(path);
        const QImage saved(QString::fromStdString(path));
        ASSERT_EQ(saved.size(), QSize(242, 542));
        EXPECT_EQ(rgb(saved, 121, 201), expected.at(60, 100));
        std::remove(path.c_str());
    }
    logic.DXDraw1FinalizeSurface();
}
