#include "app/CloseupWindows.h"
#include "app/ErrorReport.h"
#include "app/PixelCanvas.h"
#include "app/Unit1.h"
#include "app/ZoomWindow.h"
#include "closeup/FrameList.h"
#include "platform/Exception.h"
#include "playback/FormLogic.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string samplePath()
{
    return std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt";
}

void dropOn(TForm1& form, const std::vector<std::string>& paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const std::string& p : paths)
        urls << QUrl::fromLocalFile(QString::fromStdString(p));
    mime.setUrls(urls);
    // Qt delivers a drop only to a widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
}

class WindowCommands : public testing::Test {
protected:
    void SetUp() override
    {
        app::setErrorSinkForTesting([this](const std::string& text) { errors.push_back(text); });
        form.show();
    }
    void TearDown() override { app::setErrorSinkForTesting(nullptr); }

    TForm1 form;
    std::vector<std::string> errors;
};

} // namespace

TEST_F(WindowCommands, DropLoadsTheFirstFileAndEnablesTheReloadCommands)
{
    dropOn(form, { samplePath(), "/nonexistent/second.txt" });
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(form.Label1->text(), "Nimbrel");
    EXPECT_EQ(form.Edit1->text(), "100");
    EXPECT_TRUE(form.reload->isEnabled());
    EXPECT_TRUE(form.CGreload->isEnabled());
    EXPECT_TRUE(form.buttonck->isEnabled());
    EXPECT_TRUE(form.Button6->isEnabled());
    EXPECT_EQ(form.logic().definitionPath(), samplePath());
}

TEST_F(WindowCommands, AFailedDropStillEnablesTheReloadCommandsAndReportsWithAPeriod)
{
    dropOn(form, { "/nonexistent/char.txt" });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "ファイル /nonexistent/char.txt は開けません.");
    EXPECT_TRUE(form.reload->isEnabled());
    EXPECT_TRUE(form.CGreload->isEnabled());
    EXPECT_TRUE(form.buttonck->isEnabled());
    EXPECT_FALSE(form.Button1->isEnabled());
}

TEST_F(WindowCommands, AnimationButtonsSetTheStateLabel)
{
    dropOn(form, { samplePath() });
    const std::pair<QPushButton*, const char*> cases[] = {
        { form.Button2, "通常2" },
        { form.Button9, "ダメージ１" },
        { form.Button14, "おじゃま" },
        { form.Button12, "ミス" },
        { form.Button3, "勝ち" },
        { form.Button1, "通常１" },
    };
    for (const auto& [button, label] : cases) {
        button->click();
        EXPECT_EQ(form.Label2->text(), QString::fromUtf8(label));
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowCommands, SpeedBoxTakesTypedDigitsAndHexButIgnoresZeroAndLetters)
{
    dropOn(form, { samplePath() });
    auto& state = form.logic().state();
    form.Edit1->clear();
    QTest::keyClicks(form.Edit1, "5");
    EXPECT_EQ(state.frameInterval, 5);
    QTest::keyClicks(form.Edit1, "0");
    EXPECT_EQ(state.frameInterval, 50);
    form.Edit1->clear();
    QTest::keyClicks(form.Edit1, "0");
    EXPECT_EQ(state.frameInterval, 50);
    form.Edit1->clear();
    QTest::keyClicks(form.Edit1, "ab");
    EXPECT_EQ(state.frameInterval, 50);
    form.Edit1->clear();
    QTest::keyClicks(form.Edit1, "$10");
    EXPECT_EQ(state.frameInterval, 16);
    QTest::keyClicks(form.Edit1, "9");
    EXPECT_EQ(form.Edit1->text(), "$10");
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowCommands, SpeedBoxLimitsTypingButNotTheTextALoadSets)
{
    const std::string path = testing::TempDir() + "slow.txt";
    std::ofstream(path, std::ios::binary) << "#CHARNAME Slow\r\n#ANIME 1000\r\n";
    dropOn(form, { path });
    std::remove(path.c_str());
    EXPECT_EQ(form.Edit1->text(), "1000");
    form.Edit1->setFocus();
    form.Edit1->end(false);
    QTest::keyClicks(form.Edit1, "7");
    EXPECT_EQ(form.Edit1->text(), "1000");
    EXPECT_EQ(form.logic().state().frameInterval, 1000);
    // Deleting is always allowed, and then typing up to the limit.
    QTest::keyClick(form.Edit1, Qt::Key_Backspace);
    QTest::keyClicks(form.Edit1, "7");
    EXPECT_EQ(form.Edit1->text(), "100");
    QTest::keyClick(form.Edit1, Qt::Key_Backspace);
    QTest::keyClicks(form.Edit1, "78");
    EXPECT_EQ(form.Edit1->text(), "107");
    EXPECT_EQ(form.logic().state().frameInterval, 107);
    // A paste keeps what typing it would have kept.
    QApplication::clipboard()->setText("98765");
    form.Edit1->clear();
    QTest::keyClicks(form.Edit1, "1");
    QTest::keyClick(form.Edit1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.Edit1->text(), "198");
    EXPECT_EQ(form.logic().state().frameInterval, 198);
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowCommands, ClipperCopiesThePatternBoxAndLeavesItSelected)
{
    form.Edit2->setText("0102030A");
    form.clipper->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "0102030A");
    EXPECT_EQ(form.Edit2->selectedText(), "0102030A");
}

