#include "app/ErrorReport.h"
#include "app/Unit1.h"
#include "playback/FormLogic.h"

#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

QString textOf(QWidget* w)
{
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QCheckBox*>(w))
        return c->text();
    return {};
}

// The design values, written out here rather than read from the table the
// window is built from, so that a wrong row shows.
struct Expected {
    const char* name;
    QRect geometry; // labels: the size follows the caption
    const char* caption;
    bool enabled;
    int fontPixels;
};

const Expected kExpected[] = {
    { "Label2", { 104, 272, 42, 21 }, "状態", true, 21 },
    { "Label3", { 0, 274, 41, 16 }, "Anime", true, 16 },
    { "Label1", { 0, 248, 32, 16 }, "名前", true, 16 },
    { "Button1", { 0, 48, 49, 25 }, "通常１", false, 12 },
    { "Button2", { 48, 48, 49, 25 }, "通常２", false, 12 },
    { "Button3", { 0, 72, 49, 25 }, "勝ち", false, 12 },
    { "Button4", { 48, 72, 49, 25 }, "負け", false, 12 },
    { "Button5", { 0, 96, 49, 25 }, "立ち", false, 12 },
    { "Button6", { 0, 136, 49, 25 }, "喜び１", false, 12 },
    { "Button7", { 48, 136, 49, 25 }, "喜び２", false, 12 },
    { "Button8", { 0, 160, 49, 25 }, "喜び３", false, 12 },
    { "Button9", { 48, 160, 49, 25 }, "ﾀﾞﾒｰｼﾞ１", false, 12 },
    { "Button10", { 0, 184, 49, 25 }, "ﾀﾞﾒｰｼﾞ２", false, 12 },
    { "Button11", { 48, 184, 49, 25 }, "ﾀﾞﾒｰｼﾞ３", false, 12 },
    { "Button12", { 0, 208, 49, 25 }, "ミス", false, 12 },
    { "Edit1", { 64, 272, 33, 20 }, "100", true, 12 },
    { "Edit2", { 0, 316, 225, 20 }, "", true, 12 },
    { "buttonck", { 0, 296, 75, 17 }, "ﾊﾟﾀｰﾝﾁｪｯｸ", false, 12 },
    { "CheckBox1", { 80, 296, 57, 17 }, "ループ", true, 12 },
    { "reload", { 0, 0, 97, 17 }, "再読込み", false, 12 },
    { "clipper", { 144, 296, 80, 17 }, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ", true, 12 },
    { "CGreload", { 0, 16, 97, 17 }, "CG再読込み", false, 12 },
    { "CheckBox2", { 50, 213, 49, 17 }, "ﾙｰﾌﾟ", true, 12 },
    { "DXDraw1", { 104, 0, 121, 271 }, "", true, 12 },
    { "Button14", { 48, 96, 49, 25 }, "おじゃま", false, 12 },
};

} // namespace

TEST(Window, EveryControlHasItsDesignNamePlaceCaptionAndState)
{
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), "Nimbrel");
    ASSERT_NE(form.centralWidget(), nullptr);
    EXPECT_EQ(form.centralWidget()->size(), QSize(226, 337));
    QStringList created;
    for (QWidget* w : form.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        created << w->objectName();
    QStringList expectedNames;
    for (const Expected& e : kExpected)
        expectedNames << e.name;
    // Creation order is child order.
    EXPECT_EQ(created, expectedNames);
    for (const Expected& e : kExpected) {
        auto* w = form.findChild<QWidget*>(e.name);
        ASSERT_NE(w, nullptr) << e.name;
        EXPECT_EQ(w->pos(), e.geometry.topLeft()) << e.name;
        if (!qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(w->size(), e.geometry.size()) << e.name;
        }
        EXPECT_EQ(w->isEnabled(), e.enabled) << e.name;
        EXPECT_EQ(textOf(w), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_EQ(w->font().pixelSize(), e.fontPixels) << e.name;
    }
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.CheckBox2->isChecked());
}

TEST(Window, EveryHandlerOfTheDesignIsASlotOfTheForm)
{
    TForm1 form;
    const char* handlers[] = { "FormCreate", "FormDestroy", "Button1Click", "Button2Click", "Button3Click",
        "Button4Click", "Button5Click", "Button6Click", "Button7Click", "Button8Click", "Button9Click",
        "Button10Click", "Button11Click", "Button12Click", "Button14Click", "buttonckClick", "reloadClick",
        "CGreloadClick", "clipperClick", "autocgloadClick", "autodefloadClick", "Edit1Change",
        "DXDraw1InitializeSurface", "DXDraw1FinalizeSurface" };
    for (const char* handler : handlers)
        EXPECT_GE(form.metaObject()->indexOfSlot((std::string(handler) + "()").c_str()), 0) << handler;
    // And every row of the design that names a handler names a slot.
    std::vector<std::string_view> named;
    for (const auto& row : form::kRows)
        named.push_back(row.handler);
    for (const std::string_view handler : named) {
        if (!handler.empty()) {
            EXPECT_GE(form.metaObject()->indexOfSlot((std::string(handler) + "()").c_str()), 0) << handler;
        }
    }
}

