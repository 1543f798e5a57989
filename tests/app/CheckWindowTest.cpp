// ツール → 定義ファイルの検査: the window lists the problems of the loaded
// file and follows every reload while it is open.

#include "app/ErrorReport.h"
#include "app/Unit1.h"
#include "playback/FormLogic.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

TEST(CheckWindow, ListsTheLoadedFilesProblemsAndFollowsReloads)
{
    app::setErrorSinkForTesting([](const std::string&) {});
    const std::string path = (std::filesystem::temp_directory_path() / "nimbrel-checkwindow.txt").string();
    std::ofstream(path) << "#CHARNAME Two\n#ANIME 1x\n#PATTERN 01 02\n";
    TForm1 form;
    form.show();
    form.dropFile(path);

    QMenu* tools = form.menuBar()->findChild<QMenu*>("ToolsMenu");
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->title(), "ツール");
    ASSERT_GE(tools->actions().size(), 1);
    EXPECT_EQ(tools->actions()[0]->text(), "定義ファイルの検査");
    tools->actions()[0]->trigger();

    auto* window = form.findChild<QWidget*>("CheckWindow");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    auto* list = window->findChild<QTableWidget*>("CheckList");
    ASSERT_NE(list, nullptr);
    const int before = list->rowCount();
    EXPECT_GE(before, 2);
    const auto errorRow = [list] {
        for (int r = 0; r < list->rowCount(); ++r) {
            if (list->item(r, 2)->text() == "エラー")
                return r;
        }
        return -1;
    };
    ASSERT_GE(errorRow(), 0);
    EXPECT_EQ(list->item(errorRow(), 0)->text(), "2");
    EXPECT_EQ(list->item(errorRow(), 1)->text(), "8");
    EXPECT_EQ(list->item(errorRow(), 3)->text(), "'1x' は数値ではありません.");

    std::ofstream(path, std::ios::trunc) << "#CHARNAME Two\n#ANIME 1x\n";
    form.reloadClick();
    EXPECT_LT(list->rowCount(), before);
    EXPECT_GE(errorRow(), 0);
    std::remove(path.c_str());
    app::setErrorSinkForTesting(nullptr);
}

} // namespace