TEST_F(WindowCommands, APatternBoxErrorIsReportedWithThePeriodRule)
{
    dropOn(form, { samplePath() });
    form.Edit2->setText("01G2");
    form.buttonck->click();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'$G2' は数値ではありません.");
    EXPECT_EQ(form.Label2->text(), "状態");
}

TEST_F(WindowCommands, AutomaticReloadMenuItemsToggleOnEachClickEachItsOwn)
{
    form.autocgload->trigger();
    EXPECT_TRUE(form.autocgload->isChecked());
    EXPECT_FALSE(form.autodefload->isChecked());
    form.autodefload->trigger();
    EXPECT_TRUE(form.autodefload->isChecked());
    form.autocgload->trigger();
    EXPECT_FALSE(form.autocgload->isChecked());
    EXPECT_TRUE(form.autodefload->isChecked());
}

TEST_F(WindowCommands, TheViewShowsTheFirstFrameAfterOneIdleStep)
{
    dropOn(form, { samplePath() });
    bool done = true;
    form.logic().idle(done);
    EXPECT_FALSE(done);
    EXPECT_EQ(form.logic().player().frameIndex(), 1);
}

TEST_F(WindowCommands, AFrameClickedInTheZoomWindowsStripIsShownPausedAsTheMenuStepsShowIt)
{
    dropOn(form, { samplePath() });
    form.Button3->click(); // 勝ち, eight frames
    bool done = true;
    form.logic().idle(done);
    form.closeup().showZoom();
    app::ZoomWindow& zoom = *form.closeup().zoom();
    zoom.setStripShown(true);
    ASSERT_EQ(zoom.picture().strip().count(), 8);
    auto* strip = zoom.findChild<app::PixelCanvas*>("stripCanvas");
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(2 * closeup::kCellWidth + 5, 10));
    EXPECT_TRUE(form.logic().player().paused());
    EXPECT_EQ(form.logic().player().frameIndex(), 3);
    EXPECT_TRUE(form.pauseplay->isChecked());
    EXPECT_TRUE(zoom.findChild<QLabel*>("zoomReadout")->text().contains("コマ 3/8"));
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST(ErrorReport, GuardedHandsErrorsToTheReportAndDropsSilentAborts)
{
    std::vector<std::string> shown;
    app::setErrorSinkForTesting([&](const std::string& text) { shown.push_back(text); });
    app::guarded([] { throw EConvertError("'x' は数値ではありません"); });
    app::guarded([] { throw EAbort(); });
    app::guarded([] {});
    app::setErrorSinkForTesting(nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "'x' は数値ではありません.");
}

TEST_F(WindowCommands, ACharacterNameThatLooksLikeMarkupIsShownAsText)
{
    const std::string path = testing::TempDir() + "markup_name.txt";
    std::ofstream(path, std::ios::binary) << "#CHARNAME <b>x</b>\r\n";
    dropOn(form, { path });
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(form.Label1->text(), "<b>x</b>");
    // Shown as markup, the label would be as wide as one bold x.
    EXPECT_GE(form.Label1->width(), form.Label1->fontMetrics().horizontalAdvance("<b>x</b>"));
    std::remove(path.c_str());
}