TEST(Window, TabOrderFollowsTheDesign)
{
    TForm1 form;
    QWidget* w = form.Button1;
    const char* order[] = { "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "Button7",
        "Button8", "Button9", "Button10", "Button11", "Button12", "Edit1", "Edit2", "buttonck", "CheckBox1",
        "reload", "clipper", "CGreload", "CheckBox2", "Button14" };
    for (const char* name : order) {
        EXPECT_EQ(w->objectName(), name);
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus && w != form.Button1)
            w = w->nextInFocusChain();
    }
}

TEST(Window, SettingsMenuHoldsTheCheckableAutomaticReloads)
{
    TForm1 form;
    EXPECT_EQ(form.N1->title(), "設定");
    ASSERT_EQ(form.N1->actions().size(), 2);
    EXPECT_EQ(form.N1->actions()[0], form.autocgload);
    EXPECT_EQ(form.N1->actions()[1], form.autodefload);
    EXPECT_EQ(form.autocgload->text(), "自動ＣＧ再読込み");
    EXPECT_EQ(form.autodefload->text(), "自動定義再読込み");
    for (QAction* item : form.N1->actions()) {
        EXPECT_TRUE(item->isCheckable());
        EXPECT_FALSE(item->isChecked());
    }
}

TEST(Window, ViewAndToolsMenusHoldTheirItemsWithTheirKeysInOrder)
{
    TForm1 form;
    QStringList titles;
    for (QAction* menu : form.menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList { "設定", "表示", "ツール" }));
    struct Item {
        const char* name;
        const char* caption;
        const char* key;
        bool checkable;
    };
    const Item view[] = { { "pauseplay", "一時停止", "F5", true }, { "stepnext", "コマ送り", "F7", false },
        { "stepback", "コマ戻し", "F6", false }, { "restart", "最初から", "F8", false },
        { "", "", "", false }, { "zoomview", "拡大表示", "Ctrl+1", false },
        { "sheetview", "シート表示", "Ctrl+2", false } };
    const Item tools[] = { { "checkfile", "定義ファイルの検査", "", false },
        { "gifsave", "GIF で保存…", "", false }, { "framecopy", "フレームを画像でコピー", "", false } };
    const auto expectItems = [](QMenu* menu, std::span<const Item> items) {
        ASSERT_EQ(menu->actions().size(), static_cast<qsizetype>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            QAction* action = menu->actions()[static_cast<qsizetype>(i)];
            SCOPED_TRACE(items[i].caption);
            EXPECT_EQ(action->isSeparator(), std::string_view(items[i].name).empty());
            EXPECT_EQ(action->objectName(), items[i].name);
            EXPECT_EQ(action->text(), QString::fromUtf8(items[i].caption));
            EXPECT_EQ(action->shortcut(), QKeySequence(items[i].key));
            EXPECT_EQ(action->isCheckable(), items[i].checkable);
            EXPECT_FALSE(action->isChecked());
        }
    };
    EXPECT_EQ(form.N2->title(), "表示");
    expectItems(form.N2, view);
    EXPECT_EQ(form.ToolsMenu->title(), "ツール");
    expectItems(form.ToolsMenu, tools);
    // The keys work from the windows of the menu too.
    EXPECT_EQ(form.pauseplay->shortcutContext(), Qt::ApplicationShortcut);
}

// A new command is one row of the table and one handler: a row added to a
// copy of the table is a menu item of the window that runs the command of
// its control.
TEST(Window, ACommandRowAddedToTheTableIsAMenuItemThatRunsItsCommand)
{
    std::vector<form::Row> rows(form::kRows.begin(), form::kRows.end());
    rows.push_back(form::item(form::Control::restart, "again", "N2", "もう一度", "F9", form::Mark::plain));
    form::FormDesign design = form::kFormDesign;
    design.rows = rows;
    std::vector<std::string> errors;
    app::setErrorSinkForTesting([&](const std::string& text) { errors.push_back(text); });
    {
        TForm1 form(nullptr, design);
        form.show();
        QAction* again = form.N2->actions().back();
        EXPECT_EQ(again->objectName(), "again");
        EXPECT_EQ(again->text(), "もう一度");
        EXPECT_EQ(again->shortcut(), QKeySequence(Qt::Key_F9));

        form.dropFile(std::string(NIMBREL_SOURCE_DIR) + "/examples/sample/sample.txt");
        form.findChild<QAction*>("stepnext")->trigger();
        form.findChild<QAction*>("stepnext")->trigger();
        EXPECT_TRUE(form.pauseplay->isChecked());
        EXPECT_EQ(form.logic().player().frameIndex(), 2);
        again->trigger();
        EXPECT_EQ(form.logic().player().frameIndex(), 1);
        EXPECT_TRUE(form.pauseplay->isChecked());
    }
    app::setErrorSinkForTesting(nullptr);
    EXPECT_TRUE(errors.empty()) << errors.front();
}
