#include "app/ShareCommands.h"
#include "app/DXDrawWidget.h"
#include "app/ErrorReport.h"
#include "app/Unit1.h"
#include "playback/FormLogic.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QImageReader>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ShareCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        app::setErrorSinkForTesting([this](const std::string& text) { errors.push_back(text); });
        fs::create_directories(folder);
        form.show();
        form.dropFile(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
    }
    void TearDown() override
    {
        app::setErrorSinkForTesting(nullptr);
        fs::remove_all(folder);
    }
    std::string file(const std::string& name) const { return (folder / name).string(); }

    fs::path folder = fs::temp_directory_path() / ("nimbrel_share_window_" + std::to_string(getpid()));
    TForm1 form;
    std::vector<std::string> errors;
};

struct GifSummary {
    QSize size;
    int loopCount = 0;
    int frames = 0;
    int totalMs = 0;
};

GifSummary readGif(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path), "gif");
    GifSummary summary;
    summary.size = reader.size();
    summary.loopCount = reader.loopCount();
    QImage image;
    while (reader.read(&image)) {
        ++summary.frames;
        summary.totalMs += reader.nextImageDelay();
    }
    return summary;
}

TEST_F(ShareCommandsTest, TheToolsMenuComesAfterSettingsAndViewWithTheCheckerAndItsTwoCommands)
{
    QStringList titles;
    for (QAction* action : form.menuBar()->actions())
        titles << action->text();
    ASSERT_TRUE(titles.contains("ツール"));
    EXPECT_GT(titles.indexOf("ツール"), titles.indexOf("設定"));
    EXPECT_GT(titles.indexOf("ツール"), titles.indexOf("表示"));
    EXPECT_EQ(titles.count("ツール"), 1);
    QStringList items;
    for (QAction* action : form.share().menu()->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList { "定義ファイルの検査", "GIF で保存…", "フレームを画像でコピー" }));
}

TEST_F(ShareCommandsTest, CopyPutsTheFrameOnShowOnTheClipboard)
{
    bool done = true;
    form.logic().idle(done);
    ASSERT_FALSE(done);
    form.share().copyFrameAction()->trigger();
    EXPECT_TRUE(errors.empty()) << errors.front();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(121, 271));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), form.DXDraw1->shownImage());
    EXPECT_NE(copied.pixel(60, 150), copied.pixel(0, 0)); // the character over the meadow
}

TEST_F(ShareCommandsTest, SaveWritesTheOneShotOnceThroughAtTheScaleChosenInTheDialog)
{
    form.Button6->click(); // joy 1: 16 frames of 100 ms, then the fall-back
    const std::string path = file("joy.gif");
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* scale = dialog->findChild<QComboBox*>("gifScale");
        ASSERT_NE(scale, nullptr);
        EXPECT_EQ(scale->count(), 4);
        scale->setCurrentIndex(2);
        dialog->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept(); // the file dialog's own accept, through QDialog
    });
    form.share().saveGifAction()->trigger();
    EXPECT_TRUE(errors.empty()) << errors.front();

    const GifSummary gif = readGif(path);
    EXPECT_EQ(gif.size, QSize(3 * 121, 3 * 271));
    EXPECT_EQ(gif.loopCount, -1);
    EXPECT_GT(gif.frames, 1);
    EXPECT_EQ(gif.totalMs, 16 * 100);
}

TEST_F(ShareCommandsTest, AFileThatCannotBeWrittenIsReportedAndLeftAlone)
{
    const std::string path = file("no/such/folder.gif");
    app::guarded([&] { form.share().saveGif(path, 1); });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], path + " を作成できません.");
    EXPECT_FALSE(fs::exists(folder / "no"));
}

} // namespace
